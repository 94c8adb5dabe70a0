#include "app/fixture.h"
#include "app/state/main_controller.h"
#include "lookup/charcode_record.h"
#include "phrases/phrase_record.h"
#include "platform/gbk_codec.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>

using namespace tessivo;
using namespace tessivo::testing;

namespace {

class ControllerTest : public ::testing::Test {
protected:
    ControllerTest()
        : fixture(entries(), {QStringLiteral("中国"), QStringLiteral("中文"), QStringLiteral("啊呀"), QStringLiteral("一个")}),
          controller(tables::ReferenceTables::embedded(), keyPicture) {
        QString error;
        opened = controller.open(fixture.dir.path(), &error);
        EXPECT_TRUE(opened) << error.toStdString();
    }
    Fixture fixture;
    MainController controller;
    bool opened = false;
};

}  // namespace

TEST_F(ControllerTest, TypingACharacterRunsEveryLookupInOrder) {
    controller.typeCharacter(QStringLiteral("啊"));
    // Once through the hand-over, once directly: the input path runs both lookups again.
    EXPECT_EQ(controller.codeLookupRuns(), 2);
    EXPECT_EQ(controller.phraseLookupRuns(), 2);
    EXPECT_EQ(controller.view().code().codeLine, QStringLiteral("kb kbsk"));
    EXPECT_EQ(controller.view().readingMode(), pinyin::ReadingMode::OfCharacter);
    EXPECT_EQ(controller.view().reading(), QStringLiteral("a     "));
    
    EXPECT_EQ(controller.view().phrases().words.trimmed(), QStringLiteral("呀"));
    EXPECT_TRUE(controller.view().codeRequest().isEmpty());  // cleared after a lookup that shows all panels
    EXPECT_EQ(controller.view().code().panels[3].kind, Panel::Kind::Drawing);
}

TEST_F(ControllerTest, BlankOrLeadingBlankInputStartsNothing) {
    controller.typeCharacter(QStringLiteral("   "));
    controller.typeCharacter(QString());
    EXPECT_EQ(controller.codeLookupRuns(), 0);
    EXPECT_EQ(controller.phraseLookupRuns(), 0);
}

TEST_F(ControllerTest, KeyPanelKeepsTheCharacterSoASecondHandOverStartsNoCodeLookup) {
    controller.typeCharacter(QStringLiteral("中"));
    EXPECT_EQ(controller.view().codeRequest(), QStringLiteral("中"));
    EXPECT_EQ(controller.view().code().panels[2].kind, Panel::Kind::IdentKey);
    const int runs = controller.codeLookupRuns();
    controller.pickCharacterAt(QStringLiteral("中"), 1);
    EXPECT_EQ(controller.codeLookupRuns(), runs);
    controller.pickCharacterAt(QStringLiteral("中啊"), 2);  // another character starts one
    EXPECT_EQ(controller.codeLookupRuns(), runs + 1);
    EXPECT_EQ(controller.view().code().codeLine, QStringLiteral("kb kbsk"));
}

TEST_F(ControllerTest, KeyUpTakesTheCharacterLeftOfTheCaret) {
    controller.pickCharacterAt(QStringLiteral("阿啊"), 1);
    EXPECT_EQ(controller.view().code().codeLine, QStringLiteral("b bs bskg"));
    controller.pickCharacterAt(QStringLiteral("阿啊"), 0);  // caret at the start: nothing
    EXPECT_EQ(controller.view().code().codeLine, QStringLiteral("b bs bskg"));
    EXPECT_EQ(controller.view().code().panels[2].kind, Panel::Kind::Empty);  // two-letter code3 clears 3 and 4
}

TEST_F(ControllerTest, NotFoundShowsTheBannerAndEmptiesEverything) {
    controller.typeCharacter(QStringLiteral("中"));
    controller.typeCharacter(QStringLiteral("a"));
    EXPECT_TRUE(controller.view().code().bannerShown);
    EXPECT_TRUE(controller.view().code().codeLine.isEmpty());
    EXPECT_TRUE(controller.view().phrases().words.trimmed().isEmpty());  // the phrase lookup ran after: only padding
    EXPECT_EQ(controller.view().phrases().pageCount, 0);
    EXPECT_TRUE(controller.view().reading().isEmpty());  // a single-byte character has no reading
    for (const Panel& p : controller.view().code().panels) EXPECT_EQ(p.kind, Panel::Kind::Empty);
    controller.typeCharacter(QStringLiteral("😀"));  // not GBK: not found, no crash
    EXPECT_TRUE(controller.view().code().bannerShown);
}

