#pragma once

// Small builders for the chart, About and Help windows: positions in twips, the Song face,
// plain labels, link labels and fixed dialog frames.

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QRect>
#include <QString>

namespace tessivo::windows {

inline constexpr int TwipsPerPixel = 15;
inline constexpr int px(int twips) { return twips / TwipsPerPixel; }
inline QPoint twipsPoint(int left, int top) { return {px(left), px(top)}; }
inline QRect twipsRect(int left, int top, int width, int height) { return {px(left), px(top), px(width), px(height)}; }

QFont songFont(double points, bool bold = false, bool underline = false);

// A plain-text label at `at` (twips), sized to its text, in `colour`.
QLabel* textLabel(QWidget* parent, const QString& objectName, const QString& text, QPoint at, const QFont& font,
                  const QColor& colour);

// A label that opens an address when clicked: underlined, with the hand-shaped pointer over it.
class LinkLabel : public QLabel {
    Q_OBJECT

public:
    LinkLabel(QWidget* parent, const QString& objectName, const QString& caption, const QString& address, QPoint at,
              const QFont& font, const QColor& colour);
    // What a click opens (for the e-mail link "mailto:" and the address).
    QString address() const { return address_; }

signals:
    void activated(const QString& address);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QString address_;
};

// Makes `window` a fixed dialog without minimize and maximize boxes, with a client area of
// `width` x `height` twips, deleted when it closes (each opening builds it anew).
void makeFixedDialog(QWidget* window, const QString& objectName, const QString& caption, int width, int height);

// Moves `window` to the middle of its screen.
void centreOnScreen(QWidget* window);

}  // namespace tessivo::windows
