#include "window_state.h"

namespace tessivo {

ExpandSwitch::Outer ExpandSwitch::size(bool skinActive) const {
    const int left = expanded() ? layout::Text88Left : layout::Label20Left;
    const int top = expanded() ? layout::Text88Top : layout::Label20Top;
    if (skinActive) return {std::nullopt, top + layout::SkinExtraHeight};
    return {left, top};
}

FocusBox ExpandSwitch::click() {
    label26_ = label26_ != u"0" ? QStringLiteral("0") : QStringLiteral("1");
    if (expanded()) {
        caption_ = QStringLiteral("查询↑");
        return FocusBox::Text5;
    }
    caption_ = QStringLiteral("查询↓");
    return FocusBox::Text88;
}

}  // namespace tessivo
