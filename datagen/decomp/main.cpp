// tessivo-datagen-decomp: splits every GB2312 character into its Wubi-86 radicals and writes
// the character drawings of the radical panels, their fill points, the identification-key
// pictures and the readable decomposition table.

#include "common/common.h"
#include "decomp/contact_sheet.h"
#include "decomp/decomposer.h"
#include "decomp/drawing.h"
#include "decomp/inputs.h"
#include "decomp/key_pictures.h"
#include "decomp/outline.h"
#include "decomp/outputs.h"

#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSet>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <exception>
#include <mutex>
#include <thread>

using namespace tessivo::datagen;
using tessivo::Raster;

namespace {

struct Options {
    QString wubi, stroke, hanziWriter, bmpDir, keysDir, table, fills;
    QString only, contactSheet, report, font;
    int jobs = 2;
};

Options parseOptions(const QCoreApplication& app) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Splits the GB2312 characters into Wubi-86 radicals; writes the panel drawings, their fill points, "
        "the identification-key pictures and the decomposition table."));
    parser.addHelpOption();
    const QCommandLineOption wubi(QStringLiteral("wubi"), QStringLiteral("Wubi-86 code dictionary (rime-data-wubi)."), QStringLiteral("file"));
    const QCommandLineOption stroke(QStringLiteral("stroke"), QStringLiteral("Stroke dictionary (rime-data-stroke)."), QStringLiteral("file"));
    const QCommandLineOption hanziWriter(QStringLiteral("hanzi-writer"), QStringLiteral("Folder of the stroke outline data (hanzi-writer-data)."), QStringLiteral("dir"));
    const QCommandLineOption bmpDir(QStringLiteral("bmp-dir"), QStringLiteral("Output folder of the character drawings."), QStringLiteral("dir"));
    const QCommandLineOption keysDir(QStringLiteral("keys-dir"), QStringLiteral("Output folder of the identification-key pictures."), QStringLiteral("dir"));
    const QCommandLineOption table(QStringLiteral("table"), QStringLiteral("Output decomposition table."), QStringLiteral("file"));
    const QCommandLineOption fills(QStringLiteral("fills"), QStringLiteral("Output fill points."), QStringLiteral("file"));
    const QCommandLineOption only(QStringLiteral("only"), QStringLiteral("Process only these characters (for development)."), QStringLiteral("characters"));
    const QCommandLineOption sheet(QStringLiteral("contact-sheet"), QStringLiteral("Also write a PNG of the 300 most frequent characters with their panels."), QStringLiteral("file"));
    const QCommandLineOption report(QStringLiteral("report"), QStringLiteral("Also write the panels whose fill is not exact, one a line."), QStringLiteral("file"));
    const QCommandLineOption font(QStringLiteral("font"), QStringLiteral("Font of the key pictures (fonts-noto-cjk by default)."), QStringLiteral("file"));
    const QCommandLineOption jobs(QStringLiteral("jobs"), QStringLiteral("Worker threads (default 2)."), QStringLiteral("n"));
    for (const auto* o : {&wubi, &stroke, &hanziWriter, &bmpDir, &keysDir, &table, &fills, &only, &sheet, &report, &font, &jobs})
        parser.addOption(*o);
    parser.process(app);
    Options out;
    out.wubi = parser.value(wubi);
    out.stroke = parser.value(stroke);
    out.hanziWriter = parser.value(hanziWriter);
    out.bmpDir = parser.value(bmpDir);
    out.keysDir = parser.value(keysDir);
    out.table = parser.value(table);
    out.fills = parser.value(fills);
    out.only = parser.value(only);
    out.contactSheet = parser.value(sheet);
    out.report = parser.value(report);
    out.font = parser.isSet(font) ? parser.value(font) : defaultPictureFontPath();
    if (parser.isSet(jobs)) out.jobs = std::clamp(parser.value(jobs).toInt(), 1, 16);
    const std::pair<const QCommandLineOption*, const QString*> required[] = {
        {&wubi, &out.wubi}, {&stroke, &out.stroke}, {&hanziWriter, &out.hanziWriter}, {&bmpDir, &out.bmpDir},
        {&keysDir, &out.keysDir}, {&table, &out.table}, {&fills, &out.fills}};
    for (const auto& [option, value] : required) {
        if (value->isEmpty()) throw GenError(QStringLiteral("missing --%1 (see --help)").arg(option->names().front()));
    }
    return out;
}

