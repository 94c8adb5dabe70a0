#pragma once

#include "app/state/main_state.h"
#include "app/state/record_files.h"
#include "capture/lookup_modes.h"
#include "capture/word_capture.h"
#include "lookup/charcode_file.h"
#include "lookup/code_lookup.h"
#include "phrases/phrase_file.h"
#include "phrases/phrase_lookup.h"
#include "tables/reference_tables.h"
#include "tables/table_search.h"

#include <QObject>
#include <QString>

#include <array>
#include <memory>

namespace tessivo {

// The first character of a text, a surrogate pair counted as one character; empty for "".
QString firstCharacter(const QString& text);

class MainController;

// What the main window and the command line may read of the working state; they change it only
// through the controller's entry points.
class MainView {
public:
    explicit MainView(const MainController& controller) : c_(controller) {}

    const CodeDisplayState& code() const;
    const PhrasePages& phrases() const;
    // The record of the character shown, and whether the last search found it.
    const CharCodeRecord& record() const;
    bool characterFound() const;
    const QString& reading() const;
    const QString& resultList() const;
    pinyin::ReadingMode readingMode() const;
    const ExpandSwitch& expand() const;
    const QString& codeRequest() const;
    const QString& phraseRequest() const;
    const QString& readingRequest() const;
    const QString& strokeRequest() const;
    LookupMode lookupMode() const;
    const QString& screenLookupOff() const;
    const QString& captureReport() const;
    const QString& capturedLine() const;
    const QString& capturedCharacter() const;
    const QString& captureX() const;
    const QString& captureY() const;
    const QString& pressX() const;
    const QString& pressY() const;

private:
    const MainController& c_;
};

// The working state of the main window and the chains that hand one character to every lookup,
// free of widgets. Each request is a Cell whose handler runs only when its value really
// changes, synchronously, before the assignment returns; each entry point tells the window
// once, through changed(), after every nested step it started.
class MainController : public QObject, public capture::WordCaptureSink, private capture::ModeHost {
    Q_OBJECT

public:
    MainController(const tables::ReferenceTables& tables, KeyPictureProvider keyPictures);
    ~MainController() override;

    // Opens wwbb11.dat and wwbb11cz.dat in `programFolder` and shows their first records.
    // False with one message naming the file and how to rebuild it.
    bool open(const QString& programFolder, QString* error);
    // The same with files opened elsewhere, e.g. ahead on a thread of their own.
    bool open(RecordFiles files, QString* error);
    void close();

    // What the user does.
    void typeCharacter(const QString& text);                 // the character input changed
    void pickCharacterAt(const QString& boxText, int caret); // key-up or click in an input box
    void editResultList(const QString& text);                // typing into the result list
    void chooseReading(const QString& chooserText, ChooserAction action);
    void chooseStrokes(const std::array<QString, 5>& chooserTexts);
    void pageBack();                                         // the "↑" button
    void pageForward();                                      // the "↓" button
    // The expand button: returns the box that takes the focus.
    FocusTarget toggleExpand();

    // The hand-over of one character to every lookup.
    void handOver(const QString& c) override;

    // Selecting a mode, by the user or by the Settings window marking the current one. Selecting
    // the click mode always enters it anew (clickModeSelected), even when it was selected.
    void selectLookupMode(LookupMode mode);
    // Screen lookup cannot work on this desktop; the reason is shown where the mode is chosen.
    void setScreenLookupOff(const QString& reason);

    // Connects the click and hover modes to the pointer, the button latch and the re-check
    // timer, and starts the button poll when the click mode is selected (the load step's order:
    // after the capture is set up). The inputs must outlive the controller.
    void attachCapture(capture::PointerReader& pointer, capture::ButtonLatch& buttons, capture::Timer& recheck);
    const capture::LookupModes* lookupModes() const { return modes_.get(); }

    // The capture component's report, on the user-interface thread. False, keeping the
    // captured character, when `location` names no character position.
    bool queryWord(const QString& word, int cursorX, int cursorY, const QString& sentence, int location,
                   int start) override;

    MainView view() const { return MainView(*this); }

    // How often each lookup ran, for checks of the chains and for benchmarks.
    int codeLookupRuns() const { return codeLookupRuns_; }
    int phraseLookupRuns() const { return phraseLookupRuns_; }

signals:
    void changed();
    // The result list takes the focus with the caret after character `caret`.
    void resultListFocusRequested(int caret);
    // The focus goes to the parking box.
    void parkingFocusRequested();
    // The click mode was selected: its button poll runs and no re-check is pending.
    void clickModeSelected();

private:
    friend class MainView;

    void handOverRequests(const QString& c);
    void runCodeLookup();
    void runPhraseLookup();
    void readingRequestChanged();
    void strokeRequestChanged();
    void lookUpFirstResult();

    // The window state as the lookup modes see it.
    QString capturedCharacter() const override { return state_.capturedCharacter(); }
    void setCapturedCharacter(const QString& c) override { state_.capturedCharacter.set(c); }
    QString captureX() const override { return state_.captureX(); }
    QString captureY() const override { return state_.captureY(); }
    QString pressX() const override { return state_.pressX(); }
    QString pressY() const override { return state_.pressY(); }
    void setPressPosition(const QString& x, const QString& y) override;
    QString shownCharacter() const override;
    bool inClickMode() const override { return state_.lookupMode == LookupMode::Click; }

    const tables::ReferenceTables& tables_;
    tables::TableSearch search_;
    KeyPictureProvider keyPictures_;
    CharCodeFile charFile_;
    PhraseFile phraseFile_;
    std::unique_ptr<CodeLookup> codeLookup_;
    std::unique_ptr<PhraseLookup> phraseLookup_;
    MainState state_;
    capture::PointerReader* pointer_ = nullptr;
    std::unique_ptr<capture::LookupModes> modes_;
    int codeLookupRuns_ = 0;
    int phraseLookupRuns_ = 0;
};

}  // namespace tessivo
