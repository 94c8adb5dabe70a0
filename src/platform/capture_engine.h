#pragma once

#include "platform/capture_atspi.h"
#include "platform/capture_x11.h"

#include <memory>

// Reads the text under a screen point with the backends the desktop offers: the accessible text
// of the program there first, then (for programs that expose none) OCR of the screen pixels.
// Lives on one thread, the capture's worker or a command-line run.
namespace tessivo::platform {

class OcrReader;

enum CaptureBackend { AccessibleText = 1, ScreenText = 2 };

class CaptureEngine {
public:
    // `backends` is a set of CaptureBackend bits.
    explicit CaptureEngine(int backends = AccessibleText | ScreenText);
    ~CaptureEngine();

    // Empty when some backend can read the screen, else why screen lookup cannot work here.
    const QString& unavailableReason() const { return unavailable_; }
    // Why a backend is missing while others work; empty when all work.
    const QString& limitation() const { return limitation_; }
    X11Connection& x11() { return x11_; }

    // What is under `at`; nothing over this program's own windows.
    std::optional<CaptureHit> captureAt(QPoint at);

private:
    X11Connection x11_;
    std::unique_ptr<AtspiReader> atspi_;
    std::unique_ptr<OcrReader> ocr_;
    QString unavailable_;
    QString limitation_;
    std::int64_t ownProcess_ = 0;
};

}  // namespace tessivo::platform
