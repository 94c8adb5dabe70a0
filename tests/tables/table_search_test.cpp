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
    bool found;
    QString text;
};

// One call: of nextFieldOfCharacter when `field`, else of nextCharacterWithField.
Hit searchOnce(TableSearch& s, const QString& block, const QString& key, bool field) {
    field ? s.nextFieldOfCharacter(block, key) : s.nextCharacterWithField(block, key);
    return {s.found, s.hit};
}

}  // namespace

TEST(CharacterWithField, PaddedReadingMatchesWholeFieldsOnlyInLineOrder) {
    TableSearch s;
    EXPECT_EQ(s.collect(kBlock, QStringLiteral("a     ")), QStringLiteral("啊 阿 "));
    EXPECT_EQ(s.characterSearchOffset, 0);
    // "a" is inside "ai", "ba" and "dang" but only the padded field matches.
    EXPECT_EQ(s.collect(kBlock, QStringLiteral("ai    ")), QStringLiteral("爱 "));
    EXPECT_EQ(s.collect(kBlock, QStringLiteral("an    ")), QString());
}

TEST(CharacterWithField, ResumesAtTheNextLineAndResetsAfterTheLastHit) {
    TableSearch s;
    auto h = searchOnce(s, kBlock, QStringLiteral("a     "), false);
    EXPECT_TRUE(h.found);
    EXPECT_EQ(h.text, QStringLiteral("啊"));
    EXPECT_EQ(s.characterSearchOffset, 9);  // the start of line 2
    h = searchOnce(s, kBlock, QStringLiteral("a     "), false);
    EXPECT_EQ(h.text, QStringLiteral("阿"));
    EXPECT_EQ(s.characterSearchOffset, 18);
    h = searchOnce(s, kBlock, QStringLiteral("a     "), false);
    EXPECT_FALSE(h.found);
    EXPECT_EQ(h.text, QStringLiteral("阿")) << "a miss must leave the found text alone";
    EXPECT_EQ(s.characterSearchOffset, 0);
}

TEST(CharacterWithField, LastLineOfTheBlockEndsCleanly) {
    TableSearch s;
    auto h = searchOnce(s, kBlock, QStringLiteral("e     "), false);
    EXPECT_EQ(h.text, QStringLiteral("锕"));
    EXPECT_EQ(s.characterSearchOffset, kBlock.size());
    EXPECT_FALSE(searchOnce(s, kBlock, QStringLiteral("e     "), false).found);
    EXPECT_EQ(s.characterSearchOffset, 0);

    h = searchOnce(s, kBlock, QStringLiteral("锕"), true);
    EXPECT_EQ(h.text, QStringLiteral("e     "));
    EXPECT_EQ(s.fieldSearchOffset, kBlock.size());
    EXPECT_FALSE(searchOnce(s, kBlock, QStringLiteral("锕"), true).found);
    EXPECT_EQ(s.fieldSearchOffset, 0);
}

TEST(FieldOfCharacter, YieldsPaddedFieldAndFindsADoubledCharacterTwiceInLineOrder) {
    TableSearch s;
    auto h = searchOnce(s, kBlock, QStringLiteral("啊"), true);
    EXPECT_TRUE(h.found);
    EXPECT_EQ(h.text, QStringLiteral("a     "));
    EXPECT_EQ(s.fieldSearchOffset, 9);
    EXPECT_FALSE(searchOnce(s, kBlock, QStringLiteral("啊"), true).found);

    EXPECT_EQ(searchOnce(s, kBlock, QStringLiteral("铛"), true).text, QStringLiteral("cheng "));
    EXPECT_EQ(searchOnce(s, kBlock, QStringLiteral("铛"), true).text, QStringLiteral("dang  "));
    EXPECT_FALSE(searchOnce(s, kBlock, QStringLiteral("铛"), true).found);
}

TEST(TableSearch, TheTwoOffsetsAreIndependent) {
    TableSearch s;
    searchOnce(s, kBlock, QStringLiteral("a     "), false);
    searchOnce(s, kBlock, QStringLiteral("铛"), true);
    EXPECT_EQ(s.characterSearchOffset, 9);
    EXPECT_EQ(s.fieldSearchOffset, 45);
    // Each search resumes from its own offset, not the other's.
    EXPECT_EQ(searchOnce(s, kBlock, QStringLiteral("a     "), false).text, QStringLiteral("阿"));
    EXPECT_EQ(searchOnce(s, kBlock, QStringLiteral("铛"), true).text, QStringLiteral("dang  "));
}

TEST(TableSearch, MissingKeyAndOddOffsetsNeverReachOutsideTheBlock) {
    TableSearch s;
    s.hit = QStringLiteral("kept");
    EXPECT_FALSE(searchOnce(s, kBlock, QStringLiteral("zz    "), false).found);
    EXPECT_EQ(s.characterSearchOffset, 0);
    EXPECT_EQ(s.hit, "kept");

    s.characterSearchOffset = int(kBlock.size()) + 50;
    EXPECT_FALSE(searchOnce(s, kBlock, QStringLiteral("a     "), false).found);
    EXPECT_EQ(s.characterSearchOffset, 0);
    s.fieldSearchOffset = -3;
    EXPECT_FALSE(searchOnce(s, kBlock, QStringLiteral("啊"), true).found);
    EXPECT_FALSE(searchOnce(s, QString(), QStringLiteral("啊"), true).found);
    EXPECT_FALSE(searchOnce(s, kBlock, QString(), false).found);

    // A key matching at the very start has no character before it.
    const auto h = searchOnce(s, kBlock, QStringLiteral("啊a"), false);
    EXPECT_TRUE(h.found);
    EXPECT_EQ(h.text, QString());
}
