// The radical chart window: its controls, the print action's three outcomes with scripted boxes
// and a fake printer, the boxes themselves, and the position after each activation.

#include "platform/printer.h"
#include "windows/chart_layout.h"
#include "windows/chart_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <gtest/gtest.h>

using namespace tessivo;

namespace {

struct Script {
    bool answerOk = false;
    int confirmations = 0;
    int errors = 0;
    int printersMade = 0;
    int pages = 0;
    bool printerRefuses = false;
    bool noPrinter = false;
};

class ScriptedDialogs : public PrintDialogs {
public:
    explicit ScriptedDialogs(Script& s) : s_(s) {}
    bool confirmPrint(QWidget*) override {
        ++s_.confirmations;
        return s_.answerOk;
    }
    void reportPrintError(QWidget*) override { ++s_.errors; }

private:
    Script& s_;
};

class CountingPrinter : public platform::PagePrinter {
public:
    explicit CountingPrinter(Script& s) : s_(s) {}
    bool printPage(const DrawPage&, QString* problem) override {
        if (s_.printerRefuses) {
            *problem = QStringLiteral("the printer refused the job");
            return false;
        }
        ++s_.pages;
        return true;
    }

private:
    Script& s_;
};

QPointer<ChartWindow> openChart(Script& s) {
    auto* w = new ChartWindow(std::make_unique<ScriptedDialogs>(s), [&s]() -> std::unique_ptr<platform::PagePrinter> {
        ++s.printersMade;
        if (s.noPrinter) return nullptr;
        return std::make_unique<CountingPrinter>(s);
    });
    w->show();
    return w;
}

void clickPrint(ChartWindow* w) { w->findChild<QPushButton*>(QStringLiteral("Command2"))->click(); }

void flushDeletes() { QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

// Runs `box` modally and presses `key` in it; returns the button that ended it.
QAbstractButton* pressIn(QMessageBox* box, int key) {
    QTimer::singleShot(0, box, [box, key] {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(box->focusWidget() ? box->focusWidget() : box, &press);
    });
    box->exec();
    return box->clickedButton();
}

}  // namespace

TEST(ChartWindow, HasTheChartAndBothButtonsWhereTheyBelong) {
    Script s;
    QPointer<ChartWindow> w = openChart(s);
    EXPECT_EQ(w->windowTitle(), QStringLiteral(" 字根表 和 口诀"));
    EXPECT_EQ(w->size(), QSize(657, 528));  // 9855 x 7920 twips
    EXPECT_EQ(w->minimumSize(), w->maximumSize());
    EXPECT_FALSE(w->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(w->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(w->picture()->objectName(), QStringLiteral("Picture1"));
    EXPECT_EQ(w->picture()->geometry(), QRect(1, 0, 655, 527));
    EXPECT_GE(w->picture()->width(), chart::PictureWidth);
    auto* print = w->findChild<QPushButton*>(QStringLiteral("Command2"));
    auto* exit = w->findChild<QPushButton*>(QStringLiteral("Command3"));
    ASSERT_TRUE(print && exit);
    EXPECT_EQ(print->text(), QStringLiteral("打印字根表和口诀"));
    EXPECT_EQ(exit->text(), QStringLiteral("退    出"));
    EXPECT_EQ(print->geometry(), QRect(454, 444, 141, 25));
    EXPECT_EQ(exit->geometry(), QRect(454, 476, 141, 25));
    print->ensurePolished();
    EXPECT_EQ(print->palette().color(QPalette::Button), QColor(192, 192, 255));
    EXPECT_DOUBLE_EQ(print->font().pointSizeF(), 10.5);
    // The chart holds the focus first; Tab goes to print, then to exit.
    EXPECT_EQ(w->focusWidget(), w->picture());
    EXPECT_EQ(w->picture()->nextInFocusChain(), print);
    EXPECT_EQ(print->nextInFocusChain(), exit);
    exit->click();
    flushDeletes();
    EXPECT_TRUE(w.isNull());  // closing unloads it
}

TEST(ChartWindow, CancelPrintsNothingAndGivesTheFocusBackToTheChart) {
    Script s;
    QPointer<ChartWindow> w = openChart(s);
    w->findChild<QPushButton*>(QStringLiteral("Command2"))->setFocus();
    clickPrint(w);
    EXPECT_EQ(s.confirmations, 1);
    EXPECT_EQ(s.printersMade, 0);
    EXPECT_EQ(s.pages, 0);
    EXPECT_EQ(s.errors, 0);
    flushDeletes();
    ASSERT_FALSE(w.isNull());
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->focusWidget(), w->picture());
    delete w;
}

TEST(ChartWindow, OkPrintsOnePageAndTheWindowStays) {
    Script s;
    s.answerOk = true;
    QPointer<ChartWindow> w = openChart(s);
    clickPrint(w);
    EXPECT_EQ(s.pages, 1);
    EXPECT_EQ(s.errors, 0);
    flushDeletes();
    ASSERT_FALSE(w.isNull());
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->focusWidget(), w->picture());
    clickPrint(w);  // and again: one more page each time
    EXPECT_EQ(s.pages, 2);
    delete w;
}

TEST(ChartWindow, APrinterThatRefusesShowsTheErrorAndClosesTheWindow) {
    Script s;
    s.answerOk = true;
    s.printerRefuses = true;
    QPointer<ChartWindow> w = openChart(s);
    clickPrint(w);
    EXPECT_EQ(s.errors, 1);
    EXPECT_EQ(s.pages, 0);
    flushDeletes();
    EXPECT_TRUE(w.isNull());
}

TEST(ChartWindow, NoPrinterAtAllShowsTheErrorAndClosesTheWindow) {
    Script s;
    s.answerOk = true;
    s.noPrinter = true;
    QPointer<ChartWindow> w = openChart(s);
    clickPrint(w);
    EXPECT_EQ(s.printersMade, 1);
    EXPECT_EQ(s.errors, 1);
    flushDeletes();
    EXPECT_TRUE(w.isNull());
}

TEST(PrintBoxes, TheConfirmationDefaultsToCancelSoEnterPrintsNothing) {
    std::unique_ptr<QMessageBox> box(makePrintConfirmBox(nullptr));
    EXPECT_EQ(box->windowTitle(), QStringLiteral("警告！？"));
    EXPECT_EQ(box->text(), QStringLiteral("准备好A4打印纸一张，连接好打印机，点“确定”进行打印，点“取消”不打印"));
    EXPECT_EQ(box->icon(), QMessageBox::Question);
    EXPECT_EQ(box->standardButtons(), QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(box->button(QMessageBox::Ok)->text(), QStringLiteral("确定"));
    EXPECT_EQ(box->button(QMessageBox::Cancel)->text(), QStringLiteral("取消"));
    EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::Cancel));
    EXPECT_EQ(pressIn(box.get(), Qt::Key_Return), box->button(QMessageBox::Cancel));
    std::unique_ptr<QMessageBox> again(makePrintConfirmBox(nullptr));
    EXPECT_EQ(pressIn(again.get(), Qt::Key_Escape), again->button(QMessageBox::Cancel));
}

