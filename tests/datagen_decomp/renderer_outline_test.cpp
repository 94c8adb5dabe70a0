// Outline paths and their rasterisation.

#include "common/common.h"
#include "decomp/inputs.h"
#include "decomp/outline.h"
#include "support/inputs.h"

#include <gtest/gtest.h>

#include <QDir>

#include <cmath>

using namespace tessivo::datagen;
namespace panel = tessivo::panel;

namespace {

const QString hanziWriterDir = QStringLiteral(TESSIVO_HANZI_WRITER_DIR);

Contour rect(double x0, double y0, double x1, double y1) { return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}; }

}  // namespace

TEST(RendererOutline, ParsesLinesCurvesAndSubpaths) {
    const auto contours = parseOutlinePath(QStringLiteral("M 0 0 L 100 0 Q 100 100 0 100 Z M 200 200 L 300 200 300 300 Z"));
    ASSERT_EQ(contours.size(), 2u);
    // Start, line end, then eight points along the quadratic curve.
    ASSERT_EQ(contours[0].size(), 10u);
    EXPECT_EQ(contours[0][1], QPointF(100, 0));
    // Curve point at t = 1/2: (100, 0)/4 + 2 (100, 100)/4 + (0, 100)/4.
    EXPECT_EQ(contours[0][5], QPointF(75, 75));
    EXPECT_EQ(contours[0][9], QPointF(0, 100));
    // Coordinate pairs after a line command repeat it.
    ASSERT_EQ(contours[1].size(), 3u);
    EXPECT_EQ(contours[1][2], QPointF(300, 300));
}

TEST(RendererOutline, CubicCurvesAreFlattenedEndingOnTheirEndPoint) {
    const auto contours = parseOutlinePath(QStringLiteral("M 0 0 C 0 100 100 100 100 0 Z"));
    ASSERT_EQ(contours.size(), 1u);
    ASSERT_EQ(contours[0].size(), 13u);
    EXPECT_EQ(contours[0].back(), QPointF(100, 0));
    EXPECT_DOUBLE_EQ(contours[0][6].y(), 75.0);  // t = 1/2: 3/8 * 100 + 3/8 * 100
}

TEST(RendererOutline, RefusesMalformedPaths) {
    for (const char* bad : {"L 0 0 L 1 1", "M 0 0 l 10 10", "M 0 0 L 10", "M 0 0 L 10 x Z", "M 0 0 A 1 1 0 0 0 5 5"}) {
        EXPECT_THROW(parseOutlinePath(QString::fromLatin1(bad)), GenError) << bad;
    }
}

// A corrupt outline package: a coordinate far outside the glyph box is a clear error, never a
// cast of an out-of-range number or an allocation sized by it.
TEST(RendererOutline, RefusesCoordinatesFarOutsideTheGlyphBox) {
    const QString huge = QStringLiteral("M 0 0 L 100 1e20 L 200 0 Z");
    try {
        strokeMask(huge);
        ADD_FAILURE() << "no error for " << huge.toStdString();
    } catch (const GenError& e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).contains(QStringLiteral("1e20"))) << e.what();
    }
    for (const char* bad : {"M 0 0 L 100 -1e20 L 200 0 Z", "M 1e400 0 L 1 1 L 2 0 Z", "M 0 0 L 2049 0 L 0 5 Z", "M 0 -1025 L 1 1 L 2 0 Z"})
        EXPECT_THROW(parseOutlinePath(QString::fromLatin1(bad)), GenError) << bad;
    // The whole range the data uses, and a margin around it, is accepted.
    EXPECT_EQ(parseOutlinePath(QStringLiteral("M -1024 -1024 L 2048 2048 L 0 1023.5 Z")).size(), 1u);
}

// Contours given directly are drawn clipped, whatever their coordinates.
TEST(RendererOutline, RasterisesUnboundedContoursClipped) {
    const Mask spike = rasterise({{{0, 0}, {50, 1e20}, {100, 0}}});
    EXPECT_TRUE(spike.at(50, 60));
    EXPECT_FALSE(spike.at(105, 60));
    EXPECT_TRUE(rasterise({{{0, 0}, {50, std::nan("")}, {100, 0}}}).empty());
}

TEST(RendererOutline, MapsTheGlyphBoxInsideThePanel) {
    // Left edge and top of the box (y up, 900 at the top) land three pixels inside the panel.
    EXPECT_EQ(toPanel(QPointF(0, 900)), QPointF(3.0, 3.5));
    const QPointF far = toPanel(QPointF(1024, -124));
    EXPECT_LE(far.x(), panel::WidthPixels - 3);
    EXPECT_LE(far.y(), panel::HeightPixels - 3);
}

TEST(RendererOutline, RasterisesAtHalfCoverage) {
    const Mask square = rasterise({rect(10, 10, 20, 20)});
    EXPECT_EQ(square.count(), 100);
    EXPECT_TRUE(square.at(10, 10));
    EXPECT_TRUE(square.at(19, 19));
    EXPECT_FALSE(square.at(20, 19));
    EXPECT_FALSE(square.at(9, 10));
    // Pixel 10 is half covered (8 of 16 samples) when the edge is at 10.5 or 10.6, but not at 10.7.
    EXPECT_TRUE(rasterise({rect(10.5, 10, 20, 20)}).at(10, 15));
    EXPECT_TRUE(rasterise({rect(10.6, 10, 20, 20)}).at(10, 15));
    EXPECT_FALSE(rasterise({rect(10.7, 10, 20, 20)}).at(10, 15));
}

TEST(RendererOutline, UsesTheNonzeroWindingRule) {
    // Two overlapping squares of the same direction: their union.
    const Mask both = rasterise({rect(10, 10, 30, 30), rect(20, 20, 40, 40)});
    EXPECT_EQ(both.count(), 400 + 400 - 100);
    // An inner contour running the other way cuts a hole.
    Contour hole = rect(15, 15, 25, 25);
    std::reverse(hole.begin(), hole.end());
    const Mask ring = rasterise({rect(10, 10, 30, 30), hole});
    EXPECT_EQ(ring.count(), 400 - 100);
    EXPECT_FALSE(ring.at(20, 20));
    // Parts outside the grid are clipped, not wrapped.
    const Mask clipped = rasterise({rect(-10, -10, 5, 5)});
    EXPECT_EQ(clipped.count(), 25);
}

TEST(RendererOutline, RealStrokesLieInsideThePanelWithAMargin) {
    const QString dir = hanziWriterDir;
    ASSERT_INPUT_EXISTS(dir + QStringLiteral("/package.json"));
    // Characters reaching the extremes of the outline data: wide, tall, deep below the baseline.
    for (const char* name : {"中", "一", "丨", "亍", "乒"}) {
        const QString c = QString::fromUtf8(name);
        const auto outline = readOutline(dir, c);
        ASSERT_TRUE(outline) << c.toStdString();
        for (const QString& path : outline->paths) {
            const Mask m = strokeMask(path);
            EXPECT_GT(m.count(), 0) << c.toStdString();
            for (int y = 0; y < panel::HeightPixels; ++y) {
                for (int x = 0; x < panel::WidthPixels; ++x) {
                    if (x < 2 || y < 2 || x >= panel::WidthPixels - 2 || y >= panel::HeightPixels - 2) {
                        EXPECT_FALSE(m.at(x, y)) << c.toStdString() << " touches the edge at " << x << "," << y;
                    }
                }
            }
        }
    }
}
