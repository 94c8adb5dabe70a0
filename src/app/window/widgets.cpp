#include "app/window/widgets.h"

#include <QFrame>
#include <QLabel>

namespace tessivo::widgets {

QRect twips(int left, int top, int width, int height) {
    using layout::twipsToPixels;
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

QFont songFont(double points, bool bold) {
    QFont f(QStringLiteral("宋体"));
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

QLabel* label(QWidget* parent, const QString& objectName, const QString& text, QRect at, const QFont& font,
              bool autoSize) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(objectName);
    // Labels show text from users and files: never interpreted as markup.
    l->setTextFormat(Qt::PlainText);
    l->setFont(font);
    l->move(at.topLeft());
    if (autoSize) l->adjustSize();
    else l->resize(at.size());
    return l;
}

QFrame* frame(QWidget* parent, const QString& objectName, QRect at) {
    auto* f = new QFrame(parent);
    f->setObjectName(objectName);
    f->setGeometry(at);
    f->setFrameShape(QFrame::NoFrame);
    return f;
}

}  // namespace tessivo::widgets
