#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

namespace tessivo {

// One 4-byte record of wwbb11cz.dat: a two-character word in GBK, no separators.
struct PhraseRecord {
    static constexpr int Size = 4;
    static constexpr const char* Description = "词组文件";

    // The 4 bytes of `word`; fails unless it is exactly two double-byte GBK characters.
    static std::optional<QByteArray> encode(const QString& word, QString* error = nullptr);
    // The text of 4 bytes (only its first and last character are used by the lookup).
    static QString decode(QByteArrayView bytes);

    // What is wrong with record n of the file: bytes that are not GBK text, or a first character
    // whose key is below that of the record before it. Empty when it is sound.
    static QString fileProblem(int n, QByteArrayView bytes, std::optional<std::int16_t> keyBefore);
};

}  // namespace tessivo
