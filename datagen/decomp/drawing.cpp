#include "decomp/drawing.h"

#include "decomp/areas.h"

#include <algorithm>
#include <bit>
#include <optional>
#include <utility>

namespace tessivo::datagen {
namespace {

constexpr int W = panel::WidthPixels;
constexpr int H = panel::HeightPixels;
// Largest specks that may be inked when a radical has more than nine areas. Ink is right in
// every panel whose radical holds the speck and wrong in the others, so a speck may be larger
// the more panels it belongs to: 3 pixels for one panel, 6 for two, 12 for three or more, and
// any size when it is in every filled panel (nothing then shows it wrongly).
constexpr int MaxSpeckPixels = 3;

int maxSpeckPixels(int signature, int filledPanels) {
    if (signature == MixedSignature) return 0;
    if (signature == filledPanels) return W * H;
    const int panels = std::popcount(static_cast<unsigned>(signature));
    return panels <= 1 ? MaxSpeckPixels : panels == 2 ? 2 * MaxSpeckPixels : 4 * MaxSpeckPixels;
}

std::size_t at(int x, int y) { return pixelIndex(x, y); }

bool isFilled(const PanelFill& panel) { return panel.kind == PanelAssignment::Kind::Strokes; }

// Bit k: panel k is filled.
int filledPanels(const Drawing& drawing) {
    int mask = 0;
    for (int k = 0; k < PanelCount; ++k) {
        if (isFilled(drawing.panels[static_cast<std::size_t>(k)])) mask |= 1 << k;
    }
    return mask;
}

// Areas of `own`, smallest first (`largestFirst`: largest first), equal sizes by number.
void sortBySize(std::vector<int>& own, const Regions& regions, bool largestFirst = false) {
    std::stable_sort(own.begin(), own.end(), [&](int a, int b) {
        return largestFirst ? regions.size(a) > regions.size(b) : regions.size(a) < regions.size(b);
    });
}

std::optional<QPoint> firstInk(const Raster& raster) {
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            if (raster.pixel(x, y) != Raster::White) return QPoint(x, y);
        }
    }
    return std::nullopt;
}

// Each panel takes the kind and key its assignment gives.
void assignPanels(Drawing& drawing, const Decomposition& decomposition) {
    for (std::size_t k = 0; k < PanelCount; ++k) {
        drawing.panels[k].kind = decomposition.panels[k].kind;
        drawing.panels[k].key = decomposition.panels[k].key;
    }
}

// Join areas of a radical that outlines of other atoms cut apart, smallest first, until nine
// points reach them all or no further join is safe.
void joinCutAreas(Drawing& drawing, Regions& regions, const Coverage& coverage) {
    for (int k = 0; k < PanelCount; ++k) {
        if (!isFilled(drawing.panels[static_cast<std::size_t>(k)])) continue;
        for (;;) {
            std::vector<int> own = regionsOfPanel(regions, k);
            if (static_cast<int>(own.size()) <= MaxFillPoints) break;
            sortBySize(own, regions);
            bool joined = false;
            for (int r : own) {
                if (regions.info[static_cast<std::size_t>(r)].signature == MixedSignature) continue;
                const std::vector<QPoint> run = joinRun(drawing.raster, regions, coverage, r);
                if (run.empty()) continue;
                for (const QPoint& p : run) drawing.raster.setPixel(p.x(), p.y(), Raster::White);
                drawing.joinPixels += static_cast<int>(run.size());
                joined = true;
                break;
            }
            if (!joined) break;
            regions = findRegions(drawing.raster, coverage);
        }
    }
}

// Turns every pixel of the regions marked in `ink` black; returns how many it turned.
int inkRegions(Drawing& drawing, const Regions& regions, const std::vector<bool>& ink) {
    int inked = 0;
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            const int r = regions.label[at(x, y)];
            if (r < 0 || !ink[static_cast<std::size_t>(r)]) continue;
            drawing.raster.setPixel(x, y, Raster::Black);
            ++inked;
        }
    }
    return inked;
}

