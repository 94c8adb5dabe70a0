// The pixel and text work of screen capture that needs no X server: finding the line and glyph
// cells under the pointer, cleaning the recogniser's text, trimming long lines.
#include "platform/capture_atspi.h"
#include "platform/capture_ocr.h"
#include "platform/ocr_cells.h"

#include <gtest/gtest.h>

#include <vector>

using namespace tessivo::platform;
using namespace tessivo::platform::ocr;

namespace {

// A strip with a background and filled rectangles of ink.
struct Strip {
    int width, height;
    std::vector<std::uint8_t> pixels;
    Strip(int w, int h, std::uint8_t background) : width(w), height(h), pixels(std::size_t(w * h), background) {}
    void fill(int x, int y, int w, int h, std::uint8_t v) {
        for (int yy = y; yy < y + h; ++yy)
            for (int xx = x; xx < x + w; ++xx) pixels[std::size_t(yy * width + xx)] = v;
    }
    // A glyph of size `em` at (x, y) with a gap inside, as Chinese glyphs have.
    void glyph(int x, int y, int em, std::uint8_t v) {
        fill(x, y, em * 2 / 5, em, v);
        fill(x + em * 3 / 5, y, em * 2 / 5, em, v);
    }
    GreyView view() const { return {pixels.data(), width, height}; }
};

}  // namespace

TEST(OcrCells, FindsTheLineAndTheGlyphUnderThePointerAmongOtherLines) {
    Strip s(200, 64, 255);
    for (int i = 0; i < 5; ++i) s.glyph(20 + i * 20, 4, 16, 0);    // the line above
    for (int i = 0; i < 5; ++i) s.glyph(20 + i * 20, 24, 16, 0);   // the pointed line
    for (int i = 0; i < 5; ++i) s.glyph(20 + i * 20, 44, 16, 0);   // the line below
    const auto line = findLineCells(s.view(), 68, 30);  // inside the third glyph's right half
    ASSERT_TRUE(line);
    EXPECT_EQ(line->band.begin, 24);
    EXPECT_EQ(line->band.end, 40);
    ASSERT_EQ(line->cells.size(), 5u);  // each glyph's two halves are one cell
    EXPECT_EQ(line->pointed, 2);
    EXPECT_EQ(line->cells[2].begin, 60);
    EXPECT_FALSE(line->inkIsLight);
}

TEST(OcrCells, LightTextOnDarkBordersAndEdgesAreHandled) {
    Strip s(200, 40, 20);
    s.fill(10, 0, 2, 40, 230);  // a widget border left of the text
    for (int i = 0; i < 4; ++i) s.glyph(30 + i * 20, 12, 16, 230);
    s.glyph(190, 12, 16, 230);  // cut by the strip's right edge: not a whole glyph
    const auto line = findLineCells(s.view(), 52, 20);
    ASSERT_TRUE(line);
    EXPECT_TRUE(line->inkIsLight);
    EXPECT_EQ(line->field.begin, 12);
    EXPECT_EQ(line->cells.size(), 4u);
    EXPECT_EQ(line->pointed, 1);
}

TEST(OcrCells, NothingBetweenGlyphsOnBlankSpaceOrOutside) {
    Strip s(200, 40, 255);
    for (int i = 0; i < 4; ++i) s.glyph(30 + i * 30, 12, 16, 0);
    EXPECT_FALSE(findLineCells(s.view(), 52, 20));   // in the gap between two glyphs
    EXPECT_FALSE(findLineCells(s.view(), 100, 2));   // above the line, beyond the band search
    EXPECT_FALSE(findLineCells(s.view(), -1, 20));
    EXPECT_FALSE(findLineCells(s.view(), 200, 20));
    Strip tiny(100, 20, 255);
    tiny.fill(40, 8, 4, 3, 0);  // too small to read
    EXPECT_FALSE(findLineCells(tiny.view(), 41, 9));
}

TEST(OcrText, BlanksGoAndHalfWidthPunctuationBecomesFullWidth) {
    EXPECT_EQ(normalisedOcrText(QStringLiteral("春 眠 不觉晓, 处处闻啼鸟?\n")), QStringLiteral("春眠不觉晓，处处闻啼鸟？"));
    EXPECT_EQ(normalisedOcrText(QStringLiteral("A:b")), QStringLiteral("A：b"));
}

TEST(CaptureLine, LongLinesAreTrimmedAroundThePointedCharacter) {
    QString line;
    for (int i = 0; i < 200; ++i) line += QChar(0x4e00 + i);
    const CaptureHit hit = trimmedAround(line, 150, QStringLiteral("atspi"), 80);
    EXPECT_EQ(hit.line.size(), 80);
    EXPECT_EQ(hit.line[hit.index], QChar(0x4e00 + 150));
    const CaptureHit start = trimmedAround(line, 3, QStringLiteral("atspi"), 80);
    EXPECT_EQ(start.index, 3);
    EXPECT_EQ(start.line, line.left(80));
    // A wide character is one character: the index counts it once.
    const QString wide = QString::fromUcs4(U"\U00020000", 1) + line;
    const CaptureHit w = trimmedAround(wide, 199, QStringLiteral("ocr"), 80);
    EXPECT_EQ(w.line.toUcs4().size(), 80);
    EXPECT_EQ(w.line.toUcs4()[w.index], 0x4e00u + 198);
    EXPECT_EQ(trimmedAround(QStringLiteral("我们"), 1, QStringLiteral("x")).line, QStringLiteral("我们"));
}

TEST(OcrCells, GlyphsRunTogetherAreCutAtTheUsualPitchAndThinBridgesAreNoInk) {
    Strip s(240, 40, 255);
    for (int i = 0; i < 3; ++i) s.fill(20 + i * 16, 12, 13, 16, 0);  // separate glyphs, pitch 16
    s.fill(68, 12, 48, 16, 0);   // three glyphs that touch: one run of three pitches
    s.fill(130, 12, 13, 16, 0);
    s.fill(143, 20, 3, 1, 60);   // a one-pixel anti-aliased bridge to the next glyph
    s.fill(146, 12, 13, 16, 0);
    const auto line = findLineCells(s.view(), 92, 20);  // in the middle glyph of the three
    ASSERT_TRUE(line);
    ASSERT_EQ(line->cells.size(), 8u);
    EXPECT_EQ(line->pointed, 4);
    EXPECT_EQ(line->cells[4].begin, 84);
    EXPECT_EQ(line->cells[6].end, 143);
}
