#pragma once

#include <QString>
#include <QUrl>

namespace tessivo::platform {

// Asks the desktop to open a web or mail address. Fire and forget: the caller does not wait
// for a browser. Returns whether the request could be handed to the desktop.
bool openUrl(const QString& address);

// The address as openUrl hands it over. Percent-encoded bytes stay exactly as written (a query
// of GBK bytes is not re-encoded as UTF-8).
QUrl urlOf(const QString& address);

}  // namespace tessivo::platform
