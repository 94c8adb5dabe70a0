#include "app/fixture.h"
#include "app/state/main_controller.h"
#include "app/state/record_files.h"

#include <QFile>
#include <gtest/gtest.h>

#include <thread>

using namespace tessivo;
using namespace tessivo::testing;

namespace {

std::vector<QString> words() { return {QStringLiteral("中国"), QStringLiteral("啊呀")}; }

}  // namespace

// Files opened on another thread serve the controller exactly as files it opens itself.
TEST(RecordFilesAhead, FilesOpenedOnTheirThreadServeTheController) {
    const Fixture fixture(entries(), words());
    RecordFilesAhead ahead(fixture.dir.path());
    EXPECT_EQ(ahead.folder(), fixture.dir.path());
    MainController controller(tables::ReferenceTables::embedded(), keyPicture);
    QString error;
    ASSERT_TRUE(controller.open(ahead.take(), &error)) << error.toStdString();
    controller.typeCharacter(QStringLiteral("啊"));
    EXPECT_EQ(controller.view().code().codeLine, QStringLiteral("kb kbsk"));
    EXPECT_EQ(controller.view().phrases().words.trimmed(), QStringLiteral("呀"));
    EXPECT_EQ(controller.view().code().panels[3].kind, Panel::Kind::Drawing);

    // Taken once: a second take has nothing and says so; the controller's files stay open.
    const RecordFiles again = ahead.take();
    EXPECT_FALSE(again.error.isEmpty());
    EXPECT_FALSE(again.characters.isOpen());
    controller.typeCharacter(QStringLiteral("中"));
    EXPECT_EQ(controller.view().code().codeLine, QStringLiteral("k khk"));
}

// A damaged file found on the thread reaches the caller as the same message a direct open gives,
// and nothing is left open.
TEST(RecordFilesAhead, AProblemFoundAheadIsTheDirectOpensMessage) {
    const Fixture fixture(entries(), words());
    QFile phrases(QDir(fixture.dir.path()).filePath(QStringLiteral("wwbb11cz.dat")));
    ASSERT_TRUE(phrases.open(QIODevice::Append));
    phrases.write("x");  // no longer a whole number of records
    phrases.close();

    MainController direct(tables::ReferenceTables::embedded(), keyPicture);
    QString directError;
    EXPECT_FALSE(direct.open(fixture.dir.path(), &directError));

    RecordFilesAhead ahead(fixture.dir.path());
    RecordFiles files = ahead.take();
    EXPECT_FALSE(files.characters.isOpen());
    EXPECT_FALSE(files.phrases.isOpen());
    MainController controller(tables::ReferenceTables::embedded(), keyPicture);
    QString error;
    EXPECT_FALSE(controller.open(std::move(files), &error));
    EXPECT_EQ(error, directError);
    EXPECT_TRUE(error.contains(QStringLiteral("wwbb11cz.dat"))) << error.toStdString();
}

// A run that ends before it takes the files (a second copy) waits for the thread instead of
// leaving it to run past the objects it writes.
TEST(RecordFilesAhead, NeverTakenStillEndsCleanly) {
    const Fixture fixture(entries(), words());
    for (int i = 0; i < 20; ++i) RecordFilesAhead ahead(fixture.dir.path());
    RecordFilesAhead missing(QStringLiteral("/nonexistent-folder"));
    EXPECT_TRUE(missing.take().error.contains(QStringLiteral("不存在")));
}

// Moving an open record file hands over its records; the file moved from is closed, not a
// second owner of the same records.
TEST(RecordFile, MovingHandsTheRecordsOver) {
    const Fixture fixture(entries(), words());
    CharCodeFile first;
    ASSERT_TRUE(first.open(QDir(fixture.dir.path()).filePath(QStringLiteral("wwbb11.dat"))));
    const int count = first.recordCount();
    std::optional<CharCodeRecord> before = first.read(1);
    CharCodeFile second;
    std::thread([&] { second = std::move(first); }).join();
    EXPECT_FALSE(first.isOpen());
    EXPECT_EQ(first.recordCount(), 0);
    EXPECT_FALSE(first.read(1).has_value());
    ASSERT_TRUE(second.isOpen());
    EXPECT_EQ(second.recordCount(), count);
    ASSERT_TRUE(second.read(1).has_value());
    EXPECT_EQ(second.read(1)->character, before->character);
    CharCodeFile third(std::move(second));
    EXPECT_FALSE(second.isOpen());
    ASSERT_TRUE(third.read(count).has_value());
    EXPECT_EQ(third.read(1)->code1, before->code1);
}
