#include "pinyin/pinyin_lookup.h"

#include "pinyin/syllables.h"
#include "platform/gbk_codec.h"
#include "tables/table_format.h"

namespace tessivo::pinyin {

using tables::ReferenceTables;
using tables::TableSearch;

const QStringList& readingChooserItems() {
    static const QStringList list = chooserSyllableList();
    return list;
}

QString trimBlanks(const QString& text) {
    qsizetype from = 0, to = text.size();
    while (from < to && text[from] == u' ') ++from;
    while (to > from && text[to - 1] == u' ') --to;
    return text.mid(from, to - from);
}

ReadingChoice chooseReading(const QString& chooserText) {
    ReadingChoice choice;
    const QString reading = trimBlanks(chooserText);
    if (reading.isEmpty()) return choice;
    choice.proceed = true;
    if (reading.size() <= tables::kReadingWidth)
        choice.request = reading.leftJustified(tables::kReadingWidth, u' ');
    return choice;
}

std::optional<QString> charactersOfReading(TableSearch& search, const ReferenceTables& tables, const QString& request) {
    if (trimBlanks(request).isEmpty()) return std::nullopt;
    const int block = tables::pinyinBlockOfLetter(request.front());
    if (block == 0) return std::nullopt;
    // The padded request is a whole reading field, so a shorter reading never matches inside a
    // longer one ("zhu   " is not part of "zhuang").
    return search.collect(tables.pinyinBlock(block), request);
}

QString readingOfCharacter(TableSearch& search, const ReferenceTables& tables, const QString& request) {
    if (request.isEmpty()) return {};
    const auto key = gbk::charKey(request);
    if (!key || *key >= 0) return {};
    const QString character = request.left(1);
    QString reading;
    // Blocks in order; within a block the last line of the character wins, and the first block
    // that has one ends the search.
    for (int n = 1; n <= tables::kBlockCount && reading.isEmpty(); ++n) {
        for (;;) {
            search.nextFieldOfCharacter(tables.pinyinBlock(n), character);
            if (!search.found) break;
            reading = search.hit;
        }
    }
    return reading;
}

RequestOutcome requestChanged(TableSearch& search, const ReferenceTables& tables, ReadingMode mode,
                              const QString& request) {
    RequestOutcome outcome;
    if (trimBlanks(request).isEmpty()) return outcome;
    if (mode == ReadingMode::OfCharacter) outcome.readingLabel = readingOfCharacter(search, tables, request);
    else outcome.resultList = charactersOfReading(search, tables, request);
    return outcome;
}

std::optional<QString> listForReading(const ReferenceTables& tables, const QString& reading) {
    const ReadingChoice choice = chooseReading(reading);
    if (!choice.request) return std::nullopt;
    TableSearch search;
    return charactersOfReading(search, tables, *choice.request);
}

QString readingOf(const ReferenceTables& tables, const QString& text) {
    TableSearch search;
    return trimBlanks(readingOfCharacter(search, tables, text));
}

}  // namespace tessivo::pinyin
