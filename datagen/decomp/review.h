#pragma once

// The review report of a decomposition run: how confident the splits are, which characters
// spell their full code, the table faults (codes no split of the outline explains), whether a
// character used as a component inside others keeps one split everywhere, and what changed
// against an earlier table.

#include "decomp/decomposition.h"
#include "decomp/decomposition_table.h"
#include "decomp/geometry.h"

#include <QString>

#include <map>
#include <vector>

namespace tessivo::datagen {

// What the review needs of one character.
struct ReviewEntry {
    QString character;
    QString fullCode;
    QString classes;                                   // stroke classes as the split read them
    std::vector<decomposer::StrokePoints> strokes;     // centre lines, resampled
    bool readingOrder = false;                         // read in another order than written (inputs.h)
    Decomposition decomposition;
};

ReviewEntry reviewEntryOf(const CharacterInput& input, const Decomposition& decomposition);

// A character whose strokes reappear, alike up to scale and place, as a run of strokes of others.
struct ComponentSplits {
    QString component;
    QString ownSplit;                  // its split on its own (see splitOf)
    int occurrences = 0;               // in other characters
    std::map<QString, QStringList> splits;  // split of its strokes -> hosts (own split included)
};

// The split that a character's radicals make of strokes `first`..`first + count - 1`: the
// groups of strokes (offsets from `first`) that share a radical, "|" between groups, in order
// of their first stroke; strokes of no radical are "·".
QString splitOf(const Decomposition& decomposition, int first, int count);

// Every character found inside others as a run of strokes of the same classes and shape, with
// the splits it gets there; in the order of `entries`.
std::vector<ComponentSplits> componentSplits(const std::vector<ReviewEntry>& entries);

// The whole report. `previous`: the table of an earlier run (empty: no comparison).
QString reviewReport(const std::vector<ReviewEntry>& entries, const std::vector<DecompositionRow>& previous);

}  // namespace tessivo::datagen
