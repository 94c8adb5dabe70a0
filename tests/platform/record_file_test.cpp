// The record file serves exactly the bytes it read, whatever bytes its records hold.
#include "platform/record_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <random>

using tessivo::platform::RecordFile;

namespace {

// Records of `size` bytes full of what a compact copy would have to keep apart: runs of spaces
// of every length, NUL bytes alone and before digits or spaces, and GBK bytes.
std::vector<QByteArray> awkwardRecords(int size, int count) {
    std::mt19937 random(size);
    const char pieces[][4] = {"\0", "\0\x05", "a", "\xD6\xD0", "1", "\x80"};
    std::vector<QByteArray> records;
    for (int n = 0; n < count; ++n) {
        QByteArray r;
        while (r.size() < size) {
            if (random() % 2) r.append(qsizetype(random() % (n % 3 == 0 ? 700 : 6)), ' ');
            const auto& piece = pieces[random() % std::size(pieces)];
            r.append(piece, std::max<qsizetype>(1, qstrlen(piece)));
        }
        records.push_back(r.first(size));
    }
    records.push_back(QByteArray(size, ' '));
    records.push_back(QByteArray(size, '\0'));
    return records;
}

}  // namespace

TEST(RecordFile, ServesExactlyTheBytesItRead) {
    for (int size : {4, 63, 64, 302, 600}) {
        const std::vector<QByteArray> records = awkwardRecords(size, 60);
        QTemporaryDir dir;
        QFile out(dir.filePath(QStringLiteral("records.dat")));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        for (const QByteArray& r : records) out.write(r);
        out.close();
        RecordFile file;
        ASSERT_TRUE(file.open(out.fileName(), size, QStringLiteral("test"), [](int, QByteArrayView) { return QString(); }))
            << file.errorString().toStdString();
        ASSERT_EQ(file.recordCount(), int(records.size()));
        for (int n = 1; n <= file.recordCount(); ++n) ASSERT_EQ(file.readRaw(n), records[std::size_t(n - 1)]) << size << ' ' << n;
        EXPECT_FALSE(file.readRaw(0));
        EXPECT_FALSE(file.readRaw(file.recordCount() + 1));
        file.close();
        EXPECT_FALSE(file.readRaw(1));
    }
}
