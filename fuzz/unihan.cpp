// The generator's reader of Unihan_Readings.txt and the toneless form of each reading, for the
// GB2312 characters and for characters the input names.
#include "common/common.h"
#include "tables/table_gen.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessivo::datagen;
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QStringList wanted = gb2312Hanzi();
    wanted << text.left(2) << text.right(1);
    try {
        const auto readings = tables::parseUnihanReadings(text, wanted);
        for (const auto& r : readings) {
            for (const QString& reading : QStringList{r.mandarin} + r.common + r.frequent) {
                (void)tables::tonelessReading(reading);
            }
        }
        const auto lines = tables::buildPinyinLines(wanted, readings, tables::chooserSyllables());
        (void)tables::checkPinyinTable(tables::formatPinyinTable(lines), tables::chooserSyllables());
    } catch (const GenError&) {
        // refused input: the generator stops with this message
    }
    (void)tables::tonelessReading(text);
    return 0;
}
