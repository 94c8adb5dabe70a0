#pragma once

// The text outputs of the decomposition tool: the fill points per character (read by the code
// generator, which writes them into the record file) and the readable decomposition table.

#include "decomp/decomposition.h"
#include "decomp/drawing.h"

#include <QString>

namespace tessivo::datagen {

// "char<TAB>fill1<TAB>fill2<TAB>fill3<TAB>fill4\n", each fill the exact field text.
QString fillsLine(const QString& character, const Drawing& drawing);

// "char<TAB>full code<TAB>panel1..panel4<TAB>confidence\n". A panel is "glyph:i,j,k" (its
// radical's glyph and 0-based stroke indices in writing order), "key:x" for an
// identification-key panel, or "-" when empty. Confidence is high, medium or low.
QString tableLine(const QString& character, const QString& fullCode, const Decomposition& decomposition);

// One panel column of the table ("glyph:i,j,k", "key:x" or "-").
QString panelColumn(const PanelAssignment& panel);

QString confidenceWord(Confidence confidence);

}  // namespace tessivo::datagen
