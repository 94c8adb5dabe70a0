#pragma once

// The installed packages, where the build found them, loaded once for all decomposer tests that
// run over real data. A missing package fails those tests.

#include "decomp/inputs.h"
#include "support/inputs.h"

#include <gtest/gtest.h>

#include <memory>

namespace tessivo::datagen::test {

inline const QString kWubiDict = QStringLiteral(TESSIVO_WUBI_DICT);
inline const QString kStrokeDict = QStringLiteral(TESSIVO_STROKE_DICT);
inline const QString kHanziWriter = QStringLiteral(TESSIVO_HANZI_WRITER_DIR);

inline const InputLoader& realData() {
    static const std::unique_ptr<InputLoader> loader = std::make_unique<InputLoader>(kWubiDict, kStrokeDict, kHanziWriter);
    return *loader;
}

#define TESSIVO_REQUIRE_REAL_DATA()                                              \
    ASSERT_INPUT_EXISTS(kWubiDict);                                              \
    ASSERT_INPUT_EXISTS(kStrokeDict);                                            \
    ASSERT_INPUT_EXISTS(kHanziWriter + QStringLiteral("/package.json"));         \
    const InputLoader* loader = &realData()

}  // namespace tessivo::datagen::test
