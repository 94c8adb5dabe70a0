#pragma once

#include <QString>

class QWidget;

namespace tessivo {

class MainController;

// For scripts and checks: after every change of the controller's state, once the window has
// redrawn its widgets, rewrites `path` with what the named labels and boxes of `window` show,
// one "name<TAB>text" per line.
void installWidgetDump(MainController& controller, QWidget* window, const QString& path);

}  // namespace tessivo
