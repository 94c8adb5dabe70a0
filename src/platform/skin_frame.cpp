#include "platform/skin_frame.h"

#include "platform/skin_engine.h"

#include <QEvent>
#include <QIcon>
#include <QLayout>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWindow>

namespace tessivo::platform {
namespace {

constexpr auto SizedProperty = "tessivoSizedForSkinFrame";
constexpr int CloseWidth = 20, CloseHeight = 17;

QColor colour(const skin::Look& look, skin::Colour c) { return QColor::fromRgb(look.colour(c)); }

// Without the window manager's frame, or with it again. A window that exists on screen keeps its
// native window: only its hints change, so nothing is hidden or re-created.
void setFrameless(QWidget* window, bool on) {
    Qt::WindowFlags flags = window->windowFlags();
    flags.setFlag(Qt::FramelessWindowHint, on);
    if (flags == window->windowFlags()) return;
    if (QWindow* handle = window->windowHandle()) {
        window->overrideWindowFlags(flags);
        handle->setFlags(flags);
    } else {
        window->setWindowFlags(flags);
    }
}

QMargins frameMargins() { return {SkinBorder, SkinTitleHeight, SkinBorder, SkinBorder}; }

}  // namespace

void setSizedForSkinFrame(QWidget* window) { window->setProperty(SizedProperty, true); }

bool hasSkinFrame(const QWidget* window) { return SkinFrame::of(window) != nullptr; }

SkinCloseButton::SkinCloseButton(const skin::Look& look, QWidget* parent) : QAbstractButton(parent), look_(look) {
    setObjectName(QStringLiteral("skinClose"));
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::ArrowCursor);
    setToolTip(QStringLiteral("关闭"));
}

void SkinCloseButton::setLook(const skin::Look& look) {
    look_ = look;
    update();
}

void SkinCloseButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QColor face = colour(look_, skin::Colour::CloseButton);
    if (isDown()) face = face.darker(130);
    else if (hovered_) face = face.lighter(120);
    p.setPen(colour(look_, skin::Colour::FrameLine));
    p.setBrush(face);
    p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    QPen cross(colour(look_, skin::Colour::CloseText), 2);
    p.setPen(cross);
    const QPointF c = QRectF(rect()).center();
    p.drawLine(c + QPointF(-4, -4), c + QPointF(4, 4));
    p.drawLine(c + QPointF(-4, 4), c + QPointF(4, -4));
}

void SkinCloseButton::enterEvent(QEnterEvent* event) {
    hovered_ = true;
    update();
    QAbstractButton::enterEvent(event);
}

void SkinCloseButton::leaveEvent(QEvent* event) {
    hovered_ = false;
    update();
    QAbstractButton::leaveEvent(event);
}

SkinFrame::SkinFrame(QWidget* window, const skin::Look& look)
    : QWidget(window), window_(window), look_(look), close_(new SkinCloseButton(look, this)) {
    setObjectName(QLatin1String(ObjectName));
    connect(close_, &QAbstractButton::clicked, window_, &QWidget::close);
    window_->installEventFilter(this);
}

SkinFrame* SkinFrame::of(const QWidget* window) {
    return window ? window->findChild<SkinFrame*>(QLatin1String(ObjectName), Qt::FindDirectChildrenOnly) : nullptr;
}

SkinFrame* SkinFrame::attach(QWidget* window, const skin::Look& look) {
    if (SkinFrame* existing = of(window)) {
        existing->setLook(look);
        return existing;
    }
    setFrameless(window, true);
    auto* frame = new SkinFrame(window, look);
    frame->shiftContent(+1);
    frame->growWindow(+1);
    frame->fitToWindow();
    frame->lower();
    frame->show();
    return frame;
}

void SkinFrame::detach() {
    window_->removeEventFilter(this);
    hide();
    shiftContent(-1);
    growWindow(-1);
    window_->clearMask();
    setFrameless(window_, false);
    deleteLater();
    setObjectName(QString());  // no longer found as the window's frame while it waits to go
}

void SkinFrame::setLook(const skin::Look& look) {
    look_ = look;
    close_->setLook(look);
    updateMask();
    update();
}

void SkinFrame::shiftContent(int direction) {
    if (window_->layout()) {
        // The layout keeps to the contents rectangle: widen its margins by the frame.
        if (direction > 0) savedMargins_ = window_->contentsMargins();
        window_->setContentsMargins(direction > 0 ? savedMargins_ + frameMargins() : savedMargins_);
        return;
    }
    const QPoint offset(SkinBorder * direction, SkinTitleHeight * direction);
    for (QWidget* child : window_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child != this && !child->isWindow()) child->move(child->pos() + offset);
    }
}

