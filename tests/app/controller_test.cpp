#include "app/fixture.h"
#include "app/main_controller.h"
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
    controller.text5Changed(QStringLiteral("啊"));
    // Once through the hand-over, once directly: the input path runs both lookups again.
    EXPECT_EQ(controller.codeLookupRuns(), 2);
    EXPECT_EQ(controller.phraseLookupRuns(), 2);
    EXPECT_EQ(controller.codeLine(), QStringLiteral("kb kbsk"));
    EXPECT_EQ(controller.label20(), QStringLiteral("1"));
    EXPECT_EQ(controller.label24(), QStringLiteral("a     "));
    EXPECT_EQ(controller.label25(), controller.label24());
    EXPECT_EQ(controller.text1().trimmed(), QStringLiteral("呀"));
    EXPECT_TRUE(controller.text23()().isEmpty());  // cleared after a lookup that shows all panels
    EXPECT_EQ(controller.codeDisplay().panels[3].kind, Panel::Kind::Drawing);
}

TEST_F(ControllerTest, BlankOrLeadingBlankInputStartsNothing) {
    controller.text5Changed(QStringLiteral("   "));
    controller.text5Changed(QString());
    EXPECT_EQ(controller.codeLookupRuns(), 0);
    EXPECT_EQ(controller.phraseLookupRuns(), 0);
}

TEST_F(ControllerTest, KeyPanelKeepsTheCharacterSoASecondHandOverStartsNoCodeLookup) {
    controller.text5Changed(QStringLiteral("中"));
    EXPECT_EQ(controller.text23()(), QStringLiteral("中"));
    EXPECT_EQ(controller.codeDisplay().panels[2].kind, Panel::Kind::IdentKey);
    const int runs = controller.codeLookupRuns();
    controller.keyUp(QStringLiteral("中"), 1);
    EXPECT_EQ(controller.codeLookupRuns(), runs);
    controller.keyUp(QStringLiteral("中啊"), 2);  // another character starts one
    EXPECT_EQ(controller.codeLookupRuns(), runs + 1);
    EXPECT_EQ(controller.codeLine(), QStringLiteral("kb kbsk"));
}

TEST_F(ControllerTest, KeyUpTakesTheCharacterLeftOfTheCaret) {
    controller.keyUp(QStringLiteral("阿啊"), 1);
    EXPECT_EQ(controller.codeLine(), QStringLiteral("b bs bskg"));
    controller.keyUp(QStringLiteral("阿啊"), 0);  // caret at the start: nothing
    EXPECT_EQ(controller.codeLine(), QStringLiteral("b bs bskg"));
    EXPECT_EQ(controller.codeDisplay().panels[2].kind, Panel::Kind::Empty);  // two-letter code3 clears 3 and 4
}

TEST_F(ControllerTest, NotFoundShowsTheBannerAndEmptiesEverything) {
    controller.text5Changed(QStringLiteral("中"));
    controller.text5Changed(QStringLiteral("a"));
    EXPECT_TRUE(controller.codeDisplay().bannerShown);
    EXPECT_TRUE(controller.codeLine().isEmpty());
    EXPECT_TRUE(controller.text1().trimmed().isEmpty());  // the phrase lookup ran after: only padding
    EXPECT_EQ(controller.phrasePages().pageCount, 0);
    EXPECT_TRUE(controller.label24().isEmpty());  // a single-byte character has no reading
    for (const Panel& p : controller.codeDisplay().panels) EXPECT_EQ(p.kind, Panel::Kind::Empty);
    controller.text5Changed(QStringLiteral("😀"));  // not GBK: not found, no crash
    EXPECT_TRUE(controller.codeDisplay().bannerShown);
}

TEST_F(ControllerTest, ChoosingAReadingListsItsCharactersAndLooksUpTheFirst) {
    controller.combo6Event(QStringLiteral("a"), true);
    EXPECT_EQ(controller.label20(), QStringLiteral("2"));
    EXPECT_EQ(controller.text2bh()(), QStringLiteral("a     "));
    EXPECT_TRUE(controller.text6().startsWith(QStringLiteral("啊 阿 ")));
    EXPECT_EQ(controller.label24(), QStringLiteral("a"));
    EXPECT_EQ(controller.codeLine(), QStringLiteral("kb kbsk"));
}

TEST_F(ControllerTest, TheSameReadingTwiceSearchesOnce) {
    controller.combo6Event(QStringLiteral("a"), false);
    controller.text6Edited(QStringLiteral("阿"));
    controller.combo6Event(QStringLiteral("a"), false);
    EXPECT_EQ(controller.text6(), QStringLiteral("阿"));  // no second search replaced the list
    EXPECT_EQ(controller.codeLine(), QStringLiteral("b bs bskg"));  // but its first character was looked up
}

TEST_F(ControllerTest, UnknownReadingEmptiesTheListAndKeepsTheLabel) {
    controller.text5Changed(QStringLiteral("啊"));
    controller.combo6Event(QStringLiteral("zh"), false);
    EXPECT_TRUE(controller.text6().isEmpty());
    EXPECT_EQ(controller.label24(), QStringLiteral("a     "));
}

TEST_F(ControllerTest, StrokeSearchShowsTheReadingOfTheFirstResult) {
    controller.combo6Event(QStringLiteral("zhong"), false);
    controller.strokeChooserEvent({QStringLiteral("一"), QStringLiteral(" "), QStringLiteral(" "), QStringLiteral(" "), QStringLiteral(" ")});
    EXPECT_EQ(controller.text2bhw()(), QStringLiteral("10000"));
    EXPECT_EQ(controller.text6(), QStringLiteral("一 "));
    EXPECT_EQ(controller.label24().trimmed(), QStringLiteral("yi"));
    EXPECT_EQ(controller.codeLine(), QStringLiteral("g ggl ggll"));
}

TEST_F(ControllerTest, StrokeGapOrBlankFirstStroke) {
    controller.strokeChooserEvent({QStringLiteral("一"), QStringLiteral("一"), QStringLiteral(" "), QStringLiteral("一"), QStringLiteral(" ")});
    EXPECT_EQ(controller.text2bhw()(), QStringLiteral("11010"));
    EXPECT_TRUE(controller.text6().isEmpty());
    controller.combo6Event(QStringLiteral("a"), false);
    const QString list = controller.text6();
    controller.strokeChooserEvent({QStringLiteral("第一笔画"), QStringLiteral("一"), QStringLiteral("一"), QStringLiteral(" "), QStringLiteral(" ")});
    EXPECT_EQ(controller.text2bhw()(), QStringLiteral("01100"));
    EXPECT_EQ(controller.text6(), list);  // no search ran
}

TEST_F(ControllerTest, PhrasePagingParksTheFocus) {
    int parked = 0;
    QObject::connect(&controller, &MainController::focusParking, [&] { ++parked; });
    controller.text5Changed(QStringLiteral("中"));
    EXPECT_EQ(controller.phrasePages().pageCount, 1);
    controller.nextPage();  // disabled: the page stays
    EXPECT_EQ(controller.phrasePages().page, 1);
    EXPECT_EQ(parked, 1);
}

TEST(ControllerOpen, BadFilesStopWithOneMessageNamingTheFile) {
    QTemporaryDir dir;
    MainController controller(tables::ReferenceTables::embedded(), keyPicture);
    QString error;
    EXPECT_FALSE(controller.open(dir.path(), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("wwbb11.dat"))) << error.toStdString();
    controller.text5Changed(QStringLiteral("中"));  // nothing open: no lookup, no crash
    EXPECT_EQ(controller.codeLookupRuns(), 0);
}
