#pragma once

#include <QString>

namespace tessivo {

// The look the main window's widgets need whatever the skin: one sheet keyed by object name,
// so a skin applied to the whole program is not overridden widget by widget.
QString baseStyleSheet();

}  // namespace tessivo