void SkinFrame::growWindow(int direction) {
    if (window_->property(SizedProperty).toBool()) return;
    if (QLayout* l = window_->layout(); l && l->sizeConstraint() == QLayout::SetFixedSize) return;
    if (direction < 0 && !grown_) return;
    const QSize extra = QSize(2 * SkinBorder, SkinTitleHeight + SkinBorder) * direction;
    if (window_->minimumSize() == window_->maximumSize()) window_->setFixedSize(window_->size() + extra);
    else window_->resize(window_->size() + extra);
    grown_ = direction > 0;
}

void SkinFrame::fitToWindow() {
    setGeometry(window_->rect());
    close_->setGeometry(width() - SkinBorder - CloseWidth - 3, (SkinTitleHeight - CloseHeight) / 2, CloseWidth,
                        CloseHeight);
    updateMask();
}

void SkinFrame::updateMask() {
    // Rounded upper corners cut out of the window itself, as a shaped window.
    if (look_.cornerRadius == 0) {
        window_->clearMask();
        return;
    }
    const QRect r = window_->rect();
    const int d = 2 * look_.cornerRadius;
    QRegion shape(r.adjusted(0, look_.cornerRadius, 0, 0));
    shape += QRegion(r.adjusted(look_.cornerRadius, 0, -look_.cornerRadius, 0));
    shape += QRegion(QRect(r.left(), r.top(), d, d), QRegion::Ellipse);
    shape += QRegion(QRect(r.right() - d + 1, r.top(), d, d), QRegion::Ellipse);
    window_->setMask(shape);
}

bool SkinFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_) {
        switch (event->type()) {
        case QEvent::Resize: fitToWindow(); break;
        case QEvent::WindowTitleChange:
        case QEvent::WindowIconChange:
        case QEvent::ActivationChange: update(); break;
        default: break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void SkinFrame::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QColor bottom = colour(look_, skin::Colour::TitleBottom);
    p.fillRect(rect(), colour(look_, skin::Colour::Window));
    QLinearGradient title(0, 0, 0, SkinTitleHeight);
    // An inactive window's title bar is paler, as window managers draw it.
    const qreal pale = window_->isActiveWindow() ? 0.0 : 0.35;
    const auto blend = [&](QColor c) {
        const QColor w = colour(look_, skin::Colour::Window);
        return QColor::fromRgbF(c.redF() * (1 - pale) + w.redF() * pale, c.greenF() * (1 - pale) + w.greenF() * pale,
                                c.blueF() * (1 - pale) + w.blueF() * pale);
    };
    title.setColorAt(0, blend(colour(look_, skin::Colour::TitleTop)));
    title.setColorAt(1, blend(bottom));
    p.fillRect(QRect(0, 0, width(), SkinTitleHeight), title);
    p.fillRect(QRect(0, SkinTitleHeight, SkinBorder, height()), blend(bottom));
    p.fillRect(QRect(width() - SkinBorder, SkinTitleHeight, SkinBorder, height()), blend(bottom));
    p.fillRect(QRect(0, height() - SkinBorder, width(), SkinBorder), blend(bottom));
    p.setPen(colour(look_, skin::Colour::FrameLine));
    p.drawRect(rect().adjusted(0, 0, -1, -1));

    int textLeft = 8;
    const QIcon icon = window_->windowIcon();
    if (!icon.isNull()) {
        icon.paint(&p, QRect(6, (SkinTitleHeight - 16) / 2, 16, 16));
        textLeft = 28;
    }
    QFont font(look_.titleFont);
    font.setPointSize(look_.titleFontSize);
    font.setBold(look_.titleBold);
    p.setFont(font);
    p.setPen(colour(look_, skin::Colour::TitleText));
    const QRect caption(textLeft, 0, close_->x() - textLeft - 4, SkinTitleHeight);
    p.drawText(caption, Qt::AlignVCenter | Qt::AlignLeft,
               p.fontMetrics().elidedText(window_->windowTitle(), Qt::ElideRight, caption.width()));
}

void SkinFrame::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || event->position().y() >= SkinTitleHeight) return;
    // The window manager moves the window when it can; otherwise follow the pointer ourselves.
    if (QWindow* handle = window_->windowHandle(); handle && handle->startSystemMove()) return;
    dragging_ = true;
    dragOffset_ = event->globalPosition().toPoint() - window_->pos();
}

void SkinFrame::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_) window_->move(event->globalPosition().toPoint() - dragOffset_);
}

void SkinFrame::mouseReleaseEvent(QMouseEvent*) { dragging_ = false; }

}  // namespace tessivo::platform
