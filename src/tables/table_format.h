#pragma once

// Line formats and block division of the two reference tables. Header-only so that the data
// generator (which writes the tables) and the loader (which embeds them) share one definition.
//
//   pinyin line: character, reading padded with blanks to 6, CR LF   ("啊a     \r\n")
//   stroke line: character, five-digit stroke code, CR LF             ("中25120\r\n")
//
// Each table is one file holding its five blocks one after another; a block is recovered from
// the first letter of the reading (a-e, f-k, l-q, r-x, y-z) or the first stroke digit (1..5).

#include <QChar>
#include <QString>
#include <QStringView>

namespace tessivo::tables {

inline constexpr int kBlockCount = 5;
inline constexpr int kReadingWidth = 6;
inline constexpr int kStrokeCodeWidth = 5;
inline constexpr int kPinyinLineLength = 1 + kReadingWidth + 2;
inline constexpr int kStrokeLineLength = 1 + kStrokeCodeWidth + 2;

// The letter groups that select a pinyin block, in the order they are tested.
inline constexpr const char* kPinyinLetterGroups[kBlockCount] = {"abcde", "fghijk", "lmnopq", "rstuvwx",
                                                                 "yz"};

// Block (1..5) whose letter group holds `letter` (case-sensitive), 0 for none.
inline int pinyinBlockOfLetter(QChar letter) {
    for (int n = 0; n < kBlockCount; ++n)
        for (const char* p = kPinyinLetterGroups[n]; *p; ++p)
            if (letter == QLatin1Char(*p)) return n + 1;
    return 0;
}

// Block (1..5) of a stroke code's first digit, 0 for any other character ("0" included).
inline int strokeBlockOfDigit(QChar digit) {
    const char16_t c = digit.unicode();
    return (c >= u'1' && c <= u'5') ? int(c - u'0') : 0;
}

// The reading of `field` without its pad blanks, or an empty view if the field is not 1..6
// lower-case ASCII letters followed only by blanks up to width 6.
inline QStringView readingOfField(QStringView field) {
    if (field.size() != kReadingWidth) return {};
    qsizetype letters = 0;
    while (letters < field.size() && field[letters] >= u'a' && field[letters] <= u'z') ++letters;
    if (letters == 0) return {};
    for (qsizetype i = letters; i < field.size(); ++i)
        if (field[i] != u' ') return {};
    return field.first(letters);
}

// True for five digits 0..5 whose zeros only trail and whose first digit is not zero.
inline bool isStrokeCode(QStringView code) {
    if (code.size() != kStrokeCodeWidth) return false;
    bool zeroSeen = false;
    for (QChar c : code) {
        if (c < u'0' || c > u'5') return false;
        if (c == u'0') zeroSeen = true;
        else if (zeroSeen) return false;
    }
    return code[0] != u'0';
}

// A table's character field: one BMP character that is not ASCII, CR or LF.
inline bool isTableCharacter(QChar c) {
    return c.unicode() >= 0x80 && !c.isSurrogate();
}

}  // namespace tessivo::tables
