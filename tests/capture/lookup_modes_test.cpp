#include "capture/lookup_modes.h"
#include "capture/fakes.h"

#include <gtest/gtest.h>

using namespace tessivo::capture;
using namespace tessivo::capture::testing;

namespace {

// The window state as plain fields; setting the captured character runs the hover mode nested,
// only on a real change, as the window's cells do.
class Host : public ModeHost {
public:
    QString captured, capX, capY, prX, prY, shown;
    bool click = true;
    std::vector<QString> handedOver;
    LookupModes* modes = nullptr;
    int capturedChanges = 0;

    QString capturedCharacter() const override { return captured; }
    void setCapturedCharacter(const QString& c) override {
        if (c == captured) return;
        captured = c;
        ++capturedChanges;
        if (modes) modes->capturedChanged();
    }
    QString captureX() const override { return capX; }
    QString captureY() const override { return capY; }
    QString pressX() const override { return prX; }
    QString pressY() const override { return prY; }
    void setPressPosition(const QString& x, const QString& y) override {
        prX = x;
        prY = y;
    }
    QString shownCharacter() const override { return shown; }
    bool inClickMode() const override { return click; }
    void handOver(const QString& c) override {
        handedOver.push_back(c);
        shown = c;  // the code lookup now shows it
    }
    // What a capture report does: pointer position, then the character.
    void capture(const QString& c, int x, int y) {
        capX = QString::number(x);
        capY = QString::number(y);
        setCapturedCharacter(c);
    }
};

class LookupModesTest : public ::testing::Test {
protected:
    LookupModesTest() : modes(host, pointer, latch, timer) {
        host.modes = &modes;
        modes.enableButtonPoll();
    }
    Host host;
    FakePointer pointer;
    FakeLatch latch;
    FakeTimer timer;
    LookupModes modes;
};

}  // namespace

TEST(ModeTests, ArrowFilterDoubleByteTestAndPositionMatch) {
    EXPECT_EQ(withoutArrow(QStringLiteral("↑")), QStringLiteral("9"));
    EXPECT_EQ(withoutArrow(QStringLiteral("↓")), QStringLiteral("9"));
    EXPECT_EQ(withoutArrow(QStringLiteral("们")), QStringLiteral("们"));
    EXPECT_TRUE(isDoubleByte(QStringLiteral("们")));
    EXPECT_TRUE(isDoubleByte(QStringLiteral("，")));  // full-width punctuation is double-byte too
    EXPECT_FALSE(isDoubleByte(QStringLiteral("a")));
    EXPECT_FALSE(isDoubleByte(QStringLiteral("9")));
    EXPECT_FALSE(isDoubleByte(QString()));
    EXPECT_FALSE(isDoubleByte(QString::fromUcs4(U"\U00020000", 1)));  // no GBK code at all
    const QString x = QStringLiteral("10"), y = QStringLiteral("20");
    EXPECT_TRUE(positionsMatch(x, y, x, y));
    EXPECT_TRUE(positionsMatch(x, y, x, QStringLiteral("99")));  // same X only
    EXPECT_TRUE(positionsMatch(x, y, QStringLiteral("99"), y));  // same Y only
    EXPECT_FALSE(positionsMatch(x, y, QStringLiteral("99"), QStringLiteral("98")));
    EXPECT_FALSE(positionsMatch(QString(), QString(), x, y));  // nothing captured yet never matches a press
}

TEST_F(LookupModesTest, ClickOnTheCapturedCharacterLooksItUpOnceAndTheRecheckDoesNotRepeatIt) {
    host.capture(QStringLiteral("们"), 100, 200);
    EXPECT_TRUE(host.handedOver.empty());  // click mode: capturing alone looks nothing up
    pointer.at = {100, 200};
    latch.press(MouseButton::Left);
    EXPECT_EQ(host.handedOver, std::vector<QString>{QStringLiteral("们")});
    EXPECT_EQ(host.prX, QStringLiteral("100"));
    EXPECT_EQ(host.prY, QStringLiteral("200"));
    ASSERT_TRUE(timer.running);
    EXPECT_EQ(timer.interval, recheckInterval);
    timer.fire();
    EXPECT_EQ(host.handedOver.size(), 1u);  // the display already shows it
    EXPECT_FALSE(timer.running);
}

TEST_F(LookupModesTest, PressElsewhereWaitsForTheRecheckWhichLooksUpALateCapture) {
    host.capture(QStringLiteral("我"), 10, 20);
    pointer.at = {300, 400};
    latch.press(MouseButton::Left);
    EXPECT_TRUE(host.handedOver.empty());
    EXPECT_TRUE(timer.running);
    // The right button was not read in that tick.
    EXPECT_EQ(latch.reads, std::vector<MouseButton>{MouseButton::Left});
    host.capture(QStringLiteral("的"), 300, 400);  // the report for the press position arrives late
    timer.fire();
    EXPECT_EQ(host.handedOver, std::vector<QString>{QStringLiteral("的")});
    EXPECT_FALSE(timer.running);
}

TEST_F(LookupModesTest, PressSharingOnlyXOrOnlyYMatches) {
    host.capture(QStringLiteral("我"), 10, 20);
    pointer.at = {10, 99};
    latch.press(MouseButton::Left);
    EXPECT_EQ(host.handedOver.size(), 1u);
    host.capture(QStringLiteral("们"), 10, 20);
    pointer.at = {77, 20};
    latch.press(MouseButton::Right);
    EXPECT_EQ(host.handedOver.size(), 2u);
}

