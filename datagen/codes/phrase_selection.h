#pragma once

// Choice of the two-character words of the phrase file: words of the Wubi table that a second
// word list confirms, most frequent first, with a common cap per first character so that the
// file stays within its 32,767 records and as many first characters as possible keep words.

#include "common/wubi_dict.h"

#include <QSet>
#include <QString>

#include <vector>

namespace tessivo::datagen {

// Two-character words of jieba's dict.txt ("word count pos" lines).
QSet<QString> parseJiebaWords(const QString& text);
QSet<QString> loadJiebaWords(const QString& path);  // GenError naming python3-jieba

// Two-character words of a rime dictionary body (after the "..." header end).
QSet<QString> parseRimeWords(const QString& text, const QString& origin);
QSet<QString> loadPinyinSimpWords(const QString& path);  // GenError naming rime-data-pinyin-simp

struct PhraseSelection {
    std::vector<QString> words;  // file order: by first character's key, then by rank
    int cap = 0;                 // words kept per first character
    int candidates = 0;          // confirmed words before the cap
    int firstCharacters = 0;     // first characters that keep at least one word
};

// Candidates: two-character entries of `wubi` whose characters are both in `characters` and that
// `confirmations` contains; a word listed under several codes counts once, at its highest weight.
// Rank: weight descending, then word text. The cap is the largest one whose total is at most
// `maxRecords`. GenError when no word qualifies.
PhraseSelection selectPhrases(const std::vector<WubiEntry>& wubi, const QSet<QString>& confirmations,
                              const QSet<QString>& characters, int maxRecords);

}  // namespace tessivo::datagen
