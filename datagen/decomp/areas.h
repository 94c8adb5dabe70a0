#pragma once

// The white areas of a panel drawing, as the program's 4-connected fill sees them, and which
// panel's radical each lies in: what the fill points are chosen from.

#include "lookup/panel_geometry.h"
#include "lookup/raster.h"

#include <QPoint>

#include <array>
#include <utility>
#include <vector>

namespace tessivo::datagen {

inline constexpr int PanelCount = 4;
// Signature of an area whose pixels lie in different sets of radicals.
inline constexpr int MixedSignature = -1;

inline constexpr std::array<std::pair<int, int>, 4> Neighbours{{{1, 0}, {-1, 0}, {0, 1}, {0, -1}}};

// Index of a pixel of a panel drawing in per-pixel vectors.
inline std::size_t pixelIndex(int x, int y) { return static_cast<std::size_t>(y) * panel::WidthPixels + x; }

inline bool isWhite(const Raster& r, int x, int y) { return r.contains(x, y) && r.pixel(x, y) == Raster::White; }

// Per pixel of a panel drawing, bit k set when panel k's radical covers it.
using Coverage = std::vector<int>;

// White 4-connected areas of a drawing, and what each lies in.
struct Regions {
    std::vector<int> label;  // per pixel; -1 on black
    struct Info {
        int size = 0;
        std::array<int, PanelCount> inside{};  // pixels inside each panel's radical
        int signature = 0;                      // panels whose radical holds every pixel, or MixedSignature
        QPoint first;                           // first pixel in scan order
    };
    std::vector<Info> info;

    // Whether most of the region lies inside panel k's radical.
    bool inPanel(int region, int panel) const {
        const Info& i = info[static_cast<std::size_t>(region)];
        return i.inside[static_cast<std::size_t>(panel)] * 2 > i.size;
    }
    int size(int region) const { return info[static_cast<std::size_t>(region)].size; }
};

// The regions of a panel-sized drawing, numbered in the scan order of their first pixel.
Regions findRegions(const Raster& raster, const Coverage& coverage);

// Regions of panel k, by number.
std::vector<int> regionsOfPanel(const Regions& regions, int panel);

// Opens the shortest run of outline pixels that joins `from` to another white area with the same
// signature. Only pixels of that very signature may open, and only where every white area they
// touch has it too: the joined area then still lies wholly inside or wholly outside each panel's
// radical, so no panel's fill can leak through the opening. Returns the pixels to open (empty:
// no such run within the longest allowed join).
std::vector<QPoint> joinRun(const Raster& raster, const Regions& regions, const Coverage& coverage, int from);

// Taxicab distance of every white pixel from the nearest black pixel or panel edge (0 on black).
std::vector<int> distanceToEdge(const Raster& raster);

}  // namespace tessivo::datagen
