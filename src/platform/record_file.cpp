#include "record_file.h"

#include <QFileInfo>

namespace tessivo::platform {

QString RecordFile::rebuildHint() {
    return QStringLiteral("请重新安装 Tessivo；维护者可运行 scripts/setup.sh run"
                          "（或 cmake --build build --target tessivo_data）重新生成数据文件。");
}

bool RecordFile::fail(const QString& description, const QString& problem) {
    if (file_.isOpen()) file_.close();
    count_ = 0;
    error_ = QStringLiteral("%1 %2 %3。\n%4").arg(description, file_.fileName(), problem, rebuildHint());
    return false;
}

bool RecordFile::open(const QString& path, int recordSize, const QString& description, const RecordCheck& check) {
    close();
    error_.clear();
    reads_ = 0;
    recordSize_ = recordSize;
    file_.setFileName(path);
    const QFileInfo info(path);
    if (!info.exists()) return fail(description, QStringLiteral("不存在"));
    if (!info.isFile()) return fail(description, QStringLiteral("不是普通文件"));
    // Unbuffered: every read is one record, and a buffer would only copy it twice.
    if (!file_.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return fail(description, QStringLiteral("无法读取（%1）").arg(file_.errorString()));
    const qint64 length = file_.size();
    if (length == 0) return fail(description, QStringLiteral("是空文件"));
    if (length % recordSize != 0)
        return fail(description, QStringLiteral("已损坏：长度 %1 字节不是 %2 字节记录的整数倍")
                                     .arg(length)
                                     .arg(recordSize));
    if (length / recordSize > MaxRecords)
        return fail(description,
                    QStringLiteral("有 %1 条记录，超过上限 %2 条").arg(length / recordSize).arg(MaxRecords));
    const QByteArray all = file_.readAll();
    if (all.size() != length) return fail(description, QStringLiteral("未能完整读取"));
    const int count = static_cast<int>(length / recordSize);
    for (int n = 1; n <= count; ++n) {
        const QString problem = check(n, QByteArrayView(all).sliced(qsizetype(n - 1) * recordSize, recordSize));
        if (!problem.isEmpty()) return fail(description, problem);
    }
    count_ = count;
    return true;
}

void RecordFile::close() {
    if (file_.isOpen()) file_.close();
    count_ = 0;
}

std::optional<QByteArray> RecordFile::readRaw(int n) {
    if (!file_.isOpen() || n < 1 || n > count_) return std::nullopt;
    ++reads_;
    if (!file_.seek(qint64(n - 1) * recordSize_)) return std::nullopt;
    QByteArray bytes = file_.read(recordSize_);
    if (bytes.size() != recordSize_) return std::nullopt;
    return bytes;
}

}  // namespace tessivo::platform
