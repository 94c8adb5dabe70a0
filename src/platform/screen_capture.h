#pragma once

#include "capture/mode_inputs.h"
#include "capture/word_capture.h"
#include "platform/capture_x11.h"

#include <QObject>
#include <QPoint>
#include <QThread>

#include <atomic>
#include <memory>

// The screen-word capture component on X11: watches the pointer, reads the text under it on a
// worker thread when it comes to rest, and reports it to its sink on the user-interface thread.
namespace tessivo::platform {

class CaptureWorker;

class ScreenCapture : public QObject, public capture::WordCapture {
    Q_OBJECT

public:
    // How long the pointer must rest before the text under it is read.
    static constexpr int restMs = 12;

    explicit ScreenCapture(QObject* parent = nullptr);
    ~ScreenCapture() override;

    // Capture reads only while enabled (every move over the code row enables it again).
    bool setCaptureEnabled(bool enabled) override;
    // The backends to use: 1 accessible text, 2 screen text (OCR), 3 both.
    bool setCaptureMode(int mode) override;
    // What is reported: 1 the line around the pointer, 0 the pointed character alone.
    bool setCaptureOption(int option) override;
    std::optional<int> registerSink(capture::WordCaptureSink* sink) override;

    // Starts the worker, which reports through ready() whether the screen can be read. Call
    // after the set-up calls.
    void start();
    // Thread-safe: the pointer moved somewhere on the desktop.
    void pointerMoved();

signals:
    // Empty `reason` when screen lookup works; the `limitation` names a backend that does not.
    void ready(const QString& reason, const QString& limitation);

private:
    void deliver(const QString& line, int index, QPoint at, const QString& backend, qint64 readNs);

    QThread thread_;
    CaptureWorker* worker_ = nullptr;  // lives on thread_
    capture::WordCaptureSink* sink_ = nullptr;
    std::atomic<bool> enabled_{false};
    std::atomic<bool> movePosted_{false};
    std::atomic<qint64> lastMotionNs_{0};  // steady clock
    bool trace_ = false;                   // one line per report on standard error
    int mode_ = 3;
    int option_ = 1;
};

// The global pointer position, read on the thread that made the object.
class X11Pointer : public capture::PointerReader {
public:
    QPoint position() const override { return x11_.pointer(); }
    bool available() const { return x11_.open(); }

private:
    X11Connection x11_;
};

// A press latch per button fed by the raw button events: press() runs on the watcher's thread,
// the poll it wakes runs on the thread that made the object.
class X11ButtonLatch : public QObject, public capture::ButtonLatch {
public:
    bool takePress(capture::MouseButton button) override;
    void onPress(std::function<void()> handler) override { handler_ = std::move(handler); }
    void press(RawButton button);  // thread-safe

private:
    std::atomic<bool> latched_[2] = {false, false};
    std::atomic<bool> wakePosted_{false};
    std::function<void()> handler_;
};

}  // namespace tessivo::platform
