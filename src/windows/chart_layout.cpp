#include "windows/chart_layout.h"

#include "windows/radical_chart.h"

#include <algorithm>

namespace tessivo::chart {

namespace {

constexpr double Margin = 4, TitleHeight = 22;
constexpr double Pitch = 64.5, KeyWidth = 62, KeyHeight = 160, RowGap = 3;
constexpr double HeaderHeight = 17, Pad = 3, RadicalLine = 15, VerseLine = 12;
// Rows of the keyboard, each shifted right a little more than the one above, as on a keyboard.
// z carries no radicals and is left out, which keeps the bottom row clear of the buttons.
constexpr const char* KeyRows[3] = {"qwertyuiop", "asdfghjkl", "xcvbnm"};
constexpr double RowShift[3] = {0, 16, 32};

const QString ClosingMarks = QStringLiteral("，。、；：！？）”》");
const QString OpeningMarks = QStringLiteral("（“《");

// The glyphs of `text`, a surrogate pair kept together.
QStringList glyphsOf(const QString& text) {
    QStringList out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype n = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        out << text.mid(i, n);
        i += n - 1;
    }
    return out;
}

// A radical drawn as one glyph, or named by a few characters (具头 for the top of 具).
bool isNamed(const QString& radical) { return glyphsOf(radical).size() > 1; }

double tokenWidth(const QString& radical) {
    return isNamed(radical) ? glyphsOf(radical).size() * RadicalNameSize + 1 : RadicalSize + 1;
}

// Flows the radicals left to right in lines of the key's inner width; returns the bottom edge.
double placeRadicals(KeyBox& k, double top) {
    const double left = k.box.left() + Pad, right = k.box.right() - Pad;
    double x = left, y = top;
    for (const QString& r : k.content.radicals) {
        const double w = tokenWidth(r);
        if (x + w > right + 1 && x > left) {
            x = left;
            y += RadicalLine;
        }
        if (isNamed(r)) k.radicals.push_back({r, {x, y + (RadicalSize - RadicalNameSize)}, RadicalNameSize});
        else k.radicals.push_back({r, {x, y}, RadicalSize});
        x += w;
    }
    return k.content.radicals.isEmpty() ? top : y + RadicalSize;
}

KeyBox placeKey(const KeyContent& content, QRectF box) {
    KeyBox k;
    k.content = content;
    k.box = box;
    k.header = QRectF(box.left(), box.top(), box.width(), HeaderHeight);
    k.letter = {QString(content.key.toUpper()), {box.left() + 4, box.top() + 2}, LetterSize};
    k.number = {QString::number(content.number), {box.right() - 4 - 2 * 0.6 * NumberSize, box.top() + 4}, NumberSize};
    k.nameRadical = {content.nameRadical, {box.center().x() - NameRadicalSize / 2, box.top() + HeaderHeight + 2}, NameRadicalSize};
    double y = placeRadicals(k, k.nameRadical.at.y() + NameRadicalSize + 3) + 3;
    const int perLine = int((box.width() - 2 * Pad) / VerseSize);
    for (const QString& line : wrapGlyphs(content.verse, perLine)) {
        k.verseLines.push_back({line, {box.left() + Pad, y}, VerseSize});
        y += VerseLine;
    }
    k.contentBottom = k.verseLines.empty() ? y : k.verseLines.back().at.y() + VerseSize;
    return k;
}

void placeLegend(ChartLayout& layout, double left, double top) {
    layout.legend = QRectF(left, top, PictureWidth - Margin - left, ButtonCorner.top() - 4 - top);
    const double row = layout.legend.height() / 5;
    for (int zone = 0; zone < 5; ++zone) {
        const double y = top + zone * row + (row - LegendSize) / 2;
        layout.legendSwatches.push_back(QRectF(left + 4, y, 2 * LegendSize, LegendSize));
        QString keys;
        for (const char c : QLatin1String(kZones[zone])) keys += QChar(QLatin1Char(c)).toUpper() + QLatin1Char(' ');
        const QString text = QStringLiteral("%1 %2：%3").arg(zone + 1).arg(zoneName(zone), keys.trimmed());
        layout.legendTexts.push_back({text, {left + 8 + 2 * LegendSize, y}, LegendSize});
    }
}

}  // namespace

QString zoneName(int zone) {
    static const QStringList names = {QStringLiteral("横区"), QStringLiteral("竖区"), QStringLiteral("撇区"),
                                      QStringLiteral("捺区"), QStringLiteral("折区")};
    return zone >= 0 && zone < names.size() ? names[zone] : QString();
}

QStringList wrapGlyphs(const QString& text, int perLine) {
    QStringList lines;
    if (perLine < 2) perLine = 2;
    QStringList line;
    for (const QString& g : glyphsOf(text)) {
        if (line.size() == perLine) {
            QStringList next;
            // A closing mark takes the glyph before it along; an opening mark goes with what follows.
            if (ClosingMarks.contains(g)) next << line.takeLast();
            if (!line.isEmpty() && OpeningMarks.contains(line.last())) next.prepend(line.takeLast());
            lines << line.join(QString());
            line = next;
        }
        line << g;
    }
    if (!line.isEmpty()) lines << line.join(QString());
    return lines;
}

std::vector<KeyContent> chartKeys(const RadicalChart& chart) {
    std::vector<KeyContent> keys;
    for (const char* row : KeyRows) {
        for (const char c : QLatin1String(row)) {
            KeyContent k;
            k.key = QLatin1Char(c);
            k.number = keyNumber(k.key);
            k.zone = k.number / 10 - 1;
            k.verse = verseOf(k.key);
            for (const Radical& r : chart.radicals()) {
                if (r.key != k.key || !r.parts.empty()) continue;  // composites are drawn as their parts
                if (r.keyName) k.nameRadical = r.glyph;
                else if (!k.radicals.contains(r.glyph)) k.radicals << r.glyph;
            }
            keys.push_back(std::move(k));
        }
    }
    return keys;
}

ChartLayout layoutChart(const RadicalChart& chart) {
    ChartLayout layout;
    layout.title = QRectF(Margin, Margin, PictureWidth - 2 * Margin, TitleHeight);
    layout.titleText = QStringLiteral("五笔字型 86 版　字根表 和 口诀");
    const std::vector<KeyContent> contents = chartKeys(chart);
    std::size_t next = 0;
    double bottomRowEnd = 0;
    for (int row = 0; row < 3; ++row) {
        const double top = Margin + TitleHeight + 4 + row * (KeyHeight + RowGap);
        const qsizetype count = qsizetype(std::char_traits<char>::length(KeyRows[row]));
        for (qsizetype i = 0; i < count; ++i) {
            const QRectF box(Margin + RowShift[row] + i * Pitch, top, KeyWidth, KeyHeight);
            layout.keys.push_back(placeKey(contents[next++], box));
            bottomRowEnd = box.right();
        }
    }
    placeLegend(layout, bottomRowEnd + 8, layout.keys.back().box.top());
    return layout;
}

}  // namespace tessivo::chart
