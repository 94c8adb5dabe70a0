#include "windows/window_shell.h"

#include <QApplication>
#include <QWidget>
#include <gtest/gtest.h>

using namespace tessivo;

namespace {

struct CountingFactory {
    int made = 0;
    bool deleteOnClose = false;
    WindowShell::Factory factory() {
        return [this] {
            ++made;
            auto* w = new QWidget;
            w->setAttribute(Qt::WA_DeleteOnClose, deleteOnClose);
            return w;
        };
    }
};

}  // namespace

TEST(WindowShell, EachWindowIsCreatedOnceAndShownAgain) {
    WindowShell shell;
    CountingFactory about;
    shell.setFactory(SecondaryWindow::About, about.factory());
    QWidget* first = shell.open(SecondaryWindow::About);
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isVisible());
    first->hide();
    EXPECT_EQ(shell.open(SecondaryWindow::About), first);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(about.made, 1);
    EXPECT_EQ(shell.window(SecondaryWindow::About), first);
    EXPECT_EQ(shell.window(SecondaryWindow::Help), nullptr);  // windows do not share a slot
}

TEST(WindowShell, AWindowThatEndsItselfIsMadeAfreshByTheNextRequest) {
    WindowShell shell;
    CountingFactory chart;
    chart.deleteOnClose = true;
    shell.setFactory(SecondaryWindow::RadicalChart, chart.factory());
    QWidget* first = shell.open(SecondaryWindow::RadicalChart);
    ASSERT_NE(first, nullptr);
    first->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(shell.window(SecondaryWindow::RadicalChart), nullptr);
    ASSERT_NE(shell.open(SecondaryWindow::RadicalChart), nullptr);
    EXPECT_EQ(chart.made, 2);
}

TEST(WindowShell, WithoutAFactoryARequestDoesNothing) {
    WindowShell shell;
    int opened = 0;
    QObject::connect(&shell, &WindowShell::opened, [&opened] { ++opened; });
    EXPECT_EQ(shell.open(SecondaryWindow::Settings), nullptr);
    EXPECT_EQ(opened, 0);
    shell.setFactory(SecondaryWindow::Settings, [] { return new QWidget; });
    EXPECT_NE(shell.open(SecondaryWindow::Settings), nullptr);
    EXPECT_EQ(opened, 1);
}
