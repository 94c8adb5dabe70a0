#include "app/command_line.h"
#include "tables/reference_tables.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace tessivo;

namespace {

const tables::ReferenceTables& damagedTables() { throw tables::TableError(QStringLiteral("pinyin table line 3: bad")); }

int run(const QStringList& args) { return runCommandLine(QStringList{QStringLiteral("tessivo")} + args, damagedTables); }

}  // namespace

TEST(CommandLine, DamagedBuiltInTablesEndTheRunWithAMessageNotACrash) {
    EXPECT_EQ(run({QStringLiteral("--pinyin"), QStringLiteral("a")}), 1);
    EXPECT_EQ(run({QStringLiteral("--strokes"), QStringLiteral("25120")}), 1);
    EXPECT_EQ(run({QStringLiteral("--lookup"), QStringLiteral("中")}), 1);
}

TEST(CommandLine, ArgumentsAreCheckedBeforeAnythingIsRead) {
    // Usage errors come first: the damaged tables are never asked for.
    EXPECT_EQ(run({QStringLiteral("--bogus")}), 2);
    EXPECT_EQ(run({QStringLiteral("--render"), QStringLiteral("中")}), 2);
    EXPECT_EQ(run({QStringLiteral("--widget-map"), QStringLiteral("x")}), 2);
    EXPECT_EQ(run({QStringLiteral("--data-dir")}), 2);
    EXPECT_EQ(run({QStringLiteral("--help")}), 0);
    EXPECT_EQ(run({}), -1);  // no mode: the window
}
