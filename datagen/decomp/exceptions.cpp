#include "decomp/exceptions.h"

#include "decomp/decomposition_table.h"

#include <QStringList>

#include <algorithm>

namespace tessivo::datagen {

namespace {

// Characters whose code follows an order no rule of the decomposer can derive from the order of
// writing. Panels as in decomposition.tsv (glyph:strokes, key:x, -), space-separated; the code
// guards the entry against a changed dictionary.
struct Exception {
    const char* character;
    const char* code;
    const char* panels;
    const char* reason;
};

const Exception kExceptions[] = {
    {"燕", "auko", "廿:0,1,2,3 丬:7,8,9 口:4,5,6 灬:12,13,14,15",
     "北's left half is coded before the 口 it flanks although it is written after it: the code reads the "
     "middle row left to right, against the order of writing that every rule follows"},
};

// A panel of an entry, whose strokes must all exist in the outline.
std::optional<PanelAssignment> parsePanel(const QString& text, int strokeCount) {
    auto panel = parsePanelColumn(text);
    if (!panel) return std::nullopt;
    for (int s : panel->strokes) {
        if (s >= strokeCount) return std::nullopt;
    }
    return panel;
}

}  // namespace

std::optional<Decomposition> exceptionalDecomposition(const CharacterInput& input, const chart::RadicalChart& chart) {
    for (const Exception& e : kExceptions) {
        if (input.character != QString::fromUtf8(e.character) || input.fullCode != QLatin1String(e.code)) continue;
        const int n = static_cast<int>(input.strokes.size());
        const QStringList texts = QString::fromUtf8(e.panels).split(QLatin1Char(' '));
        if (texts.size() != 4) return std::nullopt;
        Decomposition d;
        d.kind = QStringLiteral("general");
        std::vector<int> used(static_cast<std::size_t>(n), 0);
        for (std::size_t k = 0; k < 4; ++k) {
            auto panel = parsePanel(texts[static_cast<qsizetype>(k)], n);
            if (!panel) return std::nullopt;  // the outline changed: let the rules decide
            if (panel->kind == PanelAssignment::Kind::Strokes) {
                // Each listed radical must lie on its code letter.
                if (!chart.keysOf(panel->glyph).contains(input.fullCode[static_cast<qsizetype>(k)])) return std::nullopt;
                for (int s : panel->strokes) {
                    if (used[static_cast<std::size_t>(s)]++) return std::nullopt;
                }
                d.atoms.push_back(panel->strokes);
                d.radicals.push_back(*panel);
            }
            d.panels[k] = *panel;
        }
        std::vector<int> rest;
        for (int s = 0; s < n; ++s) {
            if (!used[static_cast<std::size_t>(s)]) rest.push_back(s);
        }
        if (!rest.empty()) d.atoms.push_back(rest);
        d.confidence = Confidence::High;
        d.matchesCode = d.shapeOk = true;
        return d;
    }
    return std::nullopt;
}

int exceptionCount() { return static_cast<int>(std::size(kExceptions)); }

}  // namespace tessivo::datagen