// Still more than nine: the smallest specks, mostly where outlines cross, become ink (within
// the sizes of maxSpeckPixels). In the panels they belong to they are then black as a fill
// would make them; elsewhere they read as part of the junction of the lines, whereas a white
// speck left in a filled radical would show as a hole.
void inkSpecks(Drawing& drawing, Regions& regions, const Coverage& coverage) {
    const int filledMask = filledPanels(drawing);
    for (int k = 0; k < PanelCount; ++k) {
        if (!isFilled(drawing.panels[static_cast<std::size_t>(k)])) continue;
        std::vector<int> own = regionsOfPanel(regions, k);
        if (static_cast<int>(own.size()) <= MaxFillPoints) continue;
        sortBySize(own, regions);
        std::vector<bool> ink(regions.info.size(), false);
        int count = static_cast<int>(own.size());
        for (int r : own) {
            if (count <= MaxFillPoints) break;
            const Regions::Info& info = regions.info[static_cast<std::size_t>(r)];
            if (info.size > maxSpeckPixels(info.signature, filledMask)) continue;
            ink[static_cast<std::size_t>(r)] = true;
            --count;
        }
        const int inked = inkRegions(drawing, regions, ink);
        drawing.speckPixels += inked;
        if (inked > 0) regions = findRegions(drawing.raster, coverage);
    }
}

// Still more than nine after joining and inking specks (radical characters such as 车 戈, whose
// panels outline single strokes across the whole): the smallest areas of the radical become ink
// until nine are left. A white hole in a filled radical is wrong in the very panel that shows
// it; the ink is right there and, elsewhere, lies on the strokes of the character.
void inkRemainder(Drawing& drawing, Regions& regions, const Coverage& coverage) {
    for (int k = 0; k < PanelCount; ++k) {
        if (!isFilled(drawing.panels[static_cast<std::size_t>(k)])) continue;
        std::vector<int> own = regionsOfPanel(regions, k);
        if (static_cast<int>(own.size()) <= MaxFillPoints) continue;
        sortBySize(own, regions);
        std::vector<bool> ink(regions.info.size(), false);
        for (std::size_t i = 0; i + MaxFillPoints < own.size(); ++i) ink[static_cast<std::size_t>(own[i])] = true;
        drawing.remainderPixels += inkRegions(drawing, regions, ink);
        regions = findRegions(drawing.raster, coverage);
    }
}

// Per region, its pixel farthest from the region's edge (first in scan order among equals), so
// that a point there stays inside the area whatever the rounding.
std::vector<QPoint> deepestPixels(const Regions& regions, const std::vector<int>& dist) {
    std::vector<QPoint> best(regions.info.size(), QPoint(-1, -1));
    std::vector<int> bestDist(regions.info.size(), 0);
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            const int r = regions.label[at(x, y)];
            if (r < 0 || dist[at(x, y)] <= bestDist[static_cast<std::size_t>(r)]) continue;
            bestDist[static_cast<std::size_t>(r)] = dist[at(x, y)];
            best[static_cast<std::size_t>(r)] = QPoint(x, y);
        }
    }
    return best;
}

// Counts, on the very raster that is saved and with the program's own fill, what the panel's
// points blacken inside and outside its radical. A radical that is all outline gets one point on
// its own ink (or, with no radical pixel at all, on any ink) so that the panel still shows the
// drawing: an empty field would leave panels 3 and 4 blank, and a fill on black changes nothing.
void verifyPanel(const Raster& raster, int k, const Coverage& coverage, PanelFill& panel) {
    const Raster result = fillAtSeeds(raster, panel.seeds);
    std::optional<QPoint> firstInside;  // the radical's first black pixel
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            const bool inside = coverage[at(x, y)] & (1 << k);
            const bool wasWhite = raster.pixel(x, y) == Raster::White;
            if (inside && !firstInside && !wasWhite) firstInside = QPoint(x, y);
            const bool nowWhite = result.pixel(x, y) == Raster::White;
            if (inside && wasWhite) {
                ++panel.radicalPixels;
                if (nowWhite) ++panel.missedPixels;
            }
            if (!inside && wasWhite && !nowWhite) ++panel.leakedPixels;
        }
    }
    if (!panel.seeds.empty()) return;
    const std::optional<QPoint> ink = firstInside ? firstInside : firstInk(raster);
    panel.outlineOnly = true;
    if (ink) panel.seeds.push_back(*ink);
}

// One point per area of each filled panel, largest areas first, at most nine; then verified.
void placeSeeds(Drawing& drawing, const Regions& regions, const Coverage& coverage) {
    const std::vector<QPoint> deepest = deepestPixels(regions, distanceToEdge(drawing.raster));
    for (int k = 0; k < PanelCount; ++k) {
        PanelFill& panel = drawing.panels[static_cast<std::size_t>(k)];
        if (!isFilled(panel)) continue;
        std::vector<int> own = regionsOfPanel(regions, k);
        panel.regions = static_cast<int>(own.size());
        sortBySize(own, regions, true);
        if (own.size() > static_cast<std::size_t>(MaxFillPoints)) own.resize(MaxFillPoints);
        for (int r : own) panel.seeds.push_back(deepest[static_cast<std::size_t>(r)]);
        verifyPanel(drawing.raster, k, coverage, panel);
    }
}

}  // namespace

