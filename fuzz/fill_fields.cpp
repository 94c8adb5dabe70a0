// The four fill fields of a character record: each is parsed into points and flood-filled on a
// drawing, as the radical panels are, with the fill settings restored after each fill.
#include "fuzz_input.h"
#include "lookup/code_rules.h"
#include "lookup/panel_geometry.h"
#include "lookup/panel_surface.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessivo;
    fuzz::FuzzInput in(data, size);
    // A panel-sized drawing with a few black bars from the input, so fills meet borders.
    Raster raster(panel::WidthPixels, panel::HeightPixels);
    for (int bars = in.byte() % 8; bars > 0; --bars) {
        const int x = in.intIn(0, raster.width() - 1);
        const int y = in.intIn(0, raster.height() - 1);
        const int length = in.intIn(0, raster.width());
        for (int i = 0; i < length; ++i) {
            if (raster.contains(x + i, y)) raster.setPixel(x + i, y, Raster::Black);
            if (raster.contains(x, y + i)) raster.setPixel(x, y + i, Raster::Black);
        }
    }
    PanelSurface surface(raster);
    const QString fields = QString::fromUtf8(in.rest());
    for (qsizetype at = 0; at < fields.size(); at += 72) {
        const QStringView field = QStringView(fields).mid(at, 72);
        for (const FillPoint& p : parseFillField(field)) {
            floodFill(surface, p.x, p.y, Raster::Black);
            if (surface.fillStyle() != PanelSurface::TransparentFill) std::abort();
        }
    }
    return 0;
}
