#include "app/fixture.h"
#include "app/main_window.h"
#include "app/radical_panel.h"

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace tessivo;
using namespace tessivo::testing;

namespace {

// 40 words beginning with 啊: three pages of 16 words.
std::vector<QString> manyWords() {
    std::vector<QString> words;
    for (int trail = 0xA1; words.size() < 40; ++trail) {
        const char bytes[2] = {static_cast<char>(0xB2), static_cast<char>(trail)};
        words.push_back(QStringLiteral("啊") + *gbk::decode(QByteArrayView(bytes, 2)));
    }
    return words;
}

class WindowTest : public ::testing::Test {
protected:
    explicit WindowTest(bool skinActive = false)
        : fixture(entries(), manyWords()), controller(tables::ReferenceTables::embedded(), keyPicture) {
        skin.active = skinActive;
        QString error;
        EXPECT_TRUE(controller.open(fixture.dir.path(), &error)) << error.toStdString();
        window = std::make_unique<MainWindow>(controller, skin);
        window->show();
        window->activateWindow();
        QApplication::processEvents();
    }
    void click(QPushButton* b) {
        b->click();
        QApplication::processEvents();
    }
    Fixture fixture;
    MainController controller;
    SkinState skin;
    std::unique_ptr<MainWindow> window;
};

class SkinnedWindowTest : public WindowTest {
protected:
    SkinnedWindowTest() : WindowTest(true) {}
};

}  // namespace

TEST_F(WindowTest, ExpandsAndCollapsesWithTheSizeRuleCaptionAndFocus) {
    // Client area = outer size less the frame: 6780 x 2890 twips outer when collapsed.
    EXPECT_EQ(window->size(), QSize(446, 170));
    EXPECT_EQ(window->command1()->text(), QStringLiteral(" 查询↓"));
    EXPECT_FALSE(window->frame2()->isVisible());
    EXPECT_TRUE(window->text88()->hasFocus());

    click(window->command1());
    EXPECT_EQ(window->size(), QSize(446, 337));  // 6780 x 5400 outer
    EXPECT_EQ(window->command1()->text(), QStringLiteral("查询↑"));
    EXPECT_TRUE(window->frame2()->isVisible());
    EXPECT_TRUE(window->text5()->hasFocus());

    click(window->command1());
    EXPECT_EQ(window->size(), QSize(446, 170));
    EXPECT_EQ(window->command1()->text(), QStringLiteral("查询↓"));  // no leading blank any more
    EXPECT_FALSE(window->frame2()->isVisible());
    EXPECT_TRUE(window->text88()->hasFocus());
}

TEST_F(SkinnedWindowTest, ASkinChangesOnlyTheHeight) {
    const int width = window->width();
    EXPECT_EQ(window->height(), (2890 + 100 - 340) / 15);
    click(window->command1());
    EXPECT_EQ(window->height(), (5400 + 100 - 340) / 15);
    EXPECT_EQ(window->width(), width);
}

TEST_F(WindowTest, TheFocusParkingBoxIsOutsideTheClientArea) {
    EXPECT_FALSE(window->rect().intersects(window->text88()->geometry()));
    click(window->command1());
    EXPECT_FALSE(window->rect().intersects(window->text88()->geometry()));
}

TEST_F(WindowTest, TypingShowsCodesPanelsPinyinAndPhrases) {
    click(window->command1());
    window->text5()->setText(QStringLiteral("啊"));
    QApplication::processEvents();
    EXPECT_EQ(window->label10()->text(), QStringLiteral("kb kbsk"));
    EXPECT_EQ(window->label24()->text(), QStringLiteral("a     "));
    EXPECT_EQ(window->panel(0)->panel().kind, Panel::Kind::Drawing);
    EXPECT_EQ(window->text3()->text().size(), 32);
    EXPECT_FALSE(window->picture2()->isVisible());
    // The radical area inside the square is black on screen, the outside white.
    const QImage shown = RadicalPanel::render(window->panel(0)->panel());
    EXPECT_EQ(shown.pixel(20, 20), qRgb(0, 0, 0));
    EXPECT_EQ(shown.pixel(80, 80), qRgb(255, 255, 255));
}

TEST_F(WindowTest, PagingThroughThreePagesEnablesAndDisablesTheButtons) {
    controller.text5Changed(QStringLiteral("啊"));
    QApplication::processEvents();
    EXPECT_FALSE(window->command5()->isEnabled());
    EXPECT_TRUE(window->command7()->isEnabled());
    const QString first = window->text3()->text();
    click(window->command7());
    EXPECT_NE(window->text3()->text(), first);
    click(window->command7());
    EXPECT_FALSE(window->command7()->isEnabled());  // page 3 of 3
    EXPECT_TRUE(window->command5()->isEnabled());
    click(window->command5());
    EXPECT_TRUE(window->command7()->isEnabled());
    click(window->command5());
    EXPECT_FALSE(window->command5()->isEnabled());
    EXPECT_EQ(window->text3()->text(), first);
    EXPECT_TRUE(window->text88()->hasFocus());
}

TEST_F(WindowTest, ThePhraseRowNeverKeepsTheFocus) {
    click(window->command1());
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window->text3(), &press);
    EXPECT_TRUE(window->text88()->hasFocus());
}

TEST_F(WindowTest, ToolTipsFollowTheText) {
    EXPECT_TRUE(window->text3()->toolTip().isEmpty());  // before the first phrase lookup
    controller.text5Changed(QStringLiteral("a"));  // nothing found: 32 blanks still count as text
    QApplication::processEvents();
    EXPECT_EQ(window->text3()->text(), QString(32, u' '));
    EXPECT_EQ(window->text3()->toolTip(), QStringLiteral("点击汉字得到五笔编码，并反查拼音。"));
    EXPECT_TRUE(window->picture2()->isVisible());
}

TEST_F(WindowTest, ChoosersAreFilledInOrder) {
    EXPECT_EQ(window->combo6()->count(), 400);
    EXPECT_EQ(window->combo6()->itemText(0), QStringLiteral("a"));
    EXPECT_EQ(window->combo6()->itemText(399), QStringLiteral("zuo"));
    EXPECT_EQ(window->strokeChooser(0)->count(), 5);
    for (int k = 1; k < 5; ++k) {
        EXPECT_EQ(window->strokeChooser(k)->count(), 6);
        EXPECT_EQ(window->strokeChooser(k)->itemText(5), QStringLiteral(" "));
    }
    EXPECT_EQ(window->strokeChooser(4)->currentText(), QStringLiteral("最后一笔画"));
}

TEST_F(WindowTest, RightClickInTheResultListShowsNoMenuAndKeepsTheFocus) {
    click(window->command1());
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(window->text6()->viewport(), &press);
    EXPECT_EQ(window->text6()->contextMenuPolicy(), Qt::NoContextMenu);
    EXPECT_TRUE(window->text6()->hasFocus());
}
