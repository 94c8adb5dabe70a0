#pragma once

#include "capture/qt_timer.h"
#include "platform/capture_x11.h"
#include "platform/screen_capture.h"

namespace tessivo {

class MainController;

// Screen lookup for one run: the capture component with the main controller as its sink, and
// the click and hover modes bound to the pointer, the button latch and the re-check timer.
class ScreenLookup {
public:
    explicit ScreenLookup(MainController& controller);
    ~ScreenLookup();

    // The load step's set-up: the component's four calls, then the modes (whose button poll
    // starts in the click mode). Where the screen cannot be read the program goes on without
    // screen lookup and the controller holds the reason, reported once.
    void start();
    // The pointer moved over the code row: capture is enabled again.
    void codeRowHovered() { capture_.setCaptureEnabled(true); }

private:
    void reportOff(const QString& reason);

    MainController& controller_;
    platform::X11InputWatcher input_;
    platform::X11Pointer pointer_;
    platform::X11ButtonLatch buttons_;
    capture::QtTimer recheck_;  // Timer2
    platform::ScreenCapture capture_;
    bool reported_ = false;
};

}  // namespace tessivo
