#pragma once

#include "phrases/phrase_file.h"

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

namespace tessivo {

// The phrase row: the whole list, its pages and the two page buttons.
struct PhrasePages {
    static constexpr int PageLength = 32;  // characters of a page: 16 words
    static constexpr int Padding = 34;     // blanks after the list, so every page is full

    QString text1;                            // list + padding (empty before the first lookup)
    QString label17 = QStringLiteral(" ");    // page count
    QString label18 = QStringLiteral("Label18");  // page shown
    QString label16;                          // text of the page shown
    QString text3;                            // the phrase row: same as label16
    bool command5Enabled = false;             // "↑" previous page
    bool command7Enabled = false;             // "↓" next page
};

struct PhraseLookupResult {
    bool found = false;
    // Nothing begins with the character: the controller clears Label6 (the code3 cell).
    bool clearLabel6 = false;
};

// Tool tip of the phrase row and of the result list for their text.
QString listToolTip(const QString& text);

// The words that begin with one character: a binary search of wwbb11cz.dat by first
// character, a scan of the neighbouring records both ways, and the pages of the list.
class PhraseLookup {
public:
    explicit PhraseLookup(PhraseFile& file) : file_(file) {}

    // Load step: CurrentPhraseRecord = 1, display2().
    void start();

    // display2: record CurrentPhraseRecord into text7().
    void display2();
    void previousRecord();  // Command15: back one record unless at record 1
    void nextRecord();      // Command16: on one record unless at the last
    void backToMatch();     // Command17: to the record named by text10()

    // Command14 with the text of Text9: builds the list and shows its first page. A text
    // without a GBK key (empty, an emoji) finds nothing, without searching.
    PhraseLookupResult lookup(QStringView text9);

    // Clicks of the page buttons. Each does nothing while its button is disabled, so the page
    // never leaves 1..page count.
    void previousPage();  // Command5
    void nextPage();      // Command7

    // Empties the whole list (the code lookup does so when it finds nothing); the page shown
    // and the buttons stay until the next lookup.
    void clearText1() { pages_.text1.clear(); }

    const PhrasePages& pages() const { return pages_; }
    std::int16_t currentPhraseRecord() const { return current_; }
    bool phraseFound() const { return found_; }
    QString text7() const;
    const QString& text10() const { return text10_; }
    // Records at the bounds of the last search pass ("Text31"/"Text32" before the first).
    QString text31() const;
    QString text32() const;

private:
    bool search(std::int16_t key);
    bool currentMatches(QStringView text9, std::optional<std::int16_t> key9) const;
    void buildList(QStringView text9, std::optional<std::int16_t> key9);
    void showPage(int page);

    PhraseFile& file_;
    std::int16_t current_ = 1;
    bool found_ = false;
    // Records are kept as bytes and converted only when their text is needed: the search and
    // the scans compare keys.
    QByteArray text7_;
    mutable QString text7Text_;
    mutable bool text7Stale_ = true;
    QString text10_ = QStringLiteral("1");
    QByteArray text31_;
    QByteArray text32_;
    PhrasePages pages_;
};

}  // namespace tessivo
