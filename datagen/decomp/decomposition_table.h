#pragma once

// Reading decomposition.tsv back: one line per character,
//   char<TAB>full code<TAB>panel1<TAB>panel2<TAB>panel3<TAB>panel4<TAB>confidence
// where a panel is "glyph:i,j,k" (0-based stroke indices in writing order), "key:x" (an
// identification-key picture) or "-" (empty), and confidence is high, medium or low. The
// generator writes the lines with tableLine() (outputs.h); this is the reader that tests and
// tools use, and it refuses anything that does not follow the layout.

#include "decomp/decomposition.h"

#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace tessivo::datagen {

struct DecompositionRow {
    QString character;
    QString fullCode;
    std::array<PanelAssignment, 4> panels;
    Confidence confidence = Confidence::Low;
};

// One panel column: "glyph:i,j,k" with ascending indices, "key:x" or "-". nullopt with `error`
// set when malformed.
std::optional<PanelAssignment> parsePanelColumn(const QString& text, QString* error = nullptr);

// One line (without its line end). nullopt with `error` set when a column is malformed.
std::optional<DecompositionRow> parseDecompositionLine(const QString& line, QString* error = nullptr);

// A whole table; GenError naming the line of the first malformed row.
std::vector<DecompositionRow> parseDecompositionTable(const QString& text);

}  // namespace tessivo::datagen
