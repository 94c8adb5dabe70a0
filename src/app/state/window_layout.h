#pragma once

#include "lookup/panel_geometry.h"

#include <QSize>
#include <QString>

#include <optional>

// The main window's size and expand state, in twips, without widgets.
namespace tessivo {

namespace layout {
// The outer window size when collapsed and when expanded; the expanded size is also where the
// parking box lies, just outside the client area.
inline constexpr int CollapsedLeft = 6780, CollapsedTop = 2890;
inline constexpr int ExpandedLeft = 6780, ExpandedTop = 5400;
inline constexpr int SkinExtraHeight = 100;
// The outer size includes a border and title bar of this size around the designed client area.
inline constexpr int FrameWidth = 6780 - 6690, FrameHeight = 2890 - 2550;
inline constexpr int twipsToPixels(int twips) { return twips / panel::TwipsPerPixel; }
// The widget size of a window whose outer size is given in twips. Without a skin the window
// manager's frame lies around the widget; with one the window draws its own frame inside the
// widget, which is then the whole window.
inline QSize widgetSize(int outerWidth, int outerHeight, bool skinActive) {
    if (skinActive) return {twipsToPixels(outerWidth), twipsToPixels(outerHeight)};
    return {twipsToPixels(outerWidth - FrameWidth), twipsToPixels(outerHeight - FrameHeight)};
}
}  // namespace layout

// Collapsed / expanded switch of the main window, with the caption of its button.
class ExpandSwitch {
public:
    struct Outer {
        std::optional<int> width;  // unchanged when empty (a skin keeps the width)
        int height;
    };

    bool expanded() const { return expanded_; }
    // The button's caption: only the first one carries a leading blank.
    QString buttonCaption() const;

    // Size of the current state under the size rule.
    Outer size(bool skinActive) const;
    // Toggles and returns whether the lower panel is now shown.
    bool toggle();

private:
    bool expanded_ = false;
    bool toggledOnce_ = false;
};

}  // namespace tessivo
