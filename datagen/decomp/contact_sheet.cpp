#include "decomp/contact_sheet.h"

#include "decomp/key_pictures.h"
#include "lookup/code_lookup.h"
#include "lookup/panel_geometry.h"

#include <QFont>
#include <QHash>
#include <QPainter>
#include <QStringView>

#include <algorithm>

namespace tessivo::datagen {
namespace {

constexpr int LabelWidth = 64;
constexpr int Gap = 6;
constexpr int RowGap = 10;

QImage toImage(const Raster& raster) {
    QImage image(raster.width(), raster.height(), QImage::Format_RGB32);
    for (int y = 0; y < raster.height(); ++y) {
        for (int x = 0; x < raster.width(); ++x) image.setPixel(x, y, 0xFF000000u | raster.pixel(x, y));
    }
    return image;
}

}  // namespace

QStringList mostFrequent(const QString& wubiDictText, const QStringList& among, int count) {
    QHash<QString, double> weight;
    bool body = false;
    for (QStringView line : QStringView(wubiDictText).split(u'\n')) {
        if (line.endsWith(u'\r')) line.chop(1);
        if (!body) {
            body = line == u"...";
            continue;
        }
        if (line.isEmpty() || line.startsWith(u'#')) continue;
        const auto columns = line.split(u'\t');
        if (columns.size() < 3 || columns[0].size() != 1) continue;
        const QString character = columns[0].toString();
        // Weights may have a fraction ("450.5").
        const double w = columns[2].toDouble();
        auto it = weight.find(character);
        if (it == weight.end()) weight.insert(character, w);
        else if (w > *it) *it = w;
    }
    QStringList sorted = among;
    std::stable_sort(sorted.begin(), sorted.end(), [&](const QString& a, const QString& b) {
        return weight.value(a, -1.0) > weight.value(b, -1.0);
    });
    if (sorted.size() > count) sorted.resize(count);
    return sorted;
}

Raster shownPanel(const Drawing& drawing, int k, const std::vector<Raster>& keyPictures, const QString& code) {
    const PanelFill& panel = drawing.panels[static_cast<std::size_t>(k)];
    switch (panel.kind) {
    case PanelAssignment::Kind::Strokes:
        return fillAtSeeds(drawing.raster, panel.seeds);
    case PanelAssignment::Kind::IdentKey: {
        const int index = k < code.size() ? identKeyIndex(code[k]).value_or(-1) : -1;
        if (index >= 0 && index < static_cast<int>(keyPictures.size())) return keyPictures[static_cast<std::size_t>(index)];
        break;
    }
    case PanelAssignment::Kind::Empty:
        break;
    }
    return Raster(drawing.raster.width(), drawing.raster.height());
}

QImage contactSheet(const std::vector<SheetEntry>& entries, const std::vector<Raster>& keyPictures,
                    const QString& fontFamily, int perRow) {
    const int panelW = panel::WidthPixels;
    const int panelH = panel::HeightPixels;
    const int cellW = LabelWidth + 4 * (panelW + Gap) + Gap;
    const int cellH = panelH + RowGap;
    const int rows = (static_cast<int>(entries.size()) + perRow - 1) / perRow;
    QImage sheet(std::max(1, perRow * cellW), std::max(1, rows * cellH + RowGap), QImage::Format_RGB32);
    sheet.fill(QColor(0xE8, 0xE8, 0xE8));
    QPainter painter(&sheet);
    QFont big(fontFamily);
    big.setPixelSize(40);
    QFont small(fontFamily);
    small.setPixelSize(14);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const SheetEntry& e = entries[i];
        const int x0 = static_cast<int>(i % static_cast<std::size_t>(perRow)) * cellW;
        const int y0 = static_cast<int>(i / static_cast<std::size_t>(perRow)) * cellH + RowGap;
        painter.setPen(Qt::black);
        painter.setFont(big);
        painter.drawText(QRect(x0, y0, LabelWidth, 56), Qt::AlignCenter, e.character);
        painter.setFont(small);
        painter.drawText(QRect(x0, y0 + 58, LabelWidth, 20), Qt::AlignCenter, e.code);
        painter.setPen(e.confidence == u"low" ? Qt::red : Qt::darkGray);
        painter.drawText(QRect(x0, y0 + 78, LabelWidth, 20), Qt::AlignCenter, e.confidence);
        for (int k = 0; k < 4; ++k) {
            const int px = x0 + LabelWidth + k * (panelW + Gap);
            painter.drawImage(px, y0, toImage(shownPanel(e.drawing, k, keyPictures, e.code)));
            const PanelFill& panel = e.drawing.panels[static_cast<std::size_t>(k)];
            const bool faulty = panel.kind == PanelAssignment::Kind::Strokes &&
                                (panel.missedPixels > 0 || panel.leakedPixels > 0 || panel.outlineOnly);
            painter.setPen(faulty ? QPen(Qt::red, 2) : QPen(QColor(0xB0, 0xB0, 0xB0)));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(px - 1, y0 - 1, panelW + 1, panelH + 1);
        }
    }
    painter.end();
    return sheet;
}

}  // namespace tessivo::datagen
