// The generator's reader of the Wubi-86 table (wubi86.dict.yaml), and what it derives from the
// entries: each character's codes and its full code.
#include "common/common.h"
#include "common/wubi_dict.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessivo::datagen;
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    try {
        const auto entries = parseWubiDict(text, QStringLiteral("fuzz input"));
        for (const auto& [character, codes] : singleCharacterCodes(entries)) {
            const QString full = fullCode(codes);
            if (!codes.isEmpty() && !codes.contains(full)) std::abort();
        }
    } catch (const GenError&) {
        // a refused table: the generator stops with this message
    }
    return 0;
}
