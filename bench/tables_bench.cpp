// Worst reverse searches over the embedded tables: the readings with the longest lists, the
// stroke codes shared by the most characters, and a character lookup that scans every block.
// Each reports the size of its list as the counter "chars".

#include "pinyin/pinyin_lookup.h"
#include "strokes/stroke_lookup.h"

#include <benchmark/benchmark.h>

#include <QHash>

#include <algorithm>

using tessivo::tables::ReferenceTables;
using tessivo::tables::TableSearch;

namespace {

void readingList(benchmark::State& state, const QString& reading) {
    const ReferenceTables& tables = ReferenceTables::embedded();
    const QString request = tessivo::pinyin::chooseReading(reading).request.value();
    TableSearch search;
    QString list;
    for (auto _ : state) {
        list = tessivo::pinyin::charactersOfReading(search, tables, request).value();
        benchmark::DoNotOptimize(list);
    }
    state.counters["chars"] = double(list.size() / 2);
}

void strokeList(benchmark::State& state, const QString& code) {
    const ReferenceTables& tables = ReferenceTables::embedded();
    TableSearch search;
    QString list;
    for (auto _ : state) {
        list = tessivo::strokes::charactersOfStrokeCode(search, tables, code).value();
        benchmark::DoNotOptimize(list);
    }
    state.counters["chars"] = double(list.size() / 2);
}

void characterReading(benchmark::State& state, const QString& character) {
    const ReferenceTables& tables = ReferenceTables::embedded();
    TableSearch search;
    QString label;
    for (auto _ : state) {
        label = tessivo::pinyin::readingOfCharacter(search, tables, character);
        benchmark::DoNotOptimize(label);
    }
    state.counters["chars"] = label.isEmpty() ? 0.0 : 1.0;
}

// The three readings and two stroke codes with the longest lists in the tables as built.
QStringList longestReadings() {
    const ReferenceTables& tables = ReferenceTables::embedded();
    QList<std::pair<qsizetype, QString>> sizes;
    for (const QString& s : tessivo::pinyin::readingChooserItems())
        sizes.append({tessivo::pinyin::listForReading(tables, s).value_or(QString()).size(), s});
    std::sort(sizes.begin(), sizes.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    return {sizes[0].second, sizes[1].second, sizes[2].second};
}

QStringList longestStrokeCodes() {
    const ReferenceTables& tables = ReferenceTables::embedded();
    QHash<QString, int> counts;
    for (int n = 1; n <= 5; ++n)
        for (qsizetype pos = 0; pos < tables.strokeBlock(n).size(); pos += 8) ++counts[tables.strokeBlock(n).mid(pos + 1, 5)];
    QList<std::pair<int, QString>> sizes;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) sizes.append({it.value(), it.key()});
    std::sort(sizes.begin(), sizes.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    return {sizes[0].second, sizes[1].second};
}

}  // namespace

int main(int argc, char** argv) {
    for (const QString& r : longestReadings())
        benchmark::RegisterBenchmark(("reading/" + r).toStdString().c_str(), readingList, r);
    QStringList codes = longestStrokeCodes();
    if (!codes.contains(QStringLiteral("25124"))) codes.prepend(QStringLiteral("25124"));
    for (const QString& c : codes)
        benchmark::RegisterBenchmark(("strokes/" + c).toStdString().c_str(), strokeList, c);
    // A double-byte character without a line (a full-width comma): all five blocks are scanned.
    benchmark::RegisterBenchmark("character/no-line", characterReading, QStringLiteral("，"));
    benchmark::RegisterBenchmark("character/zuo", characterReading, QStringLiteral("做"));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
