#include "app/state/settings_files.h"
#include "app/state/startup.h"
#include "support/files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <sys/wait.h>
#include <unistd.h>

using namespace tessivo;
using tessivo::testing::readAll;
using tessivo::testing::write;

namespace {

struct SkinCalls {
    std::vector<std::pair<QString, int>> calls;
    int result = 1;
    SkinStarter starter() {
        return [this](const QString& path, int mode) {
            calls.emplace_back(path, mode);
            return mode == 2 ? result : 1;
        };
    }
};

}  // namespace

TEST(SettingsFields, FirstFieldStopsAtCommaAndHonoursQuotes) {
    EXPECT_EQ(settings::firstField(QStringLiteral("LE4.urf,something else")), QStringLiteral("LE4.urf"));
    EXPECT_EQ(settings::firstField(QStringLiteral("   pixos.urf")), QStringLiteral("pixos.urf"));
    EXPECT_EQ(settings::firstField(QStringLiteral("\"a, b.urf\",x")), QStringLiteral("a, b.urf"));
    EXPECT_EQ(settings::firstField(QString()), QString());
}

TEST(RunCounter, StepsFromTheStoredValue) {
    struct Case { const char* stored; const char* next; bool opens; };
    for (const Case& c : {Case{"34", "35", true}, Case{"35", "36", false}, Case{"4", "5", false},
                          Case{"-2", "101", false}, Case{"junk", "1", false}, Case{"44", "45", true},
                          Case{"30", "31", false}}) {
        const auto step = settings::advanceCounter(QString::fromLatin1(c.stored));
        EXPECT_EQ(step.next, QString::fromLatin1(c.next)) << c.stored;
        EXPECT_EQ(step.opensPage, c.opens) << c.stored;
    }
}

TEST(RunCounter, TimeTextChoosesThePage) {
    EXPECT_TRUE(settings::opensOnlineLookupPage(QStringLiteral("12:00:06")));
    EXPECT_TRUE(settings::opensOnlineLookupPage(QStringLiteral("12:00:09")));
    EXPECT_FALSE(settings::opensOnlineLookupPage(QStringLiteral("12:00:05")));
    EXPECT_FALSE(settings::opensOnlineLookupPage(QStringLiteral("12:00:00")));
    EXPECT_FALSE(settings::opensOnlineLookupPage(QStringLiteral("12:00 PM")));
    EXPECT_FALSE(settings::opensOnlineLookupPage(QString()));
}

TEST(SettingsFiles, WrittenAsGbkWithCrLfAndReadBack) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("face.txt"));
    ASSERT_TRUE(settings::writeSingleLine(path, QStringLiteral("取消皮肤.urf")));
    EXPECT_EQ(readAll(path), QByteArray("\xC8\xA1\xCF\xFB\xC6\xA4\xB7\xF4.urf\r\n"));
    EXPECT_EQ(settings::readFirstField(path), QStringLiteral("取消皮肤.urf"));
    EXPECT_FALSE(settings::writeSingleLine(path, QStringLiteral("😀.urf")));  // not storable: file kept
    EXPECT_EQ(settings::readFirstField(path), QStringLiteral("取消皮肤.urf"));
    EXPECT_FALSE(settings::writeSingleLine(dir.filePath(QStringLiteral("no/such/folder/face.txt")), QStringLiteral("x")));
}

TEST(StartUp, FirstRunInAnEmptyFolderRunsUnskinnedAndCountsToThirtyOne) {
    QTemporaryDir dir;
    const ProgramFolders folders = ProgramFolders::forProgramFolder(dir.path());
    SkinCalls skin;
    const Skin::State state = startSkin(folders, skin.starter());
    EXPECT_EQ(readAll(folders.facePath()), QByteArray("pixos.urf\r\n"));
    EXPECT_FALSE(state.active);
    EXPECT_EQ(state.fileName, QStringLiteral("取消皮肤.urf"));
    ASSERT_EQ(skin.calls.size(), 1u);
    EXPECT_EQ(skin.calls[0].second, 1);
    EXPECT_EQ(writeExitSettings(folders, state.fileName, QStringLiteral("10:00:00")), ExitPage::None);
    EXPECT_EQ(settings::readFirstField(folders.facePath()), QStringLiteral("取消皮肤.urf"));
    EXPECT_EQ(readAll(folders.counterPath()), QByteArray("31\r\n"));
}

