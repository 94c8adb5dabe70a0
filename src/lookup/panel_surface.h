#pragma once

#include "lookup/panel_geometry.h"
#include "lookup/raster.h"

#include <cstdint>
#include <optional>

namespace tessivo {

// A drawing surface addressed in twips, over a pixel Raster. It carries the fill settings that
// the fill primitive paints with, so that the flood fill can set and restore them.
class PanelSurface {
public:
    static constexpr int SolidFill = 0;
    static constexpr int TransparentFill = 1;        // the style a fresh surface has

    PanelSurface() = default;
    explicit PanelSurface(Raster raster, int twipsPerPixel = panel::TwipsPerPixel);

    Raster& raster() { return raster_; }
    const Raster& raster() const { return raster_; }
    int twipsPerPixel() const { return twipsPerPixel_; }

    // Twips to pixels, rounded to the nearest pixel (halves to even).
    int toPixelsX(int twips) const;
    int toPixelsY(int twips) const;

    // Colour (0xRRGGBB) at a point given in twips; nullopt outside the surface.
    std::optional<std::uint32_t> pointColour(int x, int y) const;

    int fillStyle() const { return fillStyle_; }
    void setFillStyle(int style) { fillStyle_ = style; }
    std::uint32_t fillColour() const { return fillColour_; }
    void setFillColour(std::uint32_t colour) { fillColour_ = colour; }

    // The fill primitive: paints, with the current fill colour when the style is solid, the
    // 4-connected area around pixel (px, py) that has exactly `colour` (surface fill), or
    // that is bounded by `colour` (border fill). A transparent style paints nothing. Returns
    // the number of pixels painted.
    enum class FillType { Border = 0, Surface = 1 };
    std::size_t extFloodFill(int px, int py, std::uint32_t colour, FillType type);

private:
    Raster raster_;
    int twipsPerPixel_ = panel::TwipsPerPixel;
    int fillStyle_ = TransparentFill;
    std::uint32_t fillColour_ = Raster::Black;
};

// The flood fill of the radical panels: the seed (x, y) is in twips and converted to pixels;
// the surface's fill style and colour are set to solid `fillColour` for the call and restored
// afterwards. Without `borderColour`, fills the connected area that has the colour found at the
// seed; with it, fills outwards from the seed up to pixels of that colour. A seed outside the
// surface changes nothing. Colours are 0xRRGGBB.
void floodFill(PanelSurface& surface, int x, int y, std::uint32_t fillColour,
               std::optional<std::uint32_t> borderColour = std::nullopt);

// Paints with `colour` every pixel 4-connected to the seed that is not `border`. A seed on the
// border colour or outside the raster changes nothing. Returns the number of pixels painted.
std::size_t floodFillToBorder4(Raster& raster, int x, int y, std::uint32_t border, std::uint32_t colour);

}  // namespace tessivo
