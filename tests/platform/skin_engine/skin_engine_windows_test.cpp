#include "platform/skin_engine.h"
#include "platform/skin_frame.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QPointer>
#include <gtest/gtest.h>

using namespace tessivo::platform;

namespace {

QString skinPath(const char* caption) { return QStringLiteral(TESSIVO_SOURCE_DIR "/skins/%1.urf").arg(QLatin1String(caption)); }

// A window placed by hand, like the program's windows: one button at a designed position.
struct PlacedWindow {
    QWidget window;
    QPushButton* button = new QPushButton(QStringLiteral("确定"), &window);
    PlacedWindow() {
        window.setWindowTitle(QStringLiteral(" 关于"));
        window.setFixedSize(200, 100);
        button->setGeometry(20, 30, 80, 24);
    }
};

class SkinEngineTest : public ::testing::Test {
protected:
    ~SkinEngineTest() override { SkinEngine::remove(); }
};

}  // namespace

TEST_F(SkinEngineTest, ASkinnedWindowDrawsItsFrameAndGetsItsOwnLookBackAfter) {
    const QPalette before = QApplication::palette();
    PlacedWindow w;
    w.window.show();
    ASSERT_EQ(SkinEngine::start(skinPath("LE4"), 2), 1);
    EXPECT_TRUE(hasSkinFrame(&w.window));
    EXPECT_TRUE(w.window.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(w.button->pos(), QPoint(20 + SkinBorder, 30 + SkinTitleHeight));
    EXPECT_EQ(w.window.size(), QSize(200 + 2 * SkinBorder, 100 + SkinTitleHeight + SkinBorder));
    EXPECT_EQ(QApplication::palette().color(QPalette::Window), QColor(0x2b, 0x2f, 0x33));
    ASSERT_TRUE(SkinEngine::current());
    EXPECT_EQ(SkinEngine::current()->name, QStringLiteral("LE4"));

    // Another skin over it changes the look only: nothing moves twice.
    ASSERT_EQ(SkinEngine::start(skinPath("RhodiumX"), 2), 1);
    EXPECT_EQ(w.button->pos(), QPoint(20 + SkinBorder, 30 + SkinTitleHeight));
    EXPECT_EQ(QApplication::palette().color(QPalette::Window), QColor(Qt::black));

    EXPECT_EQ(SkinEngine::start(QString(), 0), 1);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(hasSkinFrame(&w.window));
    EXPECT_FALSE(w.window.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(w.button->pos(), QPoint(20, 30));
    EXPECT_EQ(w.window.size(), QSize(200, 100));
    EXPECT_EQ(QApplication::palette(), before);
    EXPECT_FALSE(SkinEngine::current());
}

TEST_F(SkinEngineTest, WindowsShownLaterGetTheSkinWithoutDoingAnything) {
    ASSERT_EQ(SkinEngine::start(skinPath("OpusOS"), 2), 1);
    PlacedWindow later;
    EXPECT_FALSE(hasSkinFrame(&later.window));  // not shown yet
    later.window.show();
    EXPECT_TRUE(hasSkinFrame(&later.window));
    EXPECT_EQ(later.button->pos(), QPoint(20 + SkinBorder, 30 + SkinTitleHeight));

    // A window with a layout keeps its content inside the frame through its margins.
    QWidget dialog;
    auto* layout = new QVBoxLayout(&dialog);
    auto* label = new QLabel(QStringLiteral("字根表"));
    layout->addWidget(label);
    dialog.show();
    QApplication::processEvents();
    EXPECT_GE(label->y(), SkinTitleHeight);
    EXPECT_GE(label->x(), SkinBorder);

    // Pop-ups and tool tips keep the window system's look.
    QWidget popup(nullptr, Qt::Popup);
    popup.show();
    EXPECT_FALSE(hasSkinFrame(&popup));
    popup.hide();
}

TEST_F(SkinEngineTest, AWindowThatSizesItselfIsNotGrownAndTheCloseButtonClosesIt) {
    QWidget w;
    w.setFixedSize(300, 120);
    setSizedForSkinFrame(&w);
    w.show();
    ASSERT_EQ(SkinEngine::start(skinPath("MacOS"), 2), 1);
    EXPECT_EQ(w.size(), QSize(300, 120));
    SkinFrame* frame = SkinFrame::of(&w);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->geometry(), w.rect());
    EXPECT_GT(frame->closeButton()->x(), 250);
    EXPECT_LT(frame->closeButton()->geometry().bottom(), SkinTitleHeight);
    frame->closeButton()->click();
    EXPECT_FALSE(w.isVisible());
}

TEST_F(SkinEngineTest, ARefusedFileChangesNothingAndSaysWhy) {
    PlacedWindow w;
    w.window.show();
    ASSERT_EQ(SkinEngine::start(skinPath("PixOS"), 2), 1);
    const QPalette skinned = QApplication::palette();
    const QString sheet = qApp->styleSheet();
    // A style sheet is no skin file.
    QTemporaryDir dir;
    const QString sheetFile = dir.filePath(QStringLiteral("Sheet.urf"));
    QFile file(sheetFile);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("QWidget { background: red; }\n");
    file.close();
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(SkinEngine::start(sheetFile, 2) & 0xFFFF, 0);
    EXPECT_EQ(SkinEngine::start(QStringLiteral("/nonexistent/Slate.urf"), 2) & 0xFFFF, 0);
    EXPECT_EQ(SkinEngine::start(skinPath("Slate"), 7) & 0xFFFF, 0);
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("Sheet.urf refused: line 1: the first line must be"), std::string::npos) << said;
    EXPECT_NE(said.find("/nonexistent/Slate.urf refused"), std::string::npos) << said;
    EXPECT_NE(said.find("unknown mode 7"), std::string::npos) << said;
    EXPECT_EQ(QApplication::palette(), skinned);
    EXPECT_EQ(qApp->styleSheet(), sheet);
    EXPECT_EQ(SkinEngine::current()->name, QStringLiteral("PixOS"));
    EXPECT_EQ(w.button->pos(), QPoint(20 + SkinBorder, 30 + SkinTitleHeight));
}

TEST_F(SkinEngineTest, FileNamesAreFoundIgnoringCaseAndModeOneRunsWithoutASkin) {
    const QString lower = QStringLiteral(TESSIVO_SOURCE_DIR "/skins/pixos.urf");
    ASSERT_EQ(SkinEngine::start(lower, 2), 1);
    EXPECT_EQ(SkinEngine::current()->name, QStringLiteral("PixOS"));
    EXPECT_EQ(SkinEngine::start(lower, 1), 1);
    EXPECT_FALSE(SkinEngine::current());
}
