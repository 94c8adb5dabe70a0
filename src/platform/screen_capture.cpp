#include "platform/screen_capture.h"

#include "platform/capture_engine.h"

#include <QElapsedTimer>
#include <QTimer>

#include <chrono>
#include <cstdio>

namespace tessivo::platform {

// Owns the capture engine on the worker thread; the engine's calls may take milliseconds (or,
// with a program that hangs, up to the accessibility timeout) and never block the window.
class CaptureWorker : public QObject {
    Q_OBJECT

public:
    explicit CaptureWorker(int backends) : backends_(backends) {}

    void begin() {
        engine_ = std::make_unique<CaptureEngine>(backends_);
        rest_ = new QTimer(this);
        rest_->setSingleShot(true);
        connect(rest_, &QTimer::timeout, this, &CaptureWorker::pointerRested);
        emit ready(engine_->unavailableReason(), engine_->limitation());
    }
    void moved() { rest_->start(ScreenCapture::restMs); }
    void pointerRested() {
        if (!engine_) return;
        const QPoint at = engine_->x11().pointer();
        if (at == last_ && retries_ == 0) return;  // still on the spot already read
        if (at != last_) retries_ = 0;
        last_ = at;
        QElapsedTimer took;
        took.start();
        if (auto hit = engine_->captureAt(at)) {
            retries_ = 0;
            emit captured(hit->line, hit->index, at, hit->backend, took.nsecsElapsed());
            return;
        }
        // A busy program (one registering with the accessibility bus, say) let the read run into
        // the bus's time-out: read again shortly while the pointer stays there.
        if (took.elapsed() > 250 && retries_ < 4) {
            ++retries_;
            rest_->start(400);
        } else {
            retries_ = 0;
        }
    }

signals:
    void ready(const QString& reason, const QString& limitation);
    void captured(const QString& line, int index, QPoint at, const QString& backend, qint64 readNs);

private:
    int backends_;
    std::unique_ptr<CaptureEngine> engine_;
    QTimer* rest_ = nullptr;
    QPoint last_{-1, -1};
    int retries_ = 0;
};

ScreenCapture::ScreenCapture(QObject* parent)
    : QObject(parent), trace_(!qEnvironmentVariableIsEmpty("TESSIVO_CAPTURE_TRACE")) {}

ScreenCapture::~ScreenCapture() {
    thread_.quit();
    thread_.wait();
}

bool ScreenCapture::setCaptureEnabled(bool enabled) {
    enabled_ = enabled;
    return true;
}

bool ScreenCapture::setCaptureMode(int mode) {
    if (mode < 1 || mode > 3) return false;
    mode_ = mode;
    return true;
}

bool ScreenCapture::setCaptureOption(int option) {
    if (option != 0 && option != 1) return false;
    option_ = option;
    return true;
}

std::optional<int> ScreenCapture::registerSink(capture::WordCaptureSink* sink) {
    if (!sink) return std::nullopt;
    sink_ = sink;
    return 1;
}

void ScreenCapture::start() {
    if (worker_) return;
    worker_ = new CaptureWorker(mode_);
    worker_->moveToThread(&thread_);
    connect(&thread_, &QThread::started, worker_, &CaptureWorker::begin);
    connect(&thread_, &QThread::finished, worker_, &QObject::deleteLater);
    connect(worker_, &CaptureWorker::ready, this, &ScreenCapture::ready);  // queued: another thread
    connect(worker_, &CaptureWorker::captured, this, &ScreenCapture::deliver);
    thread_.setObjectName(QStringLiteral("screen capture"));
    thread_.start();
}

void ScreenCapture::pointerMoved() {
    lastMotionNs_ = std::chrono::steady_clock::now().time_since_epoch().count();
    // One queued call at a time, however fast the motion events come.
    if (!worker_ || movePosted_.exchange(true)) return;
    QMetaObject::invokeMethod(worker_, [this] {
        movePosted_ = false;
        worker_->moved();
    }, Qt::QueuedConnection);
}

void ScreenCapture::deliver(const QString& line, int index, QPoint at, const QString& backend, qint64 readNs) {
    if (!sink_ || !enabled_) return;
    const QList<uint> chars = line.toUcs4();
    const QString word = index >= 0 && index < chars.size() ? QString::fromUcs4(reinterpret_cast<const char32_t*>(&chars[index]), 1) : QString();
    if (option_ == 0) sink_->queryWord(word, at.x(), at.y(), word, 0, 0);
    else sink_->queryWord(word, at.x(), at.y(), line, index, 0);
    if (trace_) {
        // From the last pointer motion (the pointer came to rest) to the lookup shown.
        const qint64 sinceRest = std::chrono::steady_clock::now().time_since_epoch().count() - lastMotionNs_;
        std::fprintf(stderr, "capture backend=%s character=%s read_ms=%.2f rest_to_shown_ms=%.2f\n", qPrintable(backend),
                     word.toUtf8().constData(), double(readNs) / 1e6, double(sinceRest) / 1e6);
    }
}

bool X11ButtonLatch::takePress(capture::MouseButton button) {
    return latched_[button == capture::MouseButton::Left ? 0 : 1].exchange(false);
}

void X11ButtonLatch::press(RawButton button) {
    latched_[button == RawButton::Left ? 0 : 1] = true;
    if (wakePosted_.exchange(true)) return;
    QMetaObject::invokeMethod(this, [this] {
        wakePosted_ = false;
        if (handler_) handler_();
    }, Qt::QueuedConnection);
}

}  // namespace tessivo::platform

#include "screen_capture.moc"
