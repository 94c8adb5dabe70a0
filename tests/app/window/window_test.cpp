#include "app/fixture.h"
#include "app/window/main_window.h"
#include "app/window/radical_panel.h"

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
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
    // Skinned, the window draws its own frame: the widget is the whole window, 6780 twips wide
    // as designed, and 100 twips taller than the unskinned outer size.
    const int width = window->width();
    EXPECT_EQ(width, 6780 / 15);
    EXPECT_EQ(named<QFrame>("Frame1")->frameShape(), QFrame::NoFrame);  // the skin draws the look
    EXPECT_EQ(window->height(), (2890 + 100) / 15);
    click(named<QPushButton>("Command1"));
    EXPECT_EQ(window->height(), (5400 + 100) / 15);
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

TEST_F(WindowTest, KeysAndClicksHandTheCharacterLeftOfTheCaretOver) {
    click(named<QPushButton>("Command1"));
    QLineEdit* input = named<QLineEdit>("Text5");
    input->setText(QStringLiteral("啊中"));
    QApplication::processEvents();
    input->setCursorPosition(2);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_End, Qt::NoModifier);
    QApplication::sendEvent(input, &release);
    EXPECT_EQ(named<QLabel>("Label10")->text(), QStringLiteral("k khk"));

    // A click in the result list hands over the character under the pointer, also when its
    // left half is hit (the caret then lands before it, after the blank).
    controller.chooseReading(QStringLiteral("a"), ChooserAction::Typed);
    QApplication::processEvents();
    QPlainTextEdit* list = named<QPlainTextEdit>("Text6");
    ASSERT_TRUE(list->toPlainText().startsWith(QStringLiteral("啊 阿 ")));
    const auto clickAt = [&](int position, int dx) {
        QTextCursor caret(list->document());
        caret.setPosition(position);
        const QRect r = list->cursorRect(caret);
        const QPointF at(r.x() + dx, r.center().y());
        QMouseEvent down(QEvent::MouseButtonPress, at, list->viewport()->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QMouseEvent up(QEvent::MouseButtonRelease, at, list->viewport()->mapToGlobal(at), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(list->viewport(), &down);
        QApplication::sendEvent(list->viewport(), &up);
    };
    clickAt(2, 2);  // the left edge of 阿
    EXPECT_EQ(named<QLabel>("Label10")->text(), QStringLiteral("b bs bskg"));
    clickAt(1, -2);  // the right edge of 啊
    EXPECT_EQ(named<QLabel>("Label10")->text(), QStringLiteral("kb kbsk"));
}

TEST_F(WindowTest, ShowingTheListLeavesItAsItIsAndAUserEditReachesTheController) {
    controller.chooseReading(QStringLiteral("a"), ChooserAction::Typed);
    QApplication::processEvents();
    const int codeRuns = controller.codeLookupRuns();
    const QString list = controller.view().resultList();
    // The window copied the list into its box; that copy is no user edit and starts nothing.
    EXPECT_EQ(named<QPlainTextEdit>("Text6")->toPlainText(), list);
    controller.typeCharacter(QStringLiteral("中"));
    QApplication::processEvents();
    EXPECT_EQ(controller.view().resultList(), list);
    EXPECT_EQ(controller.codeLookupRuns(), codeRuns + 2);  // only the typed character's two runs
    // A real edit reaches the controller.
    named<QPlainTextEdit>("Text6")->setPlainText(QStringLiteral("中 "));
    EXPECT_EQ(controller.view().resultList(), QStringLiteral("中 "));
}

TEST_F(WindowTest, WindowButtonsMoveTheFocusThenAskForTheirWindow) {
    std::vector<QString> asked;
    QObject::connect(window.get(), &MainWindow::aboutRequested, [&] { asked.push_back(QStringLiteral("about")); });
    QObject::connect(window.get(), &MainWindow::settingsRequested, [&] { asked.push_back(QStringLiteral("settings")); });
    QObject::connect(window.get(), &MainWindow::helpRequested, [&] {
        // The focus has already moved when the window is asked for.
        EXPECT_TRUE(named<QLineEdit>("Text5")->hasFocus());
        asked.push_back(QStringLiteral("help"));
    });
    QObject::connect(window.get(), &MainWindow::chartRequested, [&] { asked.push_back(QStringLiteral("chart")); });
    click(named<QPushButton>("Command2"));
    EXPECT_TRUE(named<QLineEdit>("Text88")->hasFocus());  // collapsed: the parking box
    click(named<QPushButton>("Command4"));
    click(named<QPushButton>("Command1"));
    click(named<QPushButton>("Command8"));
    click(named<QPushButton>("Command3"));
    EXPECT_TRUE(named<QLineEdit>("Text5")->hasFocus());  // expanded: the character input
    EXPECT_EQ(asked, (std::vector<QString>{QStringLiteral("about"), QStringLiteral("settings"), QStringLiteral("help"),
                                          QStringLiteral("chart")}));
}

TEST_F(WindowTest, PointerOverTheCodeRowIsReported) {
    int hovered = 0;
    QObject::connect(window.get(), &MainWindow::codeRowHovered, [&] { ++hovered; });
    QMouseEvent move(QEvent::MouseMove, QPointF(3, 3), QPointF(3, 3), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(named<QFrame>("Frame1"), &move);
    EXPECT_EQ(hovered, 1);
}

TEST_F(WindowTest, ASkinChangeRefitsTheWindowInItsCurrentState) {
    click(named<QPushButton>("Command1"));
    EXPECT_EQ(window->height(), (5400 - 340) / 15);
    skin.set({true, QStringLiteral("PixOS.urf"), QStringLiteral("/x/PixOS.urf")});
    EXPECT_EQ(window->height(), (5400 + 100) / 15);
    skin.set({false, QStringLiteral("取消皮肤.urf"), QString()});
    EXPECT_EQ(window->height(), (5400 - 340) / 15);
    EXPECT_TRUE(named<QFrame>("Frame2")->isVisible());  // the state is kept
}

TEST_F(WindowTest, EveryControlCarriesItsNameAndTheStyleFollowsIt) {
    for (const char* name : {"Form11", "Frame1", "Frame2", "Frame3", "Label10", "Label5", "Label24", "Label25", "Label28",
                             "Text3", "Text5", "Text6", "Text88", "Combo6", "Command1", "Command2", "Command3", "Command4",
                             "Command5", "Command7", "Command8", "Picture2", "Picture1(3)"}) {
        const bool found = window->objectName() == QLatin1String(name) || window->findChild<QWidget*>(QString::fromLatin1(name));
        EXPECT_TRUE(found) << name;
    }
    // The phrase row's colours come from the base sheet by its name.
    const QImage row = named<QLineEdit>("Text3")->grab().toImage();
    EXPECT_EQ(row.pixelColor(row.width() / 2, row.height() / 2), QColor(255, 224, 192));
}

namespace {

// Types text into a widget key by key, as the keyboard does.
void typeKeys(QWidget* target, const QString& text) {
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(target, &press);
        QApplication::sendEvent(target, &release);
    }
}

}  // namespace

TEST_F(WindowTest, TheReadingChooserSearchesExactlyWhatWasTyped) {
    click(named<QPushButton>("Command1"));
    QComboBox* chooser = named<QComboBox>("Combo6");
    chooser->lineEdit()->setFocus();
    typeKeys(chooser->lineEdit(), QStringLiteral("zh"));
    EXPECT_EQ(chooser->currentText(), QStringLiteral("zh"));  // not completed to "zha"
    EXPECT_TRUE(controller.view().resultList().isEmpty());     // "zh" is no reading

    // Enter neither adds the typed text to the list nor picks anything.
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(chooser->lineEdit(), &enter);
    EXPECT_EQ(chooser->count(), 400);
    EXPECT_EQ(chooser->findText(QStringLiteral("zh")), -1);
}

TEST_F(WindowTest, TextFromUsersAndFilesIsNeverMarkup) {
    controller.chooseReading(QStringLiteral("a"), ChooserAction::Typed);
    controller.chooseReading(QStringLiteral("<b><u>Ab"), ChooserAction::Typed);  // the list stays, the label takes the text
    QApplication::processEvents();
    EXPECT_EQ(named<QLabel>("Label24")->text(), QStringLiteral("<b><u>Ab"));
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (label->objectName() == u"Label28") continue;  // the banner's link, the program's own text
        EXPECT_EQ(label->textFormat(), Qt::PlainText) << qPrintable(label->objectName());
    }
}

TEST_F(WindowTest, LayoutMendsBorderCentreAndReadingRoom) {
    EXPECT_EQ(named<QFrame>("Frame1")->frameShape(), QFrame::Box);  // a single-line border without a skin
    // Centred on the screen at the first show.
    const QRect screen = window->screen()->geometry();
    EXPECT_LE(std::abs(window->frameGeometry().center().x() - screen.center().x()), 1);
    EXPECT_LE(std::abs(window->frameGeometry().center().y() - screen.center().y()), 1);
    // The widest reading ends before the expand button.
    controller.chooseReading(QStringLiteral("zhuang"), ChooserAction::Typed);
    QApplication::processEvents();
    QLabel* reading = named<QLabel>("Label24");
    const int end = reading->x() + reading->fontMetrics().horizontalAdvance(reading->text().trimmed());
    EXPECT_LE(end, named<QPushButton>("Command1")->x());
}
