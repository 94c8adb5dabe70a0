#pragma once

// Runs a data generator tool as the build does, for the tests of its command line.

#include <QProcess>
#include <QString>
#include <QStringList>

namespace tessivo::datagen::testing {

struct ToolRun {
    int exitCode = -1;  // -1: crashed or did not finish
    QString errors;     // what it wrote to stderr
};

inline ToolRun runToolProcess(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(TESSIVO_DATAGEN_DIR "/") + tool, arguments);
    ToolRun run;
    if (!process.waitForFinished(60000)) {
        run.errors = process.errorString();
        return run;
    }
    if (process.exitStatus() == QProcess::NormalExit) run.exitCode = process.exitCode();
    run.errors = QString::fromUtf8(process.readAllStandardError());
    return run;
}

}  // namespace tessivo::datagen::testing
