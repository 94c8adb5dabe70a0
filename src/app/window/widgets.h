#pragma once

// Small builders shared by the main window's rows: every widget gets its control name as object
// name, its position in twips and the window's Song face.
#include "app/state/window_layout.h"

#include <QFont>
#include <QRect>
#include <QString>

class QFrame;
class QLabel;
class QWidget;

namespace tessivo::widgets {

QRect twips(int left, int top, int width, int height);
QFont songFont(double points, bool bold = false);
// A plain-text label sized to its text (or to `at` when autoSize is false).
QLabel* label(QWidget* parent, const QString& objectName, const QString& text, QRect at, const QFont& font,
              bool autoSize = true);
QFrame* frame(QWidget* parent, const QString& objectName, QRect at);

}  // namespace tessivo::widgets
