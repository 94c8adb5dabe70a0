#include "datagen_codes/tool_process.h"
#include "support/inputs.h"
#include "tables/table_gen.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace tessivo::datagen::tables;

namespace {

GenerateOptions installedInputs(const QString& outDir) {
    GenerateOptions o;
    o.unihanPath = QStringLiteral(TESSIVO_UNIHAN_READINGS);
    o.strokePath = QStringLiteral(TESSIVO_STROKE_DICT);
    o.cncharPath = QStringLiteral(TESSIVO_CNCHAR_ORDER_JS);
    o.outDir = outDir;
    return o;
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeText(const QString& path, const QString& text) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text.toUtf8());
}

#define ASSERT_TABLE_INPUTS_EXIST()                  \
    ASSERT_INPUT_EXISTS(TESSIVO_UNIHAN_READINGS); \
    ASSERT_INPUT_EXISTS(TESSIVO_STROKE_DICT);     \
    ASSERT_INPUT_EXISTS(TESSIVO_CNCHAR_ORDER_JS)

}  // namespace

TEST(GenerateTables, RunIsRepeatableAndMatchesTheBuiltTables) {
    ASSERT_TABLE_INPUTS_EXIST();
    for (const char* name : {"/pinyin_table.txt", "/stroke_table.txt"}) {
        ASSERT_INPUT_EXISTS(QStringLiteral(TESSIVO_GEN_DIR "/tables") + QLatin1String(name));
    }
    QTemporaryDir dir;
    const GenerateReport report = generateTables(installedInputs(dir.path()));
    EXPECT_EQ(report.strokeLines, 6763);
    EXPECT_GT(report.pinyinLines, 6763);
    // The cross-check finds a handful, not thousands (which would mean a wrong letter mapping).
    EXPECT_GT(report.strokeDisagreements.size(), 0);
    EXPECT_LT(report.strokeDisagreements.size(), 60);
    for (const char* name : {"/pinyin_table.txt", "/stroke_table.txt"}) {
        const QByteArray fresh = readAll(dir.path() + QLatin1String(name));
        ASSERT_FALSE(fresh.isEmpty()) << name;
        EXPECT_EQ(fresh, readAll(QStringLiteral(TESSIVO_GEN_DIR "/tables") + QLatin1String(name))) << name;
    }
}

TEST(GenerateTables, BrokenInputsWriteNothing) {
    ASSERT_TABLE_INPUTS_EXIST();
    QTemporaryDir dir;
    const QString out = dir.path() + QStringLiteral("/out");

    // A stroke dictionary without a character of GB2312: refused before anything is written.
    const QString partial = dir.path() + QStringLiteral("/stroke.dict.yaml");
    writeText(partial, QStringLiteral("...\n一\th\n# 以下詞條繼承自原碼表（已去重），用以兼容大陸規範字形。\n"));
    GenerateOptions o = installedInputs(out);
    o.strokePath = partial;
    EXPECT_THROW(generateTables(o), tessivo::datagen::GenError);
    EXPECT_FALSE(QDir(out).exists());

    o = installedInputs(out);
    o.cncharPath = partial;
    EXPECT_THROW(generateTables(o), tessivo::datagen::GenError);
    EXPECT_FALSE(QDir(out).exists());
}

TEST(TablesTool, AMissingInputIsNamedWithTheToolAndStatusOne) {
    ASSERT_TABLE_INPUTS_EXIST();
    QTemporaryDir dir;
    const QString missing = dir.path() + QStringLiteral("/missing.bz2");
    const QString out = dir.path() + QStringLiteral("/out");
    using tessivo::datagen::testing::runToolProcess;
    auto run = runToolProcess(QStringLiteral("tessivo-datagen-tables"),
                              {"--unihan", missing, "--stroke", TESSIVO_STROKE_DICT, "--cnchar", TESSIVO_CNCHAR_ORDER_JS, "--out", out});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.errors.contains("tessivo-datagen-tables: " + missing + " not found (package unicode-data)"))
        << qPrintable(run.errors);
    EXPECT_FALSE(QDir(out).exists());

    run = runToolProcess(QStringLiteral("tessivo-datagen-tables"), {"--unihan", missing});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.errors, "tessivo-datagen-tables: missing argument --stroke\n");
}
