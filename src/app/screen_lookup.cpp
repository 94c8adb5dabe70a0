#include "app/screen_lookup.h"

#include "app/state/main_controller.h"

#include <cstdio>

namespace tessivo {

ScreenLookup::ScreenLookup(MainController& controller) : controller_(controller) {}

ScreenLookup::~ScreenLookup() { input_.stop(); }

void ScreenLookup::start() {
    if (!capture::setUpCapture(capture_, controller_))
        reportOff(QStringLiteral("屏幕取词组件拒绝了设置，屏幕取词已关闭。"));
    controller_.attachCapture(pointer_, buttons_, recheck_);
    // For scripts and checks: start in the hover mode.
    if (qEnvironmentVariable("TESSIVO_LOOKUP_MODE") == u"hover") controller_.selectLookupMode(LookupMode::Hover);
    if (!pointer_.available()) {
        reportOff(QStringLiteral("没有 X11 显示（例如没有 XWayland 的 Wayland 会话），屏幕取词已关闭；输入查询照常可用。"));
        return;
    }
    QObject::connect(&capture_, &platform::ScreenCapture::ready, &capture_,
                     [this](const QString& reason, const QString& limitation) {
                         if (!reason.isEmpty()) reportOff(reason);
                         else if (!limitation.isEmpty())
                             std::fprintf(stderr, "tessivo: %s\n", limitation.toUtf8().constData());
                     });
    input_.onButton([this](platform::RawButton b) { buttons_.press(b); });
    input_.onMotion([this] { capture_.pointerMoved(); });
    if (!input_.start()) reportOff(QStringLiteral("X 服务器没有 XInput2 扩展，屏幕取词已关闭。"));
    capture_.start();
}

void ScreenLookup::reportOff(const QString& reason) {
    controller_.setScreenLookupOff(reason);
    if (reported_) return;
    reported_ = true;
    std::fprintf(stderr, "tessivo: %s\n", reason.toUtf8().constData());
}

}  // namespace tessivo
