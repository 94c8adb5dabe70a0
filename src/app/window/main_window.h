#pragma once

#include "app/state/main_controller.h"
#include "app/state/skin.h"

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

// The main window: a projection of the MainController's state. It forwards what the user does
// to the controller's entry points, asks for the secondary windows through signals, and reads
// the state only through the controller's view. Every widget's object name is its control name
// (see docs/names.md), which the base style sheet and the tests use.
class MainWindow : public QWidget {  // Form11
    Q_OBJECT

public:
    MainWindow(MainController& controller, const Skin& skin, QWidget* parent = nullptr);

    // Applies the size rule of the current state (also after a skin is applied or removed).
    void applySizeRule();
    // Single-line borders on the code row, the lower panel and the phrase row, or none (a skin
    // draws its own look).
    void setFrameBorders(bool on);

signals:
    void closing();
    // The buttons that open the secondary windows; the focus has moved before they are emitted.
    void settingsRequested();
    void aboutRequested();
    void chartRequested();
    void helpRequested();
    // The pointer moved over the code row.
    void codeRowHovered();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // One builder per row, top to bottom; the frames are made lowest first so that where they
    // overlap the upper rows stay on top.
    void buildFrames();
    void buildRadicalStrip();
    void buildBanner();
    void buildCodeRow();
    void buildPhraseRow();
    void buildCharacterAndReadingRow();
    void buildStrokeRow();
    void buildResultList();
    void buildParkingBox();
    void configureChooser(QComboBox* chooser);
    QPushButton* windowButton(QWidget* parent, const QString& objectName, const QString& caption,
                              void (MainWindow::*request)());

    void refresh();
    void refreshCodeRow(const MainView& view);
    void refreshPhraseRow(const PhrasePages& pages);
    void toggleExpand();
    void focus(FocusTarget target);
    void focusResultList(int caret);
    void strokeChooserChanged();
    bool filterPhraseRow(QEvent* event);
    bool filterChooserKey(QObject* watched, QEvent* event);
    void pickClickedCharacter(QPoint at);
    void fitReading();
    void centreOnScreen();
    void filterResultList(QObject* watched, QEvent* event, bool* swallow);

    MainController& controller_;
    const Skin& skin_;
    bool refreshing_ = false;  // set while the window copies state into widgets: no echo back
    bool placed_ = false;      // centred on the screen at the first show
    int outerWidth_ = layout::CollapsedLeft;  // twips; a skin keeps it

    std::array<RadicalPanel*, 4> radicalPanels_{};  // Picture1(0..3)
    QWidget* notFoundBanner_ = nullptr;             // Picture2
    QFrame* codeRow_ = nullptr;                     // Frame1
    QFrame* phraseRow_ = nullptr;                   // Frame3
    QFrame* lowerPanel_ = nullptr;                  // Frame2
    QLabel* codeLine_ = nullptr;                    // Label10
    QLabel* codeLineTwin_ = nullptr;                // Label5
    QLabel* reading_ = nullptr;                     // Label24
    QLabel* readingTwin_ = nullptr;                 // Label25
    QPushButton* expandButton_ = nullptr;           // Command1
    QPushButton* pageBackButton_ = nullptr;         // Command5
    QPushButton* pageForwardButton_ = nullptr;      // Command7
    QLineEdit* phraseRowText_ = nullptr;            // Text3
    QLineEdit* characterInput_ = nullptr;           // Text5
    QLineEdit* parkingBox_ = nullptr;               // Text88
    QComboBox* readingChooser_ = nullptr;           // Combo6
    std::array<QComboBox*, 5> strokeChoosers_{};    // Combo1 .. Combo5
    QPlainTextEdit* resultList_ = nullptr;          // Text6
};

}  // namespace tessivo
