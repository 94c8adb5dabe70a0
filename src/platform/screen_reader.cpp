#include "platform/screen_reader.h"

#include <QDir>
#include <QFileInfo>

#include <dlfcn.h>

#include <mutex>

namespace tessivo::platform {

namespace {

// Stands in for the module's reader when the module cannot be loaded.
class NoScreenReader : public ScreenReader {
public:
    explicit NoScreenReader(QString reason) : reason_(std::move(reason)) {}
    const QString& unavailableReason() const override { return reason_; }
    const QString& limitation() const override { return reason_; }
    QPoint pointer() const override { return {}; }
    std::optional<CaptureHit> captureAt(QPoint) override { return std::nullopt; }

private:
    QString reason_;
};

struct LoadedModule {
    ScreenReaderFactory factory = nullptr;
    QString problem;
};

// The module stays loaded for the rest of the run: the libraries it pulls in (GLib's types,
// the OCR engine's globals) are not made to be unloaded.
LoadedModule loadModule() {
    const QString path = QDir(executableFolder()).filePath(QString::fromLatin1(screenReaderModuleFile));
    void* handle = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) return {nullptr, QString::fromLocal8Bit(dlerror())};
    auto factory = reinterpret_cast<ScreenReaderFactory>(dlsym(handle, screenReaderEntry));
    if (!factory) return {nullptr, QString::fromLocal8Bit(dlerror())};
    return {factory, {}};
}

}  // namespace

QString executableFolder() {
    return QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath()).absolutePath();
}

std::unique_ptr<ScreenReader> loadScreenReader(int backends) {
    static std::once_flag once;
    static LoadedModule module;
    std::call_once(once, [] { module = loadModule(); });
    ScreenReader* reader = module.factory ? module.factory(screenReaderInterface, backends) : nullptr;
    if (reader) return std::unique_ptr<ScreenReader>(reader);
    const QString problem = module.factory ? QStringLiteral("版本不符") : module.problem;
    return std::make_unique<NoScreenReader>(
        QStringLiteral("屏幕取词组件 %1 无法载入（%2），屏幕取词已关闭；输入查询照常可用。")
            .arg(QString::fromLatin1(screenReaderModuleFile), problem));
}

}  // namespace tessivo::platform
