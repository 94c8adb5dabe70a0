#pragma once

#include "lookup/charcode_file.h"
#include "lookup/charcode_record.h"

#include <QString>
#include <QStringView>

#include <cstdint>

namespace tessivo {

// The record fields as the hidden boxes hold them: each field at its full padded width.
struct RecordFields {
    QString text11;  // character (the character and one padding blank)
    QString text12;  // code1
    QString text13;  // code2
    QString text14;  // code3
    QString text17;  // fill1
    QString text18;  // fill2
    QString text19;  // fill3
    QString text20;  // fill4
};

// Binary search of wwbb11.dat by character key, reading the file record by record. Each pass
// re-reads both bounds, then probes the middle; it stops when the bounds become adjacent.
class CharCodeSearch {
public:
    explicit CharCodeSearch(CharCodeFile& file) : file_(file) {}

    // Load step: CurrentCharRecord = 1, then display().
    void start();

    // Reads record CurrentCharRecord into the buffer and copies its fields to `fields()`.
    void display();

    // The search for the first character of `text23`. Empty text: nothing happens and false is
    // returned (CharFound unchanged). A first character without a GBK code (an emoji, say) is
    // not found, without reading. Found: CurrentCharRecord is the matching record; not found:
    // it is the last record read. Neither calls display().
    bool search(QStringView text23);

    std::int16_t currentCharRecord() const { return current_; }
    bool charFound() const { return found_; }
    const CharCodeRecord& buffer() const { return buffer_; }
    const RecordFields& fields() const { return fields_; }
    // Characters at the bounds of the last pass (scratch, for diagnostics: "Text31"/"Text32"
    // before the first search).
    QString text31() const;
    QString text32() const;

    CharCodeFile& file() { return file_; }

private:
    CharCodeFile& file_;
    std::int16_t current_ = 1;
    bool found_ = false;
    CharCodeRecord buffer_;
    RecordFields fields_;
    // Kept as bytes: converting them on every read would dominate the search.
    QByteArray text31_;
    QByteArray text32_;
};

}  // namespace tessivo
