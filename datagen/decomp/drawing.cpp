#include "decomp/drawing.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <deque>
#include <optional>
#include <utility>

namespace tessivo::datagen {
namespace {

constexpr int W = DrawingWidth;
constexpr int H = DrawingHeight;
constexpr int PanelCount = 4;
// Longest run of outline pixels opened to join two areas of the same radical: enough to cross
// two outlines lying side by side at a junction, short enough not to cut a visible line apart.
constexpr int MaxJoinLength = 6;
// Signature of an area whose pixels lie in different sets of radicals.
constexpr int Mixed = -1;
// Largest specks that may be inked when a radical has more than nine areas. Ink is right in
// every panel whose radical holds the speck and wrong in the others, so a speck may be larger
// the more panels it belongs to: 3 pixels for one panel, 6 for two, 12 for three or more, and
// any size when it is in every filled panel (nothing then shows it wrongly).
constexpr int MaxSpeckPixels = 3;

int maxSpeckPixels(int signature, int filledPanels) {
    if (signature == Mixed) return 0;
    if (signature == filledPanels) return DrawingWidth * DrawingHeight;
    const int panels = std::popcount(static_cast<unsigned>(signature));
    return panels <= 1 ? MaxSpeckPixels : panels == 2 ? 2 * MaxSpeckPixels : 4 * MaxSpeckPixels;
}

constexpr std::array<std::pair<int, int>, 4> Neighbours{{{1, 0}, {-1, 0}, {0, 1}, {0, -1}}};

std::size_t at(int x, int y) { return static_cast<std::size_t>(y) * W + x; }

bool isWhite(const Raster& r, int x, int y) { return r.contains(x, y) && r.pixel(x, y) == Raster::White; }

// Every stroke in exactly one atom: the first atom naming a stroke keeps it, unknown indices are
// dropped, and strokes no atom names form one more atom.
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

// White 4-connected areas of the drawing, and what each lies in.
struct Regions {
    std::vector<int> label;  // per pixel; -1 on black
    struct Info {
        int size = 0;
        std::array<int, PanelCount> inside{};  // pixels inside each panel's radical
        int signature = 0;                      // panels whose radical holds every pixel, or Mixed
        QPoint first;                           // first pixel in scan order
    };
    std::vector<Info> info;

    bool inPanel(int region, int panel) const {
        const Info& i = info[static_cast<std::size_t>(region)];
        return i.inside[static_cast<std::size_t>(panel)] * 2 > i.size;
    }
};

Regions findRegions(const Raster& raster, const std::vector<int>& signature) {
    Regions out;
    out.label.assign(static_cast<std::size_t>(W) * H, -1);
    std::vector<QPoint> stack;
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            if (out.label[at(x, y)] != -1 || raster.pixel(x, y) != Raster::White) continue;
            const int id = static_cast<int>(out.info.size());
            Regions::Info info;
            info.first = QPoint(x, y);
            info.signature = signature[at(x, y)];
            out.label[at(x, y)] = id;
            stack.assign(1, QPoint(x, y));
            while (!stack.empty()) {
                const QPoint p = stack.back();
                stack.pop_back();
                ++info.size;
                const int sig = signature[at(p.x(), p.y())];
                for (int k = 0; k < PanelCount; ++k) {
                    if (sig & (1 << k)) ++info.inside[static_cast<std::size_t>(k)];
                }
                if (sig != info.signature) info.signature = Mixed;
                for (auto [dx, dy] : Neighbours) {
                    const int nx = p.x() + dx;
                    const int ny = p.y() + dy;
                    if (!isWhite(raster, nx, ny) || out.label[at(nx, ny)] != -1) continue;
                    out.label[at(nx, ny)] = id;
                    stack.emplace_back(nx, ny);
                }
            }
            out.info.push_back(info);
        }
    }
    return out;
}

std::vector<int> regionsOfPanel(const Regions& regions, int panel) {
    std::vector<int> out;
    for (int r = 0; r < static_cast<int>(regions.info.size()); ++r) {
        if (regions.inPanel(r, panel)) out.push_back(r);
    }
    return out;
}

