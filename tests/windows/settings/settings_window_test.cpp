#include "app/fixture.h"
#include "app/state/settings_files.h"
#include "app/window/main_window.h"
#include "platform/skin_engine.h"
#include "windows/settings_window.h"
#include "windows/skin_choice.h"

#include <QApplication>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

using namespace tessivo;
using namespace tessivo::testing;

namespace {

const QString NoSkin = QString::fromUtf8(settings::NoSkin);

// The main window, the skin state and a recording engine, as the application wires them.
class SettingsTest : public ::testing::Test {
protected:
    SettingsTest()
        : fixture(entries(), {QStringLiteral("啊阿")}), controller(tables::ReferenceTables::embedded(), keyPicture),
          choice(skin, QStringLiteral("/opt/tessivo"), [this](const QString& path, int mode) {
              starts.emplace_back(path, mode);
              return 1;
          }) {
        QString error;
        EXPECT_TRUE(controller.open(fixture.dir.path(), &error)) << error.toStdString();
        QObject::connect(&controller, &MainController::clickModeSelected, [this] { ++clickModeEntered; });
    }
    void startWith(bool active, const QString& fileName) {
        skin.set({active, fileName, QStringLiteral("/opt/tessivo/") + fileName});
        main = std::make_unique<MainWindow>(controller, skin);
        choice.setRefit({[this](bool on) { main->setFrameBorders(on); }, [this] { main->applySizeRule(); }});
        main->show();
        QApplication::processEvents();
    }
    SettingsWindow* open() {
        settings = new SettingsWindow(controller, skin, choice, QIcon());
        settings->show();
        QApplication::processEvents();
        return settings;
    }
    template <class W>
    W* in(QWidget* window, const QString& name) const {
        W* w = window->findChild<W*>(name);
        EXPECT_NE(w, nullptr) << qPrintable(name);
        return w;
    }
    QRadioButton* skinOption(int i) const { return in<QRadioButton>(settings, QStringLiteral("Option4(%1)").arg(i)); }
    std::vector<int> markedSkins() const {
        std::vector<int> marked;
        for (int i = 0; i < 9; ++i) {
            if (skinOption(i)->isChecked()) marked.push_back(i);
        }
        return marked;
    }
    // Whether the main window has this outer size in twips: its widget is the whole window when
    // it draws its own frame, else the window manager's frame lies around it.
    ::testing::AssertionResult outerTwips(int width, int height) const {
        const QSize expected = layout::widgetSize(width, height, skin.active());
        if (main->size() == expected) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << main->width() << " x " << main->height() << " pixels, not "
                                             << expected.width() << " x " << expected.height();
    }
    void clickOption(QRadioButton* o) {
        o->click();
        QApplication::processEvents();
    }

    Fixture fixture;
    MainController controller;
    Skin skin;
    std::vector<std::pair<QString, int>> starts;
    int clickModeEntered = 0;
    SkinChoice choice;
    std::unique_ptr<MainWindow> main;
    QPointer<SettingsWindow> settings;

    ~SettingsTest() override { delete settings.data(); }
};

}  // namespace

