#pragma once

#include "capture/mode_inputs.h"

#include <QTimer>

namespace tessivo::capture {

// The modes' timer on a QTimer of the thread that creates it (the user-interface thread).
class QtTimer : public Timer {
public:
    QtTimer();
    void start(std::chrono::milliseconds interval) override;
    void stop() override { timer_.stop(); }
    bool active() const override { return timer_.isActive(); }
    void onTimeout(std::function<void()> handler) override { handler_ = std::move(handler); }

private:
    QTimer timer_;
    std::function<void()> handler_;
};

}  // namespace tessivo::capture
