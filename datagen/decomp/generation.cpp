#include "decomp/generation.h"

#include "common/common.h"
#include "decomp/components.h"
#include "decomp/contact_sheet.h"
#include "decomp/decomposer.h"
#include "decomp/drawing.h"
#include "decomp/inputs.h"
#include "decomp/key_pictures.h"
#include "decomp/outline.h"
#include "decomp/outputs.h"
#include "decomp/review.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSet>

#include <mutex>
#include <optional>

namespace tessivo::datagen {
namespace {

struct Result {
    QString character;
    QString fullCode;
    Decomposition decomposition;
    Drawing drawing;
    ReviewEntry review;
    bool onChangedSheet = false;
};

// Characters per page of the review sheets.
constexpr int kSheetPage = 120;

// What a run compares with and keeps drawings for.
struct RunContext {
    QSet<QString> onSheet;                   // the contact sheet's characters
    QHash<QString, QString> previousLines;   // character -> line of the earlier table
    bool changedSheets = false;
};

QByteArray bytesOf(const std::vector<std::uint8_t>& v) {
    return QByteArray(reinterpret_cast<const char*>(v.data()), static_cast<qsizetype>(v.size()));
}

void makeDir(const QString& path) {
    if (!QDir().mkpath(path)) throw GenError(QStringLiteral("cannot create the folder %1").arg(path));
}

// Every output folder, before the long run: a folder that cannot be made fails at once.
void prepareFolders(const GenerationOptions& options) {
    makeDir(options.bmpDir);
    makeDir(options.keysDir);
    for (const QString& file : {options.table, options.fills, options.report, options.contactSheet, options.review, options.changedSheets}) {
        if (!file.isEmpty()) makeDir(QFileInfo(file).absolutePath());
    }
}

// Draws one split character and writes its drawing; the drawing stays in memory only when a
// review sheet shows it.
Result drawCharacter(const CharacterInput& input, const Decomposition& decomposition, const QString& bmpDir,
                     const RunContext& context) {
    Result r;
    r.character = input.character;
    r.fullCode = input.fullCode;
    r.decomposition = decomposition;
    r.review = reviewEntryOf(input, r.decomposition);
    if (context.changedSheets) {
        const QString line = tableLine(r.character, r.fullCode, r.decomposition);
        r.onChangedSheet = r.decomposition.confidence == Confidence::Low || context.previousLines.value(r.character) != line;
    }
    const bool keepDrawing = context.onSheet.contains(r.character) || r.onChangedSheet;
    std::vector<Mask> masks;
    masks.reserve(input.strokes.size());
    for (const Stroke& s : input.strokes) masks.push_back(strokeMask(s.path));
    r.drawing = renderDrawing(masks, r.decomposition);
    const QString bmp = QDir(bmpDir).filePath(r.character + QStringLiteral(".bmp"));
    if (!r.drawing.raster.saveMonoBmp(bmp.toStdString())) throw GenError(QStringLiteral("cannot write %1").arg(bmp));
    if (!keepDrawing) r.drawing.raster = Raster();
    return r;
}

// Loading, splitting (smallest first, so that the larger characters see the splits of those
// inside them) and drawing; every stage keeps the character order, so the output does not
// depend on the number of workers. The first failure stops every worker and is rethrown.
std::vector<Result> processAll(const QStringList& characters, const InputLoader& loader, const GenerationOptions& options,
                               const RunContext& context) {
    const int count = static_cast<int>(characters.size());
    std::vector<CharacterInput> inputs(static_cast<std::size_t>(count));
    // at(), not operator[]: a non-const access would detach the shared list, a data race.
    parallelFor(count, options.jobs, [&](int i) { inputs[static_cast<std::size_t>(i)] = loader.load(characters.at(i)); });
    std::optional<Progress> progress;
    if (options.showProgress) progress.emplace(QStringLiteral("decomposing"), count);
    const std::vector<Decomposition> splits = decomposeSmallestFirst(
        inputs, options.jobs,
        [&loader](const CharacterInput& input, const std::vector<ComponentHint>& hints) { return decompose(input, loader, hints); },
        [&progress] {
            if (progress) progress->step();
        });
    if (progress) progress->done();
    std::vector<Result> results(static_cast<std::size_t>(count));
    std::mutex progressMutex;
    if (options.showProgress) progress.emplace(QStringLiteral("drawing"), count);
    parallelFor(count, options.jobs, [&](int i) {
        const auto k = static_cast<std::size_t>(i);
        results[k] = drawCharacter(inputs[k], splits[k], options.bmpDir, context);
        const std::lock_guard lock(progressMutex);
        if (progress) progress->step();
    });
    if (progress) progress->done();
    return results;
}

std::vector<Raster> writeKeyPictures(const QString& keysDir, const QString& fontFamily) {
    std::vector<Raster> pictures;
    for (const KeyMeaning& key : identificationKeys()) {
        pictures.push_back(drawKeyPicture(key, fontFamily));
        writeFileAtomically(QDir(keysDir).filePath(QString(key.letter) + QStringLiteral(".bmp")), bytesOf(pictures.back().encodeMonoBmp()));
    }
    return pictures;
}

void writeContactSheet(const GenerationOptions& options, const QStringList& sheetCharacters, const QStringList& characters,
                       const std::vector<Result>& results, const std::vector<Raster>& keyPictures, const QString& fontFamily) {
    std::vector<SheetEntry> entries;
    for (const QString& c : sheetCharacters) {
        const Result& r = results[static_cast<std::size_t>(characters.indexOf(c))];
        entries.push_back({c, r.fullCode, confidenceWord(r.decomposition.confidence), r.drawing});
    }
    const QImage sheet = contactSheet(entries, keyPictures, fontFamily);
    if (!sheet.save(options.contactSheet, "PNG")) throw GenError(QStringLiteral("cannot write %1").arg(options.contactSheet));
}

// The earlier table's lines by character; empty when there is none.
QHash<QString, QString> previousLines(const QString& path) {
    QHash<QString, QString> out;
    if (path.isEmpty()) return out;
    for (const QString& line : readUtf8File(path, QStringLiteral("an earlier decomposition table")).split(QLatin1Char('\n'))) {
        if (!line.isEmpty()) out.insert(line.section(QLatin1Char('\t'), 0, 0), line + QLatin1Char('\n'));
    }
    return out;
}

// The review sheets: the changed and the low rows, `kSheetPage` a page, changed first.
void writeChangedSheets(const QString& path, const std::vector<Result>& results, const std::vector<Raster>& keyPictures,
                        const QString& fontFamily) {
    std::vector<SheetEntry> entries;
    for (const Result& r : results) {
        if (r.onChangedSheet) entries.push_back({r.character, r.fullCode, confidenceWord(r.decomposition.confidence), r.drawing});
    }
    const QString stem = path.endsWith(QStringLiteral(".png")) ? path.chopped(4) : path;
    for (std::size_t first = 0, page = 1; first < entries.size(); first += kSheetPage, ++page) {
        const std::size_t last = std::min(entries.size(), first + kSheetPage);
        const std::vector<SheetEntry> pageEntries(entries.begin() + static_cast<std::ptrdiff_t>(first), entries.begin() + static_cast<std::ptrdiff_t>(last));
        const QString file = QStringLiteral("%1-%2.png").arg(stem).arg(page);
        if (!contactSheet(pageEntries, keyPictures, fontFamily).save(file, "PNG")) throw GenError(QStringLiteral("cannot write %1").arg(file));
    }
}

void writeReview(const GenerationOptions& options, const std::vector<Result>& results) {
    std::vector<ReviewEntry> entries;
    entries.reserve(results.size());
    for (const Result& r : results) entries.push_back(r.review);
    std::vector<DecompositionRow> previous;
    if (!options.previousTable.isEmpty()) {
        previous = parseDecompositionTable(readUtf8File(options.previousTable, QStringLiteral("an earlier decomposition table")));
    }
    writeFileAtomically(options.review, reviewReport(entries, previous).toUtf8());
}

}  // namespace

QStringList charactersToRun(const QString& only) {
    if (only.isEmpty()) return gb2312Hanzi();
    QStringList characters;
    for (const QChar c : only) {
        if (!characters.contains(QString(c))) characters << QString(c);
    }
    return characters;
}

QString reportLine(const QString& character, int panel, const PanelFill& fill) {
    return QStringLiteral("%1\tpanel%2\tregions %3 (before joining %4)\tmissed %5 of %6\tleaked %7%8\n")
        .arg(character)
        .arg(panel + 1)
        .arg(fill.regions)
        .arg(fill.regionsBeforeJoin)
        .arg(fill.missedPixels)
        .arg(fill.radicalPixels)
        .arg(fill.leakedPixels)
        .arg(fill.outlineOnly ? QStringLiteral("\toutline only") : QString());
}

void GenerationSummary::count(const Decomposition& decomposition, const Drawing& drawing) {
    ++characters;
    if (decomposition.confidence == Confidence::Low) ++lowConfidence;
    if (drawing.joinPixels > 0) ++joinedCharacters;
    if (drawing.speckPixels > 0) ++speckCharacters;
    speckPixels += drawing.speckPixels;
    if (drawing.remainderPixels > 0) ++remainderCharacters;
    remainderPixels += drawing.remainderPixels;
    for (const PanelFill& p : drawing.panels) {
        if (p.kind != PanelAssignment::Kind::Strokes) continue;
        if (p.regionsBeforeJoin > MaxFillPoints) ++panelsOverNineBeforeJoining;
        if (p.regions > MaxFillPoints) ++panelsOverNine;
        if (p.missedPixels > 0) ++missedPanels;
        if (p.leakedPixels > 0) ++leakingPanels;
        if (p.outlineOnly) ++outlineOnlyPanels;
        missedPixels += p.missedPixels;
        leakedPixels += p.leakedPixels;
    }
}

GenerationSummary generate(const GenerationOptions& options) {
    QElapsedTimer timer;
    timer.start();
    const QStringList characters = charactersToRun(options.only);
    const InputLoader loader(options.wubi, options.stroke, options.hanziWriter);
    const QString fontFamily = loadPictureFont(options.font);
    prepareFolders(options);
    QStringList sheetCharacters;
    if (!options.contactSheet.isEmpty()) {
        sheetCharacters = mostFrequent(readUtf8File(options.wubi, QStringLiteral("rime-data-wubi")), characters, 300);
    }
    RunContext context;
    context.onSheet = QSet<QString>(sheetCharacters.begin(), sheetCharacters.end());
    context.changedSheets = !options.changedSheets.isEmpty();
    if (context.changedSheets) context.previousLines = previousLines(options.previousTable);
    const std::vector<Result> results = processAll(characters, loader, options, context);
    const qint64 drawnAt = timer.elapsed();

    QString fillsText;
    QString tableText;
    QString reportText;
    GenerationSummary s;
    for (const Result& r : results) {
        fillsText += fillsLine(r.character, r.drawing);
        tableText += tableLine(r.character, r.fullCode, r.decomposition);
        s.count(r.decomposition, r.drawing);
        for (int k = 0; k < 4; ++k) {
            const PanelFill& p = r.drawing.panels[static_cast<std::size_t>(k)];
            const bool inexact = p.missedPixels > 0 || p.leakedPixels > 0 || p.outlineOnly;
            if (p.kind == PanelAssignment::Kind::Strokes && inexact) reportText += reportLine(r.character, k, p);
        }
    }
    const std::vector<Raster> keyPictures = writeKeyPictures(options.keysDir, fontFamily);
    writeFileAtomically(options.fills, fillsText.toUtf8());
    writeFileAtomically(options.table, tableText.toUtf8());
    if (!options.report.isEmpty()) writeFileAtomically(options.report, reportText.toUtf8());
    if (!options.contactSheet.isEmpty()) writeContactSheet(options, sheetCharacters, characters, results, keyPictures, fontFamily);
    if (!options.review.isEmpty()) writeReview(options, results);
    if (context.changedSheets) writeChangedSheets(options.changedSheets, results, keyPictures, fontFamily);

    s.seconds = static_cast<double>(timer.elapsed()) / 1000.0;
    s.drawingSeconds = static_cast<double>(drawnAt) / 1000.0;
    return s;
}

QString GenerationSummary::text() const {
    return QStringLiteral("%1 characters in %2 s (%3 s decomposing and drawing); low confidence %4; panels over nine areas %5 "
                          "(before joining %6, %7 characters joined, %8 crossing-speck pixels inked in %9 characters); ")
               .arg(characters)
               .arg(seconds, 0, 'f', 1)
               .arg(drawingSeconds, 0, 'f', 1)
               .arg(lowConfidence)
               .arg(panelsOverNine)
               .arg(panelsOverNineBeforeJoining)
               .arg(joinedCharacters)
               .arg(speckPixels)
               .arg(speckCharacters) +
           QStringLiteral("larger areas inked %1 pixels in %2 characters; ").arg(remainderPixels).arg(remainderCharacters) +
           QStringLiteral("panels with missed pixels %1 (%2 pixels); leaking panels %3 (%4 pixels); outline-only panels %5")
               .arg(missedPanels)
               .arg(missedPixels)
               .arg(leakingPanels)
               .arg(leakedPixels)
               .arg(outlineOnlyPanels);
}

}  // namespace tessivo::datagen
