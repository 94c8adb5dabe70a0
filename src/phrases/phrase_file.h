#pragma once

#include "platform/record_file.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace tessivo {

// wwbb11cz.dat, opened once and kept open for the run; reads go to the file record by record.
class PhraseFile {
public:
    static constexpr int MaxRecords = platform::RecordFile::MaxRecords;

    PhraseFile() = default;
    PhraseFile(const PhraseFile&) = delete;
    PhraseFile& operator=(const PhraseFile&) = delete;

    // Opens and checks the whole file: present, not empty, a whole number of 4-byte records,
    // at most MaxRecords, every record decodable GBK, first-character keys ascending (equal
    // neighbours allowed). On failure returns false, keeps the file closed and sets
    // errorString() to one message naming the file, the problem and how to rebuild it.
    bool open(const QString& path);
    void close();
    bool isOpen() const { return file_.isOpen(); }
    QString errorString() const { return file_.errorString(); }
    QString path() const { return file_.path(); }

    int recordCount() const { return file_.recordCount(); }

    // Text of record n (1-based); nullopt out of range or when the read fails.
    std::optional<QString> read(int n);
    // The key of record n's first character (one read, counted like read()), and the record's
    // raw bytes into `bytes` when given (no text conversion).
    std::optional<std::int16_t> readKey(int n, QByteArray* bytes = nullptr);

    std::uint64_t readCount() const { return file_.readCount(); }
    void resetReadCount() { file_.resetReadCount(); }

    static QString rebuildHint() { return platform::RecordFile::rebuildHint(); }

private:
    platform::RecordFile file_;
};

}  // namespace tessivo