TEST_F(SettingsTest, CaptionsAndPositionsAreAsDesigned) {
    startWith(false, NoSkin);
    open();
    EXPECT_EQ(settings->objectName(), QStringLiteral("frmsetup"));
    EXPECT_EQ(settings->windowTitle(), QStringLiteral(" 设置"));
    EXPECT_TRUE(settings->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(settings->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(settings->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(in<QGroupBox>(settings, QStringLiteral("Frame1"))->title(), QStringLiteral("查询方式"));
    EXPECT_EQ(in<QGroupBox>(settings, QStringLiteral("Frame2"))->title(), QStringLiteral("软件皮肤"));
    EXPECT_EQ(in<QGroupBox>(settings, QStringLiteral("Frame2"))->geometry(), QRect(8, 68, 321, 99));
    EXPECT_EQ(in<QRadioButton>(settings, QStringLiteral("Option1"))->text(), QStringLiteral("即点即查（用鼠标点击查询汉字就查询）"));
    EXPECT_EQ(in<QRadioButton>(settings, QStringLiteral("Option2"))->text(), QStringLiteral("即指即查（鼠标移动到查询汉字上面就查询）"));
    EXPECT_EQ(in<QRadioButton>(settings, QStringLiteral("Option3"))->text(), QStringLiteral("取消皮肤"));
    EXPECT_EQ(in<QRadioButton>(settings, QStringLiteral("Option3"))->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    for (int i = 0; i < 9; ++i) EXPECT_EQ(skinOption(i)->text(), QString::fromLatin1(SkinCaptions[i]));
    EXPECT_EQ(skinOption(4)->pos(), QPoint(110, 52));  // 1650, 780 twips
    EXPECT_EQ(skinOption(8)->pos(), QPoint(212, 72));  // 3180, 1080 twips
    auto* ok = in<QPushButton>(settings, QStringLiteral("Command1"));
    EXPECT_EQ(ok->text(), QStringLiteral(" 确  定"));
    EXPECT_EQ(ok->geometry(), QRect(126, 175, 85, 21));
    EXPECT_EQ(settings->findChild<QLabel*>(QStringLiteral("screenLookupOff")), nullptr);
}

TEST_F(SettingsTest, IsThirtyFiveFortyTwipsHighWithASkinAndThirtyFourFortyWithout) {
    startWith(true, QStringLiteral("Slate.urf"));
    open();
    EXPECT_EQ(settings->height(), 3540 / 15);  // drawing its own frame: the widget is the window
    EXPECT_EQ(settings->width(), (5055 + layout::FrameWidth) / 15);
    delete settings.data();
    choice.chooseNoSkin();
    open();
    EXPECT_EQ(settings->height(), (3440 - layout::FrameHeight) / 15);  // the window manager's frame is around it
    EXPECT_EQ(settings->width(), 5055 / 15);
}

TEST_F(SettingsTest, OpeningReappliesTheMarkedSkinAndMarksTheMode) {
    startWith(true, QStringLiteral("PixOS.urf"));
    open();
    EXPECT_EQ(markedSkins(), std::vector<int>{0});
    EXPECT_FALSE(in<QRadioButton>(settings, QStringLiteral("Option3"))->isChecked());
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0], std::make_pair(QStringLiteral("/opt/tessivo/PixOS.urf"), 2));
    EXPECT_TRUE(outerTwips(6780, 2990));
    EXPECT_EQ(main->size(), QSize(452, 199));
    EXPECT_EQ(in<QFrame>(main.get(), QStringLiteral("Frame3"))->frameShape(), QFrame::NoFrame);
    // The mode follows the main window's, and marking the click mode enters it anew.
    EXPECT_TRUE(in<QRadioButton>(settings, QStringLiteral("Option1"))->isChecked());
    EXPECT_EQ(clickModeEntered, 1);
}

TEST_F(SettingsTest, ALowerCaseOrUnknownSkinNameMarksAndAppliesNothing) {
    for (const QString& name : {QStringLiteral("pixos.urf"), QStringLiteral("Aqua.urf")}) {
        startWith(true, name);
        open();
        EXPECT_TRUE(markedSkins().empty()) << qPrintable(name);
        EXPECT_FALSE(in<QRadioButton>(settings, QStringLiteral("Option3"))->isChecked());
        EXPECT_TRUE(starts.empty()) << qPrintable(name);
        EXPECT_EQ(skin.fileName(), name);
        delete settings.data();
    }
}

TEST_F(SettingsTest, NoSkinNameMarksTheNoSkinOptionAndOnlyConfirmsIt) {
    startWith(false, NoSkin);
    open();
    EXPECT_TRUE(in<QRadioButton>(settings, QStringLiteral("Option3"))->isChecked());
    EXPECT_TRUE(markedSkins().empty());
    EXPECT_TRUE(starts.empty());
    EXPECT_TRUE(outerTwips(6780, 2890));
}

TEST_F(SettingsTest, ChoosingLE4GrowsTheCollapsedWindowToTwentyNineNinetyTwipsKeepingItsWidth) {
    startWith(false, NoSkin);
    open();
    starts.clear();
    clickOption(skinOption(4));
    EXPECT_EQ(skin.fileName(), QStringLiteral("LE4.urf"));
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0], std::make_pair(QStringLiteral("/opt/tessivo/LE4.urf"), 2));
    EXPECT_TRUE(outerTwips(6780, 2990));
    for (const char* frame : {"Frame1", "Frame2", "Frame3"})
        EXPECT_EQ(in<QFrame>(main.get(), QString::fromLatin1(frame))->frameShape(), QFrame::NoFrame) << frame;
}

TEST_F(SettingsTest, NoSkinAfterASkinRestoresTheDesignedSizesAndBorders) {
    startWith(true, QStringLiteral("MacOS.urf"));
    open();
    starts.clear();
    clickOption(in<QRadioButton>(settings, QStringLiteral("Option3")));
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0], std::make_pair(QString(), 0));
    EXPECT_EQ(skin.fileName(), NoSkin);
    EXPECT_TRUE(outerTwips(6780, 2890));
    for (const char* frame : {"Frame1", "Frame2", "Frame3"})
        EXPECT_EQ(in<QFrame>(main.get(), QString::fromLatin1(frame))->frameShape(), QFrame::Box) << frame;
    // Expanded, the same choice gives the expanded size.
    clickOption(skinOption(6));
    in<QPushButton>(main.get(), QStringLiteral("Command1"))->click();
    EXPECT_TRUE(outerTwips(6780, 5500));
    clickOption(in<QRadioButton>(settings, QStringLiteral("Option3")));
    EXPECT_TRUE(outerTwips(6780, 5400));
}