std::vector<std::vector<int>> normalisedAtoms(const Decomposition& d, int strokeCount) {
    std::vector<int> owner(static_cast<std::size_t>(strokeCount), -1);
    std::vector<std::vector<int>> atoms;
    for (const auto& atom : d.atoms) {
        std::vector<int> kept;
        for (int s : atom) {
            if (s < 0 || s >= strokeCount || owner[static_cast<std::size_t>(s)] != -1) continue;
            owner[static_cast<std::size_t>(s)] = static_cast<int>(atoms.size());
            kept.push_back(s);
        }
        if (!kept.empty()) atoms.push_back(std::move(kept));
    }
    std::vector<int> rest;
    for (int s = 0; s < strokeCount; ++s) {
        if (owner[static_cast<std::size_t>(s)] == -1) rest.push_back(s);
    }
    if (!rest.empty()) atoms.push_back(std::move(rest));
    return atoms;
}

Raster outlineAtoms(const std::vector<Mask>& strokes, const std::vector<std::vector<int>>& atoms) {
    Raster raster(W, H, Raster::White);
    for (const auto& atom : atoms) {
        Mask mask(W, H);
        for (int s : atom) mask |= strokes[static_cast<std::size_t>(s)];
        for (int y = 0; y < H; ++y) {
            for (int x = 0; x < W; ++x) {
                if (!mask.at(x, y)) continue;
                bool edge = false;
                for (auto [dx, dy] : Neighbours) edge = edge || !mask.at(x + dx, y + dy);
                if (edge) raster.setPixel(x, y, Raster::Black);
            }
        }
    }
    return raster;
}

std::vector<int> panelCoverage(const std::vector<Mask>& strokes, const Decomposition& decomposition) {
    std::vector<int> coverage(static_cast<std::size_t>(W) * H, 0);
    for (int k = 0; k < PanelCount; ++k) {
        const PanelAssignment& assignment = decomposition.panels[static_cast<std::size_t>(k)];
        if (assignment.kind != PanelAssignment::Kind::Strokes) continue;
        for (int s : assignment.strokes) {
            if (s < 0 || s >= static_cast<int>(strokes.size())) continue;
            const Mask& m = strokes[static_cast<std::size_t>(s)];
            for (int y = 0; y < H; ++y) {
                for (int x = 0; x < W; ++x) {
                    if (m.at(x, y)) coverage[at(x, y)] |= 1 << k;
                }
            }
        }
    }
    return coverage;
}

Drawing renderDrawing(const std::vector<Mask>& strokes, const Decomposition& decomposition) {
    Drawing drawing;
    drawing.raster = outlineAtoms(strokes, normalisedAtoms(decomposition, static_cast<int>(strokes.size())));
    assignPanels(drawing, decomposition);
    const Coverage coverage = panelCoverage(strokes, decomposition);
    Regions regions = findRegions(drawing.raster, coverage);
    for (int k = 0; k < PanelCount; ++k) {
        PanelFill& panel = drawing.panels[static_cast<std::size_t>(k)];
        if (isFilled(panel)) panel.regionsBeforeJoin = static_cast<int>(regionsOfPanel(regions, k).size());
    }
    joinCutAreas(drawing, regions, coverage);
    inkSpecks(drawing, regions, coverage);
    inkRemainder(drawing, regions, coverage);
    placeSeeds(drawing, regions, coverage);
    return drawing;
}

Raster fillAtSeeds(const Raster& drawing, const std::vector<QPoint>& seeds) {
    Raster out = drawing;
    for (const QPoint& p : seeds) floodFill4(out, p.x(), p.y(), Raster::Black);
    return out;
}

QString fillFieldText(const PanelFill& panel) {
    switch (panel.kind) {
    case PanelAssignment::Kind::IdentKey:
        return QStringLiteral("0");
    case PanelAssignment::Kind::Empty:
        return {};
    case PanelAssignment::Kind::Strokes:
        break;
    }
    QString text;
    for (const QPoint& p : panel.seeds) {
        text += QStringLiteral("%1%2")
                    .arg(p.x() * panel::TwipsPerPixel + panel::TwipsPerPixel / 2, 4)
                    .arg(p.y() * panel::TwipsPerPixel + panel::TwipsPerPixel / 2, 4);
    }
    return text;
}

}  // namespace tessivo::datagen
