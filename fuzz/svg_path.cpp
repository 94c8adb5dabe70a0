// The generator's outline paths: the SVG path parser and the rasteriser that turns one stroke
// outline into a panel mask.
#include "common/common.h"
#include "decomp/outline.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessivo::datagen;
    const QString path = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    try {
        (void)strokeMask(path);
    } catch (const GenError&) {
        // a refused outline: the generator stops with this message
    }
    return 0;
}
