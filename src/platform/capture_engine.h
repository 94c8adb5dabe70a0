#pragma once

#include "platform/capture_atspi.h"
#include "platform/capture_x11.h"
#include "platform/screen_reader.h"

#include <memory>

// Reads the text under a screen point with the backends the desktop offers: the accessible text
// of the program there first, then (for programs that expose none) OCR of the screen pixels.
// Built into the screen-reading module.
namespace tessivo::platform {

class OcrReader;

class CaptureEngine : public ScreenReader {
public:
    // `backends` is a set of CaptureBackend bits.
    explicit CaptureEngine(int backends = AccessibleText | ScreenText);
    ~CaptureEngine() override;

    const QString& unavailableReason() const override { return unavailable_; }
    const QString& limitation() const override { return limitation_; }
    QPoint pointer() const override { return x11_.pointer(); }
    std::optional<CaptureHit> captureAt(QPoint at) override;

private:
    X11Connection x11_;
    std::unique_ptr<AtspiReader> atspi_;
    std::unique_ptr<OcrReader> ocr_;
    QString unavailable_;
    QString limitation_;
    std::int64_t ownProcess_ = 0;
};

}  // namespace tessivo::platform
