#include "app/command_line.h"
#include "app/fixture.h"
#include "tables/reference_tables.h"

#include <QFileInfo>
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

TEST(CommandLine, RenderFailsWhenThePictureCannotBeWritten) {
    const tessivo::testing::Fixture data(tessivo::testing::entries(), {QStringLiteral("中国")});
    const auto render = [&data](const QString& out) {
        return runCommandLine({QStringLiteral("tessivo"), QStringLiteral("--data-dir"), data.dir.path(),
                               QStringLiteral("--render"), QStringLiteral("中"), out},
                              [] () -> const tables::ReferenceTables& { return tables::ReferenceTables::embedded(); });
    };
    const QString picture = data.dir.filePath(QStringLiteral("panels.png"));
    EXPECT_EQ(render(picture), 0);
    EXPECT_GT(QFileInfo(picture).size(), 0);
    // A full disk: every write fails.
    EXPECT_EQ(render(QStringLiteral("/dev/full")), 1);
    EXPECT_EQ(render(data.dir.filePath(QStringLiteral("no-such-folder/panels.png"))), 1);
}
