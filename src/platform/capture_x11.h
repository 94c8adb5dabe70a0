#pragma once

#include <QPoint>
#include <QRect>

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <thread>
#include <vector>

// The X11 side of screen capture: the pointer, the window under it, screen pixels, and the raw
// button and motion events of the whole desktop. Each object opens its own connection to the X
// server, since an Xlib connection belongs to one thread.
namespace tessivo::platform {

// One connection to the X server; closed with the object.
class X11Connection {
public:
    X11Connection();
    ~X11Connection();
    X11Connection(const X11Connection&) = delete;
    X11Connection& operator=(const X11Connection&) = delete;

    bool open() const { return display_ != nullptr; }
    QPoint pointer() const;
    // The process that owns the top-level window at `at` (its _NET_WM_PID), 0 when unknown.
    std::int64_t windowProcessAt(QPoint at) const;
    // The screen pixels of `area` (clipped to the screen) as 8-bit grey, row by row.
    struct Grey {
        QRect area;
        std::vector<std::uint8_t> pixels;
    };
    std::optional<Grey> grabGrey(QRect area) const;

private:
    void* display_ = nullptr;  // Display*, kept out of this header: Xlib's macros clash with Qt's names
};

enum class RawButton { Left, Right };

// Listens on its own connection for the raw button presses and pointer motion of the whole
// desktop (XInput2 on the root window: no grab, nothing taken from other programs) in a thread.
// The handlers run on that thread.
class X11InputWatcher {
public:
    X11InputWatcher() = default;
    ~X11InputWatcher();

    void onButton(std::function<void(RawButton)> handler) { buttonHandler_ = std::move(handler); }
    void onMotion(std::function<void()> handler) { motionHandler_ = std::move(handler); }
    // Starts the thread; false (with nothing running) without an X server or XInput2.
    bool start();
    void stop();

private:
    void run();
    void handle(void* event);  // one XEvent

    void* display_ = nullptr;
    int opcode_ = 0;
    int wakePipe_[2] = {-1, -1};
    std::thread thread_;
    std::function<void(RawButton)> buttonHandler_;
    std::function<void()> motionHandler_;
};

}  // namespace tessivo::platform
