#include "app/window/radical_panel.h"

#include <QFont>
#include <QPainter>

namespace tessivo {

RadicalPanel::RadicalPanel(QWidget* parent) : QWidget(parent), image_(render(panel_)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

namespace {

bool samePicture(const Panel& a, const Panel& b) {
    return a.kind == b.kind && a.character == b.character && a.keyLetter == b.keyLetter && a.keyIndex == b.keyIndex &&
           a.surface.raster() == b.surface.raster();
}

}  // namespace

void RadicalPanel::setPanel(const Panel& panel) {
    // Most refreshes leave most panels as they were: those are neither re-rendered nor repainted.
    if (samePicture(panel, panel_)) return;
    panel_ = panel;
    image_ = render(panel_);
    update();
}

QImage RadicalPanel::toImage(const Raster& raster) {
    QImage image(raster.width(), raster.height(), QImage::Format_RGB32);
    for (int y = 0; y < raster.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        const std::uint32_t* source = raster.row(y);
        for (int x = 0; x < raster.width(); ++x) line[x] = 0xFF000000u | source[x];
    }
    return image;
}

QImage RadicalPanel::render(const Panel& panel) {
    QImage image(panel::WidthPixels, panel::HeightPixels, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    switch (panel.kind) {
    case Panel::Kind::Empty:
        break;
    case Panel::Kind::Drawing:
    case Panel::Kind::IdentKey:
        if (!panel.surface.raster().isNull()) p.drawImage(0, 0, toImage(panel.surface.raster()));
        break;
    case Panel::Kind::FontFallback: {
        QFont font(QStringLiteral("宋体"));
        font.setPixelSize(96);
        p.setFont(font);
        p.setPen(Qt::black);
        p.drawText(image.rect(), Qt::AlignCenter, panel.character);
        break;
    }
    }
    return image;
}

void RadicalPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    const QImage& image = image_;
    // Whole device pixels per image pixel: no blurred outlines at fractional scales.
    const qreal dpr = devicePixelRatioF();
    const int factor = std::max(1, static_cast<int>(dpr + 0.001));
    if (factor == 1) {
        p.drawImage(QPointF(0, 0), image);
        return;
    }
    QImage scaled = image.scaled(image.width() * factor, image.height() * factor, Qt::IgnoreAspectRatio,
                                 Qt::FastTransformation);
    scaled.setDevicePixelRatio(factor);
    p.drawImage(QPointF(0, 0), scaled);
}

}  // namespace tessivo
