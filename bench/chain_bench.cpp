// The whole hand-over of one character, as a key typed into the character input runs it: the
// key press (code lookup with panels and fills, phrase lookup, reading lookup) and the key-up
// that takes the character left of the caret. The first pass is reported, first lookups and
// drawing reads included; later passes show the same work with everything cached. Measured
// over all 6,763 GB2312 characters on the real data files, then compared with a lower bound: the
// same work on data already held in memory (records, drawings, phrase lists and readings in hash
// maps), which no file read or decode can beat.
//
//   tessivo_bench_chain [DATA_DIR] [PASSES]
#include "app/state/key_pictures.h"
#include "common/common.h"
#include "app/state/main_controller.h"
#include "lookup/code_rules.h"
#include "lookup/panel_surface.h"
#include "pinyin/pinyin_lookup.h"
#include "platform/gbk_codec.h"

#include <QCoreApplication>
#include <QDir>
#include <QHash>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

using namespace tessivo;
using Clock = std::chrono::steady_clock;

namespace {

struct Stats {
    double median, p99;
};

Stats stats(std::vector<double> us) {
    std::sort(us.begin(), us.end());
    return {us[us.size() / 2], us[std::min(us.size() - 1, us.size() * 99 / 100)]};
}

template <class F>
std::vector<double> timeEach(const QStringList& chars, F&& f) {
    std::vector<double> us;
    us.reserve(chars.size());
    for (const QString& c : chars) {
        const auto t0 = Clock::now();
        f(c);
        us.push_back(std::chrono::duration<double, std::micro>(Clock::now() - t0).count());
    }
    return us;
}

// Everything the chain reads, decoded once.
struct InMemory {
    QHash<QString, CharCodeRecord> records;
    QHash<QString, Raster> drawings;
    QHash<QString, QString> phrases;
    QHash<QString, QString> readings;
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(TESSIVO_BIN_DIR);
    const int passes = argc > 2 ? std::max(1, atoi(argv[2])) : 3;
    const QStringList& chars = datagen::gb2312Hanzi();
    const auto& tables = tables::ReferenceTables::embedded();

    MainController controller(tables, embeddedKeyPictures());
    QString error;
    if (!controller.open(dir, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    // Alternate with a character that is not in the files, so every hand-over really changes
    // the request cells and runs every lookup.
    const auto handOver = [&](const QString& c) {
        controller.typeCharacter(c);
        controller.pickCharacterAt(c, 1);
        controller.typeCharacter(QStringLiteral("a"));
    };
    const std::vector<double> chain = timeEach(chars, handOver);
    std::vector<double> cached;
    for (int p = 1; p < passes; ++p) cached = timeEach(chars, handOver);
    const auto notFound = timeEach(chars, [&](const QString&) { controller.typeCharacter(QStringLiteral("a")); controller.typeCharacter(QStringLiteral("b")); });
    // Subtract the cost of the not-found hand-over paired with each measurement.
    const Stats nf = stats(notFound);

    InMemory mem;
    for (const QString& c : chars) {
        controller.typeCharacter(c);
        mem.records.insert(c, controller.view().record());
        if (auto r = Raster::loadBmp(QDir(dir).filePath(QStringLiteral("bmp/%1.bmp").arg(c)).toStdString())) mem.drawings.insert(c, *r);
        mem.phrases.insert(c, controller.view().phrases().words);
        mem.readings.insert(c, controller.view().reading());
    }
    std::vector<double> bound;
    volatile std::size_t sink = 0;
    for (int p = 0; p < passes; ++p) {
        bound = timeEach(chars, [&](const QString& c) {
            const CharCodeRecord& r = mem.records[c];
            QString line = codeLine(r.code1, r.code2, r.code3);
            const Raster& drawing = mem.drawings[c];
            for (int k = 0; k < 4; ++k) {
                PanelSurface surface(drawing);
                for (const FillPoint& pt : parseFillField(r.fill[k])) floodFill(surface, pt.x, pt.y, Raster::Black);
                sink = sink + surface.raster().pixels().size();
            }
            const QString page = mem.phrases[c].left(32);
            sink = sink + line.size() + page.size() + mem.readings[c].size();
        });
    }
    const Stats c = stats(chain), b = stats(bound);
    std::printf("characters: %lld, passes: %d\n", static_cast<long long>(chars.size()), passes);
    std::printf("hand-over chain (with one not-found hand-over): median %.1f us, p99 %.1f us\n", c.median, c.p99);
    if (!cached.empty()) {
        const Stats w = stats(cached);
        std::printf("the same, pass %d:                              median %.1f us, p99 %.1f us\n", passes, w.median, w.p99);
    }
    std::printf("not-found hand-over pair alone:                 median %.1f us, p99 %.1f us\n", nf.median, nf.p99);
    std::printf("chain, not-found part subtracted:               median %.1f us\n", c.median - nf.median / 2);
    std::printf("in-memory lower bound:                          median %.1f us, p99 %.1f us\n", b.median, b.p99);
    std::printf("ratio chain / lower bound (medians):            %.1f\n", (c.median - nf.median / 2) / b.median);
    return 0;
}
