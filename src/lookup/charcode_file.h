#pragma once

#include "lookup/charcode_record.h"
#include "platform/keyed_record_file.h"

namespace tessivo {

// wwbb11.dat: one 302-byte record per character, strictly ascending by character key.
using CharCodeFile = platform::KeyedRecordFile<CharCodeRecord>;

}  // namespace tessivo
