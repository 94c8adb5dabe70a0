// tessivo-datagen-decomp: splits every GB2312 character into its Wubi-86 radicals and writes
// the character drawings of the radical panels, their fill points, the identification-key
// pictures and the readable decomposition table.

#include "common/common.h"
#include "decomp/generation.h"
#include "decomp/key_pictures.h"

#include <QCommandLineParser>
#include <QGuiApplication>

#include <algorithm>
#include <cstdio>

using namespace tessivo::datagen;

namespace {

GenerationOptions parseOptions(const QCoreApplication& app) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Splits the GB2312 characters into Wubi-86 radicals; writes the panel drawings, their fill points, "
        "the identification-key pictures and the decomposition table."));
    const QCommandLineOption help = parser.addHelpOption();
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
    const QCommandLineOption review(QStringLiteral("review"), QStringLiteral("Also write the review report of the splits (confidence, table faults, component splits)."), QStringLiteral("file"));
    const QCommandLineOption previous(QStringLiteral("previous-table"), QStringLiteral("Decomposition table of an earlier run, for the review's comparison."), QStringLiteral("file"));
    const QCommandLineOption changed(QStringLiteral("changed-sheets"), QStringLiteral("Also write review sheets (numbered PNG pages) of the rows changed against --previous-table and of the low ones."), QStringLiteral("file"));
    const QCommandLineOption font(QStringLiteral("font"), QStringLiteral("Font of the key pictures (fonts-noto-cjk by default)."), QStringLiteral("file"));
    const QCommandLineOption jobs(QStringLiteral("jobs"), QStringLiteral("Worker threads (default 2)."), QStringLiteral("n"));
    for (const auto* o : {&wubi, &stroke, &hanziWriter, &bmpDir, &keysDir, &table, &fills, &only, &sheet, &report, &review, &previous, &changed, &font, &jobs})
        parser.addOption(*o);
    if (!parser.parse(app.arguments())) throw GenError(parser.errorText());
    if (parser.isSet(help)) parser.showHelp(0);
    GenerationOptions out;
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
    out.review = parser.value(review);
    out.previousTable = parser.value(previous);
    out.changedSheets = parser.value(changed);
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

}  // namespace

int main(int argc, char** argv) {
    // Key pictures need fonts, hence a GUI application, but never a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    return runTool("tessivo-datagen-decomp", [&] {
        const GenerationSummary summary = generate(parseOptions(app));
        std::fprintf(stderr, "%s\n", qPrintable(summary.text()));
        return 0;
    });
}
