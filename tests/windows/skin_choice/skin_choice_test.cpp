#include "app/state/settings_files.h"
#include "windows/skin_choice.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

using namespace tessivo;

namespace {

const QString NoSkin = QString::fromUtf8(settings::NoSkin);

// The engine's calls and the main window's re-fits, in order.
struct Recorder {
    std::vector<std::pair<QString, int>> starts;
    std::vector<QString> refits;  // "borders on", "borders off", "size"
    int result = 1;

    SkinStarter starter() {
        return [this](const QString& path, int mode) {
            starts.emplace_back(path, mode);
            return result;
        };
    }
    MainWindowRefit refit() {
        return {[this](bool on) { refits.push_back(on ? QStringLiteral("borders on") : QStringLiteral("borders off")); },
                [this] { refits.push_back(QStringLiteral("size")); }};
    }
};

class SkinChoiceTest : public ::testing::Test {
protected:
    SkinChoiceTest() : choice(skin, QStringLiteral("/opt/tessivo"), engine.starter(), engine.refit()) {
        skin.set({false, NoSkin, QStringLiteral("/opt/tessivo/") + NoSkin});
    }
    Recorder engine;
    Skin skin;
    SkinChoice choice;
};

}  // namespace

TEST(SkinCaptions, FilesAreTheCaptionsWithTheirExtension) {
    ASSERT_EQ(SkinCaptions.size(), 9u);
    EXPECT_EQ(skinFileOf(0), QStringLiteral("PixOS.urf"));
    EXPECT_EQ(skinFileOf(4), QStringLiteral("LE4.urf"));
    EXPECT_EQ(skinFileOf(8), QStringLiteral("RhodiumX.urf"));
}

TEST_F(SkinChoiceTest, ChoosingLE4AppliesItInTheProgramFolderAndDropsTheBorders) {
    int changes = 0;
    QObject::connect(&skin, &Skin::changed, [&](bool) { ++changes; });
    choice.chooseSkin(4);
    EXPECT_EQ(skin.fileName(), QStringLiteral("LE4.urf"));
    EXPECT_EQ(skin.filePath(), QStringLiteral("/opt/tessivo/LE4.urf"));
    EXPECT_TRUE(skin.active());
    ASSERT_EQ(engine.starts.size(), 1u);
    EXPECT_EQ(engine.starts[0], std::make_pair(QStringLiteral("/opt/tessivo/LE4.urf"), 2));
    EXPECT_EQ(engine.refits, (std::vector<QString>{QStringLiteral("borders off"), QStringLiteral("size")}));
    EXPECT_GE(changes, 1);
}

TEST_F(SkinChoiceTest, ASkinTheEngineRefusesStillCountsAsChosen) {
    engine.result = 0;  // a missing or damaged file: found out at the next start
    choice.chooseSkin(8);
    EXPECT_TRUE(skin.active());
    EXPECT_EQ(skin.fileName(), QStringLiteral("RhodiumX.urf"));
    EXPECT_EQ(engine.refits.back(), QStringLiteral("size"));
}

TEST_F(SkinChoiceTest, NoSkinAfterASkinTakesItAwayAndRestoresTheBorders) {
    choice.chooseSkin(0);
    engine.starts.clear();
    engine.refits.clear();
    choice.chooseNoSkin();
    ASSERT_EQ(engine.starts.size(), 1u);
    EXPECT_EQ(engine.starts[0], std::make_pair(QString(), 0));
    EXPECT_FALSE(skin.active());
    EXPECT_EQ(skin.fileName(), NoSkin);
    EXPECT_EQ(engine.refits, (std::vector<QString>{QStringLiteral("size"), QStringLiteral("borders on")}));
}

TEST_F(SkinChoiceTest, NoSkinWithoutASkinOnlySetsTheName) {
    skin.set({false, QStringLiteral("pixos.urf"), QString()});
    choice.chooseNoSkin();
    EXPECT_TRUE(engine.starts.empty());
    EXPECT_TRUE(engine.refits.empty());
    EXPECT_EQ(skin.fileName(), NoSkin);
}

TEST_F(SkinChoiceTest, DoSkinCallsTheEngineWithModeTwoAndIgnoresItsAnswer) {
    engine.result = 0;
    choice.doSkin(QStringLiteral("Slate.urf"), true);
    ASSERT_EQ(engine.starts.size(), 1u);
    EXPECT_EQ(engine.starts[0], std::make_pair(QStringLiteral("/opt/tessivo/Slate.urf"), 2));
    EXPECT_EQ(skin.filePath(), QStringLiteral("/opt/tessivo/Slate.urf"));
    EXPECT_FALSE(skin.active());  // only the choices change the state
    EXPECT_TRUE(engine.refits.empty());
}

TEST(SettingsMarks, NamesAreComparedExactly) {
    const SettingsMarks table = settingsMarks(LookupMode::Click, QStringLiteral("XP-Luna.urf"));
    EXPECT_EQ(table.skin, 3);
    EXPECT_FALSE(table.noSkin);
    EXPECT_EQ(table.mode, LookupMode::Click);

    const SettingsMarks lower = settingsMarks(LookupMode::Hover, QStringLiteral("pixos.urf"));
    EXPECT_FALSE(lower.skin.has_value());  // the start-up default in lower case marks nothing
    EXPECT_FALSE(lower.noSkin);
    EXPECT_EQ(lower.mode, LookupMode::Hover);

    EXPECT_FALSE(settingsMarks(LookupMode::Click, QStringLiteral("Aqua.urf")).skin.has_value());
    EXPECT_FALSE(settingsMarks(LookupMode::Click, QStringLiteral("PixOS")).skin.has_value());
    const SettingsMarks none = settingsMarks(LookupMode::Click, NoSkin);
    EXPECT_TRUE(none.noSkin);
    EXPECT_FALSE(none.skin.has_value());
}

TEST(SettingsHeight, IsBelowTheButtonBySixOrFiveHundredTwips) {
    EXPECT_EQ(settingsHeight(true), 3540);
    EXPECT_EQ(settingsHeight(false), 3440);
}
