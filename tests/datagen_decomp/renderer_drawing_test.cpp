// Panel drawings and their fill points: outlines block the program's fill, the points blacken
// exactly each panel's radical, and the written field text leads back to the same pixels.

#include "decomp/drawing.h"
#include "decomp/inputs.h"
#include "decomp/outline.h"
#include "support/inputs.h"
#include "lookup/code_rules.h"
#include "lookup/panel_surface.h"

#include <gtest/gtest.h>

#include <QDir>

using namespace tessivo::datagen;
namespace panel = tessivo::panel;
using tessivo::Raster;
using Kind = PanelAssignment::Kind;

namespace {

const QString hanziWriterDir = QStringLiteral(TESSIVO_HANZI_WRITER_DIR);

Mask box(double x0, double y0, double x1, double y1) { return rasterise({{{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}}); }

PanelAssignment strokesPanel(std::vector<int> strokes) {
    PanelAssignment p;
    p.kind = Kind::Strokes;
    p.strokes = std::move(strokes);
    p.glyph = QStringLiteral("x");
    return p;
}

PanelAssignment keyPanel(char key) {
    PanelAssignment p;
    p.kind = Kind::IdentKey;
    p.key = QChar(key);
    return p;
}

Decomposition plan(std::array<PanelAssignment, 4> panels, std::vector<std::vector<int>> atoms) {
    Decomposition d;
    d.panels = std::move(panels);
    d.atoms = std::move(atoms);
    return d;
}

Mask unionOf(const std::vector<Mask>& strokes, const std::vector<int>& which) {
    Mask m;
    for (int s : which) m |= strokes[static_cast<std::size_t>(s)];
    return m;
}

// What the program does with a written field: parse it, convert each point to pixels and fill
// in black on the panel surface.
Raster runtimeFill(const Raster& drawing, const QString& field) {
    tessivo::PanelSurface surface(drawing);
    for (const tessivo::FillPoint& p : tessivo::parseFillField(field)) tessivo::floodFill(surface, p.x, p.y, 0x000000);
    return surface.raster();
}

struct FillCheck {
    int leaked = 0;  // blackened outside the radical
    int missed = 0;  // white radical pixels still white
};

FillCheck check(const Raster& before, const Raster& after, const Mask& radical) {
    FillCheck c;
    for (int y = 0; y < before.height(); ++y) {
        for (int x = 0; x < before.width(); ++x) {
            const bool wasWhite = before.pixel(x, y) == Raster::White;
            const bool nowWhite = after.pixel(x, y) == Raster::White;
            if (wasWhite && !nowWhite && !radical.at(x, y)) ++c.leaked;
            if (wasWhite && nowWhite && radical.at(x, y)) ++c.missed;
        }
    }
    return c;
}

}  // namespace

TEST(RendererDrawing, ClosedOutlineBlocksTheFourConnectedFill) {
    const std::vector<Mask> strokes{box(20, 20, 60, 50)};
    const Drawing d = renderDrawing(strokes, plan({strokesPanel({0}), strokesPanel({0}), {}, {}}, {{0}}));
    // Outline only on the square's border pixels, inside white.
    EXPECT_EQ(d.raster.pixel(20, 20), Raster::Black);
    EXPECT_EQ(d.raster.pixel(59, 35), Raster::Black);
    EXPECT_EQ(d.raster.pixel(40, 35), Raster::White);
    EXPECT_EQ(d.raster.pixel(61, 35), Raster::White);
    Raster outside = d.raster;
    tessivo::floodFill4(outside, 0, 0, Raster::Black);
    EXPECT_EQ(outside.pixel(40, 35), Raster::White);
    EXPECT_EQ(outside.pixel(21, 21), Raster::White);
    Raster inside = d.raster;
    EXPECT_EQ(tessivo::floodFill4(inside, 40, 35, Raster::Black), 38u * 28u);
    EXPECT_EQ(inside.pixel(61, 35), Raster::White);
}

TEST(RendererDrawing, CrossingRadicalsEachFillWholeWithoutLeaking) {
    // A horizontal bar (panel 1) crossed by a vertical one (panel 2): each panel gets its bar's
    // own parts and the crossing square, never the other bar's arms.
    const std::vector<Mask> strokes{box(10, 40, 100, 60), box(45, 10, 65, 100)};
    const Drawing d = renderDrawing(strokes, plan({strokesPanel({0}), strokesPanel({1}), keyPanel('g'), {}}, {{0}, {1}}));
    for (int k = 0; k < 2; ++k) {
        const PanelFill& p = d.panels[static_cast<std::size_t>(k)];
        EXPECT_EQ(p.regions, 3) << k;
        EXPECT_EQ(p.seeds.size(), 3u) << k;
        EXPECT_EQ(p.leakedPixels, 0) << k;
        EXPECT_EQ(p.missedPixels, 0) << k;
        const FillCheck c = check(d.raster, fillAtSeeds(d.raster, p.seeds), strokes[static_cast<std::size_t>(k)]);
        EXPECT_EQ(c.leaked, 0) << k;
        EXPECT_EQ(c.missed, 0) << k;
    }
    // The crossing belongs to both bars.
    EXPECT_EQ(fillAtSeeds(d.raster, d.panels[0].seeds).pixel(55, 50), Raster::Black);
    EXPECT_EQ(fillAtSeeds(d.raster, d.panels[1].seeds).pixel(55, 50), Raster::Black);
    EXPECT_EQ(fillFieldText(d.panels[2]), QStringLiteral("0"));
    EXPECT_EQ(fillFieldText(d.panels[3]), QString());
}

TEST(RendererDrawing, JoinsAreasCutByUncodedStrokesSoNinePointsSuffice) {
    // A bar cut into 25 areas by twelve strokes that no panel shows.
    std::vector<Mask> strokes{box(4, 40, 108, 70)};
    std::vector<int> middle;
    for (int i = 0; i < 12; ++i) {
        strokes.push_back(box(8 + 8 * i, 20, 12 + 8 * i, 90));
        middle.push_back(i + 1);
    }
    const Drawing d = renderDrawing(strokes, plan({strokesPanel({0}), strokesPanel({0}), {}, {}}, {{0}, middle}));
    const PanelFill& p = d.panels[0];
    EXPECT_GT(p.regionsBeforeJoin, MaxFillPoints);
    EXPECT_LE(p.regions, MaxFillPoints);
    EXPECT_GT(d.joinPixels, 0);
    EXPECT_EQ(p.missedPixels, 0);
    EXPECT_EQ(p.leakedPixels, 0);
    const FillCheck c = check(d.raster, fillAtSeeds(d.raster, p.seeds), strokes[0]);
    EXPECT_EQ(c.leaked, 0);
    EXPECT_EQ(c.missed, 0);
    // The uncoded strokes' own ends, above and below the bar, stay closed and white.
    const Raster filled = fillAtSeeds(d.raster, p.seeds);
    EXPECT_EQ(filled.pixel(10, 25), Raster::White);
    EXPECT_EQ(filled.pixel(10, 85), Raster::White);
}

TEST(RendererDrawing, NeverJoinsAcrossAnotherPanelsRadical) {
    // The same bar, but the crossing strokes are panel 2's radical: opening their outlines would
    // let panel 2's fill run into the bar. The bar keeps its areas: the nine largest are filled,
    // the others become ink rather than stay white in the bar.
    std::vector<Mask> strokes{box(4, 40, 108, 70)};
    std::vector<int> crossing;
    for (int i = 0; i < 12; ++i) {
        strokes.push_back(box(8 + 8 * i, 20, 12 + 8 * i, 90));
        crossing.push_back(i + 1);
    }
    const Drawing d = renderDrawing(strokes, plan({strokesPanel({0}), strokesPanel(crossing), {}, {}}, {{0}, crossing}));
    EXPECT_EQ(d.joinPixels, 0);
    for (int k = 0; k < 2; ++k) {
        const PanelFill& p = d.panels[static_cast<std::size_t>(k)];
        EXPECT_EQ(p.leakedPixels, 0) << k;
        EXPECT_EQ(p.seeds.size(), static_cast<std::size_t>(MaxFillPoints)) << k;
    }
    EXPECT_EQ(d.panels[0].missedPixels, 0);
    EXPECT_GT(d.remainderPixels, 0);
    const Mask crossingMask = unionOf(strokes, crossing);
    EXPECT_EQ(check(d.raster, fillAtSeeds(d.raster, d.panels[1].seeds), crossingMask).leaked, 0);
}

TEST(RendererDrawing, InksCrossingSpecksOnlyWhileMoreThanNineAreasRemain) {
    // A bar of three white rows crossed by six strokes, each one white column wide, three of
    // panel 2 and three of panel 3: the bar has 7 areas of its own and 6 crossings of three
    // pixels. Four crossings become ink (smallest first, then in reading order), which leaves
    // exactly nine areas; the other two stay white and are filled by every panel they belong to.
    // Crossings of three and of six pixels (strokes with one or two white columns) are inked
    // alike: they belong to two panels.
    for (const int width : {3, 4}) {
        std::vector<Mask> strokes{box(4, 40, 108, 45)};
        std::vector<int> second;
        std::vector<int> third;
        for (int i = 0; i < 6; ++i) {
            strokes.push_back(box(10 + 14 * i, 20, 10 + width + 14 * i, 90));
            (i % 2 == 0 ? second : third).push_back(i + 1);
        }
        const Drawing d = renderDrawing(strokes, plan({strokesPanel({0}), strokesPanel(second), strokesPanel(third), {}},
                                                      {{0}, second, third}));
        EXPECT_EQ(d.panels[0].regionsBeforeJoin, 13) << width;
        EXPECT_EQ(d.panels[0].regions, 9) << width;
        EXPECT_EQ(d.speckPixels, 4 * 3 * (width - 2)) << width;
        for (int k = 0; k < 3; ++k) {
            const PanelFill& p = d.panels[static_cast<std::size_t>(k)];
            EXPECT_LE(p.regions, MaxFillPoints) << k;
            EXPECT_EQ(p.missedPixels, 0) << k;
            EXPECT_EQ(p.leakedPixels, 0) << k;
        }
        for (int i = 0; i < 6; ++i) {
            EXPECT_EQ(d.raster.pixel(11 + 14 * i, 42), i < 4 ? Raster::Black : Raster::White) << i;
        }
        // Larger areas are never inked: the bar between the crossings stays white.
        EXPECT_EQ(d.raster.pixel(18, 42), Raster::White);
    }
}

TEST(RendererDrawing, InksSpecksOfOneRadicalOnlyWhenTiny) {
    // Twelve separate small squares form one radical: twelve areas of one panel only. Areas of a
    // single pixel become ink as specks; areas of four pixels are no specks, but rather than stay
    // white beyond nine they become ink as the last resort.
    for (const int side : {3, 4}) {
        std::vector<Mask> strokes;
        std::vector<int> all;
        for (int i = 0; i < 12; ++i) {
            const double x = 8 + 8 * (i % 6);
            const double y = 20 + 20 * (i / 6);
            strokes.push_back(box(x, y, x + side, y + side));
            all.push_back(i);
        }
        strokes.push_back(box(70, 80, 100, 100));  // panel 2, apart
        const Drawing d = renderDrawing(strokes, plan({strokesPanel(all), strokesPanel({12}), {}, {}}, {all, {12}}));
        const int inner = (side - 2) * (side - 2);
        const PanelFill& p = d.panels[0];
        EXPECT_EQ(p.regionsBeforeJoin, 12) << side;
        EXPECT_EQ(p.leakedPixels, 0) << side;
        if (inner <= 3) {
            EXPECT_EQ(d.speckPixels, 3 * inner) << side;
            EXPECT_EQ(p.missedPixels, 0) << side;
        } else {
            EXPECT_EQ(d.speckPixels, 0) << side;
            EXPECT_EQ(d.remainderPixels, 3 * inner) << side;
            EXPECT_EQ(p.seeds.size(), static_cast<std::size_t>(MaxFillPoints)) << side;
            EXPECT_EQ(p.missedPixels, 0) << side;
        }
    }
}

TEST(RendererDrawing, InksSpecksOfAnySizeThatEveryFilledPanelShows) {
    // The same twelve squares as the radical of both filled panels: ink there is right in each
    // panel, so the three smallest areas become ink although they have four pixels.
    std::vector<Mask> strokes;
    std::vector<int> all;
    for (int i = 0; i < 12; ++i) {
        const double x = 8 + 8 * (i % 6);
        const double y = 20 + 20 * (i / 6);
        strokes.push_back(box(x, y, x + 4, y + 4));
        all.push_back(i);
    }
    const Drawing d = renderDrawing(strokes, plan({strokesPanel(all), strokesPanel(all), keyPanel('g'), {}}, {all}));
    EXPECT_EQ(d.speckPixels, 3 * 4);
    for (int k = 0; k < 2; ++k) {
        const PanelFill& p = d.panels[static_cast<std::size_t>(k)];
        EXPECT_EQ(p.regions, MaxFillPoints) << k;
        EXPECT_EQ(p.missedPixels, 0) << k;
        EXPECT_EQ(p.leakedPixels, 0) << k;
    }
}

TEST(RendererDrawing, HairThinRadicalPointsAtItsInk) {
    // Two pixels wide: all outline, no white inside. The point must not land on white (that
    // would fill the background) yet the field must not be empty.
    const std::vector<Mask> strokes{box(20, 20, 80, 60), box(30, 80, 90, 82)};
    const Drawing d = renderDrawing(strokes, plan({strokesPanel({0}), strokesPanel({1}), {}, {}}, {{0}, {1}}));
    const PanelFill& p = d.panels[1];
    EXPECT_TRUE(p.outlineOnly);
    ASSERT_EQ(p.seeds.size(), 1u);
    EXPECT_EQ(d.raster.pixel(p.seeds[0].x(), p.seeds[0].y()), Raster::Black);
    EXPECT_TRUE(strokes[1].at(p.seeds[0].x(), p.seeds[0].y()));
    EXPECT_EQ(fillAtSeeds(d.raster, p.seeds), d.raster);
    EXPECT_FALSE(fillFieldText(p).isEmpty());
    EXPECT_FALSE(d.panels[0].outlineOnly);
}

TEST(RendererDrawing, StrokesNoAtomNamesAreStillOutlined) {
    const std::vector<Mask> strokes{box(10, 10, 40, 40), box(60, 60, 90, 90)};
    // Atoms name only stroke 0 (and a stroke that does not exist).
    const Drawing d = renderDrawing(strokes, plan({strokesPanel({0}), strokesPanel({0, 7}), {}, {}}, {{0, 7}}));
    EXPECT_EQ(d.raster.pixel(60, 75), Raster::Black);
    EXPECT_EQ(d.panels[1].leakedPixels, 0);
    EXPECT_EQ(d.panels[1].seeds.size(), 1u);
}

TEST(RendererDrawing, FieldTextLeadsTheProgramBackToTheSamePixels) {
    PanelFill p;
    p.kind = Kind::Strokes;
    p.seeds = {{0, 0}, {111, 112}, {5, 60}};
    const QString text = fillFieldText(p);
    EXPECT_EQ(text, QStringLiteral("   7   716721687  82 907"));
    const auto parsed = tessivo::parseFillField(text);
    ASSERT_EQ(parsed.size(), p.seeds.size());
    const tessivo::PanelSurface surface(Raster(panel::WidthPixels, panel::HeightPixels));
    for (std::size_t i = 0; i < parsed.size(); ++i) {
        // The program rounds twips to pixels; the data contract also allows truncation.
        EXPECT_EQ(surface.toPixelsX(parsed[i].x), p.seeds[i].x());
        EXPECT_EQ(surface.toPixelsY(parsed[i].y), p.seeds[i].y());
        EXPECT_EQ(QPoint(parsed[i].x / panel::TwipsPerPixel, parsed[i].y / panel::TwipsPerPixel), p.seeds[i]);
    }
    // Nine points fill the field exactly.
    p.seeds.assign(MaxFillPoints, QPoint(50, 50));
    EXPECT_EQ(fillFieldText(p).size(), 72);
}

TEST(RendererDrawing, DrawingRoundTripsThroughMonoBmp) {
    const std::vector<Mask> strokes{box(10, 40, 100, 60), box(45, 10, 65, 100)};
    const Drawing d = renderDrawing(strokes, plan({strokesPanel({0}), strokesPanel({1}), {}, {}}, {{0}, {1}}));
    std::string error;
    const auto back = Raster::decodeBmp(d.raster.encodeMonoBmp(), &error);
    ASSERT_TRUE(back) << error;
    EXPECT_EQ(back->width(), panel::WidthPixels);
    EXPECT_EQ(back->height(), panel::HeightPixels);
    EXPECT_EQ(*back, d.raster);
}

namespace {

struct HandCase {
    const char* character;
    int strokeCount;
    Decomposition decomposition;
};

std::vector<HandCase> crossingCases() {
    auto general = [](std::vector<std::vector<int>> radicals, char key) {
        std::array<PanelAssignment, 4> panels;
        std::vector<std::vector<int>> atoms;
        for (std::size_t i = 0; i < radicals.size(); ++i) {
            panels[i] = strokesPanel(radicals[i]);
            atoms.push_back(radicals[i]);
        }
        if (key) panels[radicals.size()] = keyPanel(key);
        return plan(panels, atoms);
    };
    return {
        {"中", 4, general({{0, 1, 2}, {3}}, 'k')},
        {"申", 5, general({{0, 1, 2, 3}, {4}}, 'k')},
        {"果", 8, general({{0, 1, 2, 3}, {4, 5, 6, 7}}, 'i')},
        {"东", 5, general({{0, 1}, {2, 3, 4}}, 'i')},
        {"事", 8, general({{0}, {1, 2, 3}, {4, 5, 6}, {7}}, 0)},
        // A radical character: the whole, then its first, second and last strokes one by one.
        {"五", 4, plan({strokesPanel({0, 1, 2, 3}), strokesPanel({0}), strokesPanel({1}), strokesPanel({3})}, {{0}, {1}, {3}, {2}})},
    };
}

}  // namespace

TEST(RendererDrawing, CrossingCharactersFillExactlyTheirRadicals) {
    const QString dir = hanziWriterDir;
    ASSERT_INPUT_EXISTS(dir + QStringLiteral("/package.json"));
    for (const HandCase& hc : crossingCases()) {
        const QString c = QString::fromUtf8(hc.character);
        const auto outline = readOutline(dir, c);
        ASSERT_TRUE(outline) << hc.character;
        ASSERT_EQ(static_cast<int>(outline->paths.size()), hc.strokeCount) << hc.character;
        std::vector<Mask> strokes;
        for (const QString& path : outline->paths) strokes.push_back(strokeMask(path));
        const Drawing d = renderDrawing(strokes, hc.decomposition);
        for (int k = 0; k < 4; ++k) {
            const PanelAssignment& a = hc.decomposition.panels[static_cast<std::size_t>(k)];
            const PanelFill& p = d.panels[static_cast<std::size_t>(k)];
            const QString field = fillFieldText(p);
            if (a.kind != Kind::Strokes) continue;
            SCOPED_TRACE(std::string(hc.character) + " panel " + std::to_string(k + 1));
            ASSERT_FALSE(p.seeds.empty());
            EXPECT_LE(p.seeds.size(), static_cast<std::size_t>(MaxFillPoints));
            EXPECT_FALSE(p.outlineOnly);
            for (const QPoint& s : p.seeds) EXPECT_EQ(d.raster.pixel(s.x(), s.y()), Raster::White);
            // The program's own path from field text to filled panel gives the simulated result.
            const Raster shown = runtimeFill(d.raster, field);
            EXPECT_EQ(shown, fillAtSeeds(d.raster, p.seeds));
            const FillCheck c2 = check(d.raster, shown, unionOf(strokes, a.strokes));
            EXPECT_EQ(c2.leaked, 0);
            EXPECT_EQ(c2.missed, p.missedPixels);
            if (p.regions <= MaxFillPoints) {
                EXPECT_EQ(c2.missed, 0);
            }
            EXPECT_GT(p.radicalPixels, 0);
        }
    }
}

TEST(RendererDrawing, SameInputSameBytes) {
    const QString dir = hanziWriterDir;
    ASSERT_INPUT_EXISTS(dir + QStringLiteral("/package.json"));
    const HandCase hc = crossingCases()[4];
    auto render = [&] {
        const auto outline = readOutline(dir, QString::fromUtf8(hc.character));
        std::vector<Mask> strokes;
        for (const QString& path : outline->paths) strokes.push_back(strokeMask(path));
        const Drawing d = renderDrawing(strokes, hc.decomposition);
        QString fields;
        for (const PanelFill& p : d.panels) fields += fillFieldText(p) + u'|';
        return std::make_pair(d.raster.encodeMonoBmp(), fields);
    };
    const auto first = render();
    const auto second = render();
    EXPECT_EQ(first.first, second.first);
    EXPECT_EQ(first.second, second.second);
}
