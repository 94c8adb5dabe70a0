#include "decomp/decomposition_table.h"

#include "common/common.h"

#include <QStringList>

namespace tessivo::datagen {

std::optional<PanelAssignment> parsePanelColumn(const QString& text, QString* error) {
    PanelAssignment panel;
    if (text == QLatin1String("-")) return panel;
    if (text.startsWith(QLatin1String("key:"))) {
        const QString key = text.mid(4);
        if (key.size() != 1 || key[0] < QLatin1Char('a') || key[0] > QLatin1Char('z')) {
            if (error) *error = QStringLiteral("bad identification key '%1'").arg(text);
            return std::nullopt;
        }
        panel.kind = PanelAssignment::Kind::IdentKey;
        panel.key = key[0];
        return panel;
    }
    // The glyph may itself be a name of several characters; the indices follow the last colon.
    const qsizetype colon = text.lastIndexOf(QLatin1Char(':'));
    if (colon <= 0 || colon == text.size() - 1) {
        if (error) *error = QStringLiteral("bad panel '%1'").arg(text);
        return std::nullopt;
    }
    panel.kind = PanelAssignment::Kind::Strokes;
    panel.glyph = text.left(colon);
    int previous = -1;
    for (const QString& index : text.mid(colon + 1).split(QLatin1Char(','))) {
        bool ok = false;
        const int i = index.toInt(&ok);
        if (!ok || i < 0 || i <= previous) {
            if (error) *error = QStringLiteral("bad stroke list in '%1' (ascending 0-based indices expected)").arg(text);
            return std::nullopt;
        }
        panel.strokes.push_back(i);
        previous = i;
    }
    return panel;
}

std::optional<DecompositionRow> parseDecompositionLine(const QString& line, QString* error) {
    const QStringList columns = line.split(QLatin1Char('\t'));
    if (columns.size() != 7) {
        if (error) *error = QStringLiteral("%1 columns instead of 7").arg(columns.size());
        return std::nullopt;
    }
    DecompositionRow row;
    row.character = columns[0];
    row.fullCode = columns[1];
    if (row.character.isEmpty() || row.fullCode.isEmpty()) {
        if (error) *error = QStringLiteral("empty character or code");
        return std::nullopt;
    }
    for (QChar c : row.fullCode) {
        if (c < QLatin1Char('a') || c > QLatin1Char('y')) {
            if (error) *error = QStringLiteral("bad code '%1'").arg(row.fullCode);
            return std::nullopt;
        }
    }
    for (std::size_t p = 0; p < 4; ++p) {
        auto panel = parsePanelColumn(columns[static_cast<qsizetype>(p) + 2], error);
        if (!panel) return std::nullopt;
        row.panels[p] = *panel;
    }
    const QString& word = columns[6];
    if (word == QLatin1String("high")) row.confidence = Confidence::High;
    else if (word == QLatin1String("medium")) row.confidence = Confidence::Medium;
    else if (word == QLatin1String("low")) row.confidence = Confidence::Low;
    else {
        if (error) *error = QStringLiteral("bad confidence '%1'").arg(word);
        return std::nullopt;
    }
    return row;
}

std::vector<DecompositionRow> parseDecompositionTable(const QString& text) {
    std::vector<DecompositionRow> rows;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].isEmpty() && i == lines.size() - 1) break;  // the final line end
        QString error;
        auto row = parseDecompositionLine(lines[i], &error);
        if (!row) throw GenError(QStringLiteral("decomposition table line %1: %2").arg(i + 1).arg(error));
        rows.push_back(std::move(*row));
    }
    return rows;
}

}  // namespace tessivo::datagen
