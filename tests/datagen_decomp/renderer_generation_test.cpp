// The tool's whole run on a few characters: every output written, and the same bytes whatever
// the number of worker threads; the stages around the run; the tool's command line.

#include "common/common.h"
#include "decomp/generation.h"
#include "datagen_codes/tool_process.h"
#include "decomp/key_pictures.h"
#include "support/inputs.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <map>

using namespace tessivo::datagen;

namespace {

const QString wubiDict = QStringLiteral(TESSIVO_WUBI_DICT);
const QString strokeDict = QStringLiteral(TESSIVO_STROKE_DICT);
const QString hanziWriterDir = QStringLiteral(TESSIVO_HANZI_WRITER_DIR);

#define ASSERT_DECOMP_INPUTS_EXIST()                                    \
    ASSERT_INPUT_EXISTS(wubiDict);                                      \
    ASSERT_INPUT_EXISTS(strokeDict);                                    \
    ASSERT_INPUT_EXISTS(hanziWriterDir + QStringLiteral("/package.json")); \
    ASSERT_INPUT_EXISTS(defaultPictureFontPath())

GenerationOptions optionsIn(const QString& dir, int jobs) {
    GenerationOptions o;
    o.wubi = wubiDict;
    o.stroke = strokeDict;
    o.hanziWriter = hanziWriterDir;
    o.bmpDir = dir + QStringLiteral("/bin/bmp");
    o.keysDir = dir + QStringLiteral("/gen/keys");
    o.table = dir + QStringLiteral("/bin/decomposition.tsv");
    o.fills = dir + QStringLiteral("/gen/fills.tsv");
    o.contactSheet = dir + QStringLiteral("/sheet.png");
    o.report = dir + QStringLiteral("/report.txt");
    o.font = defaultPictureFontPath();
    // Crossings, an enclosure, a radical character, a single stroke, two- and three-panel codes.
    o.only = QStringLiteral("事申果国五一中东区啊");
    o.jobs = jobs;
    o.showProgress = false;
    return o;
}

// Every file under `dir`, relative path to bytes.
std::map<QString, QByteArray> filesUnder(const QString& dir) {
    std::map<QString, QByteArray> out;
    QDirIterator it(dir, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        if (f.open(QIODevice::ReadOnly)) out[QDir(dir).relativeFilePath(path)] = f.readAll();
    }
    return out;
}

}  // namespace

TEST(RendererGeneration, WritesEveryOutputAndTheSameBytesForAnyNumberOfWorkers) {
    ASSERT_DECOMP_INPUTS_EXIST();
    QTemporaryDir one;
    QTemporaryDir four;
    ASSERT_TRUE(one.isValid() && four.isValid());
    const GenerationSummary a = generate(optionsIn(one.path(), 1));
    const GenerationSummary b = generate(optionsIn(four.path(), 4));
    EXPECT_EQ(a.characters, 10);
    EXPECT_EQ(a.leakedPixels, 0);
    EXPECT_EQ(a.missedPixels, b.missedPixels);

    const auto filesA = filesUnder(one.path());
    const auto filesB = filesUnder(four.path());
    // 10 drawings, 16 key pictures, the table, the fills, the sheet and the report.
    EXPECT_EQ(filesA.size(), 10u + 16u + 4u);
    ASSERT_EQ(filesA.size(), filesB.size());
    for (const auto& [name, bytes] : filesA) {
        const auto other = filesB.find(name);
        ASSERT_NE(other, filesB.end()) << name.toStdString();
        EXPECT_EQ(bytes, other->second) << name.toStdString();
    }
    EXPECT_TRUE(filesA.count(QStringLiteral("bin/bmp/事.bmp")));
    EXPECT_TRUE(filesA.count(QStringLiteral("gen/keys/l.bmp")));
    // Characters in the order given, one line each.
    const QStringList lines = QString::fromUtf8(filesA.at(QStringLiteral("gen/fills.tsv"))).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 10);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("事\t")));
    EXPECT_TRUE(lines[9].startsWith(QStringLiteral("啊\t")));
}

