#include "lookup/panel_surface.h"

#include <gtest/gtest.h>

using namespace tessivo;

namespace {

// A white 40 x 30 raster with a black frame from (5,5) to (20,15): inside it a white area.
Raster framed() {
    Raster r(40, 30);
    for (int x = 5; x <= 20; ++x) {
        r.setPixel(x, 5, Raster::Black);
        r.setPixel(x, 15, Raster::Black);
    }
    for (int y = 5; y <= 15; ++y) {
        r.setPixel(5, y, Raster::Black);
        r.setPixel(20, y, Raster::Black);
    }
    return r;
}

bool insideFrame(int x, int y) { return x > 5 && x < 20 && y > 5 && y < 15; }

}  // namespace

TEST(PanelFloodFill, BlackensExactlyTheSeededArea) {
    PanelSurface surface(framed());
    const Raster before = surface.raster();
    floodFill(surface, 10 * 15, 10 * 15, Raster::Black);  // pixel (10, 10)
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 40; ++x) {
            const std::uint32_t expected = insideFrame(x, y) ? Raster::Black : before.pixel(x, y);
            ASSERT_EQ(surface.raster().pixel(x, y), expected) << x << "," << y;
        }
    }
    // Seeding again inside the now black area changes nothing.
    const Raster filled = surface.raster();
    floodFill(surface, 150, 150, Raster::Black);
    floodFill(surface, 5 * 15, 5 * 15, Raster::Black);  // on the frame itself
    EXPECT_EQ(surface.raster(), filled);
}

TEST(PanelFloodFill, SeedIsConvertedFromTwips) {
    Raster r(40, 30);
    // A single white pixel at (10, 20), walled in by black neighbours.
    for (auto [x, y] : {std::pair{9, 20}, {11, 20}, {10, 19}, {10, 21}}) r.setPixel(x, y, Raster::Black);
    PanelSurface surface(r);
    EXPECT_EQ(surface.toPixelsX(150), 10);
    EXPECT_EQ(surface.toPixelsY(300), 20);
    EXPECT_EQ(surface.toPixelsX(157), 10);
    EXPECT_EQ(surface.toPixelsX(158), 11);
    EXPECT_EQ(surface.toPixelsX(22), 1);   // 1.47
    EXPECT_EQ(surface.toPixelsX(-8), -1);  // just left of the surface
    floodFill(surface, 150, 300, 0x00FF00);
    EXPECT_EQ(surface.raster().pixel(10, 20), 0x00FF00u);
    EXPECT_EQ(surface.raster().pixel(0, 0), Raster::White);  // the rest was not reached

    PanelSurface coarse(Raster(10, 10), 30);
    EXPECT_EQ(coarse.toPixelsX(150), 5);
    EXPECT_EQ(coarse.pointColour(299, 0), std::nullopt);  // 9.97 rounds to 10: outside
    EXPECT_EQ(coarse.pointColour(284, 0), std::optional<std::uint32_t>(Raster::White));
}

TEST(PanelFloodFill, FillSettingsAreRestoredInEveryCase) {
    PanelSurface surface(framed());
    surface.setFillStyle(PanelSurface::TransparentFill);
    surface.setFillColour(0x123456);
    floodFill(surface, 150, 150, Raster::Black);
    EXPECT_EQ(surface.fillStyle(), PanelSurface::TransparentFill);
    EXPECT_EQ(surface.fillColour(), 0x123456u);
    EXPECT_EQ(surface.raster().pixel(10, 10), Raster::Black);  // filled despite the saved style

    // A seed outside the surface changes nothing and still restores the settings.
    surface.setFillStyle(7);
    const Raster before = surface.raster();
    floodFill(surface, -150, 150, 0xFF0000);
    floodFill(surface, 100000, 150, 0xFF0000, Raster::Black);
    EXPECT_EQ(surface.raster(), before);
    EXPECT_EQ(surface.fillStyle(), 7);
    EXPECT_EQ(surface.fillColour(), 0x123456u);
}

TEST(PanelFloodFill, BorderColourFillsUpToTheBorderWhateverTheColoursInside) {
    Raster r = framed();
    r.setPixel(8, 8, 0x0000FF);   // specks of other colours inside the frame
    r.setPixel(12, 10, 0xFF0000); // already the fill colour
    PanelSurface surface(r);
    floodFill(surface, 10 * 15, 10 * 15, 0xFF0000, Raster::Black);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(surface.raster().pixel(x, y), insideFrame(x, y) ? 0xFF0000u : framed().pixel(x, y)) << x << "," << y;

    // Seeded on the border colour: nothing to fill.
    PanelSurface onBorder(framed());
    floodFill(onBorder, 5 * 15, 5 * 15, 0xFF0000, Raster::Black);
    EXPECT_EQ(onBorder.raster(), framed());
}

TEST(PanelFloodFill, PrimitivePaintsOnlyWithASolidStyle) {
    PanelSurface surface(framed());
    surface.setFillColour(Raster::Black);
    surface.setFillStyle(PanelSurface::TransparentFill);
    EXPECT_EQ(surface.extFloodFill(10, 10, Raster::White, PanelSurface::FillType::Surface), 0u);
    surface.setFillStyle(PanelSurface::SolidFill);
    // A surface fill needs the seed to have the given colour.
    EXPECT_EQ(surface.extFloodFill(10, 10, 0x00FF00, PanelSurface::FillType::Surface), 0u);
    EXPECT_EQ(surface.extFloodFill(10, 10, Raster::White, PanelSurface::FillType::Surface), 14u * 9u);
}
