#include "decomp/generation.h"

#include "common/common.h"
#include "decomp/contact_sheet.h"
#include "decomp/decomposer.h"
#include "decomp/drawing.h"
#include "decomp/inputs.h"
#include "decomp/key_pictures.h"
#include "decomp/outline.h"
#include "decomp/outputs.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSet>

#include <atomic>
#include <exception>
#include <mutex>
#include <optional>
#include <thread>

namespace tessivo::datagen {
namespace {

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

}  // namespace

GenerationSummary generate(const GenerationOptions& options) {
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
    std::optional<Progress> progress;
    if (options.showProgress) progress.emplace(QStringLiteral("decomposing and drawing"), static_cast<int>(characters.size()));
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
            if (progress) progress->step();
        }
    };
    std::vector<std::thread> workers;
    for (int t = 1; t < options.jobs; ++t) workers.emplace_back(work);
    work();
    for (auto& w : workers) w.join();
    if (failure) std::rethrow_exception(failure);
    if (progress) progress->done();
    const qint64 drawnAt = timer.elapsed();

    QString fillsText;
    QString tableText;
    QString reportText;
    GenerationSummary s;
    s.characters = static_cast<int>(characters.size());
    for (const Result& r : results) {
        const QString& c = r.character;
        fillsText += fillsLine(c, r.drawing);
        tableText += tableLine(c, r.fullCode, r.decomposition);
        if (r.decomposition.confidence == Confidence::Low) ++s.lowConfidence;
        if (r.drawing.joinPixels > 0) ++s.joinedCharacters;
        if (r.drawing.speckPixels > 0) ++s.speckCharacters;
        s.speckPixels += r.drawing.speckPixels;
        for (int k = 0; k < 4; ++k) {
            const PanelFill& p = r.drawing.panels[static_cast<std::size_t>(k)];
            if (p.kind != PanelAssignment::Kind::Strokes) continue;
            if (p.regionsBeforeJoin > MaxFillPoints) ++s.panelsOverNineBeforeJoining;
            if (p.regions > MaxFillPoints) ++s.panelsOverNine;
            if (p.missedPixels > 0) ++s.missedPanels;
            if (p.leakedPixels > 0) ++s.leakingPanels;
            if (p.outlineOnly) ++s.outlineOnlyPanels;
            s.missedPixels += p.missedPixels;
            s.leakedPixels += p.leakedPixels;
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

    s.seconds = timer.elapsed() / 1000.0;
    s.drawingSeconds = drawnAt / 1000.0;
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
           QStringLiteral("panels with missed pixels %1 (%2 pixels); leaking panels %3 (%4 pixels); outline-only panels %5")
               .arg(missedPanels)
               .arg(missedPixels)
               .arg(leakingPanels)
               .arg(leakedPixels)
               .arg(outlineOnlyPanels);
}

}  // namespace tessivo::datagen
