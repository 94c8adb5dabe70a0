#pragma once

// Stroke outlines: from the SVG path text of the outline data to pixel masks of a radical panel.

#include "lookup/panel_geometry.h"

#include <QPointF>
#include <QString>

#include <cstdint>
#include <vector>

namespace tessivo::datagen {

// A closed polygon (the last point joins the first).
using Contour = std::vector<QPointF>;

// Parses an outline path made of absolute M, L, Q, C and Z commands (a command letter may be
// followed by several coordinate groups). Quadratic curves become 8 segments, cubic ones 12.
// Coordinates stay as written. GenError for any other command, a missing number, a coordinate
// outside -1024..2048 (the data lies inside its 1024 box) or a path that does not start with M.
std::vector<Contour> parseOutlinePath(const QString& path);

// Outline-data coordinates (1024 box, y up, baseline at 900) to panel pixels. The glyph box is
// scaled a little below the panel size so that no outline touches the panel's edge: every
// glyph of the data lies at least three pixels inside.
QPointF toPanel(QPointF outlinePoint);

// One bit a pixel over a panel-sized grid.
class Mask {
public:
    Mask(int width = panel::WidthPixels, int height = panel::HeightPixels)
        : width_(width), height_(height), bits_(static_cast<std::size_t>(width) * height, 0) {}

    int width() const { return width_; }
    int height() const { return height_; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    // Pixels outside the grid read as not set.
    bool at(int x, int y) const { return contains(x, y) && bits_[index(x, y)] != 0; }
    void set(int x, int y, bool on = true) { bits_[index(x, y)] = on ? 1 : 0; }
    int count() const;
    bool empty() const { return count() == 0; }

    Mask& operator|=(const Mask& other);
    bool operator==(const Mask&) const = default;

private:
    std::size_t index(int x, int y) const { return static_cast<std::size_t>(y) * width_ + x; }

    int width_;
    int height_;
    std::vector<std::uint8_t> bits_;
};

// Fills `contours` (already in pixel coordinates) with the nonzero winding rule. Each pixel is
// sampled at 4 x 4 points; it is set when at least 8 of them are inside.
Mask rasterise(const std::vector<Contour>& contours, int width = panel::WidthPixels, int height = panel::HeightPixels);

// The panel mask of one stroke outline: parse, map to the panel, rasterise.
Mask strokeMask(const QString& path);

}  // namespace tessivo::datagen