TEST(RendererGeneration, CharactersToRunAreAllOfGb2312OrTheGivenOnesOnce) {
    EXPECT_EQ(charactersToRun(QString()), gb2312Hanzi());
    EXPECT_EQ(charactersToRun(QStringLiteral("中国中一国")), (QStringList{"中", "国", "一"}));
}

TEST(RendererGeneration, SummaryCountsThePanelsWhoseFillIsNotExact) {
    Decomposition low;
    Drawing drawing;
    drawing.joinPixels = 3;
    drawing.speckPixels = 2;
    drawing.remainderPixels = 7;
    drawing.panels[0].kind = PanelAssignment::Kind::Strokes;
    drawing.panels[0].regionsBeforeJoin = 12;
    drawing.panels[0].regions = 10;
    drawing.panels[0].missedPixels = 5;
    drawing.panels[1].kind = PanelAssignment::Kind::Strokes;
    drawing.panels[1].leakedPixels = 4;
    drawing.panels[1].outlineOnly = true;
    // A key panel's numbers never count.
    drawing.panels[2].kind = PanelAssignment::Kind::IdentKey;
    drawing.panels[2].missedPixels = 100;
    Decomposition high;
    high.confidence = Confidence::High;
    GenerationSummary s;
    s.count(low, drawing);
    s.count(high, Drawing{});
    EXPECT_EQ(s.characters, 2);
    EXPECT_EQ(s.lowConfidence, 1);
    EXPECT_EQ(s.joinedCharacters, 1);
    EXPECT_EQ(s.speckCharacters, 1);
    EXPECT_EQ(s.speckPixels, 2);
    EXPECT_EQ(s.remainderCharacters, 1);
    EXPECT_EQ(s.remainderPixels, 7);
    EXPECT_EQ(s.panelsOverNineBeforeJoining, 1);
    EXPECT_EQ(s.panelsOverNine, 1);
    EXPECT_EQ(s.missedPanels, 1);
    EXPECT_EQ(s.missedPixels, 5);
    EXPECT_EQ(s.leakingPanels, 1);
    EXPECT_EQ(s.leakedPixels, 4);
    EXPECT_EQ(s.outlineOnlyPanels, 1);

    PanelFill fill = drawing.panels[1];
    fill.radicalPixels = 40;
    EXPECT_EQ(reportLine(QStringLiteral("中"), 1, fill),
              QStringLiteral("中\tpanel2\tregions 0 (before joining 0)\tmissed 0 of 40\tleaked 4\toutline only\n"));
}

TEST(DecompTool, AnUnreadableInputIsNamedWithTheToolAndNothingIsWritten) {
    ASSERT_DECOMP_INPUTS_EXIST();
    QTemporaryDir dir;
    GenerationOptions o = optionsIn(dir.path(), 1);
    const QString missing = dir.path() + QStringLiteral("/missing.yaml");
    const auto run = tessivo::datagen::testing::runToolProcess(
        QStringLiteral("tessivo-datagen-decomp"),
        {"--wubi", missing, "--stroke", o.stroke, "--hanzi-writer", o.hanziWriter, "--bmp-dir", o.bmpDir, "--keys-dir",
         o.keysDir, "--table", o.table, "--fills", o.fills, "--only", o.only});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.errors.contains("tessivo-datagen-decomp: cannot read " + missing + " (install the package rime-data-wubi)"))
        << qPrintable(run.errors);
    EXPECT_FALSE(QFile::exists(o.fills));
    EXPECT_FALSE(QFile::exists(o.table));
}

TEST(DecompTool, ABadCommandLineIsReportedTheSameWay) {
    auto run = tessivo::datagen::testing::runToolProcess(QStringLiteral("tessivo-datagen-decomp"), {"--bogus"});
    EXPECT_EQ(run.exitCode, 1);
    // The last line (Qt may warn about the environment before it).
    EXPECT_TRUE(run.errors.endsWith("tessivo-datagen-decomp: Unknown option 'bogus'.\n")) << qPrintable(run.errors);
    run = tessivo::datagen::testing::runToolProcess(QStringLiteral("tessivo-datagen-decomp"), {"--wubi", "w.yaml"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.errors.endsWith("tessivo-datagen-decomp: missing --stroke (see --help)\n")) << qPrintable(run.errors);
}
