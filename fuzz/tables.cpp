// The built-in tables: the loader (both files from the input, every line checked) and the
// searches of the reading and stroke lookups, over the loaded tables when they pass the check
// and over the embedded ones, with keys from the input.
#include "fuzz_input.h"
#include "pinyin/pinyin_lookup.h"
#include "strokes/stroke_lookup.h"
#include "tables/reference_tables.h"

namespace {

void searchAll(const tessivo::tables::ReferenceTables& tables, const QString& key) {
    using namespace tessivo;
    tables::TableSearch search;
    (void)pinyin::charactersOfReading(search, tables, key);
    (void)pinyin::readingOfCharacter(search, tables, key);
    (void)pinyin::listForReading(tables, key);
    (void)pinyin::readingOf(tables, key);
    (void)pinyin::chooseReading(key);
    for (const auto mode : {pinyin::ReadingMode::OfCharacter, pinyin::ReadingMode::OfReading})
        (void)pinyin::requestChanged(search, tables, mode, key);
    (void)strokes::charactersOfStrokeCode(search, tables, key);
    (void)strokes::readingLabelForList(search, tables, key);
    (void)strokes::listForStrokeCode(tables, key);
    for (int n = 1; n <= 5; ++n) {
        (void)search.collect(tables.pinyinBlock(n), key);
        (void)search.collect(tables.strokeBlock(n), key);
        for (const QString* block : {&tables.pinyinBlock(n), &tables.strokeBlock(n)}) {
            // A loop over one search ends: every hit moves the offset on.
            for (int hits = 0; hits <= block->size(); ++hits) {
                search.nextFieldOfCharacter(*block, key);
                if (!search.found) break;
                if (hits == block->size()) std::abort();
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessivo;
    fuzz::FuzzInput in(data, size);
    const QString key = in.text(12);
    const QByteArray both = in.rest();
    const qsizetype split = both.indexOf('\0');
    const QByteArrayView pinyinBytes = split < 0 ? QByteArrayView(both) : QByteArrayView(both).first(split);
    const QByteArrayView strokeBytes = split < 0 ? QByteArrayView() : QByteArrayView(both).sliced(split + 1);

    searchAll(tables::ReferenceTables::embedded(), key);
    try {
        const auto loaded = tables::ReferenceTables::fromBytes(pinyinBytes, strokeBytes);
        searchAll(loaded, key);
    } catch (const tables::TableError&) {
        // a refused table: the program reports it and stops
    }
    return 0;
}
