// Reading a small regular file without blocking, throwing or reading without end.

#include "platform/regular_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace tessivo::platform;

namespace {

std::filesystem::path pathOf(const QString& path) { return QFile::encodeName(path).toStdString(); }

class RegularFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString at(const QString& name) const { return dir.filePath(name); }
    std::filesystem::path write(const QString& name, const QByteArray& bytes) const {
        QFile f(at(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        EXPECT_EQ(f.write(bytes), bytes.size());
        return pathOf(at(name));
    }
    QTemporaryDir dir;
};

}  // namespace

TEST_F(RegularFileTest, ReadsAFileUpToTheLimitExactly) {
    const auto bytes = readRegularFile(write(QStringLiteral("a.bin"), QByteArray("ab\0c", 4)), 4);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(*bytes, (std::vector<std::uint8_t>{'a', 'b', 0, 'c'}));
    EXPECT_EQ(readRegularFile(write(QStringLiteral("empty.bin"), {}), 4), std::vector<std::uint8_t>{});

    std::string error;
    EXPECT_EQ(readRegularFile(pathOf(at(QStringLiteral("a.bin"))), 3, &error), std::nullopt);
    EXPECT_NE(error.find("larger than 3 bytes"), std::string::npos) << error;
}

TEST_F(RegularFileTest, RefusesAnythingButARegularFileAndNamesIt) {
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    ASSERT_EQ(::mkfifo(QFile::encodeName(at(QStringLiteral("fifo"))).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), at(QStringLiteral("zero"))));
    for (const QString& name : {QStringLiteral("folder"), QStringLiteral("fifo"), QStringLiteral("zero")}) {
        std::string error;
        EXPECT_EQ(readRegularFile(pathOf(at(name)), 1 << 16, &error), std::nullopt) << name.toStdString();
        EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;
        EXPECT_NE(error.find(name.toStdString()), std::string::npos) << error;
    }
    std::string error;
    EXPECT_EQ(readRegularFile(pathOf(at(QStringLiteral("none"))), 16, &error), std::nullopt);
    EXPECT_NE(error.find("none"), std::string::npos) << error;
}

TEST_F(RegularFileTest, ANulInTheNameNeverOpensWhatPrecedesIt) {
    write(QStringLiteral("a"), "a file the cut-off name would open");
    std::string name = pathOf(at(QStringLiteral("a"))).native();
    name.push_back('\0');
    name += ".bmp";
    std::string error;
    EXPECT_EQ(readRegularFile(std::filesystem::path(name), 1 << 16, &error), std::nullopt);
    EXPECT_NE(error.find("NUL"), std::string::npos) << error;
}

// A read that fails after a successful open (a bad disk) is an error, not an exception: reading
// a process's memory at address 0 fails with EIO.
TEST_F(RegularFileTest, AReadErrorIsReportedNotThrown) {
    std::string error;
    EXPECT_EQ(readRegularFile("/proc/self/mem", 1 << 16, &error), std::nullopt);
    EXPECT_NE(error.find("/proc/self/mem"), std::string::npos) << error;
}
