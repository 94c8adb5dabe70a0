#pragma once

#include "platform/capture_atspi.h"
#include "platform/capture_x11.h"

#include <memory>

// Reads the text under the pointer from the screen's pixels, for programs that expose no text:
// the line under the pointer is cut out of a strip of the screen, read by Tesseract with the
// Simplified-Chinese model, and the pointed character found by its glyph cell. One recogniser
// per object, used on one thread.
namespace tessivo::platform {

class OcrReader {
public:
    OcrReader();
    ~OcrReader();
    OcrReader(const OcrReader&) = delete;
    OcrReader& operator=(const OcrReader&) = delete;

    // False when the Chinese model is missing (or, once loaded, the recogniser refused it).
    bool ready() const { return ready_; }
    std::optional<CaptureHit> readAt(const X11Connection& screen, QPoint at);

private:
    struct Engine;
    bool load();

    std::unique_ptr<Engine> engine_;
    bool ready_ = false;
    bool loaded_ = false;
};

// The recogniser's text made comparable: no blanks (it puts them between Chinese characters)
// and full-width punctuation where it read half-width.
QString normalisedOcrText(const QString& text);

}  // namespace tessivo::platform
