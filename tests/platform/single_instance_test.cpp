#include "platform/desktop.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using tessivo::platform::SingleInstance;

namespace {

// Runs `check` in a child process, as a second launch of the program would, and returns its result.
bool inChild(const std::function<bool()>& check) {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(check() ? 0 : 1);
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

QString privateFolder(const QTemporaryDir& dir) {
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return dir.path();
}

}  // namespace

TEST(SingleInstance, ASecondLaunchWithAnotherRuntimeFolderDoesNotRun) {
    QTemporaryDir settings, runtimeA, runtimeB;
    const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", privateFolder(runtimeA).toLocal8Bit());
    {
        SingleInstance first(settings.path(), QStringLiteral("tessivo"));
        ASSERT_TRUE(first.acquired());
        const QString otherRuntime = privateFolder(runtimeB);
        const QString folder = settings.path();
        // As under su, sudo or cron: the same user and program folder, another runtime folder.
        EXPECT_TRUE(inChild([&] {
            qputenv("XDG_RUNTIME_DIR", otherRuntime.toLocal8Bit());
            return !SingleInstance(folder, QStringLiteral("tessivo")).acquired();
        })) << "two copies would write the same settings";
        EXPECT_TRUE(inChild([&] {
            qunsetenv("XDG_RUNTIME_DIR");
            return !SingleInstance(folder, QStringLiteral("tessivo")).acquired();
        })) << "a launch without a runtime folder must see the first copy";
    }
    EXPECT_TRUE(inChild([&] { return SingleInstance(settings.path(), QStringLiteral("tessivo")).acquired(); }))
        << "the lock ends with the copy that held it";
    qputenv("XDG_RUNTIME_DIR", saved);
}

TEST(SingleInstance, ALockLeftByAKilledCopyIsTakenOver) {
    QTemporaryDir settings;
    // The child takes the lock and ends without releasing it, as a kill would.
    EXPECT_TRUE(inChild([&] {
        auto* kept = new SingleInstance(settings.path(), QStringLiteral("tessivo"));
        return kept->acquired();
    }));
    EXPECT_FALSE(QDir(settings.path()).entryList(QDir::Files | QDir::Hidden).isEmpty()) << "the lock file stays behind";
    EXPECT_TRUE(SingleInstance(settings.path(), QStringLiteral("tessivo")).acquired());
}

TEST(SingleInstance, AFolderThatCannotHoldTheLockStillAllowsOneCopy) {
    QTemporaryDir root;
    const QString missing = root.filePath(QStringLiteral("no/such/folder"));
    SingleInstance first(missing, QStringLiteral("tessivo"));
    EXPECT_TRUE(first.acquired());
    EXPECT_TRUE(inChild([&] { return !SingleInstance(missing, QStringLiteral("tessivo")).acquired(); }));
}

TEST(SingleInstance, AFullDiskDoesNotStopTheProgram) {
    QTemporaryDir settings;
    // No file may grow: the lock file cannot get its content, as on a full disk.
    EXPECT_TRUE(inChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit none{0, 0};
        return ::setrlimit(RLIMIT_FSIZE, &none) == 0 && SingleInstance(settings.path(), QStringLiteral("tessivo")).acquired();
    })) << "a copy that cannot write its lock must still start";
}
