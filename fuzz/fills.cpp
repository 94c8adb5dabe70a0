// The generator's reader of the fill points the decomposer writes (fills.tsv), and the check of
// each character's fills against its code.
#include "codes/fills.h"
#include "common/common.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessivo::datagen;
    static const QSet<QString> characters(gb2312Hanzi().begin(), gb2312Hanzi().end());
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    try {
        const FillTable table = parseFills(text, QStringLiteral("fuzz input"), characters);
        for (const auto& [character, fills] : table) {
            for (const QString& f : fills) {
                if (classifyFill(f) == FillKind::Invalid) std::abort();  // the reader let it through
            }
            try {
                checkFillsForCode(character, QStringLiteral("abcd"), fills);
            } catch (const GenError&) {
                // fills that do not fit the code
            }
        }
    } catch (const GenError&) {
        // a refused file
    }
    return 0;
}