struct Result {
    QString character;
    QString fullCode;
    Decomposition decomposition;
    Drawing drawing;
};

QByteArray bytesOf(const std::vector<std::uint8_t>& v) {
    return QByteArray(reinterpret_cast<const char*>(v.data()), static_cast<qsizetype>(v.size()));
}

void makeDir(const QString& path) {
    if (!QDir().mkpath(path)) throw GenError(QStringLiteral("cannot create the folder %1").arg(path));
}

int run(const Options& options) {
    QElapsedTimer timer;
    timer.start();
    QStringList characters;
    if (options.only.isEmpty()) {
        characters = gb2312Hanzi();
    } else {
        for (const QChar c : options.only) {
            if (!characters.contains(QString(c))) characters << QString(c);
        }
    }

    const InputLoader loader(options.wubi, options.stroke, options.hanziWriter);
    const QString fontFamily = loadPictureFont(options.font);
    makeDir(options.bmpDir);
    makeDir(options.keysDir);
    for (const QString& file : {options.table, options.fills, options.report, options.contactSheet}) {
        if (!file.isEmpty()) makeDir(QFileInfo(file).absolutePath());
    }
    // Only the characters of the review sheet keep their drawing in memory.
    QSet<QString> onSheet;
    QStringList sheetCharacters;
    if (!options.contactSheet.isEmpty()) {
        sheetCharacters = mostFrequent(readUtf8File(options.wubi, QStringLiteral("rime-data-wubi")), characters, 300);
        onSheet = QSet<QString>(sheetCharacters.begin(), sheetCharacters.end());
    }

    // Decomposition and drawing of each character are independent; the workers take characters
    // by index and the results are written in character order, so the output does not depend on
    // the number of workers.
    std::vector<Result> results(static_cast<std::size_t>(characters.size()));
    std::atomic<int> next{0};
    std::mutex progressMutex;
    std::exception_ptr failure;
    Progress progress(QStringLiteral("decomposing and drawing"), static_cast<int>(characters.size()));
    auto work = [&] {
        for (;;) {
            const int i = next.fetch_add(1);
            if (i >= characters.size()) return;
            try {
                Result& r = results[static_cast<std::size_t>(i)];
                // at(), not operator[]: a non-const access would detach the shared list, a data race.
                const CharacterInput input = loader.load(characters.at(i));
                r.character = input.character;
                r.fullCode = input.fullCode;
                r.decomposition = decompose(input, loader);
                std::vector<Mask> masks;
                masks.reserve(input.strokes.size());
                for (const Stroke& s : input.strokes) masks.push_back(strokeMask(s.path));
                r.drawing = renderDrawing(masks, r.decomposition);
                const QString bmp = QDir(options.bmpDir).filePath(r.character + QStringLiteral(".bmp"));
                if (!r.drawing.raster.saveMonoBmp(bmp.toStdString())) throw GenError(QStringLiteral("cannot write %1").arg(bmp));
                if (!onSheet.contains(r.character)) r.drawing.raster = Raster();
            } catch (...) {
                const std::lock_guard lock(progressMutex);
                if (!failure) failure = std::current_exception();
                next = static_cast<int>(characters.size());
                return;
            }
            const std::lock_guard lock(progressMutex);
            progress.step();
        }
    };
    std::vector<std::thread> workers;
    for (int t = 1; t < options.jobs; ++t) workers.emplace_back(work);
    work();
    for (auto& w : workers) w.join();
    if (failure) std::rethrow_exception(failure);
    progress.done();
    const qint64 drawnAt = timer.elapsed();

    QString fillsText;
    QString tableText;
    QString reportText;
    int lowCount = 0, over9Before = 0, over9After = 0, missedPanels = 0, missedPixels = 0, leakPanels = 0,
        leakPixels = 0, outlineOnly = 0, joinedCharacters = 0, speckCharacters = 0, speckPixels = 0;
    for (const Result& r : results) {
        const QString& c = r.character;
        fillsText += fillsLine(c, r.drawing);
        tableText += tableLine(c, r.fullCode, r.decomposition);
        if (r.decomposition.confidence == Confidence::Low) ++lowCount;
        if (r.drawing.joinPixels > 0) ++joinedCharacters;
        if (r.drawing.speckPixels > 0) ++speckCharacters;
        speckPixels += r.drawing.speckPixels;
        for (int k = 0; k < 4; ++k) {
            const PanelFill& p = r.drawing.panels[static_cast<std::size_t>(k)];
            if (p.kind != PanelAssignment::Kind::Strokes) continue;
            if (p.regionsBeforeJoin > MaxFillPoints) ++over9Before;
            if (p.regions > MaxFillPoints) ++over9After;
            if (p.missedPixels > 0) ++missedPanels;
            if (p.leakedPixels > 0) ++leakPanels;
            if (p.outlineOnly) ++outlineOnly;
            missedPixels += p.missedPixels;
            leakPixels += p.leakedPixels;
            if (p.missedPixels > 0 || p.leakedPixels > 0 || p.outlineOnly) {
                reportText += QStringLiteral("%1\tpanel%2\tregions %3 (before joining %4)\tmissed %5 of %6\tleaked %7%8\n")
                                  .arg(c)
                                  .arg(k + 1)
                                  .arg(p.regions)
                                  .arg(p.regionsBeforeJoin)
                                  .arg(p.missedPixels)
                                  .arg(p.radicalPixels)
                                  .arg(p.leakedPixels)
                                  .arg(p.outlineOnly ? QStringLiteral("\toutline only") : QString());
            }
        }
    }
    const auto& keys = identificationKeys();
    std::vector<Raster> keyPictures;
    for (const KeyMeaning& key : keys) {
        keyPictures.push_back(drawKeyPicture(key, fontFamily));
        writeFileAtomically(QDir(options.keysDir).filePath(QString(key.letter) + QStringLiteral(".bmp")),
                            bytesOf(keyPictures.back().encodeMonoBmp()));
    }
    writeFileAtomically(options.fills, fillsText.toUtf8());
    writeFileAtomically(options.table, tableText.toUtf8());
    if (!options.report.isEmpty()) writeFileAtomically(options.report, reportText.toUtf8());

    if (!options.contactSheet.isEmpty()) {
        std::vector<SheetEntry> entries;
        for (const QString& c : sheetCharacters) {
            const Result& r = results[static_cast<std::size_t>(characters.indexOf(c))];
            entries.push_back({c, r.fullCode, confidenceWord(r.decomposition.confidence), r.drawing});
        }
        const QImage sheet = contactSheet(entries, keyPictures, fontFamily);
        if (!sheet.save(options.contactSheet, "PNG")) throw GenError(QStringLiteral("cannot write %1").arg(options.contactSheet));
    }

    std::fprintf(stderr,
                 "%lld characters in %.1f s (%.1f s decomposing and drawing); low confidence %d; panels over nine areas %d (before joining %d, "
                 "%d characters joined, %d crossing-speck pixels inked in %d characters); panels with missed pixels %d (%d pixels); leaking panels %d (%d pixels); "
                 "outline-only panels %d\n",
                 static_cast<long long>(characters.size()), timer.elapsed() / 1000.0, drawnAt / 1000.0, lowCount, over9After, over9Before,
                 joinedCharacters, speckPixels, speckCharacters, missedPanels, missedPixels, leakPanels, leakPixels, outlineOnly);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // Key pictures need fonts, hence a GUI application, but never a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    try {
        return run(parseOptions(app));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "\ntessivo-datagen-decomp: %s\n", e.what());
        return 1;
    }
}
