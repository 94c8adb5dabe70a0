#pragma once

#include "app/cell.h"
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

// The working state of the main window and the chains that hand one character to every lookup,
// free of widgets. Each hidden request box is a Cell whose handler runs only when its value
// really changes, synchronously, before the assignment returns.
class MainController : public QObject {
    Q_OBJECT

public:
    MainController(const tables::ReferenceTables& tables, KeyPictureProvider keyPictures);
    ~MainController() override;

    // Opens wwbb11.dat and wwbb11cz.dat in `programFolder` and shows their first records.
    // False with one message naming the file and how to rebuild it.
    bool open(const QString& programFolder, QString* error);
    void close();

    // Events of the window.
    void text5Changed(const QString& text);
    void keyUp(const QString& boxText, int caret);  // key-up in Text5 or Text6
    void text6Edited(const QString& text);          // the user typed into the result list
    void combo6Event(const QString& chooserText, bool click);
    void strokeChooserEvent(const std::array<QString, 5>& chooserTexts);
    void previousPage();
    void nextPage();

    // The hand-over of one character to every lookup.
    void handOver(const QString& c);

    // What the window shows.
    const CodeDisplayState& codeDisplay() const { return codeLookup_->state(); }
    const PhrasePages& phrasePages() const { return phraseLookup_->pages(); }
    QString codeLine() const { return codeDisplay().codeLine; }
    QString label24() const { return label24_; }
    QString label25() const { return label25_; }
    QString text6() const { return text6_(); }

    // Cells, for tests and the command line.
    const Cell<QString>& text23() const { return text23_; }
    const Cell<QString>& text9() const { return text9_; }
    const Cell<QString>& text2bh() const { return text2bh_; }
    const Cell<QString>& text2bhw() const { return text2bhw_; }
    QString label20() const { return label20_; }
    QString text1() const { return phrasePages().words; }
    int codeLookupRuns() const { return codeLookupRuns_; }
    int phraseLookupRuns() const { return phraseLookupRuns_; }
    CodeLookup& codeLookup() { return *codeLookup_; }
    PhraseLookup& phraseLookup() { return *phraseLookup_; }

signals:
    // Emitted once at the end of each event, after every nested lookup it started.
    void changed();
    // Give Text6 the focus with the caret after character `caret`.
    void focusResultList(int caret);
    // Park the focus in Text88.
    void focusParking();

private:
    void handOverCells(const QString& c);
    // The steps below run nested inside one event; the event's entry point tells the window
    // once, when all of them are done.
    void runCodeLookup();    // Click of Command6
    void runPhraseLookup();  // Click of Command14
    void requestChanged();   // Change of Text2bh
    void strokeRequestChanged();  // Change of Text2bhw
    void lookUpFirstResult();

    const tables::ReferenceTables& tables_;
    tables::TableSearch search_;
    KeyPictureProvider keyPictures_;
    CharCodeFile charFile_;
    PhraseFile phraseFile_;
    std::unique_ptr<CodeLookup> codeLookup_;
    std::unique_ptr<PhraseLookup> phraseLookup_;

    Cell<QString> text23_;
    Cell<QString> text9_;
    Cell<QString> text2bh_;
    Cell<QString> text2bhw_;
    Cell<QString> text6_;
    QString label20_ = QStringLiteral("Label20");
    QString label24_;
    QString label25_;
    QString text4_;
    int codeLookupRuns_ = 0;
    int phraseLookupRuns_ = 0;
};

}  // namespace tessivo
