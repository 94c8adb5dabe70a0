#include "record_file.h"

#include "platform/gbk_codec.h"

#include <QFileInfo>

#include <algorithm>
#include <cstring>

namespace tessivo::platform {

namespace {

// Runs of four or more spaces become the marker and the run's length; the marker itself
// becomes the marker and 0.
constexpr char Marker = '\0';
constexpr int ShortestRun = 4;
// Records shorter than this are kept as they are: the start of each would cost more than the
// spaces save.
constexpr int ShortestPackedRecord = 64;

void appendPacked(QByteArray& out, QByteArrayView record) {
    for (qsizetype i = 0; i < record.size();) {
        qsizetype run = 0;
        while (i + run < record.size() && record[i + run] == ' ' && run < 255) ++run;
        if (run >= ShortestRun) {
            out.append(Marker).append(static_cast<char>(run));
            i += run;
        } else if (record[i] == Marker) {
            out.append(Marker).append('\0');
            ++i;
        } else {
            out.append(record[i++]);
        }
    }
}

// The record back: literal stretches are copied whole into a record of spaces. Packed records
// are the program's own, made at open, so each unpacks to exactly `size` bytes.
QByteArray unpacked(QByteArrayView packed, int size) {
    QByteArray out(size, ' ');
    char* to = out.data();
    char* const end = to + size;
    const char* from = packed.data();
    const char* const last = from + packed.size();
    while (from < last) {
        const auto* marker = static_cast<const char*>(std::memchr(from, Marker, std::size_t(last - from)));
        const char* stop = marker ? marker : last;
        const auto literal = std::min<std::ptrdiff_t>(stop - from, end - to);
        std::memcpy(to, from, std::size_t(literal));
        to += literal;
        if (!marker || marker + 1 >= last) break;
        const auto run = static_cast<unsigned char>(marker[1]);
        if (run == 0 && to < end) *to++ = Marker;
        to += std::min<std::ptrdiff_t>(run, end - to);
        from = marker + 2;
    }
    return out;
}

}  // namespace

QString RecordFile::rebuildHint() {
    return QStringLiteral("请重新安装 Tessivo；维护者可运行 scripts/setup.sh run"
                          "（或 cmake --build build --target tessivo_data）重新生成数据文件。");
}

bool RecordFile::fail(const QString& description, const QString& problem) {
    close();
    error_ = QStringLiteral("%1 %2 %3。\n%4").arg(description, path_, problem, rebuildHint());
    return false;
}

bool RecordFile::open(const QString& path, int recordSize, const QString& description, const RecordCheck& check) {
    close();
    error_.clear();
    reads_ = 0;
    recordSize_ = recordSize;
    path_ = path;
    const QFileInfo info(path);
    if (!info.exists()) return fail(description, QStringLiteral("不存在"));
    if (!info.isFile()) return fail(description, QStringLiteral("不是普通文件"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(description, QStringLiteral("无法读取（%1）").arg(file.errorString()));
    const qint64 length = file.size();
    if (length == 0) return fail(description, QStringLiteral("是空文件"));
    if (length % recordSize != 0)
        return fail(description, QStringLiteral("已损坏：长度 %1 字节不是 %2 字节记录的整数倍")
                                     .arg(length)
                                     .arg(recordSize));
    if (length / recordSize > MaxRecords)
        return fail(description,
                    QStringLiteral("有 %1 条记录，超过上限 %2 条").arg(length / recordSize).arg(MaxRecords));
    QByteArray all = file.readAll();
    if (all.size() != length) return fail(description, QStringLiteral("未能完整读取"));
    const int count = static_cast<int>(length / recordSize);
    gbk::judgeAhead(all);
    for (int n = 1; n <= count; ++n) {
        const QString problem = check(n, QByteArrayView(all).sliced(qsizetype(n - 1) * recordSize, recordSize));
        if (!problem.isEmpty()) return fail(description, problem);
    }
    if (recordSize >= ShortestPackedRecord) {
        QByteArray packed;
        starts_.reserve(std::size_t(count) + 1);
        for (int n = 0; n < count; ++n) {
            starts_.push_back(std::uint32_t(packed.size()));
            appendPacked(packed, QByteArrayView(all).sliced(qsizetype(n) * recordSize, recordSize));
        }
        starts_.push_back(std::uint32_t(packed.size()));
        packed.squeeze();
        records_ = std::move(packed);
        packed_ = true;
    } else {
        records_ = std::move(all);
    }
    count_ = count;
    open_ = true;
    return true;
}

void RecordFile::close() {
    open_ = false;
    records_.clear();
    starts_.clear();
    packed_ = false;
    count_ = 0;
}

std::optional<QByteArray> RecordFile::readRaw(int n) {
    if (!open_ || n < 1 || n > count_) return std::nullopt;
    ++reads_;
    if (packed_) {
        const std::uint32_t start = starts_[std::size_t(n - 1)];
        return unpacked(QByteArrayView(records_).sliced(start, starts_[std::size_t(n)] - start), recordSize_);
    }
    return records_.mid(qsizetype(n - 1) * recordSize_, recordSize_);
}

}  // namespace tessivo::platform
