// The review report: the split a character's radicals make of a run of its strokes, the
// components found inside other characters with the splits they get there, and the report's
// sections.

#include "decomp/review.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tessivo::datagen {
namespace {

using decomposer::StrokePoints;

PanelAssignment radical(const char* glyph, std::vector<int> strokes) {
    PanelAssignment p;
    p.kind = PanelAssignment::Kind::Strokes;
    p.glyph = QString::fromUtf8(glyph);
    p.strokes = std::move(strokes);
    return p;
}

StrokePoints straight(double x0, double y0, double x1, double y1) {
    StrokePoints s{};
    for (std::size_t k = 0; k < 8; ++k) s[k] = {x0 + (x1 - x0) * static_cast<double>(k) / 7, y0 + (y1 - y0) * static_cast<double>(k) / 7};
    return s;
}

// 口 drawn in the box (x, y)-(x + size, y - size): 丨, 𠃌 (as one straight stroke here), 一.
std::vector<StrokePoints> kou(double x, double y, double size) {
    return {straight(x, y, x, y - size), straight(x, y, x + size, y - size / 2), straight(x, y - size, x + size, y - size)};
}

ReviewEntry entry(const char* character, const char* code, const char* classes, std::vector<StrokePoints> strokes,
                  std::vector<PanelAssignment> radicals, bool matches = true) {
    ReviewEntry e;
    e.character = QString::fromUtf8(character);
    e.fullCode = QString::fromLatin1(code);
    e.classes = QString::fromLatin1(classes);
    e.strokes = std::move(strokes);
    e.decomposition.radicals = radicals;
    for (std::size_t k = 0; k < radicals.size() && k < 4; ++k) e.decomposition.panels[k] = radicals[k];
    e.decomposition.matchesCode = matches;
    e.decomposition.shapeOk = true;
    e.decomposition.confidence = matches ? Confidence::High : Confidence::Low;
    return e;
}

TEST(DecomposerReview, SplitOfARunOfStrokes) {
    Decomposition d;
    d.radicals = {radical("一", {0}), radical("口", {1, 2, 3}), radical("小", {4, 5, 6})};
    EXPECT_EQ(splitOf(d, 1, 3), QStringLiteral("0,1,2"));
    EXPECT_EQ(splitOf(d, 0, 4), QStringLiteral("0|1,2,3"));
    EXPECT_EQ(splitOf(d, 2, 4), QStringLiteral("0,1|2,3"));
    // Interleaved radicals group by radical, in order of their first stroke.
    d.radicals = {radical("囗", {0, 1, 4}), radical("一", {2}), radical("丶", {3})};
    EXPECT_EQ(splitOf(d, 0, 5), QStringLiteral("0,1,4|2|3"));
    // A stroke no radical holds (戈's uncoded dot) stands alone, marked.
    d.radicals = {radical("厂", {0, 1}), radical("丿", {3})};
    EXPECT_EQ(splitOf(d, 0, 5), QStringLiteral("0,1|·2|3|·4"));
}

TEST(DecomposerReview, ComponentsAreFoundUpToScaleAndPlaceWithTheirSplits) {
    std::vector<ReviewEntry> entries;
    entries.push_back(entry("口", "kkkk", "szh", kou(100, 900, 800), {radical("口", {0, 1, 2})}));
    // 叶-like: 口 small on the left, split as itself.
    std::vector<StrokePoints> a = kou(50, 700, 300);
    a.push_back(straight(500, 800, 900, 800));
    entries.push_back(entry("甲", "kfh", "szhh", a, {radical("口", {0, 1, 2}), radical("一", {3})}));
    // A host that splits the same strokes otherwise (its first stroke goes with one before it).
    std::vector<StrokePoints> b = {straight(100, 950, 900, 950)};
    for (const auto& s : kou(300, 800, 400)) b.push_back(s);
    entries.push_back(entry("乙", "gkf", "hszh", b, {radical("十", {0, 1}), radical("コ", {2, 3})}));
    // Same classes, other shape: the vertical lies flat; not 口.
    std::vector<StrokePoints> c = {straight(100, 500, 900, 500), straight(100, 500, 900, 300), straight(100, 200, 900, 200),
                                   straight(100, 100, 900, 100)};
    entries.push_back(entry("丙", "gggg", "szhh", c, {radical("三", {0, 1, 2, 3})}));

    const std::vector<ComponentSplits> found = componentSplits(entries);
    const auto it = std::find_if(found.begin(), found.end(), [](const ComponentSplits& c) { return c.component == u"口"; });
    ASSERT_NE(it, found.end());
    EXPECT_EQ(it->ownSplit, QStringLiteral("0,1,2"));
    EXPECT_EQ(it->occurrences, 2);
    ASSERT_EQ(it->splits.size(), 2u);
    EXPECT_EQ(it->splits.at(QStringLiteral("0,1,2")), (QStringList{QStringLiteral("口"), QStringLiteral("甲")}));
    EXPECT_EQ(it->splits.at(QStringLiteral("0|1,2")), QStringList{QStringLiteral("乙")});
}

TEST(DecomposerReview, ReportCountsAndListsTableFaultsAndChanges) {
    std::vector<ReviewEntry> entries;
    entries.push_back(entry("口", "kkkk", "szh", kou(100, 900, 800), {radical("口", {0, 1, 2})}));
    entries.push_back(entry("蔻", "apfl", "szh", kou(100, 900, 800), {radical("工", {0, 1}), radical("丨", {2})}, false));
    DecompositionRow old;
    old.character = QStringLiteral("口");
    old.fullCode = QStringLiteral("kkkk");
    old.panels = entries[0].decomposition.panels;
    old.confidence = Confidence::Medium;
    const QString report = reviewReport(entries, {old});
    EXPECT_TRUE(report.contains(QStringLiteral("confidence high 1, medium 0, low 1"))) << report.toStdString();
    EXPECT_TRUE(report.contains(QStringLiteral("panels spell the full code 1;"))) << report.toStdString();
    EXPECT_TRUE(report.contains(QStringLiteral("(code kept, best split shown) (1)\n蔻\tapfl\t工:0,1 丨:2 - -\n"))) << report.toStdString();
    EXPECT_TRUE(report.contains(QStringLiteral("confidence only 1: 口"))) << report.toStdString();
    EXPECT_TRUE(report.contains(QStringLiteral("confidence medium -> high: 1"))) << report.toStdString();
    // Without an earlier table there is nothing to compare.
    EXPECT_FALSE(reviewReport(entries, {}).contains(QStringLiteral("Changed against")));
}

TEST(DecomposerReview, LowRowsAreGroupedByTheirReason) {
    std::vector<ReviewEntry> entries;
    entries.push_back(entry("蔻", "apfl", "szh", kou(100, 900, 800), {radical("工", {0, 1}), radical("丨", {2})}, false));
    // Spells the code, but a radical is not shape-true.
    entries.push_back(entry("跋", "khdc", "szh", kou(100, 900, 800), {radical("口", {0, 1, 2})}));
    entries.back().decomposition.shapeOk = false;
    entries.back().decomposition.confidence = Confidence::Low;
    // A near tie, with the split it nearly lost to.
    entries.push_back(entry("拌", "rufh", "szh", kou(100, 900, 800), {radical("扌", {0}), radical("䒑", {1}), radical("十", {2})}));
    entries.back().decomposition.confidence = Confidence::Low;
    entries.back().decomposition.runnerUp = {radical("扌", {0}), radical("丷", {1}), radical("二", {2}), radical("丨", {2})};
    // Not low: not listed, and 衙 is named as read in Wubi's order.
    entries.push_back(entry("衙", "tgkh", "szh", kou(100, 900, 800), {radical("口", {0, 1, 2})}));
    entries.back().readingOrder = true;
    const QString report = reviewReport(entries, {});
    EXPECT_TRUE(report.contains(QStringLiteral("## Low confidence, with the reason (3)\n"))) << report.toStdString();
    EXPECT_TRUE(report.contains(QStringLiteral("### table faults (1)\n蔻\tapfl\t工:0,1 丨:2 - -\tno split spells the code\n")))
        << report.toStdString();
    EXPECT_TRUE(report.contains(QStringLiteral("### not shape-true (1)\n跋\tkhdc\t口:0,1,2 - - -\ta coded radical is not shape-true\n")))
        << report.toStdString();
    EXPECT_TRUE(report.contains(QStringLiteral("### near ties (1)\n拌\trufh\t扌:0 䒑:1 十:2 -\tnearly as good: 扌:0 丷:1 二:2 丨:2\n")))
        << report.toStdString();
    EXPECT_TRUE(report.contains(QStringLiteral("its short neighbour (1)\n衙\t"))) << report.toStdString();
}

}  // namespace
}  // namespace tessivo::datagen
