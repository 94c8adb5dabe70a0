#include "platform/ocr_cells.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace tessivo::platform::ocr {

namespace {

// The most common grey near the pointer: the strip may also take in the desktop or another
// window beside the one pointed at.
int background(const GreyView& image, int px) {
    std::array<int, 256> counts{};
    const int reach = std::max(image.height, 24);
    for (int y = 0; y < image.height; ++y)
        for (int x = std::max(px - reach, 0); x < std::min(px + reach, image.width); ++x) ++counts[image.at(x, y)];
    return int(std::max_element(counts.begin(), counts.end()) - counts.begin());
}

bool ink(const GreyView& image, int bg, int x, int y) { return std::abs(int(image.at(x, y)) - bg) > inkContrast; }

// Columns inked without a break over most of the strip's height are widget borders (a column
// through several lines of text has breaks between the lines): the text field lies between the
// nearest ones on either side of the pointer.
Span fieldAround(const GreyView& image, int bg, int px) {
    auto border = [&](int x) {
        int run = 0, longest = 0;
        for (int y = 0; y < image.height; ++y) {
            run = ink(image, bg, x, y) ? run + 1 : 0;
            longest = std::max(longest, run);
        }
        return longest * 10 > image.height * 8;
    };
    Span field{0, image.width};
    for (int x = px; x >= 0; --x)
        if (border(x)) { field.begin = x + 1; break; }
    for (int x = px; x < image.width; ++x)
        if (border(x)) { field.end = x; break; }
    return field;
}

bool rowInked(const GreyView& image, int bg, Span field, int y) {
    for (int x = field.begin; x < field.end; ++x)
        if (ink(image, bg, x, y)) return true;
    return false;
}

// The rows of the line under the pointer: ink rows around it, ended by more than two blank rows
// (so that the lines above and below stay out).
std::optional<Span> bandAround(const GreyView& image, int bg, Span field, int py) {
    int start = -1;
    for (int d = 0; d <= 3 && start < 0; ++d) {
        if (py - d >= 0 && rowInked(image, bg, field, py - d)) start = py - d;
        else if (py + d < image.height && rowInked(image, bg, field, py + d)) start = py + d;
    }
    if (start < 0) return std::nullopt;
    Span band{start, start + 1};
    for (int y = start - 1, blank = 0; y >= 0 && blank <= 2; --y) {
        if (rowInked(image, bg, field, y)) { band.begin = y; blank = 0; }
        else ++blank;
    }
    for (int y = start + 1, blank = 0; y < image.height && blank <= 2; ++y) {
        if (rowInked(image, bg, field, y)) { band.end = y + 1; blank = 0; }
        else ++blank;
    }
    return band;
}

// A cell wider than one and a half glyphs is glyphs run together (small text, where the
// anti-aliasing of neighbours touches): it is cut into glyphs of the usual pitch.
void splitWideCells(std::vector<Span>& cells, int em) {
    // The pitch: the usual step from one glyph-sized cell to the next.
    auto glyphSized = [em](const Span& c) { return c.size() * 10 >= em * 7 && c.size() * 10 <= em * 12; };
    std::vector<int> steps;
    for (std::size_t i = 0; i + 1 < cells.size(); ++i) {
        const int step = cells[i + 1].begin - cells[i].begin;
        if (glyphSized(cells[i]) && glyphSized(cells[i + 1]) && step * 10 <= em * 14) steps.push_back(step);
    }
    int pitch = em;
    if (!steps.empty()) {
        std::nth_element(steps.begin(), steps.begin() + steps.size() / 2, steps.end());
        pitch = steps[steps.size() / 2];
    }
    std::vector<Span> out;
    for (const Span& c : cells) {
        const int n = c.size() * 2 > pitch * 3 ? (c.size() + pitch / 2) / pitch : 1;
        for (int i = 0; i < n; ++i) out.push_back({c.begin + c.size() * i / n, c.begin + c.size() * (i + 1) / n});
    }
    cells = std::move(out);
}

// Ink runs along the band, merged up to about one em, since a Chinese glyph has gaps inside. A
// column with a single ink pixel is the anti-aliased edge between two glyphs, not ink.
std::vector<Span> cellsAlong(const GreyView& image, int bg, Span field, Span band) {
    const int minInk = band.size() >= 10 ? 2 : 1;
    std::vector<Span> runs;
    for (int x = field.begin; x < field.end; ++x) {
        int inked = 0;
        for (int y = band.begin; y < band.end; ++y) inked += ink(image, bg, x, y);
        if (inked < minInk) continue;
        if (!runs.empty() && runs.back().end == x) runs.back().end = x + 1;
        else runs.push_back({x, x + 1});
    }
    const int em = band.size();
    std::vector<Span> cells;
    for (const Span& run : runs) {
        if (!cells.empty() && run.end - cells.back().begin <= em + em / 8 && run.begin - cells.back().end < em / 3)
            cells.back().end = run.end;
        else
            cells.push_back(run);
    }
    splitWideCells(cells, em);
    // A cell cut by the strip's edge is not a whole glyph.
    if (!cells.empty() && cells.front().begin <= field.begin && field.begin == 0) cells.erase(cells.begin());
    if (!cells.empty() && cells.back().end >= field.end && field.end == image.width) cells.pop_back();
    return cells;
}

}  // namespace

std::optional<LineCells> findLineCells(const GreyView& image, int px, int py) {
    if (image.width <= 0 || image.height <= 0 || px < 0 || py < 0 || px >= image.width || py >= image.height)
        return std::nullopt;
    const int bg = background(image, px);
    LineCells line;
    line.inkIsLight = bg < 128;
    line.field = fieldAround(image, bg, px);
    if (!line.field.contains(px)) return std::nullopt;
    const auto band = bandAround(image, bg, line.field, py);
    if (!band || band->size() < 6) return std::nullopt;  // no text this small is read reliably
    line.band = *band;
    line.cells = cellsAlong(image, bg, line.field, line.band);
    for (std::size_t i = 0; i < line.cells.size(); ++i)
        if (line.cells[i].contains(px)) line.pointed = int(i);
    if (line.pointed < 0) return std::nullopt;
    return line;
}

}  // namespace tessivo::platform::ocr
