// decomposition.tsv read back: the whole table, and each line and panel column alone.
#include "common/common.h"
#include "decomp/decomposition_table.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessivo::datagen;
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    try {
        (void)parseDecompositionTable(text);
    } catch (const GenError&) {
        // a refused table
    }
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        QString error;
        const auto row = parseDecompositionLine(line, &error);
        if (!row && error.isEmpty()) std::abort();  // a refusal always says why
        for (const QString& column : line.split(QLatin1Char('\t'))) (void)parsePanelColumn(column);
    }
    return 0;
}
