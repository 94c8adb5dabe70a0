#include "phrase_record.h"

#include "platform/gbk_codec.h"

#include <algorithm>

namespace tessivo {

std::optional<QByteArray> PhraseRecord::encode(const QString& word, QString* error) {
    const auto bytes = gbk::encode(word);
    if (!bytes || bytes->size() != Size || static_cast<unsigned char>((*bytes)[0]) < 0x81 ||
        static_cast<unsigned char>((*bytes)[2]) < 0x81) {
        if (error) *error = QStringLiteral("word \"%1\" is not two double-byte GBK characters").arg(word);
        return std::nullopt;
    }
    return bytes;
}

QString PhraseRecord::decode(QByteArrayView bytes) {
    return gbk::decodeLenient(bytes.first(std::min<qsizetype>(bytes.size(), Size)));
}

QString PhraseRecord::fileProblem(int n, QByteArrayView bytes, std::optional<std::int16_t> keyBefore) {
    if (!gbk::isValid(bytes)) return QStringLiteral("已损坏：第 %1 条记录不是有效的 GBK 文本").arg(n);
    // Words that share their first character may stand in any order among themselves.
    if (keyBefore && gbk::keyOfBytes(bytes) < *keyBefore)
        return QStringLiteral("已损坏：第 %1 条记录没有按首字顺序排列").arg(n);
    return {};
}

}  // namespace tessivo
