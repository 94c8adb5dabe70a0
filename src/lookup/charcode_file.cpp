#include "lookup/charcode_file.h"

#include "platform/gbk_codec.h"

#include <QFileInfo>

namespace tessivo {

QString CharCodeFile::rebuildHint() {
    return QStringLiteral("Rebuild the data files with: cmake --build build --target tessivo_data");
}

bool CharCodeFile::fail(const QString& problem) {
    if (file_.isOpen()) file_.close();
    count_ = 0;
    error_ = QStringLiteral("The character-code file %1 %2. %3").arg(file_.fileName(), problem, rebuildHint());
    return false;
}

bool CharCodeFile::open(const QString& path) {
    close();
    error_.clear();
    reads_ = 0;
    file_.setFileName(path);
    if (!QFileInfo::exists(path)) return fail(QStringLiteral("is missing"));
    if (!file_.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) return fail(QStringLiteral("cannot be read (%1)").arg(file_.errorString()));
    const qint64 length = file_.size();
    if (length == 0) return fail(QStringLiteral("is empty"));
    if (length % CharCodeRecord::Size != 0)
        return fail(QStringLiteral("is damaged: its length (%1 bytes) is not a whole number of %2-byte records")
                        .arg(length)
                        .arg(CharCodeRecord::Size));
    if (length / CharCodeRecord::Size > MaxRecords)
        return fail(QStringLiteral("holds %1 records, more than the %2 allowed").arg(length / CharCodeRecord::Size).arg(MaxRecords));
    const QByteArray all = file_.readAll();
    if (all.size() != length) return fail(QStringLiteral("could not be read completely"));
    const int count = static_cast<int>(length / CharCodeRecord::Size);
    std::int16_t previous = 0;
    for (int n = 1; n <= count; ++n) {
        const QByteArrayView record = QByteArrayView(all).sliced(qsizetype(n - 1) * CharCodeRecord::Size, CharCodeRecord::Size);
        if (!gbk::decode(record.first(2)))
            return fail(QStringLiteral("is damaged: the character of record %1 is not valid GBK text").arg(n));
        if (!gbk::decode(record.sliced(2)))
            return fail(QStringLiteral("is damaged: the codes or fill points of record %1 are not valid GBK text").arg(n));
        const std::int16_t key = gbk::keyOfBytes(record.first(2));
        if (n > 1 && key <= previous)
            return fail(QStringLiteral("is damaged: record %1 is not in ascending character order").arg(n));
        previous = key;
    }
    count_ = count;
    return true;
}

void CharCodeFile::close() {
    if (file_.isOpen()) file_.close();
    count_ = 0;
}

std::optional<QByteArray> CharCodeFile::readRaw(int n) {
    if (!file_.isOpen() || n < 1 || n > count_) return std::nullopt;
    ++reads_;
    if (!file_.seek(qint64(n - 1) * CharCodeRecord::Size)) return std::nullopt;
    QByteArray bytes = file_.read(CharCodeRecord::Size);
    if (bytes.size() != CharCodeRecord::Size) return std::nullopt;
    return bytes;
}

std::optional<CharCodeRecord> CharCodeFile::read(int n) {
    const auto bytes = readRaw(n);
    if (!bytes) return std::nullopt;
    return CharCodeRecord::decode(*bytes);
}

QString CharCodeFile::characterText(QByteArrayView characterBytes) {
    QString text = gbk::decodeLenient(characterBytes);
    if (text.size() < 2) text.append(QString(2 - text.size(), u' '));
    return text;
}

std::optional<std::int16_t> CharCodeFile::readKey(int n, QByteArray* characterBytes) {
    const auto bytes = readRaw(n);
    if (!bytes) return std::nullopt;
    const QByteArrayView field = QByteArrayView(*bytes).first(2);
    if (characterBytes) *characterBytes = field.toByteArray();
    return gbk::keyOfBytes(field);
}

}  // namespace tessivo
