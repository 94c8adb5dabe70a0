#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

namespace tessivo::platform {

// A file of fixed-length records, read and checked whole when opened and then served from that
// copy for the run: a lookup costs no system call, and the records read are the ones checked.
class RecordFile {
public:
    static constexpr int MaxRecords = 32767;  // record numbers are signed 16-bit

    // Checks one record (n counts from 1) when the file is opened: an empty text when it is
    // sound, else what is wrong with it, as the end of a sentence about the file ("已损坏：...").
    using RecordCheck = std::function<QString(int n, QByteArrayView record)>;

    RecordFile() = default;
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;
    // A file opened on one thread may be handed to another; the file moved from is left closed.
    RecordFile(RecordFile&& other) noexcept;
    RecordFile& operator=(RecordFile&& other) noexcept;

    // Opens and checks the whole file: present, not empty, a whole number of records, at most
    // MaxRecords, every record passing `check`. On failure returns false, keeps the file closed
    // and sets errorString() to the message the user reads, in Chinese: the file (as
    // `description` and its path) and the problem, then how to get sound data back.
    bool open(const QString& path, int recordSize, const QString& description, const RecordCheck& check);
    void close();
    bool isOpen() const { return open_; }
    QString errorString() const { return error_; }
    QString path() const { return path_; }
    int recordCount() const { return count_; }

    // The bytes of record n (1-based); nullopt out of range or when the read fails.
    std::optional<QByteArray> readRaw(int n);

    // Record reads since open() or the last reset (the check at open is not counted).
    std::uint64_t readCount() const { return reads_; }
    void resetReadCount() { reads_ = 0; }

    // The sentence that closes every error message: reinstall, or (for whoever maintains the
    // copy) the command that regenerates the data files.
    static QString rebuildHint();

private:
    bool fail(const QString& description, const QString& problem);

    QString path_;
    QByteArray records_;
    bool open_ = false;
    int recordSize_ = 1;
    int count_ = 0;
    std::uint64_t reads_ = 0;
    QString error_;
};

}  // namespace tessivo::platform
