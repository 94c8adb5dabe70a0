// Character drawings: BMP decoding, then both flood fills from seeds the input names.
#include "fuzz_input.h"
#include "lookup/panel_surface.h"
#include "lookup/raster.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessivo;
    fuzz::FuzzInput in(data, size);
    const std::uint16_t seeds[4] = {in.word(), in.word(), in.word(), in.word()};
    const QByteArray rest = in.rest();
    std::string error;
    const auto picture = Raster::decodeBmp(std::vector<std::uint8_t>(rest.begin(), rest.end()), &error);
    if (!picture) {
        if (error.empty()) std::abort();  // a refusal always says why
        return 0;
    }
    // The fills walk every pixel: skip pictures far above the size of a drawing.
    if (static_cast<long long>(picture->width()) * picture->height() > 1 << 20) return 0;
    Raster a = *picture;
    const std::size_t painted = floodFill4(a, seeds[0] % (a.width() + 2) - 1, seeds[1] % (a.height() + 2) - 1, 0x123456);
    if (painted > a.pixels().size()) std::abort();
    Raster b = *picture;
    floodFillToBorder4(b, seeds[2] % (b.width() + 2) - 1, seeds[3] % (b.height() + 2) - 1, Raster::Black, 0x654321);
    PanelSurface surface(*picture);
    floodFill(surface, seeds[0], seeds[1], Raster::Black, Raster::White);
    return 0;
}
