#include "platform/screen_reader.h"

#include "platform/modules.h"

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

}  // namespace

std::unique_ptr<ScreenReader> loadScreenReader(int backends) {
    QString problem;
    const auto factory = reinterpret_cast<ScreenReaderFactory>(moduleEntry(screenReaderModuleFile, screenReaderEntry, &problem));
    if (ScreenReader* reader = factory ? factory(screenReaderInterface, backends) : nullptr)
        return std::unique_ptr<ScreenReader>(reader);
    if (factory) problem = QStringLiteral("版本不符");
    return std::make_unique<NoScreenReader>(
        QStringLiteral("屏幕取词组件 %1 无法载入（%2），屏幕取词已关闭；输入查询照常可用。")
            .arg(QString::fromLatin1(screenReaderModuleFile), problem));
}

}  // namespace tessivo::platform
