#pragma once

// The five stroke glyphs in stroke-code order (digit 1 to 5): header-only, so the radical chart
// and the data generator name strokes with the same characters as the stroke choosers.
namespace tessivo::strokes {

inline constexpr char16_t kStrokeGlyphs[5] = {u'一', u'丨', u'丿', u'丶', u'乙'};

}  // namespace tessivo::strokes
