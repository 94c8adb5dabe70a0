// Per-character cost of the lookups over every GB2312 character, on the real data files.
//
//   tessivo_bench_lookup [--data-dir=<folder>] [benchmark flags]
//
// The data folder holds wwbb11.dat, wwbb11cz.dat and bmp/; it defaults to $TESSIVO_DATA_DIR, else
// the build's bin folder. Key pictures are read from <data>/../generated/keys when present.
// Each benchmark reports the median and the 99th percentile of the single-character times of
// its last pass over all characters (earlier passes warm the caches).

#include "common/common.h"
#include "lookup/charcode_file.h"
#include "lookup/code_lookup.h"
#include "phrases/phrase_file.h"
#include "phrases/phrase_lookup.h"
#include "platform/gbk_codec.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace {

#ifndef TESSIVO_BIN_DIR
#define TESSIVO_BIN_DIR "."
#endif

QString dataDir = QStringLiteral(TESSIVO_BIN_DIR);

const QStringList& gb2312() { return tessivo::datagen::gb2312Hanzi(); }

struct Percentiles {
    double median = 0;
    double p99 = 0;
};

Percentiles percentiles(std::vector<double> us) {
    if (us.empty()) return {};
    std::sort(us.begin(), us.end());
    const auto at = [&](double q) { return us[std::min(us.size() - 1, static_cast<std::size_t>(q * (us.size() - 1) + 0.5))]; };
    return {at(0.5), at(0.99)};
}

void report(benchmark::State& state, const char* name, const std::vector<double>& us, int found) {
    const Percentiles p = percentiles(us);
    state.counters["median_us"] = p.median;
    state.counters["p99_us"] = p.p99;
    state.counters["found"] = found;
    std::printf("%s: %zu lookups, median %.1f us, 99th percentile %.1f us, %d found\n", name, us.size(), p.median, p.p99, found);
}

tessivo::KeyPictureProvider keyPicturesFrom(const QString& folder) {
    return [folder](QChar letter) -> std::optional<tessivo::Raster> {
        const QByteArray path = QFile::encodeName(folder + u'/' + letter + QStringLiteral(".bmp"));
        return tessivo::Raster::loadBmp(std::filesystem::path(path.toStdString()));
    };
}

template <typename File>
bool openOrSkip(benchmark::State& state, File& file, const QString& name) {
    if (file.open(dataDir + u'/' + name)) return true;
    state.SkipWithError(file.errorString().toStdString().c_str());
    return false;
}

using Clock = std::chrono::steady_clock;

double microseconds(Clock::duration d) { return std::chrono::duration<double, std::micro>(d).count(); }

// The search of the code file and the phrase list, as one hand-over runs them.
void BM_SearchAndPhrases(benchmark::State& state) {
    tessivo::CharCodeFile codes;
    tessivo::PhraseFile phrases;
    if (!openOrSkip(state, codes, QStringLiteral("wwbb11.dat")) || !openOrSkip(state, phrases, QStringLiteral("wwbb11cz.dat")))
        return;
    tessivo::CharCodeSearch search(codes);
    tessivo::PhraseLookup words(phrases);
    search.start();
    words.start();
    std::vector<double> us;
    int found = 0;
    for (auto _ : state) {
        us.clear();
        found = 0;
        for (const QString& c : gb2312()) {
            const auto start = Clock::now();
            const bool hit = search.search(c);
            if (hit) search.loadCurrentRecord();
            words.lookup(c);
            us.push_back(microseconds(Clock::now() - start));
            found += hit;
            benchmark::DoNotOptimize(words.pages().pageText.size());
        }
    }
    report(state, "search + phrases", us, found);
}

// The whole code lookup: search, record fields, code line, drawings and fills of the panels.
void BM_CodeDisplay(benchmark::State& state) {
    tessivo::CharCodeFile codes;
    if (!openOrSkip(state, codes, QStringLiteral("wwbb11.dat"))) return;
    tessivo::CodeLookup lookup(codes, dataDir, keyPicturesFrom(dataDir + QStringLiteral("/../generated/keys")));
    lookup.start();
    std::vector<double> us;
    int found = 0;
    int drawn = 0;
    for (auto _ : state) {
        us.clear();
        found = 0;
        drawn = 0;
        for (const QString& c : gb2312()) {
            const auto start = Clock::now();
            const tessivo::CodeLookupResult result = lookup.run(c);
            us.push_back(microseconds(Clock::now() - start));
            found += result.found;
            drawn += lookup.state().panels[0].kind == tessivo::Panel::Kind::Drawing;
        }
    }
    state.counters["drawn"] = drawn;
    report(state, "code display", us, found);
    std::printf("code display: %d of %d characters had a readable drawing\n", drawn, static_cast<int>(gb2312().size()));
}

// Opening and checking both record files, as every start does, each open on a thread of its own.
// The first open of the run also judges every GBK character once for the run; it is reported
// apart.
void BM_OpenRecordFiles(benchmark::State& state) {
    std::vector<double> us;
    bool opened = true;
    for (auto _ : state) {
        std::thread run([&] {
            const auto start = Clock::now();
            tessivo::CharCodeFile codes;
            tessivo::PhraseFile phrases;
            opened = codes.open(dataDir + QStringLiteral("/wwbb11.dat")) && phrases.open(dataDir + QStringLiteral("/wwbb11cz.dat"));
            us.push_back(microseconds(Clock::now() - start));
        });
        run.join();
        if (!opened) return state.SkipWithError("the record files do not open");
    }
    const double first = us.empty() ? 0 : us.front();
    const Percentiles p = percentiles(us);
    state.counters["median_us"] = p.median;
    state.counters["first_us"] = first;
    std::printf("open and check both record files: %zu opens, first %.0f us, median %.0f us\n", us.size(), first, p.median);
}

BENCHMARK(BM_OpenRecordFiles)->Unit(benchmark::kMillisecond)->Iterations(30);
BENCHMARK(BM_SearchAndPhrases)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_CodeDisplay)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    if (const char* env = std::getenv("TESSIVO_DATA_DIR"); env && *env) dataDir = QString::fromLocal8Bit(env);
    // Our own flag first; the rest belongs to the benchmark library.
    std::vector<char*> rest;
    for (int i = 0; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("--data-dir=", 0) == 0) {
            dataDir = QString::fromLocal8Bit(arg.substr(11).c_str());
        } else {
            rest.push_back(argv[i]);
        }
    }
    int restCount = static_cast<int>(rest.size());
    benchmark::Initialize(&restCount, rest.data());
    if (benchmark::ReportUnrecognizedArguments(restCount, rest.data())) return 1;
    std::printf("data folder: %s\n", qPrintable(dataDir));
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
