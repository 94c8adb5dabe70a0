#pragma once

#include <QPoint>
#include <QString>

#include <chrono>
#include <functional>

// What the click and hover lookup modes read from the outside world, injected so that the mode
// machines run headless in tests with fakes and on X11 with the platform's readers.
namespace tessivo::capture {

// Monotonic time.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::chrono::milliseconds now() const = 0;
};

// The global pointer position in screen pixels.
class PointerReader {
public:
    virtual ~PointerReader() = default;
    virtual QPoint position() const = 0;
};

enum class MouseButton { Left, Right };

// A press latch per button: a press counts once, at the first read after it happened, and a
// button held down counts once.
class ButtonLatch {
public:
    virtual ~ButtonLatch() = default;
    virtual bool takePress(MouseButton button) = 0;
    // `handler` runs on the user-interface thread soon after a press was latched, so that the
    // button poll runs when something happened instead of waking every millisecond.
    virtual void onPress(std::function<void()> handler) = 0;
};

// A repeating timer that calls its handler on the user-interface thread.
class Timer {
public:
    virtual ~Timer() = default;
    virtual void start(std::chrono::milliseconds interval) = 0;
    virtual void stop() = 0;
    virtual bool active() const = 0;
    virtual void onTimeout(std::function<void()> handler) = 0;
};

// Where a captured character goes: the main window's hand-over to every lookup.
using HandOver = std::function<void(const QString& character)>;

}  // namespace tessivo::capture
