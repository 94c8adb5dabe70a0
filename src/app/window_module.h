#pragma once

#include <cstring>

// The window and the modes that draw live in a module the executable loads only for them, so that
// the text modes start without Qt's GUI libraries.
namespace tessivo {

inline constexpr const char* windowModuleFile = "tessivo-window.so";
inline constexpr const char* windowModuleEntry = "tessivo_window_main";
// Runs the window, or a mode that draws, as a program's main() would.
using WindowMain = int (*)(int argc, char** argv);

// The window opens when no mode is asked for (the start-up measurement's flag aside).
inline bool wantsWindow(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--quit-after-paint") != 0) return false;
    }
    return true;
}

// The modes that draw or read the screen (the panels as a picture, the window's widget map, the
// printed chart, screen capture) need fonts and a platform; the others are plain text.
inline bool drawsSomething(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        for (const char* mode : {"--render", "--widget-map", "--print-chart", "--capture-at"})
            if (std::strcmp(argv[i], mode) == 0) return true;
    }
    return false;
}

}  // namespace tessivo
