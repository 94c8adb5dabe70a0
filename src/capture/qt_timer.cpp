#include "capture/qt_timer.h"

namespace tessivo::capture {

QtTimer::QtTimer() {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        if (handler_) handler_();
    });
}

void QtTimer::start(std::chrono::milliseconds interval) {
    // Enabling a running re-check starts its period anew, as a fresh press should.
    timer_.start(interval);
}

}  // namespace tessivo::capture
