// Settings under hostile conditions: a write that fails part-way, a kill during the exit write,
// names in face.txt that point elsewhere or need quoting.
#include "app/state/settings_files.h"
#include "app/state/startup.h"
#include "support/files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <random>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace tessivo;
using tessivo::testing::readAll;
using tessivo::testing::write;

namespace {

QStringList leftovers(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral("*.txt.*")}, QDir::Files | QDir::Hidden);
}

// Runs `body` in a child process whose files cannot grow past `limit` bytes. SIGXFSZ is
// ignored, so a write past the limit fails with EFBIG the way a write to a full disk fails
// with ENOSPC. Returns the child's result.
bool inChildWithFileLimit(rlim_t limit, const std::function<bool()>& body) {
    const pid_t child = ::fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit r{limit, limit};
        ::_exit(::setrlimit(RLIMIT_FSIZE, &r) == 0 && body() ? 0 : 1);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

struct NoSkinEngine {
    std::vector<int> modes;
    SkinStarter starter() {
        return [this](const QString&, int mode) {
            modes.push_back(mode);
            return 1;
        };
    }
};

}  // namespace

TEST(ExitSettings, FullDiskKeepsTheOldFilesAndReportsEachOne) {
    // 0: no byte can be written; 2: each write stops part-way.
    for (const rlim_t limit : {rlim_t{0}, rlim_t{2}}) {
        QTemporaryDir dir;
        const ProgramFolders folders = ProgramFolders::forProgramFolder(dir.path());
        write(folders.facePath(), "LE4.urf\r\n");
        write(folders.counterPath(), "34\r\n");
        const bool reported = inChildWithFileLimit(limit, [&] {
            QStringList errors;
            writeExitSettings(folders, QStringLiteral("pixos.urf"), QStringLiteral("10:00:00"), &errors);
            return errors.size() == 2;
        });
        EXPECT_TRUE(reported) << "limit " << limit << ": both failed writes must be reported";
        EXPECT_EQ(readAll(folders.facePath()), QByteArray("LE4.urf\r\n")) << "limit " << limit;
        EXPECT_EQ(readAll(folders.counterPath()), QByteArray("34\r\n")) << "limit " << limit;
        EXPECT_TRUE(leftovers(dir.path()).isEmpty()) << qPrintable(leftovers(dir.path()).join(u' '));
    }
}

TEST(ExitSettings, KillDuringTheExitWriteLosesNothing) {
    QTemporaryDir dir;
    const ProgramFolders folders = ProgramFolders::forProgramFolder(dir.path());
    write(folders.facePath(), "LE4.urf\r\n");
    write(folders.counterPath(), "34\r\n");
    std::mt19937 random(12);
    long long lastCount = 34;
    int killedMidWrite = 0;
    for (int round = 0; round < 200; ++round) {
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            // Exit writes back to back, alternating the skin, until the kill lands; the parent
            // waits for the first one, so a slow start cannot make the kill land before it.
            for (int i = 0;; ++i) {
                writeExitSettings(folders, QString::fromLatin1(i % 2 ? "LE4.urf" : "pixos.urf"), QStringLiteral("1"));
                if (i == 0 && ::write(ready[1], "x", 1) != 1) ::_exit(1);
            }
        }
        ASSERT_GT(child, 0);
        char byte = 0;
        ASSERT_EQ(::read(ready[0], &byte, 1), 1);
        ::close(ready[0]);
        ::close(ready[1]);
        ::usleep(std::uniform_int_distribution<useconds_t>(0, 2000)(random));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        const auto face = settings::readFirstField(folders.facePath());
        ASSERT_TRUE(face == QStringLiteral("LE4.urf") || face == QStringLiteral("pixos.urf"))
            << "round " << round << ": face.txt holds '" << readAll(folders.facePath()).toStdString() << "'";
        const QByteArray counter = readAll(folders.counterPath());
        ASSERT_TRUE(counter.endsWith("\r\n")) << "round " << round << ": ji.txt holds '" << counter.toStdString() << "'";
        bool isNumber = false;
        const long long count = counter.chopped(2).toLongLong(&isNumber);
        ASSERT_TRUE(isNumber && count >= lastCount) << "round " << round << ": ji.txt holds '" << counter.toStdString() << "'";
        lastCount = count;
        killedMidWrite += leftovers(dir.path()).isEmpty() ? 0 : 1;
        removeStaleSaveFiles(folders);
        ASSERT_TRUE(leftovers(dir.path()).isEmpty()) << qPrintable(leftovers(dir.path()).join(u' '));
    }
    EXPECT_GE(lastCount, 34 + 200);
    std::printf("%d of 200 kills left a half-written temporary file; none reached the settings\n", killedMidWrite);
}

