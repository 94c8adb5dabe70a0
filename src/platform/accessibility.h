#pragma once

#include <QString>

// The desktop's accessibility switch. Programs expose their text to other programs only while
// it is on, so screen lookup turns it on, as screen readers do.
namespace tessivo::platform {

// Turns the switch on when it is off, starting the accessibility bus through D-Bus activation
// when none runs. Empty on success, else why the accessible text cannot be read.
QString switchOnAccessibility();

}  // namespace tessivo::platform
