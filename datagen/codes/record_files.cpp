#include "codes/record_files.h"

#include "common/common.h"
#include "phrases/phrase_record.h"
#include "platform/gbk_codec.h"

#include <QSet>

#include <algorithm>

namespace tessivo::datagen {

namespace {

std::int16_t requireKey(const QString& text, const QString& what) {
    const auto key = gbk::charKey(text);
    if (!key) throw GenError(QStringLiteral("%1 \"%2\" has no GBK code").arg(what, text));
    if (*key >= 0) throw GenError(QStringLiteral("%1 \"%2\" is not a double-byte character").arg(what, text));
    return *key;
}

void checkCount(std::size_t count, const char* file) {
    if (count == 0) throw GenError(QStringLiteral("%1 would hold no records").arg(QLatin1String(file)));
    if (count > static_cast<std::size_t>(MaxRecords)) {
        throw GenError(QStringLiteral("%1 would hold %2 records, more than %3").arg(QLatin1String(file)).arg(count).arg(MaxRecords));
    }
}

}  // namespace

QByteArray buildCharCodeFile(std::vector<CharCodeRecord> records) {
    checkCount(records.size(), "wwbb11.dat");
    std::vector<std::pair<std::int16_t, const CharCodeRecord*>> order;
    order.reserve(records.size());
    for (const CharCodeRecord& record : records) {
        if (record.character.trimmed().size() != 1) {
            throw GenError(QStringLiteral("record character \"%1\" is not one character").arg(record.character));
        }
        order.emplace_back(requireKey(record.character, QStringLiteral("record character")), &record);
    }
    std::stable_sort(order.begin(), order.end(), [](const auto& a, const auto& b) { return a.first < b.first; });

    QByteArray out;
    out.reserve(static_cast<qsizetype>(records.size()) * CharCodeRecord::Size);
    for (std::size_t i = 0; i < order.size(); ++i) {
        const CharCodeRecord& record = *order[i].second;
        if (i > 0 && order[i].first == order[i - 1].first) {
            throw GenError(QStringLiteral("duplicate key %1: two records for \"%2\"").arg(order[i].first).arg(record.character));
        }
        QString error;
        const auto bytes = CharCodeRecord::encode(record, &error);
        if (!bytes) throw GenError(QStringLiteral("record of \"%1\": %2").arg(record.character, error));
        out.append(*bytes);
    }
    return out;
}

QByteArray buildPhraseFile(const std::vector<QString>& words) {
    checkCount(words.size(), "wwbb11cz.dat");
    QByteArray out;
    out.reserve(static_cast<qsizetype>(words.size()) * PhraseRecord::Size);
    QSet<QString> seen;
    std::int16_t previous = 0;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const QString& word = words[i];
        QString error;
        const auto bytes = PhraseRecord::encode(word, &error);
        if (!bytes) throw GenError(error);
        const std::int16_t key = requireKey(word, QStringLiteral("word"));
        if (i > 0 && key < previous) throw GenError(QStringLiteral("word \"%1\" is out of order (keys must ascend)").arg(word));
        if (seen.contains(word)) throw GenError(QStringLiteral("word \"%1\" is given twice").arg(word));
        seen.insert(word);
        previous = key;
        out.append(*bytes);
    }
    return out;
}

}  // namespace tessivo::datagen
