#include "platform/modules.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <dlfcn.h>

namespace tessivo::platform {

QString executableFolder() {
    return QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath()).absolutePath();
}

void* moduleEntry(const char* file, const char* entry, QString* problem) {
    const QString path = QDir(executableFolder()).filePath(QString::fromLatin1(file));
    // Loading the same file again returns the same handle: the module is loaded once.
    void* handle = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    void* address = handle ? dlsym(handle, entry) : nullptr;
    if (!address && problem) *problem = QString::fromLocal8Bit(dlerror());
    return address;
}

}  // namespace tessivo::platform
