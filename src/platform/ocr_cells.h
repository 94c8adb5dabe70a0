#pragma once

#include <cstdint>
#include <optional>
#include <vector>

// Finds, in a grey strip of screen pixels around the pointer, the line of text under the pointer
// and the glyph cells along it, so that OCR reads only that line and the pointed character is
// known by its cell rather than by the recogniser's character boxes (which are unreliable for
// Chinese). Plain pixel work, no toolkit.
namespace tessivo::platform::ocr {

struct GreyView {
    const std::uint8_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    std::uint8_t at(int x, int y) const { return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
};

struct Span {
    int begin = 0;  // first pixel
    int end = 0;    // one past the last
    int size() const { return end - begin; }
    bool contains(int v) const { return v >= begin && v < end; }
};

struct LineCells {
    Span field;               // columns between the widget borders around the pointer
    Span band;                // rows of the text line under the pointer
    std::vector<Span> cells;  // glyph columns along the line, left to right
    int pointed = -1;         // the cell under the pointer
    bool inkIsLight = false;  // light text on a dark background
};

// Ink is what differs from the most common grey (the background) by more than this.
inline constexpr int inkContrast = 60;

// The line and cells under the pointer at (px, py) in `image`; nothing when the pointer is not
// on a glyph.
std::optional<LineCells> findLineCells(const GreyView& image, int px, int py);

}  // namespace tessivo::platform::ocr
