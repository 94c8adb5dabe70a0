#include "shell.h"

#include <QDesktopServices>
#include <QUrl>

namespace tessivo::platform {

bool openUrl(const QString& address) {
    const QUrl url = QUrl::fromUserInput(address);
    if (!url.isValid()) return false;
    return QDesktopServices::openUrl(url);
}

}  // namespace tessivo::platform
