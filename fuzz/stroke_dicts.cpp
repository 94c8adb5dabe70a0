// The generator's readers of the stroke dictionaries: stroke.dict.yaml (for the stroke table
// and for the decomposer's stroke classes) and the order table of cnchar.order.min.js, with the
// digit and five-digit-code rules applied to what they read.
#include "common/common.h"
#include "decomp/inputs.h"
#include "tables/table_gen.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessivo::datagen;
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QStringList wanted = gb2312Hanzi().mid(0, 200);
    wanted << text.left(1);
    QHash<QString, QString> rime, cnchar;
    try {
        rime = tables::parseRimeStrokes(text, wanted);
        for (const QString& letters : rime) {
            const QString code = tables::fiveDigitCode(tables::rimeStrokeDigits(letters));
            if (code.size() != 0 && code.size() != 5) std::abort();
        }
        (void)tables::buildStrokeLines(wanted, rime);
    } catch (const GenError&) {
        // refused input: the generator stops with this message
    }
    try {
        cnchar = tables::parseCncharOrder(text);
        for (const QString& letters : cnchar) (void)tables::fiveDigitCode(tables::cncharStrokeDigits(letters));
    } catch (const GenError&) {
        // refused input
    }
    (void)tables::strokeDisagreements(wanted, rime, cnchar);
    const StrokeTable table = StrokeTable::fromText(text);
    for (const QString& c : wanted) {
        const QStringList variants = table.variants(c);
        if (table.mainlandCount(c) > variants.size()) std::abort();
    }
    return 0;
}
