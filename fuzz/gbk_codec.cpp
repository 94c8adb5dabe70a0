// The GBK codec both ways. Bytes that decode must encode again to text that decodes the same,
// and text that encodes must decode back to itself. The key of a character must be the key of
// its bytes for every double-byte character (the characters of the record files).
#include "fuzz_input.h"
#include "platform/gbk_codec.h"


extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessivo;
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    if (const auto text = gbk::decode(bytes)) {
        const auto again = gbk::encode(*text);
        if (!again || gbk::decode(*again) != *text) std::abort();
        if (!again->isEmpty() && gbk::charKey(*text) != gbk::keyOfBytes(*again)) std::abort();
    }
    (void)gbk::decodeLenient(bytes);
    (void)gbk::keyOfBytes(bytes);

    // The same bytes read as UTF-8 text, for the other direction.
    const QString text = QString::fromUtf8(bytes);
    if (const auto encoded = gbk::encode(text)) {
        if (gbk::decode(*encoded) != text) std::abort();
    }
    (void)gbk::charKey(text);
    return 0;
}
