#include "gbk_codec.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QList>

#include <algorithm>
#include <vector>

namespace tessivo::gbk {
namespace {

bool isPrivateUse(char32_t c) {
    return (c >= 0xE000 && c <= 0xF8FF) || (c >= 0xF0000 && c <= 0x10FFFD);
}

// Opening an ICU converter costs far more than converting one record, and record files are
// checked record by record: keep one converter of each direction per thread. Its error flag is
// sticky (and resetting an ICU converter closes it), so a converter that saw an error is
// replaced by a new one.
QStringEncoder& encoderInstance() {
    thread_local std::optional<QStringEncoder> encoder;
    if (!encoder || encoder->hasError()) encoder.emplace("GBK", QStringConverter::Flag::Stateless);
    return *encoder;
}

QStringDecoder& decoderInstance() {
    thread_local std::optional<QStringDecoder> decoder;
    if (!decoder || decoder->hasError()) decoder.emplace("GBK", QStringConverter::Flag::Stateless);
    return *decoder;
}

}  // namespace

std::optional<QByteArray> encode(QStringView text) {
    // Private-use characters would take the bytes of GBK's user-defined areas, which decode
    // refuses: a text written with them would not read back.
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text[i].unicode();
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        }
        if (isPrivateUse(c)) return std::nullopt;
    }
    QStringEncoder& encoder = encoderInstance();
    QByteArray out = encoder.encode(text);
    if (encoder.hasError()) return std::nullopt;
    // The encoder may still substitute '?' silently for some inputs: a '?' in the output
    // must come from a '?' in the input.
    if (out.count('?') != text.count(u'?')) return std::nullopt;
    return out;
}

std::optional<QString> decode(QByteArrayView bytes) {
    // ASCII is GBK as it stands; record files are mostly ASCII codes and digits.
    if (std::all_of(bytes.begin(), bytes.end(), [](char b) { return static_cast<unsigned char>(b) < 0x80; }))
        return QString::fromLatin1(bytes);
    QStringDecoder& decoder = decoderInstance();
    QString out = decoder.decode(bytes);
    if (decoder.hasError()) return std::nullopt;
    for (qsizetype i = 0; i < out.size(); ++i) {
        char32_t c = out[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < out.size()) {
            c = QChar::surrogateToUcs4(out[i], out[i + 1]);
            ++i;
        }
        if (isPrivateUse(c) || c == 0xFFFD) return std::nullopt;
    }
    return out;
}

bool isValid(QByteArrayView bytes) {
    // 0: not judged yet, 1: valid, 2: invalid; indexed by the unit's bytes (one or two).
    thread_local std::vector<std::uint8_t> judged(0x10000, 0);
    const auto judge = [](QByteArrayView unit, std::size_t at) {
        std::uint8_t& verdict = judged[at];
        if (verdict == 0) verdict = decode(unit) ? 1 : 2;
        return verdict == 1;
    };
    for (qsizetype i = 0; i < bytes.size();) {
        const auto b0 = static_cast<unsigned char>(bytes[i]);
        if (b0 < 0x80) {
            ++i;
            continue;
        }
        // A lead byte takes the next byte with it, as the converter reads it; any other byte of
        // 0x80 and above stands alone.
        const bool lead = b0 >= 0x81 && b0 <= 0xFE && i + 1 < bytes.size();
        if (!lead) {
            if (!judge(bytes.sliced(i, 1), b0)) return false;
            ++i;
            continue;
        }
        const auto b1 = static_cast<unsigned char>(bytes[i + 1]);
        if (!judge(bytes.sliced(i, 2), std::size_t(b0) << 8 | b1)) return false;
        i += 2;
    }
    return true;
}

QString decodeLenient(QByteArrayView bytes) {
    return decoderInstance().decode(bytes);
}

std::int16_t keyOfBytes(QByteArrayView bytes) {
    if (bytes.isEmpty()) return 0;
    const auto b0 = static_cast<unsigned char>(bytes[0]);
    // Lead bytes are 0x81 to 0xFE; 0x80 alone is the euro sign, a one-byte character.
    if (b0 <= 0x80 || b0 == 0xFF || bytes.size() < 2) return static_cast<std::int16_t>(b0);
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

std::optional<QByteArray> percentEncoded(QStringView text) {
    const std::optional<QByteArray> bytes = encode(text);
    if (!bytes) return std::nullopt;
    static const QByteArray kept = QByteArrayLiteral("-._~!$'()*,;:@/?");
    QByteArray out;
    for (const char b : *bytes) {
        const auto u = static_cast<unsigned char>(b);
        const bool plain = (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || kept.contains(b);
        if (plain) {
            out += b;
        } else {
            out += '%';
            out += "0123456789ABCDEF"[u >> 4];
            out += "0123456789ABCDEF"[u & 15];
        }
    }
    return out;
}

}  // namespace tessivo::gbk
