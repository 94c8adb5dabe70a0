#include "platform/gbk_codec.h"
#include "tables/reference_tables.h"
#include "tables/table_format.h"
#include "tables/table_search.h"

#include <gtest/gtest.h>

#include <QSet>

using namespace tessivo::tables;

namespace {

QByteArray gbk(const QString& text) { return tessivo::gbk::encode(text).value(); }

const QString kPinyin = QStringLiteral("啊a     \r\n发fa    \r\n垃la    \r\n然ran   \r\n压ya    \r\n");
const QString kStroke = QStringLiteral("一10000\r\n丨20000\r\n丿30000\r\n丶40000\r\n乙50000\r\n");

void expectRefused(const QString& pinyin, const QString& stroke, const char* why) {
    EXPECT_THROW(ReferenceTables::fromBytes(gbk(pinyin), gbk(stroke)), TableError) << why;
}

}  // namespace

TEST(ReferenceTables, SplitsEachTableIntoItsFiveBlocks) {
    const auto t = ReferenceTables::fromBytes(gbk(kPinyin), gbk(kStroke));
    EXPECT_EQ(t.pinyinBlock(1), QStringLiteral("啊a     \r\n"));
    EXPECT_EQ(t.pinyinBlock(4), QStringLiteral("然ran   \r\n"));
    EXPECT_EQ(t.strokeBlock(5), QStringLiteral("乙50000\r\n"));
    EXPECT_TRUE(t.pinyinBlock(0).isEmpty());
    EXPECT_TRUE(t.strokeBlock(6).isEmpty());
}

TEST(ReferenceTables, RefusesBrokenTables) {
    expectRefused(QString(kPinyin).chopped(2), kStroke, "last line without CR LF");
    expectRefused(QString(kPinyin).replace(QStringLiteral("\r\n发"), QStringLiteral("\n发")), kStroke, "bare LF");
    expectRefused(QStringLiteral("发fa    \r\n") + kPinyin, kStroke, "block 2 before block 1");
    expectRefused(QString(kPinyin).remove(QStringLiteral("垃la    \r\n")), kStroke, "empty block");
    expectRefused(QString(kPinyin).replace(QStringLiteral("fa    "), QStringLiteral("f a   ")), kStroke,
                  "blank inside a reading");
    expectRefused(QString(kPinyin).replace(QStringLiteral("fa    "), QStringLiteral("Fa    ")), kStroke,
                  "upper-case reading");
    expectRefused(kPinyin, QString(kStroke).replace(QStringLiteral("20000"), QStringLiteral("20100")),
                  "stroke code with a gap");
    expectRefused(kPinyin, QString(kStroke).replace(QStringLiteral("30000"), QStringLiteral("36000")),
                  "digit 6");
    EXPECT_THROW(ReferenceTables::fromBytes(QByteArray("\xB0\r\n"), gbk(kStroke)), TableError) << "truncated GBK";
}

TEST(EmbeddedTables, LoadAndHoldTheTellingRows) {
    const ReferenceTables& t = ReferenceTables::embedded();
    EXPECT_TRUE(t.pinyinBlock(1).startsWith(QStringLiteral("啊a     \r\n")));
    EXPECT_TRUE(t.pinyinBlock(2).contains(QStringLiteral("发fa    \r\n")));
    EXPECT_TRUE(t.pinyinBlock(4).contains(QStringLiteral("然ran   \r\n")));
    EXPECT_TRUE(t.pinyinBlock(5).contains(QStringLiteral("中zhong \r\n")));
    EXPECT_TRUE(t.pinyinBlock(5).contains(QStringLiteral("壮zhuang\r\n")));
    const char16_t* openers = u"一丨丿丶乙";
    for (int n = 1; n <= 5; ++n)
        EXPECT_TRUE(t.strokeBlock(n).startsWith(QString(QChar(openers[n - 1])) + QChar(u'0' + n) + "0000\r\n")) << n;
    for (const char* row : {"二11000", "三11100", "丰11120", "彗11121", "中25120", "田25121", "人34000"})
        EXPECT_TRUE(t.strokeBlock(QString::fromUtf8(row).at(1).digitValue())
                        .contains(QString::fromUtf8(row) + QStringLiteral("\r\n")))
            << row;
}

TEST(EmbeddedTables, StrokeTableHoldsEveryGb2312HanziOnceInCodeOrder) {
    const ReferenceTables& t = ReferenceTables::embedded();
    QSet<QChar> seen;
    int lines = 0;
    for (int n = 1; n <= 5; ++n) {
        const QString& block = t.strokeBlock(n);
        ASSERT_EQ(block.size() % kStrokeLineLength, 0);
        QString previous;
        for (qsizetype pos = 0; pos < block.size(); pos += kStrokeLineLength) {
            const QChar c = block[pos];
            const QString code = block.mid(pos + 1, kStrokeCodeWidth);
            EXPECT_TRUE(isStrokeCode(code)) << code.toStdString();
            EXPECT_EQ(strokeBlockOfDigit(code[0]), n);
            EXPECT_LE(previous, code);
            previous = code;
            EXPECT_FALSE(seen.contains(c)) << QString(c).toStdString();
            seen.insert(c);
            ++lines;
        }
    }
    EXPECT_EQ(lines, 6763);
    // Every character is a GB2312 hanzi: both GBK bytes in 0xB0..0xF7 / 0xA1..0xFE.
    for (QChar c : seen) {
        const QByteArray b = gbk(QString(c));
        ASSERT_EQ(b.size(), 2);
        EXPECT_TRUE(uchar(b[0]) >= 0xB0 && uchar(b[0]) <= 0xF7 && uchar(b[1]) >= 0xA1) << QString(c).toStdString();
    }
}

TEST(EmbeddedTables, PinyinBlocksAreOrderedByReadingThenCode) {
    const ReferenceTables& t = ReferenceTables::embedded();
    int lines = 0;
    for (int n = 1; n <= 5; ++n) {
        const QString& block = t.pinyinBlock(n);
        ASSERT_EQ(block.size() % kPinyinLineLength, 0);
        EXPECT_LE(gbk(block).size(), 65535) << "block " << n;
        QString previousReading;
        QByteArray previousCode;
        for (qsizetype pos = 0; pos < block.size(); pos += kPinyinLineLength) {
            const QString reading = readingOfField(QStringView(block).mid(pos + 1, kReadingWidth)).toString();
            const QByteArray code = gbk(block.mid(pos, 1));
            EXPECT_EQ(pinyinBlockOfLetter(reading[0]), n);
            EXPECT_TRUE(previousReading < reading || (previousReading == reading && previousCode < code))
                << reading.toStdString();
            previousReading = reading;
            previousCode = code;
            ++lines;
        }
    }
    EXPECT_GT(lines, 6700);
}
