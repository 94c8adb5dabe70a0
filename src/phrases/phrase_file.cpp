#include "phrases/phrase_file.h"

#include "phrases/phrase_record.h"
#include "platform/gbk_codec.h"

#include <QFileInfo>

namespace tessivo {

QString PhraseFile::rebuildHint() {
    return QStringLiteral("Rebuild the data files with: cmake --build build --target tessivo_data");
}

bool PhraseFile::fail(const QString& problem) {
    if (file_.isOpen()) file_.close();
    count_ = 0;
    error_ = QStringLiteral("The phrase file %1 %2. %3").arg(file_.fileName(), problem, rebuildHint());
    return false;
}

bool PhraseFile::open(const QString& path) {
    close();
    error_.clear();
    reads_ = 0;
    file_.setFileName(path);
    if (!QFileInfo::exists(path)) return fail(QStringLiteral("is missing"));
    if (!file_.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) return fail(QStringLiteral("cannot be read (%1)").arg(file_.errorString()));
    const qint64 length = file_.size();
    if (length == 0) return fail(QStringLiteral("is empty"));
    if (length % PhraseRecord::Size != 0)
        return fail(QStringLiteral("is damaged: its length (%1 bytes) is not a whole number of %2-byte records")
                        .arg(length)
                        .arg(PhraseRecord::Size));
    if (length / PhraseRecord::Size > MaxRecords)
        return fail(QStringLiteral("holds %1 records, more than the %2 allowed").arg(length / PhraseRecord::Size).arg(MaxRecords));
    const QByteArray all = file_.readAll();
    if (all.size() != length) return fail(QStringLiteral("could not be read completely"));
    const int count = static_cast<int>(length / PhraseRecord::Size);
    std::int16_t previous = 0;
    for (int n = 1; n <= count; ++n) {
        const QByteArrayView record = QByteArrayView(all).sliced(qsizetype(n - 1) * PhraseRecord::Size, PhraseRecord::Size);
        if (!gbk::decode(record)) return fail(QStringLiteral("is damaged: record %1 is not valid GBK text").arg(n));
        // Words that share their first character may stand in any order among themselves.
        const std::int16_t key = gbk::keyOfBytes(record);
        if (n > 1 && key < previous)
            return fail(QStringLiteral("is damaged: record %1 is not in ascending order of first characters").arg(n));
        previous = key;
    }
    count_ = count;
    return true;
}

void PhraseFile::close() {
    if (file_.isOpen()) file_.close();
    count_ = 0;
}

std::optional<QByteArray> PhraseFile::readRaw(int n) {
    if (!file_.isOpen() || n < 1 || n > count_) return std::nullopt;
    ++reads_;
    if (!file_.seek(qint64(n - 1) * PhraseRecord::Size)) return std::nullopt;
    QByteArray bytes = file_.read(PhraseRecord::Size);
    if (bytes.size() != PhraseRecord::Size) return std::nullopt;
    return bytes;
}

std::optional<QString> PhraseFile::read(int n) {
    const auto bytes = readRaw(n);
    if (!bytes) return std::nullopt;
    return PhraseRecord::decode(*bytes);
}

std::optional<std::int16_t> PhraseFile::readKey(int n, QByteArray* bytes) {
    auto raw = readRaw(n);
    if (!raw) return std::nullopt;
    const std::int16_t key = gbk::keyOfBytes(*raw);
    if (bytes) *bytes = std::move(*raw);
    return key;
}

}  // namespace tessivo
