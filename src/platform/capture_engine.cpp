#include "platform/capture_engine.h"

#include "platform/accessibility.h"
#include "platform/capture_ocr.h"

#include <QStringList>

#include <unistd.h>

namespace tessivo::platform {

CaptureEngine::CaptureEngine(int backends) : ownProcess_(getpid()) {
    if (!x11_.open()) {
        unavailable_ = QStringLiteral("没有 X11 显示（例如没有 XWayland 的 Wayland 会话），屏幕取词已关闭；输入查询照常可用。");
        return;
    }
    QStringList problems;
    if (backends & AccessibleText) {
        const QString problem = switchOnAccessibility();
        if (problem.isEmpty()) atspi_ = std::make_unique<AtspiReader>();
        if (!atspi_ || !atspi_->ready()) {
            atspi_.reset();
            problems << (problem.isEmpty() ? QStringLiteral("辅助功能总线不可用") : problem);
        }
    }
    if (backends & ScreenText) {
        ocr_ = std::make_unique<OcrReader>();
        if (!ocr_->ready()) {
            ocr_.reset();
            problems << QStringLiteral("没有文字识别模型（tesseract-ocr-chi-sim）");
        }
    }
    if (!atspi_ && !ocr_) unavailable_ = QStringLiteral("屏幕取词已关闭：%1。").arg(problems.join(QStringLiteral("；")));
    limitation_ = problems.join(QStringLiteral("；"));
}

CaptureEngine::~CaptureEngine() = default;

std::optional<CaptureHit> CaptureEngine::captureAt(QPoint at) {
    if (!x11_.open()) return std::nullopt;
    const std::int64_t owner = x11_.windowProcessAt(at);
    if (owner == ownProcess_) return std::nullopt;
    if (atspi_) {
        if (auto hit = atspi_->readAt(at, owner)) return hit;
    }
    if (ocr_) return ocr_->readAt(x11_, at);
    return std::nullopt;
}

}  // namespace tessivo::platform
