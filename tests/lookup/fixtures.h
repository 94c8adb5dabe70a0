#pragma once

// Small record files and drawings built inside the tests.

#include "lookup/charcode_record.h"
#include "lookup/raster.h"
#include "platform/gbk_codec.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

namespace tessivo::testing {

// The GB2312 character at row 0xB0 + i / 94, cell 0xA1 + i % 94: ascending keys for ascending i.
inline QString hanzi(int i) {
    const char bytes[] = {static_cast<char>(0xB0 + i / 94), static_cast<char>(0xA1 + i % 94)};
    return *gbk::decode(QByteArrayView(bytes, 2));
}

inline CharCodeRecord record(const QString& character, const QString& code1 = QStringLiteral("abcd"),
                             const QString& code2 = {}, const QString& code3 = {},
                             std::array<QString, 4> fill = {}) {
    CharCodeRecord r;
    r.character = character;
    r.code1 = code1;
    r.code2 = code2;
    r.code3 = code3;
    r.fill = fill;
    return r;
}

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

inline QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
    return path;
}

// Records for the characters hanzi(first), hanzi(first + step), ... (count of them).
inline std::vector<CharCodeRecord> spacedRecords(int count, int step = 2, int first = 0) {
    std::vector<CharCodeRecord> records;
    for (int i = 0; i < count; ++i) records.push_back(record(hanzi(first + i * step)));
    return records;
}

}  // namespace tessivo::testing
