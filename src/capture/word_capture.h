#pragma once

#include <QString>

#include <optional>

// The screen-word capture component as the main window sees it: a component that watches the
// pointer anywhere on the desktop and reports the text under it to one sink. The backends
// (accessibility text, OCR) live in platform/; the main window only holds this interface.
namespace tessivo::capture {

// Receives what the component read under the pointer. Called on the user-interface thread.
class WordCaptureSink {
public:
    virtual ~WordCaptureSink() = default;

    // `sentence` is the line of text around the pointer and `location` the zero-based position in
    // it of the character under the pointer; `cursorX`/`cursorY` are where the component saw the
    // pointer. Returns false when the report cannot be used (the caller then keeps nothing of it).
    virtual bool queryWord(const QString& word, int cursorX, int cursorY, const QString& sentence, int location,
                           int start) = 0;
};

// The four calls that configure the component, each returning whether it accepted the value.
class WordCapture {
public:
    virtual ~WordCapture() = default;

    virtual bool setCaptureEnabled(bool enabled) = 0;  // also called on every move over the code row
    virtual bool setCaptureMode(int mode) = 0;
    virtual bool setCaptureOption(int option) = 0;
    // Registers the one sink; returns the component's registration number.
    virtual std::optional<int> registerSink(WordCaptureSink* sink) = 0;
};

// The set-up of the main window's load step: enabled, mode 3, option 1, then the sink, in this
// order. Every call is made even when an earlier one fails; the result tells whether all of
// them succeeded.
bool setUpCapture(WordCapture& capture, WordCaptureSink& sink);

}  // namespace tessivo::capture
