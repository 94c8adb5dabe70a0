#include "charcode_record.h"

#include "platform/gbk_codec.h"

#include <algorithm>

namespace tessivo {
namespace {

bool putField(QByteArray& out, int offset, int width, const QString& text, const char* name, QString* error) {
    const auto bytes = gbk::encode(text);
    if (!bytes) {
        if (error) *error = QStringLiteral("field %1 \"%2\" does not encode in GBK").arg(QLatin1String(name), text);
        return false;
    }
    QByteArray trimmed = *bytes;
    while (trimmed.size() > width && trimmed.endsWith(' ')) trimmed.chop(1);
    if (trimmed.size() > width) {
        if (error) *error = QStringLiteral("field %1 \"%2\" is longer than %3 bytes").arg(QLatin1String(name), text).arg(width);
        return false;
    }
    out.replace(offset, trimmed.size(), trimmed);
    return true;
}

QString field(QByteArrayView bytes, int offset, int width) {
    QString text = gbk::decodeLenient(bytes.sliced(offset, width));
    // A field holds `width` bytes; as text it is padded to `width` characters.
    if (text.size() < width) text.append(QString(width - text.size(), u' '));
    return text;
}

}  // namespace

std::optional<QByteArray> CharCodeRecord::encode(const CharCodeRecord& record, QString* error) {
    QByteArray out(Size, ' ');
    if (!putField(out, CharacterOffset, CharacterWidth, record.character, "character", error)) return std::nullopt;
    if (!putField(out, Code1Offset, CodeWidth, record.code1, "code1", error)) return std::nullopt;
    if (!putField(out, Code2Offset, CodeWidth, record.code2, "code2", error)) return std::nullopt;
    if (!putField(out, Code3Offset, CodeWidth, record.code3, "code3", error)) return std::nullopt;
    static constexpr const char* names[] = {"fill1", "fill2", "fill3", "fill4"};
    for (int k = 0; k < 4; ++k) {
        if (!putField(out, FillOffset + k * FillWidth, FillWidth, record.fill[k], names[k], error)) return std::nullopt;
    }
    return out;
}

CharCodeRecord CharCodeRecord::decode(QByteArrayView bytes) {
    QByteArray full(bytes.data(), std::min<qsizetype>(bytes.size(), Size));
    if (full.size() < Size) full.append(QByteArray(Size - full.size(), ' '));
    CharCodeRecord r;
    r.character = field(full, CharacterOffset, CharacterWidth);
    r.code1 = field(full, Code1Offset, CodeWidth);
    r.code2 = field(full, Code2Offset, CodeWidth);
    r.code3 = field(full, Code3Offset, CodeWidth);
    for (int k = 0; k < 4; ++k) r.fill[k] = field(full, FillOffset + k * FillWidth, FillWidth);
    return r;
}

QString CharCodeRecord::characterText(QByteArrayView bytes) {
    return gbk::decodeLenient(bytes.first(std::min<qsizetype>(bytes.size(), CharacterWidth))).leftJustified(CharacterWidth);
}

QString CharCodeRecord::fileProblem(int n, QByteArrayView bytes, std::optional<std::int16_t> keyBefore) {
    const QByteArrayView character = bytes.first(CharacterWidth);
    if (!gbk::isValid(character)) return QStringLiteral("已损坏：第 %1 条记录的汉字不是有效的 GBK 文本").arg(n);
    if (!gbk::isValid(bytes.sliced(CharacterWidth)))
        return QStringLiteral("已损坏：第 %1 条记录的编码或填充点不是有效的 GBK 文本").arg(n);
    if (keyBefore && gbk::keyOfBytes(character) <= *keyBefore)
        return QStringLiteral("已损坏：第 %1 条记录没有按汉字顺序排列").arg(n);
    return {};
}

}  // namespace tessivo
