// The decomposer's geometry stage: resampled centre lines, their comparison, the boxes and
// layouts of stroke sets, and the reference shapes of the chart's radicals.

#include "decomp/geometry.h"

#include <gtest/gtest.h>

namespace tessivo::datagen::decomposer {
namespace {

Median line(std::initializer_list<std::pair<double, double>> pts) { return Median(pts); }

CharacterInput strokesOf(const std::vector<Median>& medians) {
    CharacterInput input;
    for (const Median& m : medians) {
        Stroke s;
        s.median = m;
        input.strokes.push_back(s);
    }
    return input;
}

TEST(DecomposerGeometry, StrokeSets) {
    EXPECT_EQ(indicesOf(0b1011), (std::vector<int>{0, 1, 3}));
    EXPECT_TRUE(indicesOf(0).empty());
    EXPECT_EQ(indicesOf(StrokeSet{1} << 63), std::vector<int>{63});
    EXPECT_EQ(firstStrokes(3), StrokeSet{0b111});
    EXPECT_EQ(firstStrokes(0), StrokeSet{0});
    EXPECT_EQ(firstStrokes(64), ~StrokeSet{0});
    EXPECT_EQ(firstStrokes(70), ~StrokeSet{0});
}

TEST(DecomposerGeometry, ResamplesEvenlyAlongTheWholeLength) {
    const StrokePoints straight = resample(line({{0, 0}, {700, 0}}));
    for (int k = 0; k < 8; ++k) {
        EXPECT_DOUBLE_EQ(straight[static_cast<std::size_t>(k)].x, 100.0 * k);
        EXPECT_DOUBLE_EQ(straight[static_cast<std::size_t>(k)].y, 0.0);
    }
    // Round a corner: 300 across, then 400 down, eight points 100 apart.
    const StrokePoints bent = resample(line({{0, 0}, {300, 0}, {300, -400}}));
    EXPECT_DOUBLE_EQ(bent[3].x, 300.0);
    EXPECT_DOUBLE_EQ(bent[3].y, 0.0);
    EXPECT_DOUBLE_EQ(bent[5].x, 300.0);
    EXPECT_DOUBLE_EQ(bent[5].y, -200.0);
    EXPECT_DOUBLE_EQ(bent[7].y, -400.0);
    const StrokePoints dot = resample(line({{5, 6}}));
    for (const Point& p : dot) EXPECT_TRUE(p.x == 5 && p.y == 6);
}

TEST(DecomposerGeometry, NormalisesToAUnitBoxKeepingThinStrokesFlat) {
    const StrokePoints horizontal = resample(line({{100, 500}, {800, 500}}));
    const Shape shape = normalised({&horizontal});
    ASSERT_EQ(shape.size(), 1u);
    EXPECT_DOUBLE_EQ(shape[0][0].x, -0.5);
    EXPECT_DOUBLE_EQ(shape[0][7].x, 0.5);
    for (const Point& p : shape[0]) EXPECT_DOUBLE_EQ(p.y, 0.0);
    // The same stroke half the size elsewhere has the same shape.
    const StrokePoints smaller = resample(line({{0, 0}, {350, 0}}));
    EXPECT_DOUBLE_EQ(shapeDistance(normalised({&smaller}), shape, false), 0.0);
}

TEST(DecomposerGeometry, ShapeDistanceMayPairStrokesInAnyOrder) {
    const StrokePoints a = resample(line({{0, 500}, {1000, 500}}));
    const StrokePoints b = resample(line({{500, 1000}, {500, 0}}));
    const Shape cross = normalised({&a, &b});
    const Shape swapped = normalised({&b, &a});
    EXPECT_DOUBLE_EQ(shapeDistance(cross, cross, false), 0.0);
    EXPECT_GT(shapeDistance(swapped, cross, false), 0.3);
    EXPECT_DOUBLE_EQ(shapeDistance(swapped, cross, true), 0.0);
}

TEST(DecomposerGeometry, LayoutOfTheCodedParts) {
    // Two boxes side by side, one over the other (y up: the first is higher), one in the other.
    const Geometry sideBySide = Geometry::of(strokesOf({line({{100, 300}, {400, 700}}), line({{600, 300}, {900, 700}})}));
    EXPECT_EQ(sideBySide.layoutOf({0b01, 0b10}), Layout::LeftRight);
    const Geometry stacked = Geometry::of(strokesOf({line({{300, 600}, {700, 900}}), line({{300, 100}, {700, 400}})}));
    EXPECT_EQ(stacked.layoutOf({0b01, 0b10}), Layout::TopBottom);
    const Geometry nested = Geometry::of(strokesOf({line({{100, 100}, {900, 900}}), line({{400, 400}, {600, 600}})}));
    EXPECT_EQ(nested.layoutOf({0b01, 0b10}), Layout::Mixed);
    // Any split counts: the third part beside the first two.
    const Geometry three = Geometry::of(
        strokesOf({line({{100, 600}, {400, 900}}), line({{100, 100}, {400, 400}}), line({{600, 100}, {900, 900}})}));
    EXPECT_EQ(three.layoutOf({0b001, 0b010, 0b100}), Layout::LeftRight);
    EXPECT_EQ(three.boxOf(0b011).y1, 900.0);
    EXPECT_EQ(three.boxOf(0b011).x1, 400.0);
}

TEST(DecomposerGeometry, AGapIsEnclosedWhenWhatLiesBetweenStaysInsideTheBox) {
    // Strokes 0 and 2 frame 0..1000; stroke 1 lies inside, stroke 3 sticks far out.
    const Geometry g = Geometry::of(strokesOf({line({{0, 0}, {0, 1000}}), line({{400, 400}, {600, 600}}),
                                               line({{0, 1000}, {1000, 0}}), line({{500, 500}, {1500, 500}}),
                                               line({{1000, 0}, {1000, 1000}})}));
    EXPECT_TRUE(g.enclosesGap(0b00101, 0, 2));
    EXPECT_FALSE(g.enclosesGap(0b10101, 0, 4)) << "stroke 3 leaves the frame";
    EXPECT_TRUE(g.enclosesGap(0b11101, 0, 4)) << "strokes of the set itself do not count";
}

TEST(DecomposerGeometry, ReferenceShapesAreTheRadicalsStrokesOfTheGlyphCachedOnce) {
    Outline outline;
    outline.medians = {line({{0, 500}, {1000, 500}}), line({{500, 1000}, {500, 0}}), line({{0, 0}, {1000, 0}})};
    const std::vector<Median>& glyph = outline.medians;
    int lookups = 0;
    const ReferenceLookup lookup = [&](const QString& name) -> const Outline* {
        ++lookups;
        return name == u"十" ? &outline : nullptr;
    };
    ReferenceShapes shapes(lookup);
    chart::Radical two;  // the first two strokes of the glyph
    two.classes = QStringLiteral("hs");
    two.refGlyph = QStringLiteral("十");
    two.refCount = 2;
    const Shape* shape = shapes.shape(&two);
    ASSERT_NE(shape, nullptr);
    const StrokePoints a = resample(glyph[0]);
    const StrokePoints b = resample(glyph[1]);
    EXPECT_DOUBLE_EQ(shapeDistance(*shape, normalised({&a, &b}), false), 0.0);
    EXPECT_EQ(shapes.shape(&two), shape);
    EXPECT_EQ(lookups, 1);

    chart::Radical wrongCount = two;  // all three strokes of the glyph for a two-stroke radical
    wrongCount.refCount = 0;
    EXPECT_EQ(shapes.shape(&wrongCount), nullptr);
    chart::Radical none = two;
    none.refGlyph.clear();
    EXPECT_EQ(shapes.shape(&none), nullptr);
    chart::Radical missing = two;
    missing.refGlyph = QStringLiteral("木");
    EXPECT_EQ(shapes.shape(&missing), nullptr);
}

}  // namespace
}  // namespace tessivo::datagen::decomposer
