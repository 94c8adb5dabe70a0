#include "phrases/phrase_file.h"

#include "phrases/phrase_record.h"
#include "platform/gbk_codec.h"

namespace tessivo {

bool PhraseFile::open(const QString& path) {
    std::int16_t previous = 0;
    return file_.open(path, PhraseRecord::Size, QStringLiteral("phrase file"), [&](int n, QByteArrayView record) {
        if (!gbk::decode(record)) return QStringLiteral("is damaged: record %1 is not valid GBK text").arg(n);
        // Words that share their first character may stand in any order among themselves.
        const std::int16_t key = gbk::keyOfBytes(record);
        if (n > 1 && key < previous)
            return QStringLiteral("is damaged: record %1 is not in ascending order of first characters").arg(n);
        previous = key;
        return QString();
    });
}

void PhraseFile::close() { file_.close(); }

std::optional<QString> PhraseFile::read(int n) {
    const auto bytes = file_.readRaw(n);
    if (!bytes) return std::nullopt;
    return PhraseRecord::decode(*bytes);
}

std::optional<std::int16_t> PhraseFile::readKey(int n, QByteArray* bytes) {
    auto raw = file_.readRaw(n);
    if (!raw) return std::nullopt;
    const std::int16_t key = gbk::keyOfBytes(*raw);
    if (bytes) *bytes = std::move(*raw);
    return key;
}

}  // namespace tessivo
