#include "lookup/charcode_file.h"
#include "lookup/charcode_search.h"
#include "support/builders.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace tessivo;
using namespace tessivo::testing;

namespace {

// Opens `bytes` as wwbb11.dat and returns the error ("" when it opened).
QString openError(const QTemporaryDir& dir, const QByteArray& bytes) {
    CharCodeFile file;
    const QString path = writeFile(dir, QStringLiteral("wwbb11.dat"), bytes);
    const bool ok = file.open(path);
    EXPECT_EQ(ok, file.isOpen());
    EXPECT_EQ(ok, file.errorString().isEmpty());
    if (!ok) {
        // Every message tells the user, in Chinese, which file is wrong and how to get it back, with
        // the command that rebuilds it for whoever maintains the copy.
        EXPECT_TRUE(file.errorString().startsWith(QStringLiteral("汉字编码文件 ") + path + u' ')) << file.errorString().toStdString();
        EXPECT_TRUE(file.errorString().contains(QStringLiteral("请重新安装 Tessivo")));
        EXPECT_TRUE(file.errorString().contains(QStringLiteral("scripts/setup.sh run")));
        EXPECT_TRUE(file.errorString().contains(QStringLiteral("tessivo_data")));
        EXPECT_EQ(file.recordCount(), 0);
    }
    return file.errorString();
}

}  // namespace

TEST(CharCodeFile, RefusesBadFilesWithOneClearMessage) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());

    CharCodeFile missing;
    EXPECT_FALSE(missing.open(dir.filePath(QStringLiteral("wwbb11.dat"))));
    EXPECT_TRUE(missing.errorString().contains(QStringLiteral("不存在")));
    EXPECT_TRUE(missing.errorString().contains(QStringLiteral("tessivo_data")));

    EXPECT_TRUE(openError(dir, {}).contains(QStringLiteral("是空文件")));

    // A folder in the file's place cannot be read as records.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.dat")));
    CharCodeFile folder;
    EXPECT_FALSE(folder.open(dir.filePath(QStringLiteral("folder.dat"))));
    EXPECT_FALSE(folder.isOpen());
    EXPECT_TRUE(folder.errorString().contains(QStringLiteral("folder.dat")));

    const QByteArray two = bytesOf(spacedRecords(2));
    EXPECT_TRUE(openError(dir, two + "x").contains(QStringLiteral("302")));
    EXPECT_TRUE(openError(dir, two.left(301)).contains(QStringLiteral("302")));

    // Equal and descending neighbours are both out of order.
    EXPECT_TRUE(openError(dir, bytesOf({record(hanzi(3)), record(hanzi(3))})).contains(QStringLiteral("第 2 条记录")));
    EXPECT_TRUE(openError(dir, bytesOf({record(hanzi(1)), record(hanzi(5)), record(hanzi(4))})).contains(QStringLiteral("第 3 条记录")));

    QByteArray badCharacter = two;
    badCharacter[302] = char(0xFF);
    badCharacter[303] = char(0xFF);
    EXPECT_TRUE(openError(dir, badCharacter).contains(QStringLiteral("第 2 条记录")));

    QByteArray badCode = two;
    badCode[5] = char(0x81);  // a lead byte followed by a blank
    EXPECT_TRUE(openError(dir, badCode).contains(QStringLiteral("第 1 条记录")));

    // One record more than a signed 16-bit record number can address.
    EXPECT_TRUE(openError(dir, QByteArray(qsizetype(CharCodeFile::MaxRecords + 1) * CharCodeRecord::Size, ' '))
                    .contains(QStringLiteral("32767")));
}

TEST(CharCodeFile, ReadsRecordsByNumberAndCountsReads) {
    QTemporaryDir dir;
    auto records = spacedRecords(3);
    records[1].code1 = QStringLiteral("wqvb");
    records[1].fill[0] = QStringLiteral(" 150 300");
    CharCodeFile file;
    ASSERT_TRUE(file.open(writeFile(dir, QStringLiteral("wwbb11.dat"), bytesOf(records)))) << file.errorString().toStdString();
    EXPECT_EQ(file.recordCount(), 3);
    EXPECT_EQ(file.readCount(), 0u);  // the check at open is not counted

    const auto second = file.read(2);
    ASSERT_TRUE(second.has_value());
    EXPECT_EQ(second->character, hanzi(2) + u' ');
    EXPECT_EQ(second->code1, QStringLiteral("wqvb"));
    EXPECT_EQ(second->fill[0], QStringLiteral(" 150 300").leftJustified(72));
    EXPECT_EQ(file.readKey(3), gbk::charKey(hanzi(4)));
    EXPECT_FALSE(file.read(0).has_value());
    EXPECT_FALSE(file.read(4).has_value());
    EXPECT_EQ(file.readCount(), 2u);

    // The largest file allowed opens.
    std::vector<CharCodeRecord> many;
    for (int i = 0; i < 200; ++i) many.push_back(record(hanzi(i)));
    CharCodeFile big;
    EXPECT_TRUE(big.open(writeFile(dir, QStringLiteral("big.dat"), bytesOf(many))));
    EXPECT_EQ(big.recordCount(), 200);
    big.close();
    EXPECT_FALSE(big.isOpen());
    EXPECT_FALSE(big.read(1).has_value());
}

