#include "lookup/panel_surface.h"

#include <cmath>
#include <utility>
#include <vector>

namespace tessivo {

PanelSurface::PanelSurface(Raster raster, int twipsPerPixel)
    : raster_(std::move(raster)), twipsPerPixel_(twipsPerPixel > 0 ? twipsPerPixel : panel::TwipsPerPixel) {}

int PanelSurface::toPixelsX(int twips) const {
    // Default rounding mode: to nearest, halves to even.
    return static_cast<int>(std::lrint(static_cast<double>(twips) / twipsPerPixel_));
}

int PanelSurface::toPixelsY(int twips) const {
    return static_cast<int>(std::lrint(static_cast<double>(twips) / twipsPerPixel_));
}

std::optional<std::uint32_t> PanelSurface::pointColour(int x, int y) const {
    const int px = toPixelsX(x);
    const int py = toPixelsY(y);
    if (!raster_.contains(px, py)) return std::nullopt;
    return raster_.pixel(px, py);
}

std::size_t PanelSurface::extFloodFill(int px, int py, std::uint32_t colour, FillType type) {
    if (fillStyle_ != SolidFill || !raster_.contains(px, py)) return 0;
    if (type == FillType::Border) return floodFillToBorder4(raster_, px, py, colour, fillColour_);
    // A surface fill only starts on a pixel of the given colour.
    if (raster_.pixel(px, py) != colour) return 0;
    return floodFill4(raster_, px, py, fillColour_);
}

void floodFill(PanelSurface& surface, int x, int y, std::uint32_t fillColour, std::optional<std::uint32_t> borderColour) {
    const int px = surface.toPixelsX(x);
    const int py = surface.toPixelsY(y);
    const int savedStyle = surface.fillStyle();
    const std::uint32_t savedColour = surface.fillColour();
    surface.setFillStyle(PanelSurface::SolidFill);
    surface.setFillColour(fillColour);
    if (borderColour) {
        surface.extFloodFill(px, py, *borderColour, PanelSurface::FillType::Border);
    } else if (const auto seedColour = surface.pointColour(x, y)) {
        surface.extFloodFill(px, py, *seedColour, PanelSurface::FillType::Surface);
    }
    surface.setFillStyle(savedStyle);
    surface.setFillColour(savedColour);
}

std::size_t floodFillToBorder4(Raster& raster, int x, int y, std::uint32_t border, std::uint32_t colour) {
    if (!raster.contains(x, y) || raster.pixel(x, y) == border) return 0;
    // Pixels of the fill colour may lie inside the area, so visits are tracked apart from colour.
    const int w = raster.width();
    std::vector<bool> seen(static_cast<std::size_t>(w) * raster.height(), false);
    const auto at = [w](int px, int py) { return static_cast<std::size_t>(py) * w + px; };
    std::vector<std::pair<int, int>> stack{{x, y}};
    seen[at(x, y)] = true;
    std::size_t painted = 0;
    while (!stack.empty()) {
        const auto [px, py] = stack.back();
        stack.pop_back();
        raster.setPixel(px, py, colour);
        ++painted;
        const std::pair<int, int> next[] = {{px - 1, py}, {px + 1, py}, {px, py - 1}, {px, py + 1}};
        for (const auto& [nx, ny] : next) {
            if (!raster.contains(nx, ny) || seen[at(nx, ny)] || raster.pixel(nx, ny) == border) continue;
            seen[at(nx, ny)] = true;
            stack.emplace_back(nx, ny);
        }
    }
    return painted;
}

}  // namespace tessivo