// Opens the shortest run of outline pixels that joins `from` to another white area with the same
// signature. Only pixels of that very signature may open, and only where every white area they
// touch has it too: the joined area then still lies wholly inside or wholly outside each panel's
// radical, so no panel's fill can leak through the opening. Returns the pixels opened (empty:
// no such run).
std::vector<QPoint> joinRun(const Raster& raster, const Regions& regions, const std::vector<int>& signature, int from) {
    const int sig = regions.info[static_cast<std::size_t>(from)].signature;
    auto passable = [&](int x, int y) {
        if (!raster.contains(x, y) || raster.pixel(x, y) == Raster::White || signature[at(x, y)] != sig) return false;
        for (auto [dx, dy] : Neighbours) {
            const int nx = x + dx;
            const int ny = y + dy;
            if (isWhite(raster, nx, ny) && regions.info[static_cast<std::size_t>(regions.label[at(nx, ny)])].signature != sig)
                return false;
        }
        return true;
    };
    std::vector<int> parent(static_cast<std::size_t>(W) * H, -2);
    std::vector<int> depth(static_cast<std::size_t>(W) * H, 0);
    std::deque<QPoint> queue;
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            if (regions.label[at(x, y)] != from) continue;
            for (auto [dx, dy] : Neighbours) {
                const int nx = x + dx;
                const int ny = y + dy;
                if (!passable(nx, ny) || parent[at(nx, ny)] != -2) continue;
                parent[at(nx, ny)] = -1;
                depth[at(nx, ny)] = 1;
                queue.emplace_back(nx, ny);
            }
        }
    }
    while (!queue.empty()) {
        const QPoint p = queue.front();
        queue.pop_front();
        const std::size_t i = at(p.x(), p.y());
        for (auto [dx, dy] : Neighbours) {
            const int nx = p.x() + dx;
            const int ny = p.y() + dy;
            if (isWhite(raster, nx, ny) && regions.label[at(nx, ny)] != from) {
                std::vector<QPoint> run;
                for (int j = static_cast<int>(i); j >= 0; j = parent[static_cast<std::size_t>(j)]) run.emplace_back(j % W, j / W);
                return run;
            }
        }
        if (depth[i] >= MaxJoinLength) continue;
        for (auto [dx, dy] : Neighbours) {
            const int nx = p.x() + dx;
            const int ny = p.y() + dy;
            if (!passable(nx, ny) || parent[at(nx, ny)] != -2) continue;
            parent[at(nx, ny)] = static_cast<int>(i);
            depth[at(nx, ny)] = depth[i] + 1;
            queue.emplace_back(nx, ny);
        }
    }
    return {};
}

// Taxicab distance of every white pixel from the nearest black pixel or panel edge.
std::vector<int> distanceToEdge(const Raster& raster) {
    std::vector<int> dist(static_cast<std::size_t>(W) * H, 0);
    std::deque<QPoint> queue;
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            if (raster.pixel(x, y) != Raster::White) continue;
            bool edge = false;
            for (auto [dx, dy] : Neighbours) edge = edge || !isWhite(raster, x + dx, y + dy);
            if (edge) {
                dist[at(x, y)] = 1;
                queue.emplace_back(x, y);
            }
        }
    }
    while (!queue.empty()) {
        const QPoint p = queue.front();
        queue.pop_front();
        for (auto [dx, dy] : Neighbours) {
            const int nx = p.x() + dx;
            const int ny = p.y() + dy;
            if (!isWhite(raster, nx, ny) || dist[at(nx, ny)] != 0) continue;
            dist[at(nx, ny)] = dist[at(p.x(), p.y())] + 1;
            queue.emplace_back(nx, ny);
        }
    }
    return dist;
}

std::optional<QPoint> firstInk(const Raster& raster) {
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            if (raster.pixel(x, y) != Raster::White) return QPoint(x, y);
        }
    }
    return std::nullopt;
}

}  // namespace

