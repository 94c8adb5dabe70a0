#include "app/state/window_layout.h"

namespace tessivo {

QString ExpandSwitch::buttonCaption() const {
    if (expanded_) return QStringLiteral("查询↑");
    return toggledOnce_ ? QStringLiteral("查询↓") : QStringLiteral(" 查询↓");
}

ExpandSwitch::Outer ExpandSwitch::size(bool skinActive) const {
    const int left = expanded_ ? layout::ExpandedLeft : layout::CollapsedLeft;
    const int top = expanded_ ? layout::ExpandedTop : layout::CollapsedTop;
    if (skinActive) return {std::nullopt, top + layout::SkinExtraHeight};
    return {left, top};
}

bool ExpandSwitch::toggle() {
    expanded_ = !expanded_;
    toggledOnce_ = true;
    return expanded_;
}

}  // namespace tessivo
