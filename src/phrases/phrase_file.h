#pragma once

#include <QFile>
#include <QString>

#include <cstdint>
#include <optional>

namespace tessivo {

// wwbb11cz.dat, opened once and kept open for the run; reads go to the file record by record.
class PhraseFile {
public:
    static constexpr int MaxRecords = 32767;  // record numbers are signed 16-bit

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
    QString errorString() const { return error_; }
    QString path() const { return file_.fileName(); }

    int recordCount() const { return count_; }

    // Text of record n (1-based); nullopt out of range or when the read fails.
    std::optional<QString> read(int n);
    // The key of record n's first character (one read, counted like read()), and the record's
    // raw bytes into `bytes` when given (no text conversion).
    std::optional<std::int16_t> readKey(int n, QByteArray* bytes = nullptr);

    std::uint64_t readCount() const { return reads_; }
    void resetReadCount() { reads_ = 0; }

    static QString rebuildHint();

private:
    std::optional<QByteArray> readRaw(int n);
    bool fail(const QString& problem);

    QFile file_;
    int count_ = 0;
    std::uint64_t reads_ = 0;
    QString error_;
};

}  // namespace tessivo
