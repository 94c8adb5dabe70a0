#pragma once

#include "capture/mode_inputs.h"

#include <QString>

// The click and hover lookup modes: when a character captured under the pointer is handed to
// the lookups. Plain state machines over the main window's capture state, driven by injected
// pointer, button and timer readings.
namespace tessivo::capture {

// The main window's state that the modes read and write. Setting the captured character runs
// its change handler (and so the hover mode) when the value really changes.
class ModeHost {
public:
    virtual ~ModeHost() = default;
    virtual QString capturedCharacter() const = 0;
    virtual void setCapturedCharacter(const QString& c) = 0;
    virtual QString captureX() const = 0;  // the pointer when the last character was captured
    virtual QString captureY() const = 0;
    virtual QString pressX() const = 0;    // the pointer at the last counted press
    virtual QString pressY() const = 0;
    virtual void setPressPosition(const QString& x, const QString& y) = 0;
    virtual QString shownCharacter() const = 0;  // what the code lookup shows now
    virtual bool inClickMode() const = 0;
    virtual void handOver(const QString& c) = 0;
};

// The arrows of the window's own paging and expand buttons stand for nothing to look up.
QString withoutArrow(const QString& captured);
// A double-byte GBK character (Chinese, full-width punctuation): its key is negative.
bool isDoubleByte(const QString& captured);
// The press matches the capture unless both coordinates differ (compared as text).
bool positionsMatch(const QString& captureX, const QString& captureY, const QString& pressX, const QString& pressY);

inline constexpr std::chrono::milliseconds recheckInterval{360};

class LookupModes {
public:
    LookupModes(ModeHost& host, PointerReader& pointer, ButtonLatch& buttons, Timer& recheck);

    // The button poll: enabled once at start-up and whenever the click mode is entered; it runs
    // at every latched press rather than on a fast timer.
    void enableButtonPoll() { pollEnabled_ = true; }
    bool buttonPollEnabled() const { return pollEnabled_; }
    bool recheckPending() const { return recheck_.active(); }

    // One tick of the button poll: the left button, then (unless its step ended the tick) the right.
    void pollButtons();
    // The re-check, 360 ms after a press.
    void recheck();
    // The captured character changed: the hover mode's lookup.
    void capturedChanged();
    // The click mode was selected: poll on, no pending re-check.
    void clickModeEntered();

private:
    void applyArrowFilter();
    // The press step of one button; returns whether the tick goes on to the next button.
    bool pressStep(bool lastButton);

    ModeHost& host_;
    PointerReader& pointer_;
    ButtonLatch& buttons_;
    Timer& recheck_;
    bool pollEnabled_ = false;
};

}  // namespace tessivo::capture