TEST(PrintBoxes, TheErrorBoxHasOnlyOkAndNoIcon) {
    std::unique_ptr<QMessageBox> box(makePrintErrorBox(nullptr));
    EXPECT_EQ(box->windowTitle(), QStringLiteral("提示！"));
    EXPECT_EQ(box->text(), QStringLiteral("打印出错，检查打印机是否联接好？打印纸是否放好？打印机驱动程序是否安装好？"));
    EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
    EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
    EXPECT_EQ(pressIn(box.get(), Qt::Key_Return), box->button(QMessageBox::Ok));
}

TEST(ChartWindowPosition, ActivationCentresVerticallyLess180Twips) {
    // (600 x 15 - 360 - 500 x 15) / 2 = 570 twips = 38 pixels.
    EXPECT_EQ(chartWindowTop(600, 500), 38);
    // (1024 x 15 - 360 - 560 x 15) / 2 = 3300 twips = 220 pixels: 12 pixels above the middle.
    EXPECT_EQ(chartWindowTop(1024, 560), 220);
    EXPECT_EQ(chartWindowTop(1024, 560) + 560 / 2, 1024 / 2 - 12);
    // A window taller than the screen goes above its top, as the rule says.
    EXPECT_LT(chartWindowTop(400, 500), 0);
}

TEST(ChartWindowPosition, EachActivationMovesTheWindowBack) {
    Script s;
    QPointer<ChartWindow> w = openChart(s);
    w->move(w->x(), 3);
    QWidget other;
    other.show();
    other.activateWindow();
    QApplication::processEvents();
    w->activateWindow();
    QApplication::processEvents();
    if (!w->isActiveWindow()) GTEST_SKIP() << "this platform does not activate windows";
    const int screenHeight = w->screen()->geometry().height();
    EXPECT_EQ(w->frameGeometry().top(), chartWindowTop(screenHeight, w->frameGeometry().height()));
    delete w;
}
