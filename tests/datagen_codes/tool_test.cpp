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
    const QString missing = out.filePath(QStringLiteral("missing/wubi86.dict.yaml"));
    const ToolRun run = runToolProcess(QStringLiteral("tessivo-datagen-codes"),
                                       {"--wubi", missing, "--jieba", kJiebaPath, "--pinyin-simp", kPinyinSimpPath, "--out", out.path()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.errors.contains("tessivo-datagen-codes: cannot read " + missing + " (install the package rime-data-wubi)"))
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
