#pragma once

// The fill points of the four radical panels, as written by the decomposition tool: UTF-8 TSV,
// one line per character, "char<TAB>fill1<TAB>fill2<TAB>fill3<TAB>fill4", each fill the exact
// field text of the record.

#include <QSet>
#include <QString>

#include <array>
#include <map>

namespace tessivo::datagen {

using Fills = std::array<QString, 4>;
using FillTable = std::map<QString, Fills>;

// What a fill field holds.
enum class FillKind { Empty, KeyPicture, Points, Invalid };

// Empty, "0" (the panel shows the identification-key picture), or one to nine points of
// 8 characters (4 + 4, right-aligned decimal numbers) inside the panel (panel::WidthTwips x
// panel::HeightTwips); anything else Invalid.
FillKind classifyFill(const QString& field);

// Parses a fills file. GenError (naming the line) for a line without five columns, a character
// not in `characters`, a character given twice, or a field that is not a valid fill.
FillTable parseFills(const QString& text, const QString& origin, const QSet<QString>& characters);
FillTable loadFills(const QString& path, const QSet<QString>& characters);

// Checks one character's fills against the number of panels its codes use: panels 1 and 2 hold
// points; a four-panel character has points in panel 3 and points or a key picture in panel 4;
// a three-panel character has points or a key picture in panel 3 and nothing in panel 4.
// A key picture needs the code letter of its panel to be one of the sixteen letters that have a
// picture (the program's identKeyIndex). GenError naming the character otherwise.
void checkFillsForCode(const QString& character, const QString& fullCode, const Fills& fills);

}  // namespace tessivo::datagen
