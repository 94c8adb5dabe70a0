#include "shell.h"

#include <QDesktopServices>

namespace tessivo::platform {

QUrl urlOf(const QString& address) { return QUrl::fromUserInput(address); }

bool openUrl(const QString& address) {
    const QUrl url = urlOf(address);
    if (!url.isValid()) return false;
    return QDesktopServices::openUrl(url);
}

}  // namespace tessivo::platform
