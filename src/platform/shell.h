#pragma once

#include <QString>

namespace tessivo::platform {

// Asks the desktop to open a web or mail address. Fire and forget: the caller does not wait
// for a browser. Returns whether the request could be handed to the desktop.
bool openUrl(const QString& address);

}  // namespace tessivo::platform
