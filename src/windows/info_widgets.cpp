#include "windows/info_widgets.h"

#include <QMouseEvent>
#include <QScreen>
#include <QWidget>

namespace tessivo::windows {

namespace {
QString colourSheet(const QColor& c) { return QStringLiteral("color: rgb(%1,%2,%3);").arg(c.red()).arg(c.green()).arg(c.blue()); }
}  // namespace

QFont songFont(double points, bool bold, bool underline) {
    QFont f(QStringLiteral("宋体"));
    f.setPointSizeF(points);
    f.setBold(bold);
    f.setUnderline(underline);
    return f;
}

QLabel* textLabel(QWidget* parent, const QString& objectName, const QString& text, QPoint at, const QFont& font,
                  const QColor& colour) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(objectName);
    l->setTextFormat(Qt::PlainText);
    l->setFont(font);
    // The colours are part of these windows' design: a sheet of the label's own keeps them under a skin.
    l->setStyleSheet(colourSheet(colour));
    l->move(at);
    l->adjustSize();
    return l;
}

LinkLabel::LinkLabel(QWidget* parent, const QString& objectName, const QString& caption, const QString& address,
                     QPoint at, const QFont& font, const QColor& colour)
    : QLabel(caption, parent), address_(address) {
    setObjectName(objectName);
    setTextFormat(Qt::PlainText);
    QFont underlined = font;
    underlined.setUnderline(true);
    setFont(underlined);
    setStyleSheet(colourSheet(colour));
    setCursor(Qt::PointingHandCursor);
    move(at);
    adjustSize();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit activated(address_);
}

void makeFixedDialog(QWidget* window, const QString& objectName, const QString& caption, int width, int height) {
    window->setObjectName(objectName);
    window->setWindowTitle(caption);
    window->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setFixedSize(px(width), px(height));
}

void centreOnScreen(QWidget* window) {
    const QScreen* screen = window->screen();
    if (!screen) return;
    const QRect area = screen->geometry();
    const QSize outer = window->frameGeometry().size();
    window->move(area.left() + (area.width() - outer.width()) / 2, area.top() + (area.height() - outer.height()) / 2);
}

}  // namespace tessivo::windows