Drawing renderDrawing(const std::vector<Mask>& strokes, const Decomposition& decomposition) {
    const int strokeCount = static_cast<int>(strokes.size());
    Drawing drawing;
    drawing.raster = Raster(W, H, Raster::White);

    for (const auto& atom : normalisedAtoms(decomposition, strokeCount)) {
        Mask mask(W, H);
        for (int s : atom) mask |= strokes[static_cast<std::size_t>(s)];
        for (int y = 0; y < H; ++y) {
            for (int x = 0; x < W; ++x) {
                if (!mask.at(x, y)) continue;
                bool edge = false;
                for (auto [dx, dy] : Neighbours) edge = edge || !mask.at(x + dx, y + dy);
                if (edge) drawing.raster.setPixel(x, y, Raster::Black);
            }
        }
    }

    // Per pixel, the panels whose radical covers it (bit k for panel k).
    std::vector<int> signature(static_cast<std::size_t>(W) * H, 0);
    std::array<bool, PanelCount> filled{};
    for (int k = 0; k < PanelCount; ++k) {
        const PanelAssignment& assignment = decomposition.panels[static_cast<std::size_t>(k)];
        PanelFill& panel = drawing.panels[static_cast<std::size_t>(k)];
        panel.kind = assignment.kind;
        panel.key = assignment.key;
        if (assignment.kind != PanelAssignment::Kind::Strokes) continue;
        filled[static_cast<std::size_t>(k)] = true;
        for (int s : assignment.strokes) {
            if (s < 0 || s >= strokeCount) continue;
            const Mask& m = strokes[static_cast<std::size_t>(s)];
            for (int y = 0; y < H; ++y) {
                for (int x = 0; x < W; ++x) {
                    if (m.at(x, y)) signature[at(x, y)] |= 1 << k;
                }
            }
        }
    }

    int filledMask = 0;  // bit k: panel k is filled
    for (int k = 0; k < PanelCount; ++k) {
        if (filled[static_cast<std::size_t>(k)]) filledMask |= 1 << k;
    }
    Regions regions = findRegions(drawing.raster, signature);
    for (int k = 0; k < PanelCount; ++k) {
        if (!filled[static_cast<std::size_t>(k)]) continue;
        drawing.panels[static_cast<std::size_t>(k)].regionsBeforeJoin = static_cast<int>(regionsOfPanel(regions, k).size());
    }

    // Join areas of a radical that outlines of other atoms cut apart, smallest first, until nine
    // points reach them all or no further join is safe.
    for (int k = 0; k < PanelCount; ++k) {
        if (!filled[static_cast<std::size_t>(k)]) continue;
        for (;;) {
            std::vector<int> own = regionsOfPanel(regions, k);
            if (static_cast<int>(own.size()) <= MaxFillPoints) break;
            std::stable_sort(own.begin(), own.end(), [&](int a, int b) {
                return regions.info[static_cast<std::size_t>(a)].size < regions.info[static_cast<std::size_t>(b)].size;
            });
            bool joined = false;
            for (int r : own) {
                if (regions.info[static_cast<std::size_t>(r)].signature == Mixed) continue;
                const std::vector<QPoint> run = joinRun(drawing.raster, regions, signature, r);
                if (run.empty()) continue;
                for (const QPoint& p : run) drawing.raster.setPixel(p.x(), p.y(), Raster::White);
                drawing.joinPixels += static_cast<int>(run.size());
                joined = true;
                break;
            }
            if (!joined) break;
            regions = findRegions(drawing.raster, signature);
        }
    }

    // Still more than nine: the smallest specks, mostly where outlines cross, become ink (within
    // the sizes of maxSpeckPixels). In the panels they belong to they are then black as a fill
    // would make them; elsewhere they read as part of the junction of the lines, whereas a white
    // speck left in a filled radical would show as a hole.
    for (int k = 0; k < PanelCount; ++k) {
        if (!filled[static_cast<std::size_t>(k)]) continue;
        std::vector<int> own = regionsOfPanel(regions, k);
        if (static_cast<int>(own.size()) <= MaxFillPoints) continue;
        std::stable_sort(own.begin(), own.end(), [&](int a, int b) {
            return regions.info[static_cast<std::size_t>(a)].size < regions.info[static_cast<std::size_t>(b)].size;
        });
        std::vector<bool> ink(regions.info.size(), false);
        int count = static_cast<int>(own.size());
        for (int r : own) {
            if (count <= MaxFillPoints) break;
            const Regions::Info& info = regions.info[static_cast<std::size_t>(r)];
            if (info.size > maxSpeckPixels(info.signature, filledMask)) continue;
            ink[static_cast<std::size_t>(r)] = true;
            --count;
        }
        bool changed = false;
        for (int y = 0; y < H; ++y) {
            for (int x = 0; x < W; ++x) {
                const int r = regions.label[at(x, y)];
                if (r < 0 || !ink[static_cast<std::size_t>(r)]) continue;
                drawing.raster.setPixel(x, y, Raster::Black);
                ++drawing.speckPixels;
                changed = true;
            }
        }
        if (changed) regions = findRegions(drawing.raster, signature);
    }

    const std::vector<int> dist = distanceToEdge(drawing.raster);
    for (int k = 0; k < PanelCount; ++k) {
        if (!filled[static_cast<std::size_t>(k)]) continue;
        PanelFill& panel = drawing.panels[static_cast<std::size_t>(k)];
        std::vector<int> own = regionsOfPanel(regions, k);
        panel.regions = static_cast<int>(own.size());
        std::stable_sort(own.begin(), own.end(), [&](int a, int b) {
            return regions.info[static_cast<std::size_t>(a)].size > regions.info[static_cast<std::size_t>(b)].size;
        });
        if (own.size() > static_cast<std::size_t>(MaxFillPoints)) own.resize(MaxFillPoints);
        // One point per area, at its pixel farthest from the area's edge (first in scan order
        // among equals), so that it stays inside the area whatever the rounding.
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
        for (int r : own) panel.seeds.push_back(best[static_cast<std::size_t>(r)]);

        // Verify on the very raster that is saved, with the program's own fill.
        const Raster result = fillAtSeeds(drawing.raster, panel.seeds);
        bool anyInside = false;  // the radical has ink; firstInside is its first black pixel
        QPoint firstInside;
        for (int y = 0; y < H; ++y) {
            for (int x = 0; x < W; ++x) {
                const bool inside = signature[at(x, y)] & (1 << k);
                if (inside && !anyInside && drawing.raster.pixel(x, y) != Raster::White) {
                    anyInside = true;
                    firstInside = QPoint(x, y);
                }
                const bool wasWhite = drawing.raster.pixel(x, y) == Raster::White;
                const bool nowWhite = result.pixel(x, y) == Raster::White;
                if (inside && wasWhite) {
                    ++panel.radicalPixels;
                    if (nowWhite) ++panel.missedPixels;
                }
                if (!inside && wasWhite && !nowWhite) ++panel.leakedPixels;
            }
        }
        if (panel.seeds.empty()) {
            // All outline, nothing to fill: point at the radical's own ink (or, with no radical
            // pixel at all, at any ink) so that the panel still shows the drawing; an empty field
            // would leave panels 3 and 4 blank. A fill on black changes nothing.
            const std::optional<QPoint> ink = anyInside ? firstInside : firstInk(drawing.raster);
            panel.outlineOnly = true;
            if (ink) panel.seeds.push_back(*ink);
        }
    }
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
                    .arg(p.x() * TwipsPerPixel + TwipsPerPixel / 2, 4)
                    .arg(p.y() * TwipsPerPixel + TwipsPerPixel / 2, 4);
    }
    return text;
}

std::vector<QPoint> readFillField(const QString& field) {
    QString text = field;
    while (!text.isEmpty() && text.back() == u' ') text.chop(1);
    // Rounded half to even.
    const int count = static_cast<int>(std::nearbyint(static_cast<double>(text.size()) / 8.0));
    auto number = [&](qsizetype from) {
        const QString part = text.mid(from, 4);
        qsizetype i = 0;
        while (i < part.size() && part[i] == u' ') ++i;
        int value = 0;
        bool negative = false;
        if (i < part.size() && (part[i] == u'-' || part[i] == u'+')) negative = part[i++] == u'-';
        while (i < part.size() && part[i].isDigit()) value = value * 10 + part[i++].digitValue();
        return negative ? -value : value;
    };
    std::vector<QPoint> points;
    for (int i = 0; i < count; ++i) points.emplace_back(number(i * 8), number(i * 8 + 4));
    return points;
}

QPoint twipsToPixel(QPoint twips) { return {twips.x() / TwipsPerPixel, twips.y() / TwipsPerPixel}; }

}  // namespace tessivo::datagen
