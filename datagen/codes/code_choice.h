#pragma once

// Which of a character's Wubi codes go into code2 and code3 of its record.
//
// The display reads the length of code3 as the number of radical panels in use (2 letters:
// panels 3 and 4 are cleared, 3 letters: panel 4 is cleared, 1 or 4 letters: none), and builds
// the code line from the three codes by fixed rules. The choice below satisfies the panel count
// first and then shows as many codes as the rules allow, shortest first.

#include <QString>
#include <QStringList>

namespace tessivo::datagen {

// Panels a character uses: 3 for a 3-letter full code (two radicals and an identification key,
// or a two-stroke radical character) and for the five single strokes (key letter twice + "ll":
// two panels and a key picture); 4 for every other character.
int panelsInUse(const QString& fullCode);

// Panels the display keeps after reading code3 (4 minus the panels it clears).
int panelsKeptByCode3(const QString& code3);

// True for the code of one of the five single strokes: the stroke's key letter (g h t y n, the
// first key of each zone) twice, then "ll".
bool isSingleStrokeCode(const QString& fullCode);

struct CodeChoice {
    QString code1;  // the full code
    QString code2;  // may be empty
    QString code3;
    QString line;   // what the display will show (the program's codeLine)
};

// Simple codes are taken as the table gives them, also when they are not a prefix of the full
// code (the level-1 codes such as 不 i beside gii, and 纛 gxf beside gxgi): each one types the
// character with the installed table, so the code line may show it.
//
// Chooses code2 and code3 among `codes` (a character's codes, any order; the longest is the
// full code). Throws GenError when the codes are unusable (none, a full code shorter than three
// letters, two longest codes, letters outside a..y) or when no choice keeps the right panels and
// matches a code-line rule.
CodeChoice chooseCodes(const QString& character, const QStringList& codes);

}  // namespace tessivo::datagen