TEST_F(ControllerTest, ChoosingAReadingListsItsCharactersAndLooksUpTheFirst) {
    controller.chooseReading(QStringLiteral("a"), ChooserAction::Picked);
    EXPECT_EQ(controller.view().readingMode(), pinyin::ReadingMode::OfReading);
    EXPECT_EQ(controller.view().readingRequest(), QStringLiteral("a     "));
    EXPECT_TRUE(controller.view().resultList().startsWith(QStringLiteral("啊 阿 ")));
    EXPECT_EQ(controller.view().reading(), QStringLiteral("a"));
    EXPECT_EQ(controller.view().code().codeLine, QStringLiteral("kb kbsk"));
}

TEST_F(ControllerTest, TheSameReadingTwiceSearchesOnce) {
    controller.chooseReading(QStringLiteral("a"), ChooserAction::Typed);
    controller.editResultList(QStringLiteral("阿"));
    controller.chooseReading(QStringLiteral("a"), ChooserAction::Typed);
    EXPECT_EQ(controller.view().resultList(), QStringLiteral("阿"));  // no second search replaced the list
    EXPECT_EQ(controller.view().code().codeLine, QStringLiteral("b bs bskg"));  // but its first character was looked up
}

TEST_F(ControllerTest, UnknownReadingEmptiesTheListAndKeepsTheLabel) {
    controller.typeCharacter(QStringLiteral("啊"));
    controller.chooseReading(QStringLiteral("zh"), ChooserAction::Typed);
    EXPECT_TRUE(controller.view().resultList().isEmpty());
    EXPECT_EQ(controller.view().reading(), QStringLiteral("a     "));
}

TEST_F(ControllerTest, StrokeSearchShowsTheReadingOfTheFirstResult) {
    controller.chooseReading(QStringLiteral("zhong"), ChooserAction::Typed);
    controller.chooseStrokes({QStringLiteral("一"), QStringLiteral(" "), QStringLiteral(" "), QStringLiteral(" "), QStringLiteral(" ")});
    EXPECT_EQ(controller.view().strokeRequest(), QStringLiteral("10000"));
    EXPECT_EQ(controller.view().resultList(), QStringLiteral("一 "));
    EXPECT_EQ(controller.view().reading().trimmed(), QStringLiteral("yi"));
    EXPECT_EQ(controller.view().code().codeLine, QStringLiteral("g ggl ggll"));
}

TEST_F(ControllerTest, StrokeGapOrBlankFirstStroke) {
    controller.chooseStrokes({QStringLiteral("一"), QStringLiteral("一"), QStringLiteral(" "), QStringLiteral("一"), QStringLiteral(" ")});
    EXPECT_EQ(controller.view().strokeRequest(), QStringLiteral("11010"));
    EXPECT_TRUE(controller.view().resultList().isEmpty());
    controller.chooseReading(QStringLiteral("a"), ChooserAction::Typed);
    const QString list = controller.view().resultList();
    controller.chooseStrokes({QStringLiteral("第一笔画"), QStringLiteral("一"), QStringLiteral("一"), QStringLiteral(" "), QStringLiteral(" ")});
    EXPECT_EQ(controller.view().strokeRequest(), QStringLiteral("01100"));
    EXPECT_EQ(controller.view().resultList(), list);  // no search ran
}

TEST_F(ControllerTest, PhrasePagingParksTheFocus) {
    int parked = 0;
    QObject::connect(&controller, &MainController::parkingFocusRequested, [&] { ++parked; });
    controller.typeCharacter(QStringLiteral("中"));
    EXPECT_EQ(controller.view().phrases().pageCount, 1);
    controller.pageForward();  // disabled: the page stays
    EXPECT_EQ(controller.view().phrases().page, 1);
    EXPECT_EQ(parked, 1);
}

TEST(ControllerOpen, BadFilesStopWithOneMessageNamingTheFile) {
    QTemporaryDir dir;
    MainController controller(tables::ReferenceTables::embedded(), keyPicture);
    QString error;
    EXPECT_FALSE(controller.open(dir.path(), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("wwbb11.dat"))) << error.toStdString();
    controller.typeCharacter(QStringLiteral("中"));  // nothing open: no lookup, no crash
    EXPECT_EQ(controller.codeLookupRuns(), 0);
}