TEST_F(LookupModesTest, AHeldButtonCountsOnce) {
    host.capture(QStringLiteral("我"), 10, 20);
    pointer.at = {10, 20};
    latch.press(MouseButton::Left);
    // Further polls while the button stays down (motion, the other button's events) count nothing.
    modes.pollButtons();
    modes.pollButtons();
    EXPECT_EQ(host.handedOver.size(), 1u);
}

TEST_F(LookupModesTest, LeftStepEndingTheTickLeavesTheRightPressForTheNextTick) {
    host.capture(QStringLiteral("a"), 10, 20);  // not double-byte: the left step ends the tick
    pointer.at = {10, 20};
    latch.latched[int(MouseButton::Right)] = true;
    latch.press(MouseButton::Left);
    EXPECT_EQ(latch.reads, std::vector<MouseButton>{MouseButton::Left});
    EXPECT_FALSE(timer.running);  // no re-check without a double-byte character
    host.capture(QStringLiteral("我"), 10, 20);
    modes.pollButtons();  // the right press is still latched and counts now
    EXPECT_EQ(host.handedOver, std::vector<QString>{QStringLiteral("我")});
}

TEST_F(LookupModesTest, BothButtonsInOneTickLookUpTwiceWhenTheLeftMatches) {
    host.capture(QStringLiteral("我"), 10, 20);
    pointer.at = {10, 20};
    latch.latched[int(MouseButton::Right)] = true;
    latch.press(MouseButton::Left);
    EXPECT_EQ(latch.reads, (std::vector<MouseButton>{MouseButton::Left, MouseButton::Right}));
    EXPECT_EQ(host.handedOver.size(), 2u);
}

TEST_F(LookupModesTest, RecheckRepeatsUntilADoubleByteCharacterIsCaptured) {
    host.capture(QStringLiteral("我"), 10, 20);
    pointer.at = {500, 500};
    latch.press(MouseButton::Left);
    host.capture(QStringLiteral("x"), 500, 500);
    timer.fire();
    EXPECT_TRUE(timer.running);
    timer.fire();
    EXPECT_TRUE(timer.running);
    host.capture(QStringLiteral("中"), 1, 2);  // both coordinates differ from the press: no lookup
    timer.fire();
    EXPECT_FALSE(timer.running);
    EXPECT_TRUE(host.handedOver.empty());
}

TEST_F(LookupModesTest, ArrowsAndLatinLettersLookNothingUpInEitherMode) {
    host.capture(QStringLiteral("↑"), 10, 20);
    pointer.at = {10, 20};
    latch.press(MouseButton::Left);
    EXPECT_EQ(host.captured, QStringLiteral("9"));  // replaced by the next press
    host.click = false;
    host.capture(QStringLiteral("↓"), 10, 20);
    EXPECT_EQ(host.captured, QStringLiteral("9"));  // replaced at once in the hover mode
    host.capture(QStringLiteral("A"), 10, 20);
    host.capture(QString(), 10, 20);
    EXPECT_TRUE(host.handedOver.empty());
}

TEST_F(LookupModesTest, HoverLooksUpEachNewCharacterAndPressesDoNothing) {
    host.click = false;
    host.capture(QStringLiteral("我"), 1, 1);
    host.capture(QStringLiteral("我"), 2, 2);  // the same character is no change
    host.capture(QStringLiteral("们"), 3, 3);
    EXPECT_EQ(host.handedOver, (std::vector<QString>{QStringLiteral("我"), QStringLiteral("们")}));
    pointer.at = {3, 3};
    latch.press(MouseButton::Left);
    EXPECT_EQ(host.handedOver.size(), 2u);
    EXPECT_FALSE(timer.running);
    // The press was spent in the hover mode: back in the click mode it does not count.
    host.click = true;
    modes.pollButtons();
    EXPECT_EQ(host.handedOver.size(), 2u);
}

TEST_F(LookupModesTest, PendingRecheckSurvivesASwitchToHoverAndEnteringClickCancelsIt) {
    host.capture(QStringLiteral("我"), 10, 20);
    pointer.at = {300, 400};
    latch.press(MouseButton::Left);
    ASSERT_TRUE(timer.running);
    host.click = false;  // the hover mode runs nothing of the click mode
    host.capX = QStringLiteral("300");
    timer.fire();
    EXPECT_EQ(host.handedOver, std::vector<QString>{QStringLiteral("我")});
    EXPECT_FALSE(timer.running);

    host.click = true;
    host.capture(QStringLiteral("们"), 1, 1);
    latch.press(MouseButton::Left);
    ASSERT_TRUE(timer.running);
    modes.clickModeEntered();
    EXPECT_FALSE(timer.running);
    EXPECT_TRUE(modes.buttonPollEnabled());
}

TEST(LookupModesPoll, PressesAreNotPolledUntilThePollIsEnabled) {
    Host host;
    FakePointer pointer;
    FakeLatch latch;
    FakeTimer timer;
    LookupModes modes(host, pointer, latch, timer);
    host.capture(QStringLiteral("我"), 0, 0);
    latch.press(MouseButton::Left);
    EXPECT_TRUE(latch.reads.empty());
    modes.clickModeEntered();
    latch.press(MouseButton::Left);
    EXPECT_EQ(host.handedOver.size(), 1u);
}
