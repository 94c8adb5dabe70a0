#pragma once

#include "app/state/main_controller.h"
#include "app/state/skin.h"
#include "windows/skin_choice.h"

#include <QIcon>
#include <QWidget>

#include <array>

class QGroupBox;
class QLabel;
class QPushButton;
class QMenu;
class QRadioButton;

namespace tessivo {

// The Settings window: the lookup mode of the screen lookup and the skin. Every choice takes
// effect when it is clicked; the button only closes the window, which is then deleted (the next
// request makes a new one, which marks the current mode and skin again).
class SettingsWindow : public QWidget {  // frmsetup
    Q_OBJECT

public:
    SettingsWindow(MainController& controller, const Skin& skin, SkinChoice& choice, const QIcon& icon,
                   QWidget* parent = nullptr);

private:
    void buildModeFrame(int extra);
    void buildSkinFrame(int extra);
    // Selects an option as a click does, running its handler.
    void select(QRadioButton* option);
    void markCurrent();
    void fitSize();

    MainController& controller_;
    const Skin& skin_;
    SkinChoice& choice_;
    int outerHeight_ = 0;  // twips, fixed when the window opens

    QGroupBox* modeFrame_ = nullptr;              // Frame1
    QRadioButton* clickMode_ = nullptr;           // Option1
    QRadioButton* hoverMode_ = nullptr;           // Option2
    QLabel* screenLookupOff_ = nullptr;           // why screen lookup cannot work here
    QGroupBox* skinFrame_ = nullptr;              // Frame2
    QRadioButton* noSkin_ = nullptr;              // Option3
    std::array<QRadioButton*, 9> skinOptions_{};  // Option4(0..8)
    QPushButton* closeButton_ = nullptr;          // Command1
};

// The hidden form that holds the skin menu: loaded at start-up, never shown, unloaded at exit.
// Its items make the same choices as the Settings window.
class SkinMenuForm : public QWidget {  // Form99
    Q_OBJECT

public:
    explicit SkinMenuForm(SkinChoice& choice, QWidget* parent = nullptr);

    // The same skin application as the Settings window's.
    void doSkin(const QString& skinFile, bool powerful) { choice_.doSkin(skinFile, powerful); }
    QMenu* skinMenu() const { return menu_; }

private:
    SkinChoice& choice_;
    QMenu* menu_;  // face
};

}  // namespace tessivo
