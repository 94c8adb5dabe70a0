#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

// The one place where text crosses between GBK bytes (every file and key) and QString.
// Conversion is strict: a character GBK cannot hold is refused rather than turned into '?',
// and bytes that are not valid GBK are refused rather than mapped to private-use characters.
namespace tessivo::gbk {

// GBK bytes of `text`, or nullopt when any character has no GBK code.
std::optional<QByteArray> encode(QStringView text);

// Text of GBK `bytes`, or nullopt for invalid or truncated bytes.
std::optional<QString> decode(QByteArrayView bytes);

// Whether decode() accepts `bytes`, without building the text: every double-byte character is
// judged once per run, all in one conversion at the first call, which makes checking a whole
// record file cheap. Safe to call from any thread.
bool isValid(QByteArrayView bytes);

// Like decode, but never fails: undecodable bytes become U+FFFD. For fixed-width record fields
// whose bytes were checked when the file was opened.
QString decodeLenient(QByteArrayView bytes);

// Character key: the GBK code of the first character of `text` as a signed 16-bit number
// (lead byte * 256 + trail byte - 65536 for a double-byte character, the byte value for a
// single-byte one). nullopt for empty text or a first character without a GBK code.
std::optional<std::int16_t> charKey(QStringView text);

// Key of a record field's raw bytes (first one or two bytes), the same numbering as charKey.
std::int16_t keyOfBytes(QByteArrayView bytes);

// `text` as GBK bytes for a web address's query: every byte that a query may not carry as it
// stands, or that would split the query (& = + # % and the blank), is written as %XX (capital hex
// digits); letters, digits and - . _ ~ ! $ ' ( ) * , ; : @ / ? stay. A server that decodes the
// query gets exactly the GBK bytes of `text`. nullopt when a character has no GBK code.
std::optional<QByteArray> percentEncoded(QStringView text);

}  // namespace tessivo::gbk
