#pragma once

#include "app/state/cell.h"
#include "app/state/window_layout.h"
#include "pinyin/pinyin_lookup.h"

#include <QString>

// Every piece of the main window's working state, in one place. The lookups keep their own
// display state (the code row and panels, the phrase pages); everything that passes work from
// one lookup to the next lives here.
namespace tessivo {

// Which box takes the keyboard focus after a step.
enum class FocusTarget { CharacterInput, Parking };

// How a reading reached the chooser: typed into it, or picked from its list (which also moves
// the focus to the result list).
enum class ChooserAction { Typed, Picked };

// How a character captured on the screen reaches the lookups: on a click on it, or as soon as
// the pointer rests on it. Every run starts in the click mode; the mode is not saved.
enum class LookupMode { Click, Hover };

struct MainState {
    Cell<QString> codeRequest;     // Text23: a change runs the code lookup
    Cell<QString> phraseRequest;   // Text9: a change runs the phrase lookup
    Cell<QString> readingRequest;  // Text2bh: a change runs the reading lookup
    Cell<QString> strokeRequest;   // Text2bhw: a change runs the stroke lookup; Text4 held the same digits
    Cell<QString> resultList;      // the characters of a reading or a stroke code, as listed
    pinyin::ReadingMode readingMode = pinyin::ReadingMode::OfReading;  // Label20
    QString reading;               // the reading shown in the code row
    ExpandSwitch expand;           // Label26, with the expand button's caption
    LookupMode lookupMode = LookupMode::Click;  // Option1 / Option2
    QString screenLookupOff;       // why screen lookup cannot work here; empty when it can

    // What the screen capture reported last, and where the pointer was. The coordinates are
    // decimal text; they start empty, which no reading of the pointer produces.
    Cell<QString> captureReport;     // Label1: "(x,y)" as the capture component saw the pointer
    Cell<QString> capturedLine;      // Label2: the line of text around the pointer
    Cell<QString> capturedCharacter; // Label3: a change runs the hover mode
    Cell<QString> captureX;          // Label11
    Cell<QString> captureY;          // Label12
    Cell<QString> pressX;            // Label13: the pointer at the last counted button press
    Cell<QString> pressY;            // Label14
};

}  // namespace tessivo
