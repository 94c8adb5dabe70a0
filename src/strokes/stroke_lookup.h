#pragma once

// Stroke lookup: five choosers (first, second, third, fourth and last stroke) give a five-digit
// stroke code, and the result list gets every character of the stroke table with exactly that
// code. The main window owns the cells (the choosers, the stroke request box, the result list,
// the reading labels) and calls these in order; nothing here touches a widget.
//
// Any chooser's change or click:
//   QString code = strokeCodeOf({first, second, third, fourth, last});
//   setStrokeRequest(code);  // on a change: if (auto l = charactersOfStrokeCode(...)) resultList = *l;
//   if (!resultList.isEmpty()) { both reading labels = readingLabelForList(search, tables, resultList);
//                                look up resultList's first character (code, then phrases);
//                                focus the list, caret at 1 }

#include "tables/reference_tables.h"
#include "tables/table_search.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace tessivo::strokes {

// The five stroke glyphs 一 丨 丿 丶 乙, for digits 1..5.
const QStringList& strokeGlyphs();

// Items of chooser k = 1..5: the five glyphs, and for k = 2..5 a sixth item " " (one blank).
// Empty for any other k.
QStringList strokeChooserItems(int chooser);

// The digit of one chooser's untrimmed text: "1".."5" for exactly one of the five glyphs, "0"
// for anything else.
QChar strokeDigit(const QString& chooserText);

// The five-digit code of the choosers' texts, digit k from chooser k.
QString strokeCodeOf(const std::array<QString, 5>& chooserTexts);  // bian

// Change handler of the request box: the new result list (each character followed by one
// blank, empty when no character has the code), or nullopt when no search runs (first
// character "0" or anything but "1".."5"): the result list stays.
std::optional<QString> charactersOfStrokeCode(tables::TableSearch& search, const tables::ReferenceTables& tables,
                                              const QString& request);

// The text the reading labels get once a stroke search has left a non-empty list: the padded
// reading field of the list's first character (empty if it has none).
QString readingLabelForList(tables::TableSearch& search, const tables::ReferenceTables& tables,
                            const QString& list);

// For the command line: the result list for `code` (five digits 0..5) exactly as the result box
// would hold it, or nullopt when the text is not five such digits or starts with "0".
std::optional<QString> listForStrokeCode(const tables::ReferenceTables& tables, const QString& code);

}  // namespace tessivo::strokes
