#pragma once

// The whole run of the decomposition tool: decompose and draw every character, write the
// drawings, the key pictures, the fill points and the table, and count how exact the fills are.

#include "decomp/decomposition.h"
#include "decomp/drawing.h"

#include <QString>
#include <QStringList>

namespace tessivo::datagen {

struct GenerationOptions {
    QString wubi, stroke, hanziWriter;  // the installed inputs
    QString bmpDir, keysDir, table, fills;
    QString only;          // these characters only (development); empty: all of GB2312
    QString contactSheet;  // optional review PNG of the 300 most frequent characters
    QString report;        // optional list of the panels whose fill is not exact
    QString review;        // optional review report of the splits (review.h)
    QString previousTable; // optional decomposition table of an earlier run, compared in the review
    QString changedSheets; // optional PNG name: review sheets of the rows changed against previousTable
                           // and of those still low, numbered pages ("x.png" -> "x-1.png" ...)
    QString font;          // font of the key pictures
    int jobs = 2;          // worker threads; the output is the same for any number
    bool showProgress = true;
};

struct GenerationSummary {
    int characters = 0;
    int lowConfidence = 0;
    int panelsOverNineBeforeJoining = 0;
    int panelsOverNine = 0;       // still more than nine areas: the smallest stay white
    int joinedCharacters = 0;
    int speckPixels = 0;          // crossing specks inked
    int speckCharacters = 0;
    int remainderPixels = 0;      // larger areas inked where a radical kept more than nine
    int remainderCharacters = 0;
    int missedPanels = 0;
    int missedPixels = 0;         // radical pixels a panel's fill leaves white
    int leakingPanels = 0;
    int leakedPixels = 0;         // pixels a panel's fill blackens outside its radical
    int outlineOnlyPanels = 0;
    double seconds = 0;
    double drawingSeconds = 0;

    // Adds one character's decomposition and drawing to the counts.
    void count(const Decomposition& decomposition, const Drawing& drawing);
    QString text() const;
};

// The characters of a run: all of GB2312, or those of `only`, each once, in their order.
QStringList charactersToRun(const QString& only);

// The report line of a panel (0-based) whose fill is not exact.
QString reportLine(const QString& character, int panel, const PanelFill& fill);

// Runs everything; GenError for unreadable inputs or unwritable outputs. Needs a
// QGuiApplication (the key pictures are drawn with a font).
GenerationSummary generate(const GenerationOptions& options);

}  // namespace tessivo::datagen
