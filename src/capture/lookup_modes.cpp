#include "capture/lookup_modes.h"

#include "platform/gbk_codec.h"

namespace tessivo::capture {

QString withoutArrow(const QString& captured) {
    if (captured == QStringLiteral("↓") || captured == QStringLiteral("↑")) return QStringLiteral("9");
    return captured;
}

bool isDoubleByte(const QString& captured) {
    const auto key = gbk::charKey(captured);
    return key && *key < 0;
}

bool positionsMatch(const QString& captureX, const QString& captureY, const QString& pressX, const QString& pressY) {
    return !(pressY != captureY && pressX != captureX);
}

LookupModes::LookupModes(ModeHost& host, PointerReader& pointer, ButtonLatch& buttons, Timer& recheck)
    : host_(host), pointer_(pointer), buttons_(buttons), recheck_(recheck) {
    recheck_.onTimeout([this] { this->recheck(); });
    buttons_.onPress([this] {
        if (pollEnabled_) pollButtons();
    });
}

void LookupModes::applyArrowFilter() {
    const QString captured = host_.capturedCharacter();
    const QString filtered = withoutArrow(captured);
    if (filtered != captured) host_.setCapturedCharacter(filtered);
}

bool LookupModes::pressStep(bool lastButton) {
    applyArrowFilter();
    if (!isDoubleByte(host_.capturedCharacter())) return false;
    const QPoint at = pointer_.position();
    host_.setPressPosition(QString::number(at.x()), QString::number(at.y()));
    if (!positionsMatch(host_.captureX(), host_.captureY(), host_.pressX(), host_.pressY())) {
        recheck_.start(recheckInterval);
        return false;
    }
    host_.handOver(host_.capturedCharacter());
    recheck_.start(recheckInterval);
    return !lastButton;
}

void LookupModes::pollButtons() {
    // Both buttons are read in both modes, so a press made in the hover mode is spent there.
    if (buttons_.takePress(MouseButton::Left) && host_.inClickMode()) {
        if (!pressStep(false)) return;
    }
    if (buttons_.takePress(MouseButton::Right) && host_.inClickMode()) pressStep(true);
}

void LookupModes::recheck() {
    applyArrowFilter();
    if (!isDoubleByte(host_.capturedCharacter())) return;  // keeps re-checking until one arrives
    if (positionsMatch(host_.captureX(), host_.captureY(), host_.pressX(), host_.pressY()) &&
        host_.shownCharacter() != host_.capturedCharacter())
        host_.handOver(host_.capturedCharacter());
    recheck_.stop();
}

void LookupModes::capturedChanged() {
    if (host_.inClickMode()) return;
    applyArrowFilter();
    if (isDoubleByte(host_.capturedCharacter())) host_.handOver(host_.capturedCharacter());
}

void LookupModes::clickModeEntered() {
    pollEnabled_ = true;
    recheck_.stop();
}

}  // namespace tessivo::capture
