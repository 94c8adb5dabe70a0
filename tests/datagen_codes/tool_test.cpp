// The command line of tessivo-datagen-codes: a failure is one clear line and status 1.

#include "datagen_codes/installed_data.h"
#include "datagen_codes/tool_process.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tessivo::datagen::testing {
namespace {

TEST(CodesTool, AMissingInputIsNamedWithTheToolAndStatusOne) {
    ASSERT_CODE_INPUTS_EXIST();
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    // The word list is read after the Wubi table: nothing is written when a later input fails.
    const QString missing = out.filePath(QStringLiteral("missing/dict.txt"));
    const ToolRun run = runToolProcess(QStringLiteral("tessivo-datagen-codes"),
                                       {"--wubi", kWubiPath, "--jieba", missing, "--pinyin-simp", kPinyinSimpPath, "--out", out.path()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.errors.contains("tessivo-datagen-codes: cannot read " + missing + " (install the package python3-jieba)"))
        << qPrintable(run.errors);
    EXPECT_TRUE(QDir(out.path()).entryList(QDir::Files).isEmpty());
}

TEST(CodesTool, AnUnknownArgumentShowsTheUsage) {
    const ToolRun run = runToolProcess(QStringLiteral("tessivo-datagen-codes"), {"--words", "w"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.errors.startsWith("tessivo-datagen-codes: unknown argument \"--words\"\nusage:")) << qPrintable(run.errors);
}

}  // namespace
}  // namespace tessivo::datagen::testing
