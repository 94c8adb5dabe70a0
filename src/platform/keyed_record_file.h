#pragma once

#include "platform/gbk_codec.h"
#include "platform/record_file.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

namespace tessivo::platform {

// The raw bytes of the records a key search read last at its bounds; null before the first read.
struct SearchProbes {
    QByteArray lower;  // Text31: the lower bound of the last pass, or its middle probe when one followed
    QByteArray upper;  // Text32: the upper bound of the last pass
};

struct KeySearchResult {
    bool found = false;
    // The matching record; when nothing matched, the record read last. nullopt when no record
    // could be read at all (an empty or closed file).
    std::optional<int> record;
};

// The character key of record n (1-based), one read; the record's bytes go to `bytes` when
// given and the read succeeds.
std::optional<std::int16_t> readKey(RecordFile& file, int n, QByteArray* bytes = nullptr);

// Binary search of a file sorted by key for a record with `key`. Each pass reads both bounds
// again, then probes the middle; a bound moves onto the middle record (not past it), and the
// search gives up once the bounds are neighbours. So a key is found at either bound or at a
// middle probe, a key outside the first and last keys costs exactly two reads, and a key between
// two neighbours is rejected when the bounds close on them. Comparisons are signed 16-bit.
KeySearchResult searchByKey(RecordFile& file, std::int16_t key, SearchProbes& probes);

// A record file sorted by the character key of each record's first character, opened once and
// held for the run; reads are served from the copy checked at open. `Record` gives the layout:
//   static constexpr int Size;                 the record length in bytes
//   static constexpr const char* Description;  what the file is, in error messages (UTF-8)
//   static QString fileProblem(int n, QByteArrayView bytes, std::optional<std::int16_t> keyBefore);
//       what is wrong with record n, given the key of the record before it (empty: nothing)
//   static <value> decode(QByteArrayView bytes);  a record as the program reads it
template <typename Record>
class KeyedRecordFile {
public:
    using Value = decltype(Record::decode(QByteArrayView()));
    static constexpr int MaxRecords = RecordFile::MaxRecords;

    KeyedRecordFile() = default;
    KeyedRecordFile(const KeyedRecordFile&) = delete;
    KeyedRecordFile& operator=(const KeyedRecordFile&) = delete;
    KeyedRecordFile(KeyedRecordFile&&) noexcept = default;
    KeyedRecordFile& operator=(KeyedRecordFile&&) noexcept = default;

    // Opens and checks the whole file: present, not empty, a whole number of records, at most
    // MaxRecords, every record sound and in key order. On failure returns false, keeps the file
    // closed and sets errorString() to one message naming the file, the problem and how to
    // rebuild it.
    bool open(const QString& path) {
        std::optional<std::int16_t> keyBefore;
        return file_.open(path, Record::Size, QString::fromUtf8(Record::Description),
                          [&keyBefore](int n, QByteArrayView bytes) {
                              QString problem = Record::fileProblem(n, bytes, keyBefore);
                              keyBefore = gbk::keyOfBytes(bytes);
                              return problem;
                          });
    }
    void close() { file_.close(); }
    bool isOpen() const { return file_.isOpen(); }
    QString errorString() const { return file_.errorString(); }
    QString path() const { return file_.path(); }
    int recordCount() const { return file_.recordCount(); }  // 0 when closed

    // Record n (1-based); nullopt out of range or when the read fails.
    std::optional<Value> read(int n) {
        const auto bytes = file_.readRaw(n);
        if (!bytes) return std::nullopt;
        return Record::decode(*bytes);
    }
    // The key of record n without converting it to text (a read, counted like read()).
    std::optional<std::int16_t> readKey(int n, QByteArray* bytes = nullptr) { return platform::readKey(file_, n, bytes); }
    KeySearchResult search(std::int16_t key, SearchProbes& probes) { return searchByKey(file_, key, probes); }

    // Record reads since open() or the last reset (the check at open is not counted).
    std::uint64_t readCount() const { return file_.readCount(); }
    void resetReadCount() { file_.resetReadCount(); }

    static QString rebuildHint() { return RecordFile::rebuildHint(); }

private:
    RecordFile file_;
};

}  // namespace tessivo::platform
