#pragma once

// The drawing of a character for the radical panels, and the fill points of each panel.
//
// One picture serves all four panels; the program blackens a panel's radical by a 4-connected
// flood fill, in black, at each of the panel's points (at most nine). So the picture outlines
// each group of strokes (an "atom": normally one coded radical) with a one-pixel line that such
// a fill cannot cross, and a panel's points are one per white area lying inside its radical.

#include "decomp/decomposition.h"
#include "decomp/outline.h"
#include "lookup/panel_geometry.h"
#include "lookup/raster.h"

#include <QPoint>
#include <QString>

#include <array>
#include <vector>

namespace tessivo::datagen {

inline constexpr int MaxFillPoints = 9;

struct PanelFill {
    PanelAssignment::Kind kind = PanelAssignment::Kind::Empty;
    QChar key;                 // Kind::IdentKey
    std::vector<QPoint> seeds;  // Kind::Strokes: pixels, largest area first
    int regions = 0;            // white areas of the radical after joining
    int regionsBeforeJoin = 0;  // the same before any joining
    int radicalPixels = 0;      // white pixels of the drawing inside the radical
    int missedPixels = 0;       // of those, left white by the simulated fill
    int leakedPixels = 0;       // pixels the simulated fill blackened outside the radical
    bool outlineOnly = false;   // the radical has no white inside at all (a hair-thin stroke)
};

struct Drawing {
    Raster raster;  // panel::WidthPixels x panel::HeightPixels, only Raster::Black and Raster::White
    std::array<PanelFill, 4> panels;
    int joinPixels = 0;   // outline pixels opened to join areas of one radical
    int speckPixels = 0;  // pixels of tiny crossing areas inked so that nine points suffice
    int remainderPixels = 0;  // pixels of larger areas inked where nothing else brings a radical to nine
};

// Draws the character whose strokes have the masks `strokes` as `decomposition` groups them,
// then finds and verifies every panel's fill points. Stroke indices outside `strokes` are
// ignored; strokes that no atom names are outlined together.
Drawing renderDrawing(const std::vector<Mask>& strokes, const Decomposition& decomposition);

// The stages of renderDrawing before the fill points.
// Every stroke in exactly one atom: the first atom naming a stroke keeps it, indices outside
// 0..strokeCount-1 are dropped, and strokes no atom names form one more atom.
std::vector<std::vector<int>> normalisedAtoms(const Decomposition& decomposition, int strokeCount);
// A white panel with each atom's outline in black: the pixels of the atom's strokes that have a
// 4-neighbour outside them.
Raster outlineAtoms(const std::vector<Mask>& strokes, const std::vector<std::vector<int>>& atoms);
// Per pixel (areas.h), bit k set when a stroke of panel k's radical covers it.
std::vector<int> panelCoverage(const std::vector<Mask>& strokes, const Decomposition& decomposition);

// What the program shows in a filled panel: a copy of `drawing` with tessivo::floodFill4 in
// black run at each seed, in order.
Raster fillAtSeeds(const Raster& drawing, const std::vector<QPoint>& seeds);

// The text of a record's fill field for `panel`: each point as x then y in twips
// (pixel * 15 + 7, the middle of the pixel, which the program's rounding and a truncating
// reader both take back to the same pixel), each right-aligned in 4 characters; "0" for an
// identification-key panel; empty for an empty panel.
QString fillFieldText(const PanelFill& panel);

}  // namespace tessivo::datagen
