#include "platform/skin_engine.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using tessivo::platform::SkinEngine;

namespace {

// SkinEngine::start(path, 2) in a child that is stopped after two seconds, so a read that
// blocks or never ends shows as a failure instead of a hung suite: 1 when the sheet was
// accepted, 0 when refused, -1 when stopped.
int startInChild(const QString& path) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::alarm(2);
        ::_exit(SkinEngine::start(path, 2) != 0 ? 1 : 0);
    }
    int status = 0;
    if (child <= 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

}  // namespace

TEST(SkinEngine, OnlyARegularFileOfASkinsSizeIsApplied) {
    QTemporaryDir dir;
    const QString sheet = dir.filePath(QStringLiteral("LE4.urf"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(TESSIVO_SOURCE_DIR "/skins/LE4.urf"), sheet));
    EXPECT_EQ(startInChild(sheet), 1);

    const QString fifo = dir.filePath(QStringLiteral("fifo.urf"));
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    EXPECT_EQ(startInChild(fifo), 0) << "a FIFO must be refused, not waited on";

    const QString zero = dir.filePath(QStringLiteral("zero.urf"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), zero));
    EXPECT_EQ(startInChild(zero), 0) << "an endless device must be refused";

    const QString huge = dir.filePath(QStringLiteral("huge.urf"));
    QFile big(huge);
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    ASSERT_TRUE(big.resize(64 << 20));
    big.close();
    EXPECT_EQ(startInChild(huge), 0) << "a 64 MiB file is no style sheet";
}
