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

    // Each listed word's second character and a blank, then the padding (empty before the first
    // lookup).
    QString words;                // Text1
    int pageCount = 0;            // Label17: 0 when nothing was found
    int page = 0;                 // Label18: 0 before the first lookup that found words
    QString pageText;             // Label16, shown in the phrase row
    bool canPageBack = false;     // the "↑" button is enabled
    bool canPageForward = false;  // the "↓" button is enabled
};

struct PhraseLookupResult {
    bool found = false;
    // Nothing begins with the character: the controller clears the third code of the code row.
    bool clearCode3 = false;
};

// Tool tip of the phrase row and of the result list for their text.
QString listToolTip(const QString& text);

// The words that begin with one character: a binary search of wwbb11cz.dat by first
// character, a scan of the neighbouring records both ways, and the pages of the list.
class PhraseLookup {
public:
    explicit PhraseLookup(PhraseFile& file) : file_(file) {}

    // Load step: record 1 becomes the current record and is loaded.
    void start();

    // Reads the current record into recordText(). A failed read leaves it as it was.
    void loadCurrentRecord();  // display2
    void previousRecord();  // Click of Command15: back one record unless at record 1
    void nextRecord();      // Click of Command16: on one record unless at the last
    void backToMatch();     // Click of Command17: to matchRecord()

    // Builds the list of the words beginning with `character` and shows its first page. A text
    // without a GBK key (empty, an emoji) finds nothing, without searching.
    PhraseLookupResult lookup(QStringView character);  // Click of Command14

    // Clicks of the page buttons. Each does nothing while its button is disabled, so the page
    // never leaves 1..page count.
    void previousPage();
    void nextPage();

    // Empties the whole list (the code lookup does so when it finds nothing); the page shown
    // and the buttons stay until the next lookup.
    void clearWords() { pages_.words.clear(); }

    const PhrasePages& pages() const { return pages_; }
    std::int16_t currentPhraseRecord() const { return current_; }
    bool phraseFound() const { return found_; }
    // The text of the record last loaded.
    QString recordText() const;
    // The record found by the last successful search (1 before any).
    int matchRecord() const { return matchRecord_; }
    // Records at the bounds of the last search pass (the lower one also takes the middle
    // probe), for tracing a search; empty before the first.
    QString lowerProbe() const;
    QString upperProbe() const;

private:
    bool search(std::int16_t key);
    bool currentMatches(QStringView character, std::optional<std::int16_t> key) const;
    void buildList(QStringView character, std::optional<std::int16_t> key);
    void showPage(int page);

    PhraseFile& file_;
    std::int16_t current_ = 1;
    bool found_ = false;
    // Records are kept as bytes and converted only when their text is needed: the search and
    // the scans compare keys.
    QByteArray record_;  // Text7
    mutable QString recordText_;
    mutable bool recordTextStale_ = true;
    int matchRecord_ = 1;            // Text10
    platform::SearchProbes probes_;
    PhrasePages pages_;
};

}  // namespace tessivo
