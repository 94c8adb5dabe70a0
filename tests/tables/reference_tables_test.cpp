#include "common/common.h"
#include "platform/gbk_codec.h"
#include "tables/table_gen.h"
#include "tables/reference_tables.h"
#include "tables/table_format.h"
#include "tables/table_search.h"

#include <gtest/gtest.h>


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

TEST(EmbeddedTables, HoldTheGeneratorsInvariants) {
    // The resources, block by block, pass the same checks the generator applied before writing.
    const ReferenceTables& t = ReferenceTables::embedded();
    QString pinyin, stroke;
    for (int n = 1; n <= 5; ++n) {
        pinyin += t.pinyinBlock(n);
        stroke += t.strokeBlock(n);
    }
    namespace gen = tessivo::datagen::tables;
    EXPECT_EQ(gen::checkPinyinTable(pinyin, gen::chooserSyllables()), QStringList());
    EXPECT_EQ(gen::checkStrokeTable(stroke, tessivo::datagen::gb2312Hanzi()), QStringList());
    EXPECT_EQ(stroke.size(), 6763 * kStrokeLineLength);
}
