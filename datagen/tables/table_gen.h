#pragma once

// Building the two reference tables (character -> toneless reading, character -> five-digit
// stroke code) from Unihan readings, the Rime stroke dictionary and the cnchar stroke-order
// data, and checking the finished files before they are written.

#include "common/common.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <vector>

namespace tessivo::datagen::tables {

// ---- readings ----

// Text of a bzip2-compressed UTF-8 file (Debian ships the Unihan files so), unpacked by the
// bzip2 tool. GenError when the file is missing or does not unpack.
QString readBzip2Utf8(const QString& path);

// The readings of one character that the pinyin table draws on, each already toneless.
struct CharReadings {
    QString mandarin;    // kMandarin, first value (the customary reading)
    QStringList common;  // kHanyuPinlu, then kXHC1983, then kTGHZ2013 values, first seen first
    // kHanyuPinlu values: readings counted in a corpus of modern text. Only these become second
    // lines, so that a reading's list is not led by characters that are rarely read so.
    QStringList frequent;
};

// "zhuàng" -> "zhuang", "lüè" -> "lue", "ḿ" -> "m": lower case, diacritics and digits dropped.
QString tonelessReading(QStringView syllable);

// Readings of the characters in `wanted` from the text of Unihan_Readings.txt.
QHash<QString, CharReadings> parseUnihanReadings(const QString& text, const QStringList& wanted);

// The chooser's 400 syllables.
QStringList chooserSyllables();

struct PinyinLine {
    QString character;
    QString reading;  // without pad blanks
};

// Every line of the pinyin table, in file order (by block, then reading, then GBK code).
// The main reading is kMandarin's, or the first common reading when kMandarin's is not one of
// `syllables`; a character with neither gets no line. A second line under another common
// reading is added only where the lookup of the character still shows its main reading: its
// block lies after the main reading's block, or in the same block it sorts before the main
// reading (the later line of a block is the one shown).
std::vector<PinyinLine> buildPinyinLines(const QStringList& characters, const QHash<QString, CharReadings>& readings,
                                         const QStringList& syllables);

// ---- strokes ----

// Stroke letters per character from stroke.dict.yaml: the mainland-order entry where the
// dictionary has one (the section after the CNS-derived one), else the CNS entry.
QHash<QString, QString> parseRimeStrokes(const QString& text, const QStringList& wanted);

// The character -> letters object embedded in cnchar.order.min.js.
QHash<QString, QString> parseCncharOrder(const QString& script);

// Stroke digits (1 horizontal, 2 vertical, 3 left-falling, 4 dot, 5 turning) of Rime letters
// h s p n z, or of cnchar letters (j i -> 1, f g -> 2, s -> 3, k l d -> 4, other turns -> 5).
// Empty when a letter is unknown.
QString rimeStrokeDigits(QStringView letters);
QString cncharStrokeDigits(QStringView letters);

// Five-digit code: the first four strokes and the last, or the strokes followed by zeros for
// four strokes or fewer. Empty for no strokes.
QString fiveDigitCode(QStringView digits);

struct StrokeLine {
    QString character;
    QString code;
    int strokeCount = 0;
};

// One line per character, in file order: by code, and characters sharing a code by GBK code
// (so the 3,755 common level-1 characters come before the level-2 ones). Throws GenError when
// a character has no usable Rime entry.
std::vector<StrokeLine> buildStrokeLines(const QStringList& characters, const QHash<QString, QString>& rimeLetters);

// Characters whose five-digit code differs between the two sources (or that cnchar lacks is
// not a difference), as "字 42552 (Rime) / 44552 (cnchar)" lines.
QStringList strokeDisagreements(const QStringList& characters, const QHash<QString, QString>& rimeLetters,
                                const QHash<QString, QString>& cncharLetters);

// ---- files ----

// The table texts with CR LF line ends (encode them to GBK to write).
QString formatPinyinTable(const std::vector<PinyinLine>& lines);
QString formatStrokeTable(const std::vector<StrokeLine>& lines);

// Every violated invariant (empty when the table is sound): line format, every line in the
// block of its first letter or digit with blocks in order, order inside a block, readings from
// `syllables`, no character twice under one reading, each block within 65,535 GBK bytes; for
// the stroke table each of `characters` exactly once, and each block opening with its
// stroke's own character.
QStringList checkPinyinTable(const QString& text, const QStringList& syllables);
QStringList checkStrokeTable(const QString& text, const QStringList& characters);

// ---- the whole run ----

// The checks failed: nothing was written. `problems` lists every violation.
struct TableCheckError : GenError {
    TableCheckError(const QStringList& problems);
    QStringList problems;
};

struct GenerateOptions {
    QString unihanPath;  // Unihan_Readings.txt.bz2
    QString strokePath;  // stroke.dict.yaml
    QString cncharPath;  // cnchar.order.min.js
    QString outDir;      // receives pinyin_table.txt and stroke_table.txt
};

struct GenerateReport {
    int pinyinLines = 0;
    int strokeLines = 0;
    QStringList strokeDisagreements;
};

// Reads the three sources, builds and checks both tables for the GB2312 hanzi and writes them
// (GBK) only when both pass. Throws GenError (TableCheckError for failed checks).
GenerateReport generateTables(const GenerateOptions& options);

}  // namespace tessivo::datagen::tables
