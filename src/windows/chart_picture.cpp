#include "windows/chart_picture.h"

#include "windows/chart_layout.h"
#include "windows/radical_chart.h"
#include "platform/printer.h"

#include <QPainter>
#include <QPainterPath>

namespace tessivo::chart {

namespace {

// Each zone's key colour and the stronger colour of its header band.
struct ZoneColours {
    QColor body, header;
};
const ZoneColours Zones[5] = {
    {QColor(255, 232, 232), QColor(196, 64, 64)},   // 横
    {QColor(255, 244, 214), QColor(196, 128, 16)},  // 竖
    {QColor(226, 238, 255), QColor(48, 104, 184)},  // 撇
    {QColor(228, 246, 228), QColor(48, 136, 64)},   // 捺
    {QColor(240, 232, 252), QColor(120, 80, 168)},  // 折
};
const QColor Ink(0, 0, 0), NameInk(160, 0, 0), NamedRadicalInk(88, 88, 88), VerseInk(0, 0, 112), Frame(96, 96, 96);

// The top of a Chinese glyph's em box lies this far above the baseline, in em.
constexpr double EmTop = 0.88;
// Faces are made at this pixel size and scaled, so that fractional sizes and every device
// (screen, picture, printer) give the same glyph sizes.
constexpr int BaseSize = 100;

void drawText(QPainter& p, const PlacedText& t, const QColor& colour, bool bold = false) {
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(BaseSize);
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferAntialias);
    p.save();
    p.setFont(font);
    p.setPen(colour);
    p.translate(t.at);
    p.scale(t.size / BaseSize, t.size / BaseSize);
    p.drawText(QPointF(0, EmTop * BaseSize), t.text);
    p.restore();
}

void paintKey(QPainter& p, const KeyBox& k) {
    const ZoneColours& zone = Zones[k.content.zone];
    QPainterPath outline;
    outline.addRoundedRect(k.box.adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    p.fillPath(outline, zone.body);
    p.save();
    p.setClipPath(outline);
    p.fillRect(k.header, zone.header);
    p.restore();
    p.setPen(QPen(zone.header, 1));
    p.drawPath(outline);
    drawText(p, k.letter, Qt::white, true);
    drawText(p, k.number, Qt::white);
    drawText(p, k.nameRadical, NameInk, true);
    for (const PlacedText& r : k.radicals) drawText(p, r, r.size < RadicalSize ? NamedRadicalInk : Ink);
    for (const PlacedText& line : k.verseLines) drawText(p, line, VerseInk);
}

void paintLegend(QPainter& p, const ChartLayout& layout) {
    for (std::size_t zone = 0; zone < layout.legendSwatches.size(); ++zone) {
        p.fillRect(layout.legendSwatches[zone], Zones[zone].header);
        drawText(p, layout.legendTexts[zone], Ink);
    }
}

}  // namespace

void paintChart(QPainter& painter, const ChartLayout& layout) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QRectF whole(0, 0, PictureWidth, PictureHeight);
    painter.fillRect(whole, Qt::white);
    painter.setPen(QPen(Frame, 1));
    painter.drawRect(whole.adjusted(0.5, 0.5, -0.5, -0.5));
    // The title, centred: its width is one em per glyph (blanks half an em).
    double width = 0;
    for (const QChar c : layout.titleText) width += (c.unicode() < 0x80 ? 0.5 : 1.0) * TitleSize;
    const PlacedText title{layout.titleText,
                           {layout.title.center().x() - width / 2, layout.title.center().y() - TitleSize / 2},
                           TitleSize};
    drawText(painter, title, Ink, true);
    for (const KeyBox& k : layout.keys) paintKey(painter, k);
    paintLegend(painter, layout);
    painter.restore();
}

namespace {
const ChartLayout& builtInLayout() {
    static const ChartLayout layout = layoutChart(RadicalChart::wubi86());
    return layout;
}
}  // namespace

void paintChartPage(QPainter& painter) {
    painter.save();
    painter.translate(PrintLeftTwips, PrintTopTwips);
    painter.scale(PrintTwipsPerUnit, PrintTwipsPerUnit);
    paintChart(painter, builtInLayout());
    painter.restore();
}

bool printChart(platform::PagePrinter& printer, QString* problem) {
    return printer.printPage([](QPainter& p) { paintChartPage(p); }, problem);
}

QImage renderChart(qreal devicePixelRatio) {
    const ChartLayout& layout = builtInLayout();
    QImage image(QSize(qRound(PictureWidth * devicePixelRatio), qRound(PictureHeight * devicePixelRatio)),
                 QImage::Format_RGB32);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::white);
    QPainter p(&image);
    paintChart(p, layout);
    return image;
}

}  // namespace tessivo::chart
