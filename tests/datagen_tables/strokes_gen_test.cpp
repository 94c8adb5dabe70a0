#include "common/common.h"
#include "tables/table_gen.h"

#include <gtest/gtest.h>

using namespace tessivo::datagen::tables;

TEST(StrokeDigits, BothLetterSetsMapToTheFiveClasses) {
    EXPECT_EQ(rimeStrokeDigits(u"hspnz"), "12345");
    EXPECT_EQ(rimeStrokeDigits(u"hx"), QString()) << "unknown letter";
    // cnchar: j i horizontal, f g vertical, s left-falling, k l d dot, the rest turning.
    EXPECT_EQ(cncharStrokeDigits(u"jifgskldaoeu"), "112234445555");
    EXPECT_EQ(cncharStrokeDigits(u"jg"), "12");  // 丁
    EXPECT_EQ(cncharStrokeDigits(u"J"), QString());
}

TEST(FiveDigitCode, FirstFourAndLastOrTrailingZeros) {
    EXPECT_EQ(fiveDigitCode(u"1"), "10000");
    EXPECT_EQ(fiveDigitCode(u"1112"), "11120");
    EXPECT_EQ(fiveDigitCode(u"25121"), "25121");
    EXPECT_EQ(fiveDigitCode(u"11121112511"), "11121");
    EXPECT_EQ(fiveDigitCode(u""), QString());
}

TEST(RimeStrokes, MainlandSectionWinsOverTheCnsSection) {
    const QString dict = QStringLiteral(
        "# header\n---\nname: stroke\n...\n\n"
        "一\th\n丰\tphhs\n及\tpzzn\n#以\tzz\n中\tszhs\t100\n"
        "# 以下詞條繼承自原碼表（已去重），用以兼容大陸規範字形。\n"
        "丰\thhhs\n及\tpzn\n");
    const auto letters = parseRimeStrokes(dict, {u"一"_qs, u"丰"_qs, u"及"_qs, u"中"_qs, u"以"_qs});
    EXPECT_EQ(letters.value(u"丰"_qs), "hhhs");
    EXPECT_EQ(letters.value(u"及"_qs), "pzn");
    EXPECT_EQ(letters.value(u"一"_qs), "h");
    EXPECT_EQ(letters.value(u"中"_qs), "szhs") << "extra columns are ignored";
    EXPECT_FALSE(letters.contains(u"以"_qs)) << "commented-out entries are not entries";
    EXPECT_THROW(parseRimeStrokes(QStringLiteral("...\n一\th\n"), {u"一"_qs}), tessivo::datagen::GenError)
        << "without the mainland section the order would silently be the Taiwan one";
}

TEST(CncharOrder, FindsTheCharacterObjectAmongTheScriptsLiterals) {
    const QString script = QStringLiteral(
        "!function(){x=JSON.parse('{\"a\":{\"name\":\"横折折撇\"}}')}"
        "j.exports=JSON.parse('{\"一\":\"j\",\"丁\":\"jg\"}')");
    const auto letters = parseCncharOrder(script);
    EXPECT_EQ(letters.size(), 2);
    EXPECT_EQ(letters.value(u"丁"_qs), "jg");
    EXPECT_THROW(parseCncharOrder(QStringLiteral("nothing here")), tessivo::datagen::GenError);
}

TEST(StrokeLines, OrderedByCodeThenGbkAndDisagreementsListed) {
    const QHash<QString, QString> rime = {{u"韦"_qs, u"hzhhs"_qs}, {u"丰"_qs, u"hhhs"_qs}, {u"一"_qs, u"h"_qs},
                                          {u"字"_qs, u"nszzsh"_qs}};
    // 韦 is 11125 here and 丰 11120; 丰 (B7E1) sorts before 一 would not: 一 is 10000.
    const auto lines = buildStrokeLines({u"韦"_qs, u"丰"_qs, u"一"_qs, u"字"_qs}, rime);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].character + lines[0].code, u"一10000"_qs);
    EXPECT_EQ(lines[1].character + lines[1].code, u"丰11120"_qs);
    EXPECT_EQ(lines[2].character + lines[2].code, u"韦15112"_qs);
    EXPECT_EQ(lines[3].character + lines[3].code, u"字42551"_qs);
    EXPECT_THROW(buildStrokeLines({u"乙"_qs}, rime), tessivo::datagen::GenError);

    const QHash<QString, QString> cnchar = {{u"丰"_qs, u"jjjf"_qs}, {u"字"_qs, u"kkeegj"_qs}};
    EXPECT_EQ(strokeDisagreements({u"丰"_qs, u"字"_qs, u"一"_qs}, rime, cnchar),
              (QStringList{u"字 42551 (Rime) / 44551 (cnchar)"_qs}));
}

TEST(StrokeLines, SharedCodeKeepsGbkOrder) {
    const QHash<QString, QString> rime = {{u"韦"_qs, u"hhhs"_qs}, {u"丰"_qs, u"hhhs"_qs}};
    const auto lines = buildStrokeLines({u"韦"_qs, u"丰"_qs}, rime);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].character, u"丰"_qs);  // B7E1 before CEA4
    EXPECT_EQ(lines[1].character, u"韦"_qs);
}