TEST(StartUp, SkinNameBeforeACommaIsApplied) {
    QTemporaryDir dir;
    const ProgramFolders folders = ProgramFolders::forProgramFolder(dir.path());
    write(folders.facePath(), "LE4.urf,old settings\r\n");
    write(dir.filePath(QStringLiteral("LE4.urf")), "QWidget { background: #ddeeff; }");
    SkinCalls skin;
    const Skin::State state = startSkin(folders, skin.starter());
    EXPECT_TRUE(state.active);
    EXPECT_EQ(state.fileName, QStringLiteral("LE4.urf"));
    EXPECT_EQ(state.filePath, QDir(dir.path()).filePath(QStringLiteral("LE4.urf")));
    ASSERT_EQ(skin.calls.size(), 1u);
    EXPECT_EQ(skin.calls[0].second, 2);
}

TEST(StartUp, RejectedSkinFallsBackToNoSkin) {
    QTemporaryDir dir;
    const ProgramFolders folders = ProgramFolders::forProgramFolder(dir.path());
    write(folders.facePath(), "bad.urf\r\n");
    write(dir.filePath(QStringLiteral("bad.urf")), "");
    SkinCalls skin;
    skin.result = 0x10000;  // only the low 16 bits count: this is a rejection
    const Skin::State state = startSkin(folders, skin.starter());
    EXPECT_FALSE(state.active);
    EXPECT_EQ(state.fileName, QStringLiteral("取消皮肤.urf"));
    ASSERT_EQ(skin.calls.size(), 2u);
    EXPECT_EQ(skin.calls[1].second, 1);
}

TEST(StartUp, AFolderNamedLikeTheSkinIsNotASkin) {
    QTemporaryDir dir;
    const ProgramFolders folders = ProgramFolders::forProgramFolder(dir.path());
    write(folders.facePath(), "\r\n");  // empty name: the path is the folder itself
    SkinCalls skin;
    EXPECT_FALSE(startSkin(folders, skin.starter()).active);
}

TEST(ExitSettings, CounterValuesAndPages) {
    struct Case { const char* stored; const char* time; const char* written; ExitPage page; };
    for (const Case& c : {Case{"34", "08:15:07", "35", ExitPage::OnlineLookup}, Case{"34", "08:15:03", "35", ExitPage::Forum},
                          Case{"35", "08:15:09", "36", ExitPage::None}, Case{"4", "08:15:09", "5", ExitPage::None},
                          Case{"-2", "08:15:09", "101", ExitPage::None}}) {
        QTemporaryDir dir;
        const ProgramFolders folders = ProgramFolders::forProgramFolder(dir.path());
        write(folders.counterPath(), QByteArray(c.stored) + "\r\n");
        EXPECT_EQ(writeExitSettings(folders, QStringLiteral("pixos.urf"), QString::fromLatin1(c.time)), c.page) << c.stored;
        EXPECT_EQ(readAll(folders.counterPath()), QByteArray(c.written) + "\r\n") << c.stored;
    }
}

// Runs `check` in a child process that has no override of file permissions: as the user
// nobody when the tests run as root (as CI does), so a read-only folder really is read-only.
// Returns the child's result.
static bool inUnprivilegedChild(const std::function<bool()>& check) {
    const pid_t child = ::fork();
    if (child == 0) {
        bool ok = true;
        if (::geteuid() == 0) ok = ::setgid(65534) == 0 && ::setuid(65534) == 0;
        ::_exit(ok && check() ? 0 : 1);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(ExitSettings, ReadOnlyProgramFolderKeepsSettingsInTheUserFolder) {
    QTemporaryDir program;
    QTemporaryDir config;
    const auto everyone = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                          QFile::ExeOther;
    ASSERT_TRUE(QFile::setPermissions(program.path(), everyone));
    ASSERT_TRUE(QFile::setPermissions(config.path(), everyone | QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther));
    const QString configHome = config.path();
    const bool ok = inUnprivilegedChild([&] {
        qputenv("XDG_CONFIG_HOME", configHome.toLocal8Bit());
        const ProgramFolders folders = ProgramFolders::forProgramFolder(program.path());
        if (folders.settings == folders.program || !folders.settings.startsWith(configHome)) return false;
        QStringList errors;
        writeExitSettings(folders, QStringLiteral("pixos.urf"), QStringLiteral("10:00:00"), &errors);
        return errors.isEmpty() && settings::readFirstField(folders.facePath()) == QStringLiteral("pixos.urf");
    });
    EXPECT_TRUE(ok) << "settings of a read-only program folder must go to the user's configuration folder";
    EXPECT_TRUE(QDir(program.path()).entryList(QDir::Files).isEmpty()) << "nothing is written beside the program";
    QFile::setPermissions(program.path(), everyone | QFile::WriteOwner);
}
