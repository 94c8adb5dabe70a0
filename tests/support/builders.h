#pragma once

// Characters, records and small record files built inside the tests.

#include "lookup/charcode_record.h"
#include "phrases/phrase_record.h"
#include "platform/gbk_codec.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace tessivo::testing {

// The GB2312 character number i (row 0xB0 + i / 94, cell 0xA1 + i % 94): ascending keys for
// ascending i.
inline QString hanzi(int i) {
    const char bytes[] = {static_cast<char>(0xB0 + i / 94), static_cast<char>(0xA1 + i % 94)};
    return *gbk::decode(QByteArrayView(bytes, 2));
}

// A character-code record; the codes and fills not given are blank.
inline CharCodeRecord record(const QString& character, const QString& code1 = QStringLiteral("abcd"),
                             const QString& code2 = {}, const QString& code3 = {},
                             std::array<QString, 4> fill = {}) {
    return CharCodeRecord{character, code1, code2, code3, fill};
}

// Records for the characters hanzi(first), hanzi(first + step), ... (count of them).
inline std::vector<CharCodeRecord> spacedRecords(int count, int step = 2, int first = 0) {
    std::vector<CharCodeRecord> records;
    for (int i = 0; i < count; ++i) records.push_back(record(hanzi(first + i * step)));
    return records;
}

// The bytes of a character-code file holding `records` in the order given.
inline QByteArray bytesOf(const std::vector<CharCodeRecord>& records) {
    QByteArray out;
    for (const auto& r : records) {
        QString error;
        const auto bytes = CharCodeRecord::encode(r, &error);
        EXPECT_TRUE(bytes.has_value()) << error.toStdString();
        if (bytes) out += *bytes;
    }
    return out;
}

// The bytes of a phrase file holding `words` (two characters each) in the order given.
inline QByteArray bytesOf(const QStringList& words) {
    QByteArray out;
    for (const QString& word : words) {
        QString error;
        const auto bytes = PhraseRecord::encode(word, &error);
        EXPECT_TRUE(bytes.has_value()) << error.toStdString();
        if (bytes) out += *bytes;
    }
    return out;
}

// Writes `bytes` to the file `name` in `dir` and returns its path.
inline QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    file.write(bytes);
    return path;
}

}  // namespace tessivo::testing
