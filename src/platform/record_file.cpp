#include "record_file.h"

#include "platform/gbk_codec.h"

#include <QFileInfo>

#include <utility>

namespace tessivo::platform {

QString RecordFile::rebuildHint() {
    return QStringLiteral("请重新安装 Tessivo；维护者可运行 scripts/setup.sh run"
                          "（或 cmake --build build --target tessivo_data）重新生成数据文件。");
}

RecordFile::RecordFile(RecordFile&& other) noexcept { *this = std::move(other); }

RecordFile& RecordFile::operator=(RecordFile&& other) noexcept {
    if (this == &other) return *this;
    path_ = std::move(other.path_);
    records_ = std::move(other.records_);
    open_ = std::exchange(other.open_, false);
    recordSize_ = other.recordSize_;
    count_ = std::exchange(other.count_, 0);
    reads_ = std::exchange(other.reads_, 0);
    error_ = std::move(other.error_);
    return *this;
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
    for (int n = 1; n <= count; ++n) {
        const QString problem = check(n, QByteArrayView(all).sliced(qsizetype(n - 1) * recordSize, recordSize));
        if (!problem.isEmpty()) return fail(description, problem);
    }
    records_ = std::move(all);
    count_ = count;
    open_ = true;
    return true;
}

void RecordFile::close() {
    open_ = false;
    records_.clear();
    count_ = 0;
}

std::optional<QByteArray> RecordFile::readRaw(int n) {
    if (!open_ || n < 1 || n > count_) return std::nullopt;
    ++reads_;
    return records_.mid(qsizetype(n - 1) * recordSize_, recordSize_);
}

}  // namespace tessivo::platform
