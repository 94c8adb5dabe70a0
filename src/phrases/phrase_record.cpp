#include "phrase_record.h"

#include "platform/gbk_codec.h"

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

}  // namespace tessivo
