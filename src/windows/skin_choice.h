#pragma once

#include "app/state/main_controller.h"
#include "app/state/skin.h"
#include "app/state/startup.h"

#include <QString>

#include <array>
#include <functional>
#include <optional>

// The skin choices of the Settings window and the hidden skin menu, without widgets: which skin
// is applied, the skin state, and what the main window changes with it.
namespace tessivo {

// The skins offered, in the order of the Settings window's options and of the menu.
inline constexpr std::array<const char*, 9> SkinCaptions = {"PixOS", "CoronaLaST", "XP-Metallic", "XP-Luna", "LE4",
                                                            "MacOS", "Slate", "OpusOS", "RhodiumX"};
// The file of the skin with that caption: the caption and ".urf".
QString skinFileOf(int index);

// What a skin choice changes on the main window besides the skin state.
struct MainWindowRefit {
    std::function<void(bool on)> setFrameBorders;  // the code row, lower panel and phrase row
    std::function<void()> applySizeRule;           // the size rule of its current state
};

class SkinChoice {
public:
    SkinChoice(Skin& skin, QString programFolder, SkinStarter start, MainWindowRefit refit = {});

    void setRefit(MainWindowRefit refit) { refit_ = std::move(refit); }

    // Applies a skin file of the program's folder. `powerful` is accepted and not used. The
    // engine's answer is not examined: an unreadable file changes nothing visible.
    void doSkin(const QString& skinFile, bool powerful);
    // Skin `index` of SkinCaptions: applied, the skin state set, the main window re-fitted.
    void chooseSkin(int index);
    // No skin: taken away when one is active; the name says "no skin" in every case.
    void chooseNoSkin();

private:
    Skin& skin_;
    QString programFolder_;
    SkinStarter start_;
    MainWindowRefit refit_;
};

// What the Settings window marks when it opens.
struct SettingsMarks {
    LookupMode mode = LookupMode::Click;
    bool noSkin = false;              // the "取消皮肤" option
    std::optional<int> skin;          // the option of a skin of SkinCaptions
};
// The current mode and skin, names compared exactly ("pixos.urf" is no skin of the list).
SettingsMarks settingsMarks(LookupMode mode, const QString& skinFileName);

// The Settings window's outer height in twips: below its button, 600 with a skin, 500 without.
int settingsHeight(bool skinActive);

}  // namespace tessivo
