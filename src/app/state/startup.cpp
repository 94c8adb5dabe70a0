#include "app/state/startup.h"

#include "app/state/settings_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace tessivo {

ProgramFolders ProgramFolders::forExecutable() {
    return forProgramFolder(QCoreApplication::applicationDirPath());
}

ProgramFolders ProgramFolders::forProgramFolder(const QString& programFolder) {
    ProgramFolders f;
    f.program = QDir(programFolder).absolutePath();
    f.settings = f.program;
    const QFileInfo info(f.program);
    if (!info.isWritable()) {
        // An installed copy: keep the settings in the user's configuration folder.
        QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
        if (config.isEmpty()) config = QDir::home().filePath(QStringLiteral(".config/tessivo"));
        QDir().mkpath(config);
        f.settings = config;
    }
    return f;
}

QString ProgramFolders::facePath() const { return QDir(settings).filePath(QStringLiteral("face.txt")); }
QString ProgramFolders::counterPath() const { return QDir(settings).filePath(QStringLiteral("ji.txt")); }

Skin::State startSkin(const ProgramFolders& folders, const SkinStarter& start) {
    settings::ensureExists(folders.facePath(), QString::fromUtf8(settings::DefaultSkin));
    Skin::State s;
    s.fileName = settings::readFirstField(folders.facePath()).value_or(QString());
    s.filePath = QDir(folders.program).filePath(s.fileName);
    if (!s.fileName.isEmpty() && QFileInfo(s.filePath).isFile()) {
        s.active = true;
        if ((start(s.filePath, 2) & 0xFFFF) == 0) {
            s.active = false;
            start(s.filePath, 1);
            s.fileName = QString::fromUtf8(settings::NoSkin);
        }
    } else {
        s.active = false;
        start(s.filePath, 1);
        s.fileName = QString::fromUtf8(settings::NoSkin);
    }
    return s;
}

ExitPage writeExitSettings(const ProgramFolders& folders, const QString& skinFileName, const QString& timeText,
                           QStringList* errors) {
    QString error;
    if (!settings::writeSingleLine(folders.facePath(), skinFileName, &error) && errors) errors->push_back(error);
    if (!settings::ensureExists(folders.counterPath(), QString::fromUtf8(settings::InitialRunCount), &error) && errors)
        errors->push_back(error);
    const QString field = settings::readFirstField(folders.counterPath()).value_or(QString());
    const settings::CounterStep step = settings::advanceCounter(field);
    if (!settings::writeSingleLine(folders.counterPath(), step.next, &error) && errors) errors->push_back(error);
    if (!step.opensPage) return ExitPage::None;
    return settings::opensOnlineLookupPage(timeText) ? ExitPage::OnlineLookup : ExitPage::Forum;
}

}  // namespace tessivo
