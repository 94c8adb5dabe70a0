#include "platform/runtime.h"

#include <QByteArray>
#include <QtGlobal>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace tessivo::platform {

void ensureRuntimeDir() {
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) return;
    const QByteArray dir = "/tmp/tessivo-runtime-" + QByteArray::number(::getuid());
    if (::mkdir(dir.constData(), 0700) == 0 || errno == EEXIST) {
        struct stat info {};
        if (::stat(dir.constData(), &info) == 0 && info.st_uid == ::getuid() && (info.st_mode & 077) == 0)
            qputenv("XDG_RUNTIME_DIR", dir);
    }
}

}  // namespace tessivo::platform
