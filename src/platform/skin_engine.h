#pragma once

#include "platform/skin_file.h"

#include <QString>

#include <optional>

class QWidget;

// The skin engine: applies a ".urf" skin (docs/skin-format.md) to every window of the program,
// including windows made later. A skinned window loses the window manager's frame and gets a
// drawn one instead: a title bar with its caption and a close button (drag it to move the
// window) and a thin border; the program's palette and style sheet come from the skin.
namespace tessivo::platform {

// The drawn frame, in pixels: the title bar on top and the border on the other three sides.
// Together they are 100 twips taller than the window manager's frame the main window is
// designed for, which is why a skinned main window grows by that much.
inline constexpr int SkinTitleHeight = 26;
inline constexpr int SkinBorder = 3;

class SkinEngine {
public:
    // Mode 2 applies the skin file at `skinPath` (found ignoring the letter case of its name)
    // to all windows, now and later, and returns 1; a file it cannot accept is refused whole
    // with a message on standard error, changes nothing, and gives 0. Modes 0 and 1 take any
    // skin away (1 is the start-up's "no skin could be applied") and return 1. Other modes are
    // refused with 0.
    static int start(const QString& skinPath, int mode);
    // Takes any skin away and stops watching new windows.
    static void remove();

    // The look applied now, if any.
    static std::optional<skin::Look> current();
};

// A window that sizes itself for the drawn frame (the main window and Settings follow their own
// size rules); any other window grows by the frame when skinned and shrinks back after.
void setSizedForSkinFrame(QWidget* window);

// Whether `window` carries the drawn frame now.
bool hasSkinFrame(const QWidget* window);

}  // namespace tessivo::platform
