#pragma once

#include <QString>

class QDBusConnection;

// The desktop's accessibility switch. Programs expose their text to other programs only while
// it is on, so screen lookup turns it on, as screen readers do.
namespace tessivo::platform {

// Turns the switch on when it is off, starting the accessibility bus through D-Bus activation
// when none runs. Empty on success, else why the accessible text cannot be read.
QString switchOnAccessibility();

// Points the accessibility library at the bus that answers on `session` now, never at an address
// a bus that has gone away left behind. Empty on success, else why the bus cannot be reached.
QString pinAccessibilityBus(const QDBusConnection& session);

}  // namespace tessivo::platform
