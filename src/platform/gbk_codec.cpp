#include "gbk_codec.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QList>

#include <algorithm>
#include <array>
#include <atomic>
#include <bit>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

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

namespace {

// What decode() says of each unit (one or two bytes, indexed by them): 0 not judged yet, 1 valid,
// 2 invalid. Shared by every thread; a verdict, once written, never changes.
using Verdicts = std::array<std::atomic<std::uint8_t>, 0x10000>;

// Every pair shaped like a GBK character (lead 0x81-0xFE, trail 0x40-0xFE but 0x7F), in one
// conversion: judging only the pairs a file holds would first cost a scan of the whole file.
void judgeShapedPairs(Verdicts& judged) {
    QByteArray units(126 * 190 * 2, Qt::Uninitialized);
    char* unit = units.data();
    for (int b0 = 0x81; b0 <= 0xFE; ++b0) {
        for (int b1 = 0x40; b1 <= 0xFE; ++b1) {
            if (b1 == 0x7F) continue;
            *unit++ = char(b0);
            *unit++ = char(b1);
        }
    }
    QStringDecoder decoder("GBK", QStringConverter::Flag::Stateless);
    const QString out = decoder.decode(units);
    // Each unit one character, as GBK has it; otherwise every unit is judged alone when met.
    if (decoder.hasError() || out.size() * 2 != units.size()) return;
    for (qsizetype i = 0; i < out.size(); ++i) {
        const char16_t c = out[i].unicode();
        const auto index = std::size_t(static_cast<unsigned char>(units[2 * i])) << 8 | static_cast<unsigned char>(units[2 * i + 1]);
        judged[index].store(isPrivateUse(c) || c == 0xFFFD || QChar::isSurrogate(c) ? 2 : 1, std::memory_order_relaxed);
    }
}

Verdicts& verdicts() {
    static Verdicts judged;  // zero: nothing judged
    static const bool shapedPairsJudged = (judgeShapedPairs(judged), true);
    (void)shapedPairsJudged;
    return judged;
}

// The first byte of 0x80 and above at or after `i`; record files are mostly ASCII, skipped 16
// bytes at a time.
qsizetype nextHighByte(QByteArrayView bytes, qsizetype i) {
    const qsizetype n = bytes.size();
#ifdef __SSE2__
    for (; i + 16 <= n; i += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes.data() + i));
        if (const int high = _mm_movemask_epi8(block)) return i + std::countr_zero(unsigned(high));
    }
#endif
    while (i < n && static_cast<unsigned char>(bytes[i]) < 0x80) ++i;
    return i;
}

bool judgedValid(Verdicts& judged, QByteArrayView unit, std::size_t at) {
    std::uint8_t verdict = judged[at].load(std::memory_order_relaxed);
    if (verdict == 0) {
        // Threads that meet the same unit at once write the same verdict.
        verdict = decode(unit) ? 1 : 2;
        judged[at].store(verdict, std::memory_order_relaxed);
    }
    return verdict == 1;
}

}  // namespace

bool isValid(QByteArrayView bytes) {
    Verdicts& judged = verdicts();
    for (qsizetype i = nextHighByte(bytes, 0); i < bytes.size(); i = nextHighByte(bytes, i)) {
        const auto b0 = static_cast<unsigned char>(bytes[i]);
        // A lead byte takes the next byte with it, as the converter reads it; any other byte of
        // 0x80 and above stands alone.
        const bool lead = b0 >= 0x81 && b0 <= 0xFE && i + 1 < bytes.size();
        if (!lead) {
            if (!judgedValid(judged, bytes.sliced(i, 1), b0)) return false;
            ++i;
            continue;
        }
        const auto b1 = static_cast<unsigned char>(bytes[i + 1]);
        if (!judgedValid(judged, bytes.sliced(i, 2), std::size_t(b0) << 8 | b1)) return false;
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