class CharCodeSearchTest : public ::testing::Test {
protected:
    void openRecords(const std::vector<CharCodeRecord>& records) {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(file.open(writeFile(dir, QStringLiteral("wwbb11.dat"), bytesOf(records)))) << file.errorString().toStdString();
    }
    // Searches and returns the number of record reads it took.
    std::uint64_t readsFor(CharCodeSearch& search, const QString& text) {
        file.resetReadCount();
        search.search(text);
        return file.readCount();
    }

    QTemporaryDir dir;
    CharCodeFile file;
};

TEST_F(CharCodeSearchTest, InputOddities) {
    openRecords(spacedRecords(9));
    CharCodeSearch search(file);
    // Several characters: only the first counts.
    search.search(hanzi(6) + hanzi(7) + QStringLiteral("x"));
    EXPECT_TRUE(search.charFound());
    EXPECT_EQ(search.currentCharRecord(), 4);
    // Empty: nothing happens, not even a read.
    EXPECT_EQ(readsFor(search, QString()), 0u);
    EXPECT_TRUE(search.charFound());
    EXPECT_EQ(search.currentCharRecord(), 4);
    // No GBK code: not found, without reading.
    EXPECT_EQ(readsFor(search, QStringLiteral("😀")), 0u);
    EXPECT_FALSE(search.charFound());
    // A positive key, above every GBK key: rejected after the first two reads.
    EXPECT_EQ(readsFor(search, QStringLiteral("a")), 2u);
    EXPECT_FALSE(search.charFound());
    EXPECT_EQ(search.currentCharRecord(), 9);
}

TEST_F(CharCodeSearchTest, LoadingCopiesTheCurrentRecordAndAFailedSearchLeavesIt) {
    auto records = spacedRecords(5);
    records[3] = record(hanzi(6), QStringLiteral("ksjd"), QStringLiteral("ksj"), QStringLiteral("k"),
                        {QStringLiteral("  15  30"), QStringLiteral("1"), QStringLiteral("0"), QString()});
    openRecords(records);
    CharCodeSearch search(file);
    search.start();
    EXPECT_EQ(search.currentCharRecord(), 1);
    EXPECT_EQ(search.record().character, hanzi(0) + u' ');
    EXPECT_TRUE(search.lowerProbe().isEmpty());  // no search yet
    EXPECT_TRUE(search.upperProbe().isEmpty());

    ASSERT_TRUE(search.search(hanzi(6)));
    EXPECT_TRUE(search.charFound());
    EXPECT_EQ(search.currentCharRecord(), 4);
    EXPECT_EQ(search.record().character, hanzi(0) + u' ');  // the search itself loads nothing
    search.loadCurrentRecord();
    const CharCodeRecord shown = search.record();
    EXPECT_EQ(shown.character, hanzi(6) + u' ');
    EXPECT_EQ(shown.code1, QStringLiteral("ksjd"));
    EXPECT_EQ(shown.code2, QStringLiteral("ksj "));
    EXPECT_EQ(shown.code3, QStringLiteral("k   "));
    EXPECT_EQ(shown.fill[0], QStringLiteral("  15  30").leftJustified(72));
    EXPECT_EQ(shown.fill[2], QStringLiteral("0").leftJustified(72));
    EXPECT_EQ(shown.fill[3], QString(72, u' '));

    EXPECT_FALSE(search.search(hanzi(7)));
    EXPECT_EQ(search.record().character, shown.character);
    EXPECT_EQ(search.record().fill[0], shown.fill[0]);
    // Not found: the current record is the one read last, the middle probe of the last pass.
    EXPECT_FALSE(search.charFound());
    EXPECT_EQ(search.currentCharRecord(), 4);
    EXPECT_EQ(search.lowerProbe(), hanzi(6) + u' ');
    EXPECT_EQ(search.upperProbe(), hanzi(8) + u' ');

    // A closed file: loading leaves the record as it was.
    file.close();
    search.loadCurrentRecord();
    EXPECT_EQ(search.record().character, shown.character);
}
