#pragma once

// The Wubi-86 radical chart: every radical and variant, the key it lies on, and its strokes as a
// stroke-class string in mainland writing order. One table for the chart window and for the data
// generator, which splits characters into these radicals. QtCore only.

#include <QChar>
#include <QString>

#include <map>
#include <vector>

namespace tessivo::chart {

struct Radical {
    QChar key;        // 'a'..'y'
    QString glyph;    // the radical's glyph, or a short name for forms without a code point
    QString classes;  // one stroke-class string ("hspnz"); a chart row with alternatives gives several
    bool keyName = false;  // the key's name radical (王 土 大 …)
    // A wrapping radical writes classes[0, wrapAt) before the part it surrounds and the rest after
    // it (囗 around 王丶, 戈 around 口一). 0: the radical is never split that way.
    int wrapAt = 0;
    // Written last but surrounding what came before (辶 廴): the identification key then follows
    // the enclosed part.
    bool enclosesBefore = false;
    // The fold counts as the last stroke for the identification key (力 刀 …: 丿 is written after it).
    bool foldLast = false;
    // Ends with the dot of 戈: the 丿 before it counts as the last stroke.
    bool dotAfterSweep = false;
    // Class of the last stroke of the row's first form; when set, it counts as the last stroke
    // for the identification key whichever form is written (车 ending in 提 inside 载, 止 with
    // its last two strokes joined inside 延). 0: the written last stroke counts.
    char standardLast = 0;
    // Glyph whose outline is the reference shape, and the strokes of it that form the radical
    // (first, count); count 0 = all strokes. Empty glyph: no reference shape.
    QString refGlyph;
    int refFirst = 0;
    int refCount = 0;
    // 0 for a row's first class string; later alternatives may order the strokes differently
    // from the reference glyph.
    int alternative = 0;
    // In a later order, may pause once after this many strokes for strokes written through it
    // (垂's 士: its vertical is written before the 艹 it passes). 0: never.
    int pauseAt = 0;
    // A component the chart always splits the same way into several coded radicals, even when
    // their strokes interleave (兆 = the four dots on i, then 儿 on q; 衣 = 亠 then 𧘇): each
    // part's key, glyph and stroke offsets within the component, in coding order. Empty for an
    // ordinary radical.
    struct Part {
        QChar key;
        QString glyph;
        std::vector<int> offsets;
    };
    std::vector<Part> parts;
};

class RadicalChart {
public:
    // The chart of the Wubi-86 keyboard, built once.
    static const RadicalChart& wubi86();

    const std::vector<Radical>& radicals() const { return radicals_; }
    // Radicals whose class string starts with `cls`, longest first.
    const std::vector<const Radical*>& startingWith(char cls) const;
    // The key-name radical's glyph of a key ('g' → 王), empty for an unknown key.
    QString keyNameGlyph(QChar key) const;
    // Keys on which `glyph` is a chart radical (several for 巛, 乂 …).
    QString keysOf(const QString& glyph) const;
    // Longest class string in the chart.
    int maxLength() const { return maxLength_; }

    // For tests and for small custom charts.
    explicit RadicalChart(std::vector<Radical> radicals);

private:
    std::vector<Radical> radicals_;
    std::map<char, std::vector<const Radical*>> byFirst_;
    std::map<QString, QString> keysByGlyph_;
    int maxLength_ = 0;
};

// The 25 keys of the chart in their five zones (横 竖 撇 捺 折), each zone in key-number order
// (g = 11, f = 12 … x = 55).
inline constexpr const char* kZones[5] = {"gfdsa", "hjklm", "trewq", "yuiop", "nbvcx"};
// The key's number: zone then position, 11 for g … 55 for x; 0 for a letter without radicals.
int keyNumber(QChar key);
// The key's mnemonic verse (字根口诀), empty for a letter without radicals.
QString verseOf(QChar key);

// The five stroke classes and the letters Wubi writes for them: h→g s→h p→t n→y z→n.
QChar strokeLetter(char cls);
// The inverse: the stroke class of a stroke key letter, '?' for any other letter.
char strokeClassOfLetter(QChar letter);
// The glyph of a single stroke of a class: 一 丨 丿 丶, and 乙 for the fold (and any other class).
QString strokeGlyph(char cls);
// The three identification-key letters of a last-stroke class, in shape order
// (左右, 上下, 杂合): h→"gfd", s→"hjk", p→"tre", n→"yui", z→"nbv".
QString identZone(char cls);

}  // namespace tessivo::chart