TEST_F(SettingsTest, TheHoverModeStaysAfterTheWindowClosesAndIsMarkedNextTime) {
    startWith(false, NoSkin);
    open();
    clickOption(in<QRadioButton>(settings, QStringLiteral("Option2")));
    EXPECT_EQ(controller.view().lookupMode(), LookupMode::Hover);
    in<QPushButton>(settings, QStringLiteral("Command1"))->click();
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(settings.isNull());  // closed and unloaded
    EXPECT_EQ(controller.view().lookupMode(), LookupMode::Hover);
    const int entered = clickModeEntered;
    open();
    EXPECT_TRUE(in<QRadioButton>(settings, QStringLiteral("Option2"))->isChecked());
    EXPECT_EQ(controller.view().lookupMode(), LookupMode::Hover);
    EXPECT_EQ(clickModeEntered, entered);
    clickOption(in<QRadioButton>(settings, QStringLiteral("Option1")));
    EXPECT_EQ(controller.view().lookupMode(), LookupMode::Click);
    EXPECT_EQ(clickModeEntered, entered + 1);
}

TEST_F(SettingsTest, WhereScreenLookupCannotWorkTheModeFrameSaysWhy) {
    controller.setScreenLookupOff(QStringLiteral("桌面没有无障碍总线，无法屏幕取词"));
    startWith(false, NoSkin);
    open();
    auto* reason = in<QLabel>(settings, QStringLiteral("screenLookupOff"));
    EXPECT_EQ(reason->parentWidget()->objectName(), QStringLiteral("Frame1"));
    EXPECT_EQ(reason->toolTip(), QStringLiteral("桌面没有无障碍总线，无法屏幕取词"));
    EXPECT_TRUE(reason->isVisible());
    // The options stay usable, and the window makes room for the line.
    EXPECT_TRUE(in<QRadioButton>(settings, QStringLiteral("Option2"))->isEnabled());
    EXPECT_GT(settings->height(), (3440 - layout::FrameHeight) / 15);
    const QRect frame = in<QGroupBox>(settings, QStringLiteral("Frame1"))->geometry();
    EXPECT_LE(frame.bottom(), in<QGroupBox>(settings, QStringLiteral("Frame2"))->y());
}

TEST_F(SettingsTest, TheHiddenMenuFormHoldsTheSkinsAndMakesTheSameChoices) {
    startWith(false, NoSkin);
    SkinMenuForm form(choice);
    EXPECT_EQ(form.objectName(), QStringLiteral("Form99"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Form3"));
    EXPECT_FALSE(form.isVisible());
    QMenu* menu = form.skinMenu();
    EXPECT_EQ(menu->title(), QStringLiteral("换肤"));
    const QList<QAction*> items = menu->actions();
    ASSERT_EQ(items.size(), 10);
    EXPECT_EQ(items[0]->text(), QStringLiteral("取消皮肤"));
    for (int i = 0; i < 9; ++i) EXPECT_EQ(items[i + 1]->text(), QString::fromLatin1(SkinCaptions[i]));
    items[5]->trigger();  // LE4
    EXPECT_EQ(skin.fileName(), QStringLiteral("LE4.urf"));
    EXPECT_TRUE(outerTwips(6780, 2990));
    form.doSkin(QStringLiteral("Slate.urf"), true);
    EXPECT_EQ(starts.back(), std::make_pair(QStringLiteral("/opt/tessivo/Slate.urf"), 2));
}

TEST_F(SettingsTest, TheRadicalPanelsStayBlackOnWhiteUnderEverySkin) {
    // The real engine this time, with the skins beside the program.
    startWith(false, NoSkin);
    controller.typeCharacter(QStringLiteral("啊"));
    QApplication::processEvents();
    for (int i = 0; i < 9; ++i) {
        const QString path = QStringLiteral(TESSIVO_BIN_DIR "/") + skinFileOf(i);
        ASSERT_EQ(platform::SkinEngine::start(path, 2), 1) << qPrintable(path);
        skin.set({true, skinFileOf(i), path});
        QApplication::processEvents();
        const QWidget* panel = main->findChild<QWidget*>(QStringLiteral("Picture1(1)"));
        ASSERT_NE(panel, nullptr);
        const QImage shot = main->grab(panel->geometry()).toImage();
        // Only black and white: the filled radical and the paper, whatever the skin.
        int black = 0, white = 0, other = 0;
        for (int y = 0; y < shot.height(); ++y) {
            for (int x = 0; x < shot.width(); ++x) {
                const QRgb c = shot.pixel(x, y) & 0xFFFFFF;
                (c == 0 ? black : c == 0xFFFFFF ? white : other)++;
            }
        }
        EXPECT_GT(black, 0) << SkinCaptions[i];
        EXPECT_GT(white, 0) << SkinCaptions[i];
        EXPECT_EQ(other, 0) << SkinCaptions[i];
    }
    platform::SkinEngine::remove();
}
