#pragma once

#include "lookup/charcode_file.h"
#include "lookup/charcode_record.h"

#include <QString>
#include <QStringView>

#include <cstdint>

namespace tessivo {

// The search of wwbb11.dat for one character, and the record it shows.
class CharCodeSearch {
public:
    explicit CharCodeSearch(CharCodeFile& file) : file_(file) {}

    // Load step: record 1 becomes the current record and is loaded.
    void start();

    // Reads the current record into record(). A failed read leaves record() as it was.
    void loadCurrentRecord();  // display

    // The search for the first character of `text`. Empty text: nothing happens and false is
    // returned (charFound() unchanged). A first character without a GBK code (an emoji, say) is
    // not found, without reading. Found: the current record is the matching one; not found: it
    // is the last record read. Neither loads the record.
    bool search(QStringView text);

    std::int16_t currentCharRecord() const { return current_; }
    bool charFound() const { return found_; }
    // The record last loaded, each field at its full padded width.
    const CharCodeRecord& record() const { return record_; }
    // Characters of the records at the bounds of the last search pass (the lower one also takes
    // the middle probe), for tracing a search; empty before the first.
    QString lowerProbe() const;
    QString upperProbe() const;

    CharCodeFile& file() { return file_; }

private:
    CharCodeFile& file_;
    std::int16_t current_ = 1;
    bool found_ = false;
    CharCodeRecord record_;  // Text11..Text14, Text17..Text20
    // Kept as bytes: converting them on every read would dominate the search.
    platform::SearchProbes probes_;
};

}  // namespace tessivo
