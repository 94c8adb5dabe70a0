#include "strokes/stroke_lookup.h"
#include "strokes/stroke_glyphs.h"

#include "pinyin/pinyin_lookup.h"
#include "tables/table_format.h"

namespace tessivo::strokes {

using tables::ReferenceTables;
using tables::TableSearch;

const QStringList& strokeGlyphs() {
    static const QStringList glyphs = [] {
        QStringList list;
        for (char16_t g : kStrokeGlyphs) list << QString(QChar(g));
        return list;
    }();
    return glyphs;
}

QStringList strokeChooserItems(int chooser) {
    if (chooser < 1 || chooser > 5) return {};
    QStringList items = strokeGlyphs();
    if (chooser > 1) items << QStringLiteral(" ");
    return items;
}

QChar strokeDigit(const QString& chooserText) {
    const auto i = strokeGlyphs().indexOf(chooserText);
    return i < 0 ? QChar(u'0') : QChar(char16_t(u'1' + i));
}

QString strokeCodeOf(const std::array<QString, 5>& chooserTexts) {
    QString code;
    for (const QString& text : chooserTexts) code.append(strokeDigit(text));
    return code;
}

std::optional<QString> charactersOfStrokeCode(TableSearch& search, const ReferenceTables& tables,
                                              const QString& request) {
    if (request.isEmpty()) return std::nullopt;
    const int block = tables::strokeBlockOfDigit(request.front());
    if (block == 0) return std::nullopt;
    return search.collect(tables.strokeBlock(block), request);
}

QString readingLabelForList(TableSearch& search, const ReferenceTables& tables, const QString& list) {
    return pinyin::readingOfCharacter(search, tables, list.left(1));
}

std::optional<QString> listForStrokeCode(const ReferenceTables& tables, const QString& code) {
    if (code.size() != tables::kStrokeCodeWidth) return std::nullopt;
    for (QChar c : code)
        if (c < u'0' || c > u'5') return std::nullopt;
    TableSearch search;
    return charactersOfStrokeCode(search, tables, code);
}

}  // namespace tessivo::strokes
