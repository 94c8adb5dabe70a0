#include "lookup/charcode_file.h"

#include "platform/gbk_codec.h"

namespace tessivo {

bool CharCodeFile::open(const QString& path) {
    std::int16_t previous = 0;
    return file_.open(path, CharCodeRecord::Size, QStringLiteral("character-code file"), [&](int n, QByteArrayView record) {
        if (!gbk::decode(record.first(2)))
            return QStringLiteral("is damaged: the character of record %1 is not valid GBK text").arg(n);
        if (!gbk::decode(record.sliced(2)))
            return QStringLiteral("is damaged: the codes or fill points of record %1 are not valid GBK text").arg(n);
        const std::int16_t key = gbk::keyOfBytes(record.first(2));
        if (n > 1 && key <= previous) return QStringLiteral("is damaged: record %1 is not in ascending character order").arg(n);
        previous = key;
        return QString();
    });
}

void CharCodeFile::close() { file_.close(); }

std::optional<CharCodeRecord> CharCodeFile::read(int n) {
    const auto bytes = file_.readRaw(n);
    if (!bytes) return std::nullopt;
    return CharCodeRecord::decode(*bytes);
}

QString CharCodeFile::characterText(QByteArrayView characterBytes) {
    QString text = gbk::decodeLenient(characterBytes);
    if (text.size() < 2) text.append(QString(2 - text.size(), u' '));
    return text;
}

std::optional<std::int16_t> CharCodeFile::readKey(int n, QByteArray* characterBytes) {
    const auto bytes = file_.readRaw(n);
    if (!bytes) return std::nullopt;
    const QByteArrayView field = QByteArrayView(*bytes).first(2);
    if (characterBytes) *characterBytes = field.toByteArray();
    return gbk::keyOfBytes(field);
}

}  // namespace tessivo
