#include "gbk_codec.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QList>

namespace tessivo::gbk {
namespace {

bool isPrivateUse(char32_t c) {
    return (c >= 0xE000 && c <= 0xF8FF) || (c >= 0xF0000 && c <= 0x10FFFD);
}

}  // namespace

std::optional<QByteArray> encode(QStringView text) {
    QStringEncoder encoder("GBK", QStringConverter::Flag::Stateless);
    QByteArray out = encoder.encode(text);
    if (encoder.hasError()) return std::nullopt;
    // The encoder may still substitute '?' silently for some inputs: a '?' in the output
    // must come from a '?' in the input.
    if (out.count('?') != text.count(u'?')) return std::nullopt;
    return out;
}

std::optional<QString> decode(QByteArrayView bytes) {
    QStringDecoder decoder("GBK", QStringConverter::Flag::Stateless);
    QString out = decoder.decode(bytes);
    if (decoder.hasError()) return std::nullopt;
    for (char32_t c : out.toUcs4()) {
        if (isPrivateUse(c) || c == 0xFFFD) return std::nullopt;
    }
    return out;
}

QString decodeLenient(QByteArrayView bytes) {
    QStringDecoder decoder("GBK", QStringConverter::Flag::Stateless);
    return decoder.decode(bytes);
}

std::int16_t keyOfBytes(QByteArrayView bytes) {
    if (bytes.isEmpty()) return 0;
    const auto b0 = static_cast<unsigned char>(bytes[0]);
    if (b0 < 0x80 || bytes.size() < 2) return static_cast<std::int16_t>(b0);
    const auto b1 = static_cast<unsigned char>(bytes[1]);
    return static_cast<std::int16_t>((b0 << 8 | b1) - 65536);
}

std::optional<std::int16_t> charKey(QStringView text) {
    if (text.isEmpty()) return std::nullopt;
    // A surrogate pair is one character.
    const qsizetype len = (text.size() >= 2 && text[0].isHighSurrogate() && text[1].isLowSurrogate()) ? 2 : 1;
    const auto bytes = encode(text.first(len));
    if (!bytes || bytes->isEmpty()) return std::nullopt;
    return keyOfBytes(*bytes);
}

}  // namespace tessivo::gbk
