#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>

namespace tessivo {

// One 302-byte record of wwbb11.dat. Every field is fixed-width GBK text padded with blanks.
struct CharCodeRecord {
    static constexpr int Size = 302;
    static constexpr int CharacterWidth = 2;
    static constexpr int CodeWidth = 4;
    static constexpr int FillWidth = 72;
    static constexpr int CharacterOffset = 0;
    static constexpr int Code1Offset = 2;
    static constexpr int Code2Offset = 6;
    static constexpr int Code3Offset = 10;
    static constexpr int FillOffset = 14;  // fill k (0-based) at FillOffset + k * FillWidth
    static constexpr const char* Description = "汉字编码文件";

    // As read: each field decoded at its full width, so `character` is the character followed by
    // one padding blank and codes and fills keep their trailing blanks.
    QString character;
    QString code1;
    QString code2;
    QString code3;
    std::array<QString, 4> fill;

    // Builds the 302 bytes, padding each field with blanks. Fails (with a message) when a field
    // does not encode in GBK or does not fit its width.
    static std::optional<QByteArray> encode(const CharCodeRecord& record, QString* error = nullptr);

    // Reads 302 bytes (shorter input is padded with blanks).
    static CharCodeRecord decode(QByteArrayView bytes);

    // The character field of a record's bytes as text, padded to its width as decode() gives it.
    static QString characterText(QByteArrayView bytes);

    // What is wrong with record n of the file: a field that is not GBK text, or a key that is not
    // above the key of the record before it. Empty when it is sound.
    static QString fileProblem(int n, QByteArrayView bytes, std::optional<std::int16_t> keyBefore);
};

}  // namespace tessivo
