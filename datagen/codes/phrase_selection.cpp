#include "codes/phrase_selection.h"

#include "common/common.h"
#include "platform/gbk_codec.h"

#include <algorithm>
#include <map>

namespace tessivo::datagen {

namespace {

bool isTwoCharacterWord(const QString& text) {
    return text.size() == 2 && !text[0].isSurrogate() && !text[1].isSurrogate();
}

}  // namespace

QSet<QString> parseJiebaWords(const QString& text) {
    QSet<QString> words;
    for (QStringView line : QStringView(text).split(u'\n')) {
        const qsizetype blank = line.indexOf(u' ');
        const QStringView word = blank < 0 ? line.trimmed() : line.first(blank);
        if (word.size() == 2) {
            const QString w = word.toString();
            if (isTwoCharacterWord(w)) words.insert(w);
        }
    }
    return words;
}

QSet<QString> loadJiebaWords(const QString& path) {
    QSet<QString> words = parseJiebaWords(readUtf8File(path, QStringLiteral("python3-jieba")));
    if (words.isEmpty()) throw GenError(QStringLiteral("%1 holds no two-character words (package python3-jieba)").arg(path));
    return words;
}

QSet<QString> parseRimeWords(const QString& text, const QString& origin) {
    QSet<QString> words;
    bool inBody = false;
    for (QStringView line : QStringView(text).split(u'\n')) {
        if (line.endsWith(u'\r')) line.chop(1);
        if (!inBody) {
            inBody = line == u"...";
            continue;
        }
        if (line.startsWith(u'#')) continue;
        const qsizetype tab = line.indexOf(u'\t');
        const QString word = (tab < 0 ? line : line.first(tab)).toString();
        if (isTwoCharacterWord(word)) words.insert(word);
    }
    if (!inBody) throw GenError(QStringLiteral("%1: no end of header (\"...\") found").arg(origin));
    return words;
}

QSet<QString> loadPinyinSimpWords(const QString& path) {
    const QString package = QStringLiteral("rime-data-pinyin-simp");
    QSet<QString> words = parseRimeWords(readUtf8File(path, package), path);
    if (words.isEmpty()) throw GenError(QStringLiteral("%1 holds no two-character words (package %2)").arg(path, package));
    return words;
}

PhraseSelection selectPhrases(const std::vector<WubiEntry>& wubi, const QSet<QString>& confirmations,
                              const QSet<QString>& characters, int maxRecords) {
    // Highest weight of each qualifying word; std::map keeps the later steps in a fixed order.
    std::map<QString, double> weights;
    for (const WubiEntry& entry : wubi) {
        if (!isTwoCharacterWord(entry.text)) continue;
        if (!characters.contains(entry.text.first(1)) || !characters.contains(entry.text.sliced(1))) continue;
        if (!confirmations.contains(entry.text)) continue;
        auto [it, inserted] = weights.try_emplace(entry.text, entry.weight);
        if (!inserted) it->second = std::max(it->second, entry.weight);
    }
    if (weights.empty()) throw GenError(QStringLiteral("no two-character word of the Wubi table is confirmed by the word lists"));

    struct Ranked {
        QString word;
        double weight;
    };
    std::map<std::int16_t, std::vector<Ranked>> byFirst;  // key of the first character
    for (const auto& [word, weight] : weights) {
        const auto key = gbk::charKey(word);
        if (!key) throw GenError(QStringLiteral("the word %1 does not encode in GBK").arg(word));
        byFirst[*key].push_back({word, weight});
    }
    std::size_t longest = 0;
    for (auto& [key, list] : byFirst) {
        std::sort(list.begin(), list.end(), [](const Ranked& a, const Ranked& b) {
            if (a.weight != b.weight) return a.weight > b.weight;
            return a.word < b.word;
        });
        longest = std::max(longest, list.size());
    }

    auto totalFor = [&](std::size_t cap) {
        std::size_t total = 0;
        for (const auto& [key, list] : byFirst) total += std::min(cap, list.size());
        return total;
    };
    std::size_t cap = 0;
    while (cap < longest && totalFor(cap + 1) <= static_cast<std::size_t>(maxRecords)) ++cap;
    if (cap == 0) throw GenError(QStringLiteral("not even one word per first character fits in %1 records").arg(maxRecords));

    PhraseSelection selection;
    selection.cap = static_cast<int>(cap);
    selection.candidates = static_cast<int>(weights.size());
    for (const auto& [key, list] : byFirst) {
        const std::size_t n = std::min(cap, list.size());
        for (std::size_t i = 0; i < n; ++i) selection.words.push_back(list[i].word);
        ++selection.firstCharacters;
    }
    return selection;
}

}  // namespace tessivo::datagen