TEST(StartUp, StaleTemporaryFilesOfTheExitWriteAreRemoved) {
    QTemporaryDir dir;
    const ProgramFolders folders = ProgramFolders::forProgramFolder(dir.path());
    const QStringList stale = {QStringLiteral("face.txt.Ab12Cd"), QStringLiteral("ji.txt.zZ9yY0")};
    const QStringList kept = {QStringLiteral("face.txt"),         QStringLiteral("face.txt.Ab12C"),
                              QStringLiteral("face.txt.Ab12Cd7"), QStringLiteral("face.txt.Ab-2Cd"),
                              QStringLiteral("myface.txt.Ab12Cd"), QStringLiteral("ji.txt.bak"),
                              QStringLiteral("wwbb11.dat")};
    for (const QString& name : stale + kept) write(dir.filePath(name), "x");
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("face.txt.Folder")));
    EXPECT_EQ(removeStaleSaveFiles(folders), 2);
    for (const QString& name : stale) EXPECT_FALSE(QFile::exists(dir.filePath(name))) << qPrintable(name);
    for (const QString& name : kept) EXPECT_TRUE(QFile::exists(dir.filePath(name))) << qPrintable(name);
    EXPECT_TRUE(QDir(dir.filePath(QStringLiteral("face.txt.Folder"))).exists());
}

TEST(SkinNames, OnlyABareSkinFileNameCounts) {
    for (const char* good : {"pixos.urf", "LE4.URF", "a,b.urf", " spaced .Urf", "取消皮肤.urf", "a.b.urf"})
        EXPECT_TRUE(settings::isSkinFileName(QString::fromUtf8(good))) << good;
    for (const char* bad : {"", ".", "..", "../x.urf", "/etc/x.urf", "sub/x.urf", "..urf", "a..b.urf", "x.urf.txt",
                            "x.ur", "tessivo", "wwbb11.dat", "a\tb.urf", "a\x7f.urf", "x.urf\r"})
        EXPECT_FALSE(settings::isSkinFileName(QString::fromUtf8(bad))) << bad;
}

TEST(StartUp, ASkinNameOutsideTheProgramFolderCountsAsMissing) {
    QTemporaryDir root;
    ASSERT_TRUE(QDir(root.path()).mkdir(QStringLiteral("program")));
    const QString program = root.filePath(QStringLiteral("program"));
    const ProgramFolders folders = ProgramFolders::forProgramFolder(program);
    write(root.filePath(QStringLiteral("outside.urf")), "QWidget { color: red; }");
    write(QDir(program).filePath(QStringLiteral("wwbb11.dat")), "not a style sheet");
    for (const QString& name : {QStringLiteral("../outside.urf"), root.filePath(QStringLiteral("outside.urf")),
                                QStringLiteral("wwbb11.dat")}) {
        write(folders.facePath(), name.toUtf8() + "\r\n");
        NoSkinEngine engine;
        const Skin::State state = startSkin(folders, engine.starter());
        EXPECT_FALSE(state.active) << qPrintable(name);
        EXPECT_EQ(engine.modes, std::vector<int>{1}) << qPrintable(name) << ": the file must not be offered to the engine";
        EXPECT_EQ(state.fileName, QString::fromUtf8(settings::NoSkin)) << qPrintable(name);
        writeExitSettings(folders, state.fileName, QStringLiteral("10:00:00"));
        EXPECT_EQ(settings::readFirstField(folders.facePath()), QString::fromUtf8(settings::NoSkin)) << qPrintable(name);
    }
}

TEST(ExitSettings, ASkinNameThatNeedsQuotesReadsBackTheSame) {
    QTemporaryDir dir;
    const ProgramFolders folders = ProgramFolders::forProgramFolder(dir.path());
    for (const QString& name : {QStringLiteral("a,b.urf"), QStringLiteral(" lead.urf"), QStringLiteral("two, commas,.urf"),
                                QStringLiteral("in\"side.urf"), QStringLiteral("\"q.urf"), QStringLiteral("pixos.urf")}) {
        write(dir.filePath(name), "QWidget { color: red; }");
        QStringList errors;
        writeExitSettings(folders, name, QStringLiteral("10:00:00"), &errors);
        NoSkinEngine engine;
        const Skin::State state = startSkin(folders, engine.starter());
        if (name.startsWith(u'"')) {
            // No quoting reads this one back: it is reported and the file keeps the last name.
            EXPECT_EQ(errors.size(), 1);
            EXPECT_EQ(state.fileName, QStringLiteral("in\"side.urf"));
            continue;
        }
        EXPECT_TRUE(errors.isEmpty()) << qPrintable(name);
        EXPECT_TRUE(state.active) << qPrintable(name);
        EXPECT_EQ(state.fileName, name);
    }
    EXPECT_EQ(settings::fieldText(QStringLiteral("a,b.urf")), QStringLiteral("\"a,b.urf\""));
    EXPECT_EQ(settings::fieldText(QStringLiteral("pixos.urf")), QStringLiteral("pixos.urf"));
    EXPECT_EQ(settings::fieldText(QStringLiteral("\"a,b\".urf")), std::nullopt);
}
