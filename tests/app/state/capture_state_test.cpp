#include "app/fixture.h"
#include "app/state/main_controller.h"
#include "capture/fakes.h"

#include <gtest/gtest.h>

#include <climits>

using namespace tessivo;
using namespace tessivo::testing;
using namespace tessivo::capture::testing;

namespace {

class CaptureStateTest : public ::testing::Test {
protected:
    CaptureStateTest()
        : fixture(entries(), {QStringLiteral("中国"), QStringLiteral("啊呀")}),
          controller(tables::ReferenceTables::embedded(), keyPicture) {
        QString error;
        EXPECT_TRUE(controller.open(fixture.dir.path(), &error)) << error.toStdString();
        controller.attachCapture(pointer, latch, timer);
    }
    bool report(const QString& sentence, int location, int cursorX = 0, int cursorY = 0) {
        return controller.queryWord(QStringLiteral("ignored"), cursorX, cursorY, sentence, location, 0);
    }
    Fixture fixture;
    MainController controller;
    FakePointer pointer;
    FakeLatch latch;
    FakeTimer timer;
};

}  // namespace

TEST_F(CaptureStateTest, ReportKeepsTheLineThePointedCharacterAndThePointerReadInTheHandler) {
    pointer.at = {640, 480};
    EXPECT_TRUE(report(QStringLiteral("我们的"), 1, 100, 200));
    const MainView v = controller.view();
    EXPECT_EQ(v.capturedCharacter(), QStringLiteral("们"));
    EXPECT_EQ(v.capturedLine(), QStringLiteral("我们的"));
    EXPECT_EQ(v.captureReport(), QStringLiteral("(100,200)"));
    EXPECT_EQ(v.captureX(), QStringLiteral("640"));  // the pointer now, not the reported coordinates
    EXPECT_EQ(v.captureY(), QStringLiteral("480"));
    EXPECT_EQ(pointer.reads, 1);
    // The word itself has no influence on anything.
    controller.queryWord(QStringLiteral("别的"), 100, 200, QStringLiteral("我们的"), 1, 5);
    EXPECT_EQ(controller.view().capturedCharacter(), QStringLiteral("们"));
}

TEST_F(CaptureStateTest, PositionAtOrPastTheEndCapturesNothingAndWideCharactersCountOnce) {
    EXPECT_TRUE(report(QStringLiteral("我们的"), 3));
    EXPECT_EQ(controller.view().capturedCharacter(), QString());
    const QString wide = QString::fromUcs4(U"\U00020000", 1) + QStringLiteral("中");
    EXPECT_TRUE(report(wide, 1));
    EXPECT_EQ(controller.view().capturedCharacter(), QStringLiteral("中"));
    EXPECT_TRUE(report(wide, 0));
    EXPECT_EQ(controller.view().capturedCharacter(), QString::fromUcs4(U"\U00020000", 1));
}

TEST_F(CaptureStateTest, NegativeOrOverflowingPositionFailsAndKeepsTheCapturedCharacter) {
    report(QStringLiteral("我们"), 0);
    for (int bad : {-1, INT_MIN, INT_MAX}) {
        pointer.at = {bad == -1 ? 1 : 2, 3};
        EXPECT_FALSE(report(QStringLiteral("中文"), bad, 7, 8)) << bad;
        EXPECT_EQ(controller.view().capturedCharacter(), QStringLiteral("我")) << bad;
        // What came before the failing step keeps its new value.
        EXPECT_EQ(controller.view().capturedLine(), QStringLiteral("中文"));
        EXPECT_EQ(controller.view().captureReport(), QStringLiteral("(7,8)"));
        EXPECT_EQ(controller.view().captureX(), QString::number(pointer.at.x()));
    }
}

TEST_F(CaptureStateTest, HoverModeShowsEachNewCharacterAndClickModeOnlyOnAPress) {
    report(QStringLiteral("中啊"), 1);
    EXPECT_EQ(controller.codeLookupRuns(), 0);  // every run starts in the click mode
    EXPECT_TRUE(controller.lookupModes()->buttonPollEnabled());
    controller.selectLookupMode(LookupMode::Hover);
    report(QStringLiteral("中啊"), 0);
    EXPECT_EQ(controller.view().code().shownCharacter, QStringLiteral("中"));
    report(QStringLiteral("阿a"), 1);  // a Latin letter leaves the last result on screen
    EXPECT_EQ(controller.view().code().shownCharacter, QStringLiteral("中"));

    controller.selectLookupMode(LookupMode::Click);
    pointer.at = {5, 6};
    report(QStringLiteral("啊"), 0);
    EXPECT_EQ(controller.view().code().shownCharacter, QStringLiteral("中"));
    latch.press(capture::MouseButton::Left);
    EXPECT_EQ(controller.view().code().shownCharacter, QStringLiteral("啊"));
    EXPECT_EQ(controller.view().pressX(), QStringLiteral("5"));
    const int runs = controller.codeLookupRuns();
    timer.fire();  // the re-check sees the display already showing it
    EXPECT_EQ(controller.codeLookupRuns(), runs);
    EXPECT_FALSE(timer.running);
}
