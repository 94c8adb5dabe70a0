// The window as the program starts it: what the first paint shows is built first; the rows
// hidden at start (the lower panel and the not-found banner) follow that paint, or come at once
// when something needs them sooner. Either way the window ends as a whole one.
#include "app/fixture.h"
#include "app/window/main_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace tessivo;
using namespace tessivo::testing;

namespace {

class DeferredWindowTest : public ::testing::Test {
protected:
    DeferredWindowTest() : fixture(entries(), {QStringLiteral("中国")}), controller(tables::ReferenceTables::embedded(), keyPicture) {
        QString error;
        EXPECT_TRUE(controller.open(fixture.dir.path(), &error)) << error.toStdString();
    }
    std::unique_ptr<MainWindow> deferred() {
        return std::make_unique<MainWindow>(controller, skin, nullptr, MainWindow::Build::ShownFirst);
    }
    static bool built(const MainWindow& w) { return w.findChild<QLineEdit*>(QStringLiteral("Text5")) != nullptr; }
    // The names of the widgets that take the focus, in tab order from the parking box.
    static QStringList tabChain(MainWindow& w) {
        QStringList names;
        QWidget* start = w.findChild<QLineEdit*>(QStringLiteral("Text88"));
        for (QWidget* at = start->nextInFocusChain(); at != start; at = at->nextInFocusChain()) {
            if (at->focusPolicy() & Qt::TabFocus && !at->objectName().isEmpty()) names << at->objectName();
        }
        return names;
    }

    Fixture fixture;
    MainController controller;
    Skin skin;
};

}  // namespace

TEST_F(DeferredWindowTest, TheHiddenRowsFollowTheFirstPaint) {
    auto w = deferred();
    EXPECT_FALSE(built(*w));
    EXPECT_EQ(w->findChild<QWidget*>(QStringLiteral("Picture2")), nullptr);
    // Typing into the code row's state before then must not touch the missing rows.
    controller.typeCharacter(QStringLiteral("中"));
    EXPECT_FALSE(built(*w));
    w->show();
    QElapsedTimer waited;
    waited.start();
    while (!built(*w) && waited.elapsed() < 5000) QApplication::processEvents(QEventLoop::AllEvents, 50);
    ASSERT_TRUE(built(*w));
    EXPECT_NE(w->findChild<QWidget*>(QStringLiteral("Picture2")), nullptr);
    EXPECT_FALSE(w->findChild<QWidget*>(QStringLiteral("Picture2"))->isVisible());
}

TEST_F(DeferredWindowTest, WhatNeedsTheRowsSoonerBuildsThemAtOnce) {
    {
        // A lookup that finds nothing shows the banner.
        auto w = deferred();
        controller.typeCharacter(QStringLiteral("a"));
        ASSERT_TRUE(built(*w));
        EXPECT_FALSE(w->findChild<QWidget*>(QStringLiteral("Picture2"))->isHidden());
    }
    {
        // Expanding shows the lower panel and gives the character input the focus.
        auto w = deferred();
        w->show();
        w->activateWindow();
        w->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
        ASSERT_TRUE(built(*w));
        QApplication::processEvents();
        EXPECT_TRUE(w->findChild<QLineEdit*>(QStringLiteral("Text5"))->isVisible());
        EXPECT_EQ(QApplication::focusWidget(), w->findChild<QLineEdit*>(QStringLiteral("Text5")));
    }
}

TEST_F(DeferredWindowTest, TheFinishedWindowIsTheWholeOne) {
    MainWindow whole(controller, skin);
    auto w = deferred();
    w->completeBuild();
    w->completeBuild();  // once only
    // The tab key goes round the rows top to bottom, through the parking box.
    const QStringList rows = {QStringLiteral("Text5"),  QStringLiteral("Combo6"), QStringLiteral("Combo1"),
                              QStringLiteral("Combo2"), QStringLiteral("Combo3"), QStringLiteral("Combo4"),
                              QStringLiteral("Combo5"), QStringLiteral("Text6")};
    EXPECT_EQ(tabChain(*w), rows);
    EXPECT_EQ(tabChain(whole), rows);
    QStringList wholeNames, deferredNames;
    for (const QWidget* c : whole.findChildren<QWidget*>()) wholeNames << c->objectName();
    for (const QWidget* c : w->findChildren<QWidget*>()) deferredNames << c->objectName();
    wholeNames.sort();
    deferredNames.sort();
    EXPECT_EQ(deferredNames, wholeNames);
}
