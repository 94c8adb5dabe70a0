#pragma once

// The bytes of wwbb11.dat and wwbb11cz.dat, checked before anything is written.

#include "lookup/charcode_record.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace tessivo::datagen {

// Both files number records with a signed 16-bit value.
inline constexpr int MaxRecords = 32767;

// Records sorted by the key of their character. GenError for an empty or oversized list, a
// record that does not encode in GBK or does not fit its fields, or two records with one key.
QByteArray buildCharCodeFile(std::vector<CharCodeRecord> records);

// Words in the given order, which must ascend by the key of the first character (words of one
// first character keep their order). GenError for an empty or oversized list, a word that is
// not two double-byte GBK characters, a word given twice, or words out of order.
QByteArray buildPhraseFile(const std::vector<QString>& words);

}  // namespace tessivo::datagen
