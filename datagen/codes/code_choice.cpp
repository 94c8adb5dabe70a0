#include "codes/code_choice.h"

#include "lookup/code_rules.h"

#include "common/common.h"
#include "common/wubi_dict.h"

#include <QStringView>

#include <algorithm>
#include <optional>
#include <tuple>

namespace tessivo::datagen {

bool isSingleStrokeCode(const QString& fullCode) {
    static const QString strokeKeys = QStringLiteral("ghtyn");
    return fullCode.size() == 4 && strokeKeys.contains(fullCode[0]) && fullCode[1] == fullCode[0] &&
           fullCode.endsWith(u"ll");
}

int panelsInUse(const QString& fullCode) {
    return (fullCode.size() == 3 || isSingleStrokeCode(fullCode)) ? 3 : 4;
}

int panelsKeptByCode3(const QString& code3) {
    switch (code3.size()) {
    case 2: return 2;
    case 3: return 3;
    default: return 4;
    }
}

namespace {

bool keyLettersOnly(const QString& code) {
    return !code.isEmpty() &&
           std::all_of(code.begin(), code.end(), [](QChar c) { return c >= u'a' && c <= u'y'; });
}

// Ranks a code line: more codes first, then shorter codes first, then alphabetical.
auto lineRank(const QString& line) {
    const QStringList parts = line.split(u' ', Qt::SkipEmptyParts);
    std::vector<qsizetype> lengths;
    for (const QString& part : parts) lengths.push_back(part.size());
    return std::make_tuple(-static_cast<qsizetype>(parts.size()), lengths, line);
}

}  // namespace

CodeChoice chooseCodes(const QString& character, const QStringList& codes) {
    if (codes.isEmpty()) throw GenError(QStringLiteral("%1 has no Wubi code").arg(character));
    for (const QString& code : codes) {
        if (!keyLettersOnly(code) || code.size() > 4) {
            throw GenError(QStringLiteral("%1 has the code \"%2\", which is not 1 to 4 key letters").arg(character, code));
        }
    }
    const QString full = fullCode(codes);
    if (full.size() < 3) {
        throw GenError(QStringLiteral("%1: the full code \"%2\" is shorter than three letters").arg(character, full));
    }
    if (std::any_of(codes.begin(), codes.end(), [&](const QString& c) { return c.size() == full.size() && c != full; })) {
        throw GenError(QStringLiteral("%1 has two longest codes; the full code is ambiguous").arg(character));
    }
    const int panels = panelsInUse(full);

    // code2 may also stay blank; code3 never does.
    QStringList candidates{QString()};
    for (const QString& code : codes) {
        if (!candidates.contains(code)) candidates.push_back(code);
    }
    std::optional<CodeChoice> best;
    for (const QString& code3 : candidates) {
        if (code3.isEmpty() || panelsKeptByCode3(code3) != panels) continue;
        for (const QString& code2 : candidates) {
            // The program's own rule; it clears the line when no rule matches (a matching rule
            // never yields an empty line, since the full code is never empty).
            const QString line = tessivo::codeLine(full, code2, code3);
            if (line.isEmpty()) continue;
            if (!best || lineRank(line) < lineRank(best->line)) best = CodeChoice{full, code2, code3, line};
        }
    }
    if (!best) {
        throw GenError(QStringLiteral("%1 (codes %2): no code2/code3 keeps its %3 panels and matches a code-line rule")
                           .arg(character, codes.join(u','))
                           .arg(panels));
    }
    return *best;
}

}  // namespace tessivo::datagen
