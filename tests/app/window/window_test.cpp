#include "app/fixture.h"
#include "app/window/main_window.h"
#include "app/window/radical_panel.h"

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
        skin.set({skinActive, QString(), QString()});
        QString error;
        EXPECT_TRUE(controller.open(fixture.dir.path(), &error)) << error.toStdString();
        window = std::make_unique<MainWindow>(controller, skin);
        window->show();
        window->activateWindow();
        QApplication::processEvents();
    }
    // A widget of the window by its control name.
    template <class W>
    W* named(const char* name) const {
        W* w = window->findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QComboBox* stroke(int k) const { return named<QComboBox>(QStringLiteral("Combo%1").arg(k + 1).toLatin1().constData()); }
    RadicalPanel* panel(int i) const {
        return named<RadicalPanel>(QStringLiteral("Picture1(%1)").arg(i).toLatin1().constData());
    }
    void click(QPushButton* b) {
        b->click();
        QApplication::processEvents();
    }
    Fixture fixture;
    MainController controller;
    Skin skin;
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
    EXPECT_EQ(named<QPushButton>("Command1")->text(), QStringLiteral(" 查询↓"));
    EXPECT_FALSE(named<QFrame>("Frame2")->isVisible());
    EXPECT_TRUE(named<QLineEdit>("Text88")->hasFocus());

    click(named<QPushButton>("Command1"));
    EXPECT_EQ(window->size(), QSize(446, 337));  // 6780 x 5400 outer
    EXPECT_EQ(named<QPushButton>("Command1")->text(), QStringLiteral("查询↑"));
    EXPECT_TRUE(named<QFrame>("Frame2")->isVisible());
    EXPECT_TRUE(named<QLineEdit>("Text5")->hasFocus());

    click(named<QPushButton>("Command1"));
    EXPECT_EQ(window->size(), QSize(446, 170));
    EXPECT_EQ(named<QPushButton>("Command1")->text(), QStringLiteral("查询↓"));  // no leading blank any more
    EXPECT_FALSE(named<QFrame>("Frame2")->isVisible());
    EXPECT_TRUE(named<QLineEdit>("Text88")->hasFocus());
}

TEST_F(SkinnedWindowTest, ASkinChangesOnlyTheHeight) {
    const int width = window->width();
    EXPECT_EQ(window->height(), (2890 + 100 - 340) / 15);
    click(named<QPushButton>("Command1"));
    EXPECT_EQ(window->height(), (5400 + 100 - 340) / 15);
    EXPECT_EQ(window->width(), width);
}

TEST_F(WindowTest, TheFocusParkingBoxIsOutsideTheClientArea) {
    EXPECT_FALSE(window->rect().intersects(named<QLineEdit>("Text88")->geometry()));
    click(named<QPushButton>("Command1"));
    EXPECT_FALSE(window->rect().intersects(named<QLineEdit>("Text88")->geometry()));
}

TEST_F(WindowTest, TypingShowsCodesPanelsPinyinAndPhrases) {
    click(named<QPushButton>("Command1"));
    named<QLineEdit>("Text5")->setText(QStringLiteral("啊"));
    QApplication::processEvents();
    EXPECT_EQ(named<QLabel>("Label10")->text(), QStringLiteral("kb kbsk"));
    EXPECT_EQ(named<QLabel>("Label24")->text(), QStringLiteral("a     "));
    EXPECT_EQ(panel(0)->panel().kind, Panel::Kind::Drawing);
    EXPECT_EQ(named<QLineEdit>("Text3")->text().size(), 32);
    EXPECT_FALSE(named<QWidget>("Picture2")->isVisible());
    // The radical area inside the square is black on screen, the outside white.
    const QImage shown = RadicalPanel::render(panel(0)->panel());
    EXPECT_EQ(shown.pixel(20, 20), qRgb(0, 0, 0));
    EXPECT_EQ(shown.pixel(80, 80), qRgb(255, 255, 255));
}

TEST_F(WindowTest, PagingThroughThreePagesEnablesAndDisablesTheButtons) {
    controller.typeCharacter(QStringLiteral("啊"));
    QApplication::processEvents();
    EXPECT_FALSE(named<QPushButton>("Command5")->isEnabled());
    EXPECT_TRUE(named<QPushButton>("Command7")->isEnabled());
    const QString first = named<QLineEdit>("Text3")->text();
    click(named<QPushButton>("Command7"));
    EXPECT_NE(named<QLineEdit>("Text3")->text(), first);
    click(named<QPushButton>("Command7"));
    EXPECT_FALSE(named<QPushButton>("Command7")->isEnabled());  // page 3 of 3
    EXPECT_TRUE(named<QPushButton>("Command5")->isEnabled());
    click(named<QPushButton>("Command5"));
    EXPECT_TRUE(named<QPushButton>("Command7")->isEnabled());
    click(named<QPushButton>("Command5"));
    EXPECT_FALSE(named<QPushButton>("Command5")->isEnabled());
    EXPECT_EQ(named<QLineEdit>("Text3")->text(), first);
    EXPECT_TRUE(named<QLineEdit>("Text88")->hasFocus());
}

TEST_F(WindowTest, ThePhraseRowNeverKeepsTheFocus) {
    click(named<QPushButton>("Command1"));
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(named<QLineEdit>("Text3"), &press);
    EXPECT_TRUE(named<QLineEdit>("Text88")->hasFocus());
}

TEST_F(WindowTest, ToolTipsFollowTheText) {
    EXPECT_TRUE(named<QLineEdit>("Text3")->toolTip().isEmpty());  // before the first phrase lookup
    controller.typeCharacter(QStringLiteral("a"));  // nothing found: 32 blanks still count as text
    QApplication::processEvents();
    EXPECT_EQ(named<QLineEdit>("Text3")->text(), QString(32, u' '));
    EXPECT_EQ(named<QLineEdit>("Text3")->toolTip(), QStringLiteral("点击汉字得到五笔编码，并反查拼音。"));
    EXPECT_TRUE(named<QWidget>("Picture2")->isVisible());
}

TEST_F(WindowTest, ChoosersAreFilledInOrder) {
    EXPECT_EQ(named<QComboBox>("Combo6")->count(), 400);
    EXPECT_EQ(named<QComboBox>("Combo6")->itemText(0), QStringLiteral("a"));
    EXPECT_EQ(named<QComboBox>("Combo6")->itemText(399), QStringLiteral("zuo"));
    EXPECT_EQ(stroke(0)->count(), 5);
    for (int k = 1; k < 5; ++k) {
        EXPECT_EQ(stroke(k)->count(), 6);
        EXPECT_EQ(stroke(k)->itemText(5), QStringLiteral(" "));
    }
    EXPECT_EQ(stroke(4)->currentText(), QStringLiteral("最后一笔画"));
}

TEST_F(WindowTest, RightClickInTheResultListShowsNoMenuAndKeepsTheFocus) {
    click(named<QPushButton>("Command1"));
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(named<QPlainTextEdit>("Text6")->viewport(), &press);
    EXPECT_EQ(named<QPlainTextEdit>("Text6")->contextMenuPolicy(), Qt::NoContextMenu);
    EXPECT_TRUE(named<QPlainTextEdit>("Text6")->hasFocus());
}
