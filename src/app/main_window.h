#pragma once

#include "app/main_controller.h"
#include "app/startup.h"
#include "app/window_state.h"

#include <QWidget>

#include <array>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace tessivo {

class RadicalPanel;

// Form11: the main window, bound to the MainController that holds all working state.
class MainWindow : public QWidget {
    Q_OBJECT

public:
    MainWindow(MainController& controller, SkinState& skin, QWidget* parent = nullptr);

    // Applies the size rule of the current state (also after a skin is applied or removed).
    void applySizeRule();

    const ExpandSwitch& expandSwitch() const { return expand_; }
    QLineEdit* text5() const { return text5_; }
    QLineEdit* text88() const { return text88_; }
    QLineEdit* text3() const { return text3_; }
    QPlainTextEdit* text6() const { return text6_; }
    QComboBox* combo6() const { return combo6_; }
    QComboBox* strokeChooser(int k) const { return strokeCombos_[k]; }
    QPushButton* command1() const { return command1_; }
    QPushButton* command5() const { return command5_; }
    QPushButton* command7() const { return command7_; }
    QLabel* label10() const { return label10_; }
    QLabel* label24() const { return label24_; }
    QWidget* frame2() const;
    QWidget* picture2() const;
    RadicalPanel* panel(int i) const { return panels_[i]; }

    static QString onlineLookupAddress();
    static QString forumAddress();

signals:
    void closing();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void build();
    void refresh();
    void toggleExpand();
    void focusBox(FocusBox box);
    void strokeChooserChanged();

    MainController& controller_;
    SkinState& skin_;
    ExpandSwitch expand_;
    bool refreshing_ = false;

    std::array<RadicalPanel*, 4> panels_{};
    QWidget* picture2_ = nullptr;
    QFrame* frame1_ = nullptr;
    QFrame* frame2_ = nullptr;
    QFrame* frame3_ = nullptr;
    QLabel* label10_ = nullptr;
    QLabel* label5_ = nullptr;
    QLabel* label24_ = nullptr;
    QLabel* label25_ = nullptr;
    QPushButton* command1_ = nullptr;
    QPushButton* command5_ = nullptr;
    QPushButton* command7_ = nullptr;
    QLineEdit* text3_ = nullptr;
    QLineEdit* text5_ = nullptr;
    QLineEdit* text88_ = nullptr;
    QComboBox* combo6_ = nullptr;
    std::array<QComboBox*, 5> strokeCombos_{};
    QPlainTextEdit* text6_ = nullptr;
};

}  // namespace tessivo
