#include "tables/reference_tables.h"
#include "tables/table_search.h"

#include <gtest/gtest.h>

using tessivo::tables::TableSearch;

namespace {

// A small pinyin block: 铛 twice (cheng, then dang), a reading that ends in "a" (ba) and one
// that begins with it (ai), and 锕 on the last line.
const QString kBlock = QStringLiteral(
    "啊a     \r\n"
    "阿a     \r\n"
    "爱ai    \r\n"
    "八ba    \r\n"
    "铛cheng \r\n"
    "的de    \r\n"
    "铛dang  \r\n"
    "锕e     \r\n");

struct Hit {
    QString flag;
    QString text;
};

Hit searchOnce(TableSearch& s, const QString& block, const QString& key, bool f) {
    f ? s.textSearchf(block, key) : s.textSearch(block, key);
    return {s.label1bh, s.label2bh};
}

}  // namespace

TEST(TextSearch, PaddedReadingMatchesWholeFieldsOnlyInLineOrder) {
    TableSearch s;
    EXPECT_EQ(s.collect(kBlock, QStringLiteral("a     ")), QStringLiteral("啊 阿 "));
    EXPECT_EQ(s.textSearchOffset, 0);
    // "a" is inside "ai", "ba" and "dang" but only the padded field matches.
    EXPECT_EQ(s.collect(kBlock, QStringLiteral("ai    ")), QStringLiteral("爱 "));
    EXPECT_EQ(s.collect(kBlock, QStringLiteral("an    ")), QString());
}

TEST(TextSearch, ResumesAtTheNextLineAndResetsAfterTheLastHit) {
    TableSearch s;
    auto h = searchOnce(s, kBlock, QStringLiteral("a     "), false);
    EXPECT_EQ(h.flag, "1");
    EXPECT_EQ(h.text, QStringLiteral("啊"));
    EXPECT_EQ(s.textSearchOffset, 9);  // the start of line 2
    h = searchOnce(s, kBlock, QStringLiteral("a     "), false);
    EXPECT_EQ(h.text, QStringLiteral("阿"));
    EXPECT_EQ(s.textSearchOffset, 18);
    h = searchOnce(s, kBlock, QStringLiteral("a     "), false);
    EXPECT_EQ(h.flag, "0");
    EXPECT_EQ(h.text, QStringLiteral("阿")) << "a miss must leave the found text alone";
    EXPECT_EQ(s.textSearchOffset, 0);
}

TEST(TextSearch, LastLineOfTheBlockEndsCleanly) {
    TableSearch s;
    auto h = searchOnce(s, kBlock, QStringLiteral("e     "), false);
    EXPECT_EQ(h.text, QStringLiteral("锕"));
    EXPECT_EQ(s.textSearchOffset, kBlock.size());
    EXPECT_EQ(searchOnce(s, kBlock, QStringLiteral("e     "), false).flag, "0");
    EXPECT_EQ(s.textSearchOffset, 0);

    h = searchOnce(s, kBlock, QStringLiteral("锕"), true);
    EXPECT_EQ(h.text, QStringLiteral("e     "));
    EXPECT_EQ(s.textSearchfOffset, kBlock.size());
    EXPECT_EQ(searchOnce(s, kBlock, QStringLiteral("锕"), true).flag, "0");
    EXPECT_EQ(s.textSearchfOffset, 0);
}

TEST(TextSearchf, YieldsPaddedFieldAndFindsADoubledCharacterTwiceInLineOrder) {
    TableSearch s;
    auto h = searchOnce(s, kBlock, QStringLiteral("啊"), true);
    EXPECT_EQ(h.flag, "1");
    EXPECT_EQ(h.text, QStringLiteral("a     "));
    EXPECT_EQ(s.textSearchfOffset, 9);
    EXPECT_EQ(searchOnce(s, kBlock, QStringLiteral("啊"), true).flag, "0");

    EXPECT_EQ(searchOnce(s, kBlock, QStringLiteral("铛"), true).text, QStringLiteral("cheng "));
    EXPECT_EQ(searchOnce(s, kBlock, QStringLiteral("铛"), true).text, QStringLiteral("dang  "));
    EXPECT_EQ(searchOnce(s, kBlock, QStringLiteral("铛"), true).flag, "0");
}

TEST(TableSearch, TheTwoOffsetsAreIndependent) {
    TableSearch s;
    searchOnce(s, kBlock, QStringLiteral("a     "), false);
    searchOnce(s, kBlock, QStringLiteral("铛"), true);
    EXPECT_EQ(s.textSearchOffset, 9);
    EXPECT_EQ(s.textSearchfOffset, 45);
    // textSearch resumes from its own offset, not textSearchf's.
    EXPECT_EQ(searchOnce(s, kBlock, QStringLiteral("a     "), false).text, QStringLiteral("阿"));
    EXPECT_EQ(searchOnce(s, kBlock, QStringLiteral("铛"), true).text, QStringLiteral("dang  "));
}

TEST(TableSearch, MissingKeyAndOddOffsetsNeverReachOutsideTheBlock) {
    TableSearch s;
    s.label2bh = QStringLiteral("kept");
    EXPECT_EQ(searchOnce(s, kBlock, QStringLiteral("zz    "), false).flag, "0");
    EXPECT_EQ(s.textSearchOffset, 0);
    EXPECT_EQ(s.label2bh, "kept");

    s.textSearchOffset = int(kBlock.size()) + 50;
    EXPECT_EQ(searchOnce(s, kBlock, QStringLiteral("a     "), false).flag, "0");
    EXPECT_EQ(s.textSearchOffset, 0);
    s.textSearchfOffset = -3;
    EXPECT_EQ(searchOnce(s, kBlock, QStringLiteral("啊"), true).flag, "0");
    EXPECT_EQ(searchOnce(s, QString(), QStringLiteral("啊"), true).flag, "0");
    EXPECT_EQ(searchOnce(s, kBlock, QString(), false).flag, "0");

    // A key matching at the very start has no character before it.
    const auto h = searchOnce(s, kBlock, QStringLiteral("啊a"), false);
    EXPECT_EQ(h.flag, "1");
    EXPECT_EQ(h.text, QString());
}
