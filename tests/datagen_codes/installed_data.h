#pragma once

// The package files the generator reads on a Debian system; tests that need them skip when the
// packages are not installed.

#include "common/wubi_dict.h"

#include <QFileInfo>
#include <QString>

#include <vector>

namespace tessivo::datagen::testing {

inline const QString kWubiPath = QStringLiteral("/usr/share/rime-data/wubi86.dict.yaml");
inline const QString kJiebaPath = QStringLiteral("/usr/lib/python3/dist-packages/jieba/dict.txt");
inline const QString kPinyinSimpPath = QStringLiteral("/usr/share/rime-data/pinyin_simp.dict.yaml");

inline bool installedPackagesPresent() {
    return QFileInfo::exists(kWubiPath) && QFileInfo::exists(kJiebaPath) && QFileInfo::exists(kPinyinSimpPath);
}

// Parsed once per test binary.
inline const std::vector<WubiEntry>& installedWubi() {
    static const std::vector<WubiEntry> entries = loadWubiDict(kWubiPath);
    return entries;
}

}  // namespace tessivo::datagen::testing

#define TESSIVO_REQUIRE_PACKAGES()                                                               \
    do {                                                                                         \
        if (!::tessivo::datagen::testing::installedPackagesPresent())                            \
            GTEST_SKIP() << "rime-data-wubi, rime-data-pinyin-simp or python3-jieba not installed"; \
    } while (false)
