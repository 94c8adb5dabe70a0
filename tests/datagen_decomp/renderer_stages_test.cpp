// The stages of a panel drawing before its fill points: atoms, outlines, the panels' coverage,
// and the white areas the points are chosen from.

#include "decomp/areas.h"
#include "decomp/drawing.h"
#include "decomp/outline.h"

#include <gtest/gtest.h>

using namespace tessivo::datagen;
using tessivo::Raster;
namespace panel = tessivo::panel;

namespace {

Mask box(double x0, double y0, double x1, double y1) { return rasterise({{{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}}); }

Decomposition panels(std::vector<std::vector<int>> strokes) {
    Decomposition d;
    for (std::size_t k = 0; k < strokes.size(); ++k) {
        d.panels[k].kind = strokes[k].empty() ? PanelAssignment::Kind::IdentKey : PanelAssignment::Kind::Strokes;
        d.panels[k].strokes = strokes[k];
    }
    return d;
}

// A white panel with a black vertical line at x = `at`, `width` pixels wide.
Raster split(int at, int width = 1) {
    Raster r(panel::WidthPixels, panel::HeightPixels);
    for (int y = 0; y < r.height(); ++y) {
        for (int x = at; x < at + width; ++x) r.setPixel(x, y, Raster::Black);
    }
    return r;
}

Coverage coverageLeftOf(int at, int bits) {
    Coverage c(static_cast<std::size_t>(panel::WidthPixels) * panel::HeightPixels, 0);
    for (int y = 0; y < panel::HeightPixels; ++y) {
        for (int x = 0; x < at; ++x) c[pixelIndex(x, y)] = bits;
    }
    return c;
}

}  // namespace

TEST(RendererStages, EveryStrokeInExactlyOneAtom) {
    Decomposition d;
    d.atoms = {{0, 5, 1}, {1, 2, -1}, {}};
    EXPECT_EQ(normalisedAtoms(d, 4), (std::vector<std::vector<int>>{{0, 1}, {2}, {3}}));
    EXPECT_EQ(normalisedAtoms(Decomposition{}, 2), (std::vector<std::vector<int>>{{0, 1}}));
}

TEST(RendererStages, AnAtomIsOutlinedAsOneShape) {
    const std::vector<Mask> strokes{box(10, 10, 50, 30), box(30, 10, 70, 30)};
    // One atom: the overlap has no line inside.
    const Raster together = outlineAtoms(strokes, {{0, 1}});
    EXPECT_EQ(together.pixel(10, 20), Raster::Black);
    EXPECT_EQ(together.pixel(69, 20), Raster::Black);
    EXPECT_EQ(together.pixel(49, 20), Raster::White);
    EXPECT_EQ(together.pixel(40, 20), Raster::White);
    // Two atoms: each keeps its own outline across the other.
    const Raster apart = outlineAtoms(strokes, {{0}, {1}});
    EXPECT_EQ(apart.pixel(49, 20), Raster::Black);
    EXPECT_EQ(apart.pixel(30, 20), Raster::Black);
    EXPECT_EQ(apart.pixel(40, 20), Raster::White);
    EXPECT_EQ(apart.pixel(80, 20), Raster::White);
}

TEST(RendererStages, CoverageHasABitPerPanelWhoseRadicalHoldsThePixel) {
    const std::vector<Mask> strokes{box(10, 10, 50, 30), box(30, 10, 70, 30)};
    const auto coverage = panelCoverage(strokes, panels({{0}, {1}, {}, {0, 1, 9}}));
    EXPECT_EQ(coverage[pixelIndex(15, 20)], 0b1001);
    EXPECT_EQ(coverage[pixelIndex(40, 20)], 0b1011);
    EXPECT_EQ(coverage[pixelIndex(65, 20)], 0b1010);
    EXPECT_EQ(coverage[pixelIndex(90, 20)], 0);
}

TEST(RendererStages, RegionsKnowWhichPanelsTheyLieIn) {
    const Raster r = split(40);
    const Regions regions = findRegions(r, coverageLeftOf(40, 0b01));
    ASSERT_EQ(regions.info.size(), 2u);
    EXPECT_EQ(regions.label[pixelIndex(40, 5)], -1);
    EXPECT_EQ(regions.label[pixelIndex(0, 0)], 0);
    EXPECT_EQ(regions.label[pixelIndex(41, 0)], 1);
    EXPECT_EQ(regions.size(0), 40 * panel::HeightPixels);
    EXPECT_EQ(regions.info[0].signature, 0b01);
    EXPECT_EQ(regions.info[1].signature, 0);
    EXPECT_TRUE(regions.inPanel(0, 0));
    EXPECT_FALSE(regions.inPanel(1, 0));
    EXPECT_EQ(regionsOfPanel(regions, 0), std::vector<int>{0});
    EXPECT_TRUE(regionsOfPanel(regions, 1).empty());
    // Mostly, not wholly, inside: in the panel, but of mixed signature.
    const Regions mixed = findRegions(split(100), coverageLeftOf(60, 0b10));
    EXPECT_EQ(mixed.info[0].signature, MixedSignature);
    EXPECT_TRUE(mixed.inPanel(0, 1));
}

TEST(RendererStages, DistanceToTheNearestInkOrEdge) {
    const auto dist = distanceToEdge(split(10));
    EXPECT_EQ(dist[pixelIndex(10, 50)], 0);
    EXPECT_EQ(dist[pixelIndex(9, 50)], 1);
    EXPECT_EQ(dist[pixelIndex(0, 50)], 1);
    EXPECT_EQ(dist[pixelIndex(5, 50)], 5);
    EXPECT_EQ(dist[pixelIndex(11, 0)], 1);
}

TEST(RendererStages, JoinsOnlyThroughShortRunsOfTheSameSignature) {
    // A one-pixel line between two areas of the same signature opens at one pixel.
    Raster thin = split(40);
    Coverage same(static_cast<std::size_t>(panel::WidthPixels) * panel::HeightPixels, 0b1);
    const auto run = joinRun(thin, findRegions(thin, same), same, 0);
    ASSERT_EQ(run.size(), 1u);
    EXPECT_EQ(run[0].x(), 40);
    // Six pixels of ink still open; seven do not.
    Raster six = split(40, 6);
    EXPECT_EQ(joinRun(six, findRegions(six, same), same, 0).size(), 6u);
    Raster seven = split(40, 7);
    EXPECT_TRUE(joinRun(seven, findRegions(seven, same), same, 0).empty());
    // The other side lies in another panel's radical: never joined.
    const Coverage left = coverageLeftOf(41, 0b1);
    EXPECT_TRUE(joinRun(thin, findRegions(thin, left), left, 0).empty());
}
