#include "capture/word_capture.h"

namespace tessivo::capture {

bool setUpCapture(WordCapture& capture, WordCaptureSink& sink) {
    bool ok = capture.setCaptureEnabled(true);
    ok = capture.setCaptureMode(3) && ok;
    ok = capture.setCaptureOption(1) && ok;
    ok = capture.registerSink(&sink).has_value() && ok;
    return ok;
}

}  // namespace tessivo::capture
