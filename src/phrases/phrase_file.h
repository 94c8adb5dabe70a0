#pragma once

#include "phrases/phrase_record.h"
#include "platform/keyed_record_file.h"

namespace tessivo {

// wwbb11cz.dat: one 4-byte record per two-character word, ascending by the key of the first
// character; words that share it may stand in any order among themselves.
using PhraseFile = platform::KeyedRecordFile<PhraseRecord>;

}  // namespace tessivo
