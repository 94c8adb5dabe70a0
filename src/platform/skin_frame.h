#pragma once

#include "platform/skin_file.h"

#include <QAbstractButton>
#include <QMargins>
#include <QPoint>
#include <QWidget>

// The frame a skinned window draws for itself, and the bookkeeping to take it away again.
namespace tessivo::platform {

// The title bar's close button, drawn in the skin's colours.
class SkinCloseButton : public QAbstractButton {
    Q_OBJECT

public:
    SkinCloseButton(const skin::Look& look, QWidget* parent);
    void setLook(const skin::Look& look);

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    skin::Look look_;
    bool hovered_ = false;
};

// A child of the skinned window, lowest of all its children and as large as the window: it paints
// the border, the title bar with the caption, moves the window when the title bar is dragged, and
// holds the close button. The window's own children are moved out of the title bar's way.
class SkinFrame : public QWidget {
    Q_OBJECT

public:
    static constexpr auto ObjectName = "skinFrame";

    // Puts the frame on `window`: no window-manager frame, the content moved down and right by
    // the drawn frame, the window grown by it unless it sizes itself for it.
    static SkinFrame* attach(QWidget* window, const skin::Look& look);
    // The frame on `window`, or nullptr.
    static SkinFrame* of(const QWidget* window);
    // Takes the frame away and puts the window back as it was.
    void detach();

    void setLook(const skin::Look& look);
    QAbstractButton* closeButton() const { return close_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    SkinFrame(QWidget* window, const skin::Look& look);
    void fitToWindow();
    void shiftContent(int direction);
    void growWindow(int direction);
    void updateMask();

    QWidget* window_;
    skin::Look look_;
    SkinCloseButton* close_;
    QMargins savedMargins_;
    bool grown_ = false;
    bool dragging_ = false;
    QPoint dragOffset_;
};

}  // namespace tessivo::platform
