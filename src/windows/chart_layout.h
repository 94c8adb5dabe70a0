#pragma once

// Where everything of the radical chart picture goes, without painting: the keys of the keyboard
// in three staggered rows, and inside each key its letter, number, key-name radical, the other
// radicals and the verse, laid out on a fixed grid of square Chinese glyph cells. All lengths are
// in chart units: one unit is one pixel of the 651 x 523 picture in the window, and 15 twips on
// paper. QtCore only.

#include <QChar>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <vector>

namespace tessivo::chart {

class RadicalChart;

inline constexpr int PictureWidth = 651, PictureHeight = 523;
// The window's two buttons lie over this corner of the picture; no key may lie under them.
inline const QRectF ButtonCorner(6810 / 15.0 - 2, 6660 / 15.0 - 2, 2115 / 15.0 + 4, (7140 + 375 - 6660) / 15.0 + 4);

// Pixel sizes of the faces (square glyph cells for Chinese text).
inline constexpr double LetterSize = 13, NumberSize = 10, NameRadicalSize = 24, RadicalSize = 13, RadicalNameSize = 9,
                        VerseSize = 10.5, TitleSize = 15, LegendSize = 11;

// One piece of text at a position: `at` is the top-left of its first glyph cell; `size` the
// face's pixel size.
struct PlacedText {
    QString text;
    QPointF at;
    double size = 0;
};

struct KeyContent {
    QChar key;                  // 'g'
    int number = 0;             // 11
    int zone = 0;               // 0..4: 横 竖 撇 捺 折
    QString nameRadical;        // 王
    QStringList radicals;       // the others, each once, in table order
    QString verse;
};

struct KeyBox {
    KeyContent content;
    QRectF box;                 // the whole key
    QRectF header;              // the coloured band with letter and number
    PlacedText letter, number, nameRadical;
    std::vector<PlacedText> radicals;  // a radical with a name of several characters uses RadicalNameSize
    std::vector<PlacedText> verseLines;
    double contentBottom = 0;   // the lowest text edge; stays inside the box
};

struct ChartLayout {
    QRectF title;
    QString titleText;
    std::vector<KeyBox> keys;           // in keyboard order: q..p, a..l, x..m
    QRectF legend;                      // the zones' colours, between the last key and the buttons
    std::vector<QRectF> legendSwatches; // one per zone
    std::vector<PlacedText> legendTexts;
};

// The content of every key in keyboard order, from the chart table.
std::vector<KeyContent> chartKeys(const RadicalChart& chart);
// Splits Chinese text into lines of at most `perLine` glyphs; a closing mark (，。）) never
// starts a line and an opening one (（) never ends one.
QStringList wrapGlyphs(const QString& text, int perLine);
// The whole chart.
ChartLayout layoutChart(const RadicalChart& chart);
// The zone's name: "横区" … "折区".
QString zoneName(int zone);

}  // namespace tessivo::chart
