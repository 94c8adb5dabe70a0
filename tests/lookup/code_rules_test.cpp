#include "lookup/code_rules.h"

#include <gtest/gtest.h>

using tessivo::codeLine;
using tessivo::FillPoint;
using tessivo::parseFillField;

TEST(CodeLine, RulesInOrderLaterMatchesWin) {
    // Codes arrive padded to their 4-character fields.
    EXPECT_EQ(codeLine(u"abcd", u"abc ", u"a   "), QStringLiteral("a abc abcd"));
    EXPECT_EQ(codeLine(u"abcd", u"a   ", u"ab  "), QStringLiteral("a ab abcd"));
    EXPECT_EQ(codeLine(u"ab  ", u"    ", u"ab  "), QStringLiteral("ab"));  // rules 3 and 4 both match
    EXPECT_EQ(codeLine(u"abcd", u"ab  ", u"abcd"), QStringLiteral("ab abcd"));
    EXPECT_EQ(codeLine(u"wqvb", u"    ", u"w   "), QStringLiteral("w wqvb"));  // rule 1 with c2 empty
}

TEST(CodeLine, NoMatchingRuleGivesAnEmptyLine) {
    EXPECT_EQ(codeLine(u"abcd", u"abcd", u"abcd"), QString());
    EXPECT_EQ(codeLine(u"ab  ", u"abc ", u"a   "), QString());
    EXPECT_EQ(codeLine(u"    ", u"    ", u"    "), QString());
}

TEST(FillField, PointCountRoundsHalfToEven) {
    // 20 significant characters: 2.5 points, rounded to 2.
    EXPECT_EQ(parseFillField(QStringLiteral("  10  20  30  40  50").leftJustified(72)),
              (std::vector<FillPoint>{{10, 20}, {30, 40}}));
    // 12: 1.5 points, rounded to 2; the second has no y.
    EXPECT_EQ(parseFillField(QStringLiteral("  10  20  30").leftJustified(72)), (std::vector<FillPoint>{{10, 20}, {30, 0}}));
    // 28: 3.5 points, rounded to 4.
    EXPECT_EQ(parseFillField(u"   1   2   3   4   5   6   7").size(), 4u);
    // Half a point or less of a first point: none.
    EXPECT_EQ(parseFillField(u"   1   2").size(), 1u);
    EXPECT_TRUE(parseFillField(u"   1    ").empty());  // trailing blanks go first
    EXPECT_TRUE(parseFillField(u"  10").empty());
    EXPECT_TRUE(parseFillField(u"0").empty());
    EXPECT_TRUE(parseFillField(QString(72, u' ')).empty());
    EXPECT_TRUE(parseFillField(u"").empty());
}

TEST(FillField, NumbersIgnoreLeadingBlanksAndStopAtText) {
    EXPECT_EQ(parseFillField(u"1500 300"), (std::vector<FillPoint>{{1500, 300}}));
    EXPECT_EQ(parseFillField(u"  -5+ 12"), (std::vector<FillPoint>{{-5, 0}}));
    EXPECT_EQ(parseFillField(u"12ab  x9  7   8"), (std::vector<FillPoint>{{12, 0}, {7, 8}}));
    // Nine full points fill the whole field.
    QString nine;
    for (int i = 1; i <= 9; ++i) nine += QStringLiteral("%1%2").arg(i * 100, 4).arg(i, 4);
    const auto points = parseFillField(nine);
    ASSERT_EQ(points.size(), 9u);
    EXPECT_EQ(points[8], (FillPoint{900, 9}));
}
