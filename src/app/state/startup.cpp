#include "app/state/startup.h"

#include "app/state/settings_files.h"
#include "platform/skin_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
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
    // A name that is not a bare skin file name is never turned into a path: it counts as missing.
    const bool named = settings::isSkinFileName(s.fileName);
    s.filePath = QDir(folders.program).filePath(named ? s.fileName : QString::fromUtf8(settings::NoSkin));
    // Found ignoring letter case, as the engine finds it: the default "pixos.urf" is "PixOS.urf".
    if (named && skin::findInFolder(folders.program, s.fileName)) {
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
    // Quoted when the name needs it, so that the next start reads the same name.
    const std::optional<QString> faceLine = settings::fieldText(skinFileName);
    if (!faceLine) {
        if (errors) errors->push_back(QStringLiteral("cannot store \"%1\" in %2").arg(skinFileName, folders.facePath()));
    } else if (!settings::writeSingleLine(folders.facePath(), *faceLine, &error) && errors) {
        errors->push_back(error);
    }
    if (!settings::ensureExists(folders.counterPath(), QString::fromUtf8(settings::InitialRunCount), &error) && errors)
        errors->push_back(error);
    const QString field = settings::readFirstField(folders.counterPath()).value_or(QString());
    const settings::CounterStep step = settings::advanceCounter(field);
    if (!settings::writeSingleLine(folders.counterPath(), step.next, &error) && errors) errors->push_back(error);
    if (!step.opensPage) return ExitPage::None;
    return settings::opensOnlineLookupPage(timeText) ? ExitPage::OnlineLookup : ExitPage::Forum;
}

int removeStaleSaveFiles(const ProgramFolders& folders) {
    // The names QSaveFile gives its temporary files: the target's name and six letters or digits.
    static const QRegularExpression saveFileName(QStringLiteral("^(face|ji)\\.txt\\.[A-Za-z0-9]{6}$"));
    const QDir dir(folders.settings);
    const QStringList candidates = {QStringLiteral("face.txt.*"), QStringLiteral("ji.txt.*")};
    int removed = 0;
    for (const QFileInfo& info : dir.entryInfoList(candidates, QDir::Files | QDir::Hidden | QDir::NoSymLinks)) {
        if (saveFileName.match(info.fileName()).hasMatch() && QFile::remove(info.filePath())) ++removed;
    }
    return removed;
}

}  // namespace tessivo
