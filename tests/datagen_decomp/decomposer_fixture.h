#pragma once

// The installed packages, loaded once for all decomposer tests that run over real data.

#include "decomp/inputs.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <memory>

namespace tessivo::datagen::test {

inline const QString kWubiDict = QStringLiteral("/usr/share/rime-data/wubi86.dict.yaml");
inline const QString kStrokeDict = QStringLiteral("/usr/share/rime-data/stroke.dict.yaml");
// The npm packages live in the source tree, beside tests/.
inline const QString kHanziWriter =
    QDir::cleanPath(QStringLiteral(TESSIVO_TEST_DATA_DIR "/../../datagen/npm/node_modules/hanzi-writer-data"));

// nullptr when a package is missing (the caller skips).
inline const InputLoader* realData() {
    static const std::unique_ptr<InputLoader> loader = []() -> std::unique_ptr<InputLoader> {
        if (!QFile::exists(kWubiDict) || !QFile::exists(kStrokeDict) || !QFile::exists(kHanziWriter + QStringLiteral("/package.json"))) {
            return nullptr;
        }
        return std::make_unique<InputLoader>(kWubiDict, kStrokeDict, kHanziWriter);
    }();
    return loader.get();
}

#define TESSIVO_REQUIRE_REAL_DATA()                                                              \
    const InputLoader* loader = realData();                                                       \
    if (!loader) GTEST_SKIP() << "rime-data-wubi, rime-data-stroke or hanzi-writer-data missing"

}  // namespace tessivo::datagen::test
