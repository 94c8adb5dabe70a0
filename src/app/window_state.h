#pragma once

#include "lookup/panel_geometry.h"

#include <QString>

#include <optional>

// The main window's size and expand state, in twips, without widgets.
namespace tessivo {

namespace layout {
inline constexpr int TwipsPerPixel = panel::TwipsPerPixel;
// Markers whose Left/Top give the outer window size when collapsed (Label20) and expanded (Text88).
inline constexpr int Label20Left = 6780, Label20Top = 2890;
inline constexpr int Text88Left = 6780, Text88Top = 5400;
inline constexpr int SkinExtraHeight = 100;
// The outer size includes a border and title bar of this size around the designed client area.
inline constexpr int FrameWidth = 6780 - 6690, FrameHeight = 2890 - 2550;
inline constexpr int twipsToPixels(int twips) { return twips / TwipsPerPixel; }
}  // namespace layout

enum class FocusBox { Text5, Text88 };

// Collapsed / expanded switch of the main window (Label26, Frame2, Command1).
class ExpandSwitch {
public:
    struct Outer {
        std::optional<int> width;  // unchanged when empty (a skin keeps the width)
        int height;
    };

    QString label26() const { return label26_; }
    bool expanded() const { return label26_ == u"1"; }
    bool frame2Visible() const { return expanded(); }
    QString command1Caption() const { return caption_; }

    // Size of the current state under the size rule.
    Outer size(bool skinActive) const;
    // Click of Command1: toggles and returns the box that takes the focus.
    FocusBox click();

private:
    QString label26_ = QStringLiteral("0");
    QString caption_ = QStringLiteral(" 查询↓");
};

}  // namespace tessivo
