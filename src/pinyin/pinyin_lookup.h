#pragma once

// Pinyin lookup in both directions over the pinyin table: the reading of one character
// (character mode) and the characters of one reading (reading mode). The main window owns the
// cells (the request box, the mode, the two reading labels, the result list) and calls these
// procedures in order; nothing here touches a widget.
//
// A reading chosen in the chooser (a change, or a click, which adds focus steps):
//   auto choice = chooseReading(chooserText);
//   if (!choice.proceed) return;
//   mode = ReadingMode::OfReading;
//   if (choice.request) setRequest(*choice.request);   // runs requestChanged only on a change
//   if (!resultList.isEmpty()) { both reading labels = chooserText; look up resultList's first
//                                character (code, then phrases); on a click focus the list }
// The request box changed:
//   RequestOutcome r = requestChanged(search, tables, mode, request);
//   if (r.resultList) resultList = *r.resultList;  if (r.readingLabel) both labels = *r.readingLabel;

#include "tables/reference_tables.h"
#include "tables/table_search.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace tessivo::pinyin {

// The pinyin chooser's 400 syllables, in their list order.
const QStringList& readingChooserItems();

// Text trimmed of blanks (U+0020) at both ends only, as the chooser and request steps trim.
QString trimBlanks(const QString& text);

struct ReadingChoice {
    // false: the chooser text is blank; nothing at all happens.
    bool proceed = false;
    // The new request text (the reading padded with blanks to 6), or nullopt when the trimmed
    // text is longer than 6 characters: the request box keeps its text, the steps go on.
    std::optional<QString> request;
};

// Steps 1 and 3 of a reading chosen in the chooser.
ReadingChoice chooseReading(const QString& chooserText);

// Reading mode of the request box: the new result list (each character followed by one blank,
// empty when the reading has no character), or nullopt when no block search runs (blank
// request, or a first character outside the letter groups): the result list stays.
std::optional<QString> charactersOfReading(tables::TableSearch& search, const tables::ReferenceTables& tables,
                                           const QString& request);

// Character mode of the request box: the text both reading labels get. For a double-byte (GBK)
// first character it is the six-character reading field found (later line wins in a block,
// earlier block wins across blocks) or empty when the character has no line; for a single-byte
// character, or one GBK cannot hold, it is empty.
QString readingOfCharacter(tables::TableSearch& search, const tables::ReferenceTables& tables,
                           const QString& request);

// Which way the request box is read. The window starts in reading mode; a hand-over of a
// character selects character mode, a reading chosen in the chooser reading mode.
enum class ReadingMode {
    OfCharacter,  // the request is a character: show its reading
    OfReading,    // the request is a padded reading: list its characters
};

struct RequestOutcome {
    std::optional<QString> resultList;    // set: replace the result list
    std::optional<QString> readingLabel;  // set: give both reading labels this text
};

// Change handler of the request box. A blank request changes nothing.
RequestOutcome requestChanged(tables::TableSearch& search, const tables::ReferenceTables& tables, ReadingMode mode,
                              const QString& request);

// For the command line: the result list of `reading` exactly as the result box would hold it
// after choosing it, or nullopt when the text starts no search (blank, longer than 6, or a
// first character outside the letter groups).
std::optional<QString> listForReading(const tables::ReferenceTables& tables, const QString& reading);

// For the command line: the toneless reading of the first character of `text` without pad
// blanks, empty when it has none.
QString readingOf(const tables::ReferenceTables& tables, const QString& text);

}  // namespace tessivo::pinyin
