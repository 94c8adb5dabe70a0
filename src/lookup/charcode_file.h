#pragma once

#include "lookup/charcode_record.h"
#include "platform/record_file.h"

#include <QFile>
#include <QString>

#include <cstdint>
#include <optional>

namespace tessivo {

// wwbb11.dat, opened once and kept open for the run. Every read goes to the file, one
// 302-byte record at a time: there is no index or cache in memory.
class CharCodeFile {
public:
    static constexpr int MaxRecords = platform::RecordFile::MaxRecords;

    CharCodeFile() = default;
    CharCodeFile(const CharCodeFile&) = delete;
    CharCodeFile& operator=(const CharCodeFile&) = delete;

    // Opens and checks the whole file: present, not empty, a whole number of records, at most
    // MaxRecords, every field decodable GBK, keys strictly ascending. On failure returns false,
    // keeps the file closed and sets errorString() to one message that names the file, the
    // problem and how to rebuild it.
    bool open(const QString& path);
    void close();
    bool isOpen() const { return file_.isOpen(); }
    QString errorString() const { return file_.errorString(); }
    QString path() const { return file_.path(); }

    // Number of records (file length / 302); 0 when closed.
    int recordCount() const { return file_.recordCount(); }

    // Record n (1-based). nullopt when n is out of range or the read fails.
    std::optional<CharCodeRecord> read(int n);
    // The key of record n's character field (one record read, counted like read()), and the
    // field's two raw bytes into `characterBytes` when given. No text conversion: the search
    // compares keys only.
    std::optional<std::int16_t> readKey(int n, QByteArray* characterBytes = nullptr);
    // Text of a character field's bytes, padded to its width as a read record holds it.
    static QString characterText(QByteArrayView characterBytes);

    // Record reads since open() or the last reset (the open-time check is not counted).
    std::uint64_t readCount() const { return file_.readCount(); }
    void resetReadCount() { file_.resetReadCount(); }

    // The sentence that closes every error message: how to regenerate the data files.
    static QString rebuildHint() { return platform::RecordFile::rebuildHint(); }

private:
    platform::RecordFile file_;
};

}  // namespace tessivo
