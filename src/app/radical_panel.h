#pragma once

#include "lookup/code_lookup.h"

#include <QImage>
#include <QWidget>

namespace tessivo {

// Picture1(i): one radical panel. Draws the panel's drawing pixel for pixel, scaled by a whole
// factor on high-density screens so the outlines stay crisp.
class RadicalPanel : public QWidget {
    Q_OBJECT

public:
    explicit RadicalPanel(QWidget* parent = nullptr);
    void setPanel(const Panel& panel);
    const Panel& panel() const { return panel_; }

    // The panel as an image of panel::WidthPixels x panel::HeightPixels, as the window shows it.
    static QImage render(const Panel& panel);
    static QImage toImage(const Raster& raster);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Panel panel_;
    QImage image_;  // render(panel_), made once per panel rather than on every paint
};

}  // namespace tessivo
