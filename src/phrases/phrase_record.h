#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace tessivo {

// One 4-byte record of wwbb11cz.dat: a two-character word in GBK, no separators.
struct PhraseRecord {
    static constexpr int Size = 4;

    // The 4 bytes of `word`; fails unless it is exactly two double-byte GBK characters.
    static std::optional<QByteArray> encode(const QString& word, QString* error = nullptr);
    // The text of 4 bytes (only its first and last character are used by the lookup).
    static QString decode(QByteArrayView bytes);
};

}  // namespace tessivo
