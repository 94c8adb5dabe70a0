// The decomposer's parts on small made-up inputs: the stroke table reader, the geometric stroke
// classes, the search on synthetic outlines, and the table reader.

#include "common/common.h"
#include "decomp/decomposer.h"
#include "decomp/decomposition_table.h"
#include "decomp/outputs.h"

#include <gtest/gtest.h>

#include <set>

namespace tessivo::datagen::test {
namespace {

// ---- stroke table ----

TEST(StrokeTable, PrefersTheMainlandSectionAndSkipsTheHeader) {
    const QString text = QStringLiteral(
        "# header\nname: stroke\n...\n\n"
        "\u963e\tzzs\n"  // 阝 in Taiwan counting
        "\u90fd\thshpszhhzzs\n"
        "#The following entries inherited from the original table, for compatibility with Mainland China's glyphs.\n"
        "\u90fd\thshpszhhzs\n"
        "\u963e\tzs\n"
        "\u963e\tzs\n"
        "x\tnot-classes\n");
    const StrokeTable table = StrokeTable::fromText(text);
    EXPECT_EQ(table.variants(QStringLiteral("\u963e")), (QStringList{"zs", "zzs"}));
    EXPECT_EQ(table.mainlandCount(QStringLiteral("\u963e")), 1);
    EXPECT_EQ(table.variants(QStringLiteral("\u90fd")), (QStringList{"hshpszhhzs", "hshpszhhzzs"}));
    EXPECT_TRUE(table.variants(QStringLiteral("x")).isEmpty());
    EXPECT_TRUE(table.variants(QStringLiteral("\u4e00")).isEmpty());
}

TEST(StrokeTable, EntriesBeforeTheHeaderEndAreIgnored) {
    const StrokeTable table = StrokeTable::fromText(QStringLiteral("\u4e00\th\n...\n\u4e8c\thh\n"));
    EXPECT_TRUE(table.variants(QStringLiteral("\u4e00")).isEmpty());
    EXPECT_EQ(table.variants(QStringLiteral("\u4e8c")), QStringList{"hh"});
}

// ---- geometric stroke classes (outline coordinates: y up) ----

Median line(std::initializer_list<std::pair<double, double>> pts) { return Median(pts); }

TEST(StrokeClass, StraightStrokesByDirection) {
    EXPECT_EQ(classifyMedian(line({{100, 500}, {900, 500}})), 'h');  // 一
    EXPECT_EQ(classifyMedian(line({{100, 400}, {600, 550}})), 'h');  // rising 提 counts as 横
    EXPECT_EQ(classifyMedian(line({{500, 800}, {500, 100}})), 's');  // 丨
    EXPECT_EQ(classifyMedian(line({{600, 800}, {200, 300}})), 'p');  // 丿
    EXPECT_EQ(classifyMedian(line({{400, 700}, {600, 450}})), 'n');  // 丶
}

TEST(StrokeClass, FoldsAndHooks) {
    EXPECT_EQ(classifyMedian(line({{200, 700}, {800, 700}, {800, 100}})), 'z');  // 𠃍: right then down
    EXPECT_EQ(classifyMedian(line({{300, 800}, {300, 150}, {900, 150}})), 'z');  // 𠃊: down then right
    // 亅: a long vertical with a short hook stays a vertical.
    EXPECT_EQ(classifyMedian(line({{500, 850}, {500, 100}, {420, 160}})), 's');
}

TEST(StrokeClass, VariantsOfTheOutlinesLengthOrderedByGeometry) {
    const std::vector<Median> medians = {line({{100, 500}, {900, 500}}), line({{500, 800}, {500, 100}})};  // 十
    EXPECT_EQ(fittingVariants({"sh", "hsz", "hs"}, medians), (QStringList{"hs", "sh"}));
    // A mainland string goes first even when the geometry prefers another; geometry only
    // orders strings of the same standard.
    EXPECT_EQ(fittingVariants({"sh", "hs"}, medians, 1), (QStringList{"sh", "hs"}));
    EXPECT_EQ(fittingVariants({"sh", "hs", "hh"}, medians, 2), (QStringList{"hs", "sh", "hh"}));
    EXPECT_EQ(classAgreement(QStringLiteral("hs"), medians), 2);
    EXPECT_EQ(classAgreement(QStringLiteral("sh"), medians), 0);
}

TEST(StrokeClass, ANeighbouringPairListedTheOtherWayRoundIsSwappedOnce) {
    const Median h = line({{100, 500}, {900, 500}});
    const Median s = line({{500, 800}, {500, 100}});
    const Median p = line({{600, 800}, {200, 300}});
    // 一 丨 丿 drawn; the table lists the 丨 before the 一.
    EXPECT_EQ(swappedVariants({"shp"}, {h, s, p}), (QStringList{"hsp"}));
    // Nothing to swap, or the swapped string listed already.
    EXPECT_TRUE(swappedVariants({"hsp"}, {h, s, p}).isEmpty());
    EXPECT_TRUE(swappedVariants({"shp", "hsp"}, {h, s, p}).isEmpty());
    // Two such pairs: the orders differ more widely than by a slip.
    EXPECT_TRUE(swappedVariants({"shsh"}, {h, s, h, s}).isEmpty());
}

TEST(StrokeClass, StringsThatDisagreeAreMergedByTheDrawnShapes) {
    const Median h = line({{100, 500}, {900, 500}});
    const Median s = line({{500, 800}, {500, 100}});
    const Median p = line({{600, 800}, {200, 300}});
    const Median fold = line({{100, 800}, {800, 800}, {800, 100}});
    // Each string misreads a different stroke of 一 丨 丿 丨: the merge takes the drawn class of both.
    EXPECT_EQ(shapeMergedVariant({"hpps", "hspp"}, {h, s, p, s}), std::optional<QString>(QStringLiteral("hsps")));
    // A single string, strings that agree, or a merge that one of them is already: nothing new.
    EXPECT_EQ(shapeMergedVariant({"hppp"}, {h, s, p, s}), std::nullopt);
    EXPECT_EQ(shapeMergedVariant({"hsps", "hpps"}, {h, s, p, s}), std::nullopt);
    // A stroke drawn as a fold is never taken from its shape: hooks read as folds.
    EXPECT_EQ(shapeMergedVariant({"hs", "hz"}, {h, fold}), std::nullopt);
}

// ---- the search on synthetic outlines, without reference shapes ----

CharacterInput synthetic(const QString& code, const QString& classes, const std::vector<Median>& medians) {
    CharacterInput in;
    in.character = QStringLiteral("\u25a1");
    in.fullCode = code;
    in.codes = {code};
    for (qsizetype i = 0; i < classes.size(); ++i) {
        Stroke s;
        s.strokeClass = classes[i].toLatin1();
        s.median = medians[static_cast<std::size_t>(i)];
        in.strokes.push_back(s);
    }
    return in;
}

// A box of 口 (丨 𠃍 一) drawn at (x0..x1, y0..y1), y up.
std::vector<Median> box(double x0, double y0, double x1, double y1) {
    return {line({{x0, y1}, {x0, y0}}), line({{x0, y1}, {x1, y1}, {x1, y0}}), line({{x0, y0}, {x1, y0}})};
}

TEST(DecomposerSearch, TwoRadicalsSideBySideOrStacked) {
    // Two 口 side by side: last stroke 一, 左右, so the identification key is g.
    std::vector<Median> m = box(100, 300, 400, 700);
    for (auto& s : box(600, 300, 900, 700)) m.push_back(s);
    Decomposition d = decompose(synthetic(QStringLiteral("kkg"), QStringLiteral("szhszh"), m), chart::RadicalChart::wubi86());
    EXPECT_TRUE(d.matchesCode);
    EXPECT_EQ(d.panels[0].strokes, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(d.panels[1].strokes, (std::vector<int>{3, 4, 5}));
    EXPECT_EQ(d.panels[2].kind, PanelAssignment::Kind::IdentKey);
    EXPECT_EQ(d.panels[3].kind, PanelAssignment::Kind::Empty);
    // The same boxes stacked: 上下, key f.
    m = box(300, 550, 700, 850);
    for (auto& s : box(300, 100, 700, 400)) m.push_back(s);
    d = decompose(synthetic(QStringLiteral("kkf"), QStringLiteral("szhszh"), m), chart::RadicalChart::wubi86());
    EXPECT_TRUE(d.matchesCode);
    EXPECT_EQ(d.panels[1].strokes, (std::vector<int>{3, 4, 5}));
}

TEST(DecomposerSearch, EnclosureWrapsOnlyWhatLiesInside) {
    // 回: outer box 丨 𠃍, inner 口, closing 一: 囗 wraps the inner 口.
    std::vector<Median> outer = box(100, 100, 900, 900);
    std::vector<Median> inner = box(350, 350, 650, 650);
    std::vector<Median> m = {outer[0], outer[1], inner[0], inner[1], inner[2], outer[2]};
    Decomposition d = decompose(synthetic(QStringLiteral("lkd"), QStringLiteral("szszhh"), m), chart::RadicalChart::wubi86());
    EXPECT_TRUE(d.matchesCode);
    EXPECT_EQ(d.panels[0].strokes, (std::vector<int>{0, 1, 5}));
    EXPECT_EQ(d.panels[0].glyph, QStringLiteral("囗"));
    EXPECT_EQ(d.panels[1].strokes, (std::vector<int>{2, 3, 4}));
    EXPECT_EQ(d.panels[2].key, QLatin1Char('d'));
    EXPECT_NE(d.confidence, Confidence::Low);
}

TEST(DecomposerSearch, ACodeNoSplitExplainsStillGetsPanelsMarkedLow) {
    // Three horizontals cannot make two radicals on keys m and b.
    const std::vector<Median> m = {line({{100, 800}, {900, 800}}), line({{100, 500}, {900, 500}}), line({{100, 200}, {900, 200}})};
    const Decomposition d = decompose(synthetic(QStringLiteral("mbg"), QStringLiteral("hhh"), m), chart::RadicalChart::wubi86());
    EXPECT_FALSE(d.matchesCode);
    EXPECT_EQ(d.confidence, Confidence::Low);
    EXPECT_EQ(d.panels[0].kind, PanelAssignment::Kind::Strokes);
    EXPECT_EQ(d.panels[1].kind, PanelAssignment::Kind::Strokes);
    std::set<int> covered;
    for (const auto& atom : d.atoms) covered.insert(atom.begin(), atom.end());
    EXPECT_EQ(covered, (std::set<int>{0, 1, 2}));
}

TEST(DecomposerSearch, DescribeNamesEveryPanel) {
    const std::vector<Median> m = {line({{100, 500}, {900, 500}})};
    const Decomposition d = decompose(synthetic(QStringLiteral("ggll"), QStringLiteral("h"), m), chart::RadicalChart::wubi86());
    EXPECT_EQ(describe(synthetic(QStringLiteral("ggll"), QStringLiteral("h"), m), d), QStringLiteral("\u25a1 ggll: \u25a1:0 \u25a1:0 key:l -"));
}

// ---- decomposition.tsv ----

TEST(DecompositionTable, WrittenLinesReadBack) {
    Decomposition d;
    d.panels[0].kind = PanelAssignment::Kind::Strokes;
    d.panels[0].glyph = QStringLiteral("囗");
    d.panels[0].strokes = {0, 1, 7};
    d.panels[1].kind = PanelAssignment::Kind::Strokes;
    d.panels[1].glyph = QStringLiteral("礻衤头");
    d.panels[1].strokes = {2, 3, 4};
    d.panels[2].kind = PanelAssignment::Kind::IdentKey;
    d.panels[2].key = QLatin1Char('i');
    d.confidence = Confidence::Medium;
    const QString text = tableLine(QStringLiteral("国"), QStringLiteral("lgyi"), d) + tableLine(QStringLiteral("一"), QStringLiteral("ggll"), Decomposition{});
    const auto rows = parseDecompositionTable(text);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].character, QStringLiteral("国"));
    EXPECT_EQ(rows[0].fullCode, QStringLiteral("lgyi"));
    EXPECT_EQ(rows[0].panels[0].glyph, QStringLiteral("囗"));
    EXPECT_EQ(rows[0].panels[0].strokes, (std::vector<int>{0, 1, 7}));
    EXPECT_EQ(rows[0].panels[1].glyph, QStringLiteral("礻衤头"));
    EXPECT_EQ(rows[0].panels[2].kind, PanelAssignment::Kind::IdentKey);
    EXPECT_EQ(rows[0].panels[2].key, QLatin1Char('i'));
    EXPECT_EQ(rows[0].panels[3].kind, PanelAssignment::Kind::Empty);
    EXPECT_EQ(rows[0].confidence, Confidence::Medium);
    EXPECT_EQ(rows[1].confidence, Confidence::Low);
}

TEST(DecompositionTable, MalformedLinesAreRefusedWithTheirLineNumber) {
    QString error;
    EXPECT_FALSE(parseDecompositionLine(QStringLiteral("国\tlgyi\t囗:0,1,7\t-\t-\t-"), &error));  // six columns
    EXPECT_FALSE(parseDecompositionLine(QStringLiteral("国\tlgyi\t囗:1,0\t-\t-\t-\thigh"), &error));  // not ascending
    EXPECT_FALSE(parseDecompositionLine(QStringLiteral("国\tlgyi\t囗:\t-\t-\t-\thigh"), &error));
    EXPECT_FALSE(parseDecompositionLine(QStringLiteral("国\tlgyi\tkey:ab\t-\t-\t-\thigh"), &error));
    EXPECT_FALSE(parseDecompositionLine(QStringLiteral("国\tlgzi\t-\t-\t-\t-\thigh"), &error));  // z is no key
    EXPECT_FALSE(parseDecompositionLine(QStringLiteral("国\tlgyi\t-\t-\t-\t-\tsure"), &error));
    EXPECT_FALSE(error.isEmpty());
    try {
        parseDecompositionTable(QStringLiteral("一\tggll\t一:0\t一:0\tkey:l\t-\thigh\nbad\n"));
        FAIL() << "a malformed line was accepted";
    } catch (const GenError& e) {
        EXPECT_NE(std::string(e.what()).find("line 2"), std::string::npos) << e.what();
    }
}

}  // namespace
}  // namespace tessivo::datagen::test
