// The tool's whole run on a few characters: every output written, and the same bytes whatever
// the number of worker threads.

#include "common/common.h"
#include "decomp/generation.h"
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

TEST(RendererGeneration, UnreadableInputIsAnErrorNamingThePackage) {
    QTemporaryDir dir;
    GenerationOptions o = optionsIn(dir.path(), 1);
    o.wubi = dir.path() + QStringLiteral("/missing.yaml");
    try {
        generate(o);
        FAIL() << "no error";
    } catch (const GenError& e) {
        EXPECT_NE(std::string(e.what()).find("rime-data-wubi"), std::string::npos) << e.what();
    }
    // Nothing is written when the inputs cannot be read.
    EXPECT_FALSE(QFile::exists(o.fills));
}