TEST_F(ControllerTest, TheExpandSwitchTogglesWithItsCaptionSizeAndFocus) {
    int changes = 0;
    QObject::connect(&controller, &MainController::changed, [&] { ++changes; });
    EXPECT_EQ(controller.view().expand().buttonCaption(), QStringLiteral(" 查询↓"));
    EXPECT_EQ(controller.toggleExpand(), FocusTarget::CharacterInput);
    EXPECT_TRUE(controller.view().expand().expanded());
    EXPECT_EQ(controller.view().expand().buttonCaption(), QStringLiteral("查询↑"));
    EXPECT_EQ(controller.view().expand().size(false).height, 5400);
    EXPECT_EQ(controller.view().expand().size(true).height, 5500);
    EXPECT_FALSE(controller.view().expand().size(true).width.has_value());  // a skin keeps the width
    EXPECT_EQ(controller.toggleExpand(), FocusTarget::Parking);
    EXPECT_EQ(controller.view().expand().buttonCaption(), QStringLiteral("查询↓"));  // the leading blank is gone
    EXPECT_EQ(controller.view().expand().size(false).width, 6780);
    EXPECT_EQ(controller.view().expand().size(false).height, 2890);
    EXPECT_EQ(changes, 2);
}

TEST_F(ControllerTest, EachEntryPointTellsTheWindowOnce) {
    int changes = 0;
    QObject::connect(&controller, &MainController::changed, [&] { ++changes; });
    controller.typeCharacter(QStringLiteral("啊"));
    EXPECT_EQ(changes, 1);  // however many lookups ran inside
    controller.chooseReading(QStringLiteral("a"), ChooserAction::Typed);
    EXPECT_EQ(changes, 2);
    controller.pickCharacterAt(QStringLiteral("中"), 1);
    EXPECT_EQ(changes, 3);
    controller.editResultList(QStringLiteral("中 "));  // only the list changes: nothing to redraw
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(controller.view().resultList(), QStringLiteral("中 "));
}

TEST_F(ControllerTest, OnlyBlanksAreBlankForEveryRequest) {
    controller.typeCharacter(QStringLiteral("中"));
    ASSERT_FALSE(controller.view().code().bannerShown);
    // An ideographic space is a character like any other: it is looked up and not found, so no
    // codes or panels of the character before stay beside its emptied reading.
    controller.typeCharacter(QStringLiteral("\u3000"));
    EXPECT_TRUE(controller.view().code().bannerShown);
    EXPECT_TRUE(controller.view().code().codeLine.isEmpty());
    for (const Panel& p : controller.view().code().panels) EXPECT_EQ(p.kind, Panel::Kind::Empty);
    EXPECT_TRUE(controller.view().reading().isEmpty());
    // The same for a line break handed over from the result list.
    controller.typeCharacter(QStringLiteral("中"));
    controller.pickCharacterAt(QStringLiteral("中\n"), 2);
    EXPECT_TRUE(controller.view().code().bannerShown);
    // Blanks alone start nothing.
    const int runs = controller.codeLookupRuns();
    controller.typeCharacter(QStringLiteral("   "));
    EXPECT_EQ(controller.codeLookupRuns(), runs);
}

TEST_F(ControllerTest, SelectingTheClickModeAlwaysEntersItAndTheModeIsNeverSaved) {
    EXPECT_EQ(controller.view().lookupMode(), LookupMode::Click);  // every run starts here
    int entered = 0;
    int changes = 0;
    QObject::connect(&controller, &MainController::clickModeSelected, [&] { ++entered; });
    QObject::connect(&controller, &MainController::changed, [&] { ++changes; });
    // Marking the mode that is already selected still enters it: its poll restarts.
    controller.selectLookupMode(LookupMode::Click);
    EXPECT_EQ(entered, 1);
    EXPECT_EQ(changes, 0);
    controller.selectLookupMode(LookupMode::Hover);
    EXPECT_EQ(entered, 1);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(controller.view().lookupMode(), LookupMode::Hover);
    controller.selectLookupMode(LookupMode::Click);
    EXPECT_EQ(entered, 2);
    EXPECT_EQ(changes, 2);
    controller.setScreenLookupOff(QStringLiteral("no display"));
    controller.setScreenLookupOff(QStringLiteral("no display"));
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(controller.view().screenLookupOff(), QStringLiteral("no display"));
}
