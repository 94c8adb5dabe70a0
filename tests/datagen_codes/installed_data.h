#pragma once

// The package files the code generator reads, where the build found them. A real-data test
// fails when one is missing.

#include "common/wubi_dict.h"
#include "support/inputs.h"

#include <QString>

#include <vector>

namespace tessivo::datagen::testing {

inline const QString kWubiPath = QStringLiteral(TESSIVO_WUBI_DICT);
inline const QString kJiebaPath = QStringLiteral(TESSIVO_JIEBA_DICT);
inline const QString kPinyinSimpPath = QStringLiteral(TESSIVO_PINYIN_SIMP_DICT);

// Parsed once per test binary.
inline const std::vector<WubiEntry>& installedWubi() {
    static const std::vector<WubiEntry> entries = loadWubiDict(kWubiPath);
    return entries;
}

}  // namespace tessivo::datagen::testing

#define ASSERT_CODE_INPUTS_EXIST()                                 \
    ASSERT_INPUT_EXISTS(::tessivo::datagen::testing::kWubiPath);   \
    ASSERT_INPUT_EXISTS(::tessivo::datagen::testing::kJiebaPath);  \
    ASSERT_INPUT_EXISTS(::tessivo::datagen::testing::kPinyinSimpPath)
