#pragma once

// Contract between the radical decomposer and the renderer of the decomposition tool.

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

namespace tessivo::datagen {

// One stroke of a character from the outline data, in writing order.
struct Stroke {
    QString path;                                  // SVG outline (M/L/Q/C/Z), 1024 box, y up, baseline 900
    std::vector<std::pair<double, double>> median;  // centre line, same coordinates
    char strokeClass = '?';                        // 'h' 's' 'p' 'n' 'z' (1..5), from the stroke table
};

struct CharacterInput {
    QString character;
    QString fullCode;      // longest Wubi-86 code, 3 or 4 letters
    QStringList codes;     // all codes of the character, shortest first
    std::vector<Stroke> strokes;
    // Empty: Wubi reads the strokes in the outline's order. Else it reads stroke readingOrder[i]
    // i-th (inputs.h); the stroke classes and the stroke table follow that order.
    std::vector<int> readingOrder;
};

struct PanelAssignment {
    enum class Kind { Strokes, IdentKey, Empty };
    Kind kind = Kind::Empty;
    std::vector<int> strokes;  // 0-based stroke indices that form this panel's radical (Kind::Strokes)
    QString glyph;             // the radical's glyph or name from the chart (Kind::Strokes)
    QChar key;                 // identification-key letter (Kind::IdentKey)
};

enum class Confidence { High, Medium, Low };

struct Decomposition {
    std::array<PanelAssignment, 4> panels;
    // Groups of strokes that get one common outline in the drawing; every stroke is in exactly one
    // group. Normally one group per coded radical plus one for all uncoded middle radicals;
    // radical characters (成字字根) outline the strokes that panels 2-4 name one by one.
    std::vector<std::vector<int>> atoms;
    // Every radical of the split in coding order, the uncoded middle ones included (Kind::Strokes);
    // the whole character for a key name, a radical character or a single stroke. For the review
    // of the splits; the table shows the panels only.
    std::vector<PanelAssignment> radicals;
    Confidence confidence = Confidence::Low;
    QString kind;  // "keyname", "radical-char", "single-stroke", "general"
    // The coded panels' radicals lie on the keys of the full code, in order, the identification
    // key (if any) fits the last stroke's class, and every stroke belongs to a chart radical.
    // False: the best split found, shown anyway (confidence Low).
    bool matchesCode = false;
    // Every coded radical that has a reference outline resembles it.
    bool shapeOk = false;
    // For the review of a near tie: the panels of the next best split (empty: none).
    std::array<PanelAssignment, 4> runnerUp;
};

}  // namespace tessivo::datagen
