#pragma once

// Fakes of the modes' inputs: a pointer that is where the test puts it, a latch the test
// presses, and a timer the test fires.
#include "capture/lookup_modes.h"

#include <vector>

namespace tessivo::capture::testing {

class FakePointer : public PointerReader {
public:
    QPoint at;
    int reads = 0;
    QPoint position() const override {
        ++const_cast<FakePointer*>(this)->reads;
        return at;
    }
};

// Latches like the real one: a press is counted once at the first read after it; holding the
// button adds nothing. press() wakes the poll as a press event would.
class FakeLatch : public ButtonLatch {
public:
    bool latched[2] = {false, false};
    std::vector<MouseButton> reads;
    bool takePress(MouseButton b) override {
        reads.push_back(b);
        const bool was = latched[int(b)];
        latched[int(b)] = false;
        return was;
    }
    void onPress(std::function<void()> handler) override { wake_ = std::move(handler); }
    void press(MouseButton b) {
        latched[int(b)] = true;
        if (wake_) wake_();
    }

private:
    std::function<void()> wake_;
};

class FakeTimer : public Timer {
public:
    bool running = false;
    int starts = 0;
    std::chrono::milliseconds interval{0};
    void start(std::chrono::milliseconds i) override {
        running = true;
        interval = i;
        ++starts;
    }
    void stop() override { running = false; }
    bool active() const override { return running; }
    void onTimeout(std::function<void()> handler) override { handler_ = std::move(handler); }
    void fire() {
        if (running && handler_) handler_();
    }

private:
    std::function<void()> handler_;
};

}  // namespace tessivo::capture::testing
