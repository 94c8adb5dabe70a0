// The generator's reader of one character file of the outline package (<character>.json):
// strokes and centre lines, then the stroke classes read from the centre lines.
#include "common/common.h"
#include "decomp/inputs.h"

#include "fuzz_input.h"

#include <QFile>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessivo;
    using namespace tessivo::datagen;
    const QString& dir = fuzz::scratchFolder();
    {
        QFile out(dir + QStringLiteral("/字.json"));
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
        out.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    try {
        const auto outline = readOutline(dir, QStringLiteral("字"));
        if (!outline) std::abort();  // the file is there
        if (outline->paths.size() != static_cast<qsizetype>(outline->medians.size())) std::abort();
        QString classes;
        for (const Median& m : outline->medians) classes += QLatin1Char(classifyMedian(m));
        if (classAgreement(classes, outline->medians) != classes.size()) std::abort();
        (void)fittingVariants({classes, QStringLiteral("hspnz")}, outline->medians, 1);
    } catch (const GenError&) {
        // a refused file: the generator stops with this message
    }
    return 0;
}
