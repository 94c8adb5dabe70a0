#pragma once

// Splits a character into its Wubi-86 radicals: which strokes form the radicals of the four
// panels, following the order of writing, 取大优先 (fewest, largest radicals), the chart's
// wrapping radicals (囗 匚 戈 …) and the identification-key rules. The stages: geometry.h (the
// shapes compared), search.h (the parses of the stroke classes), and here the special kinds of
// character and the choice among the parses.

#include "decomp/decomposition.h"
#include "decomp/inputs.h"
#include "windows/radical_chart.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace tessivo::datagen {

// A glyph of the outline data (its strokes' outlines and centre lines), or nullptr when it has none.
using ReferenceLookup = std::function<const Outline*(const QString& glyph)>;

// A smaller character written inside this one (components.h): the strokes it covers (bit i for
// stroke i) and its own radicals on them. A parse that cuts those strokes otherwise pays for it.
struct ComponentHint {
    QString component;
    std::uint64_t strokes = 0;
    std::vector<std::uint64_t> groups;
    // The strokes `groups` cover: all of `strokes`, or, for a component whose split is a near tie,
    // those of the radicals that its best splits agree on.
    std::uint64_t known = 0;
    // Which pairs of its strokes stand apart in the component itself, pair (i, j), i < j, at
    // i * count + j (1 apart, 0 meeting, -1 unsure).
    std::vector<signed char> apart;
    double distance = 0;  // how far the host's strokes are from the component's shape
};

// `classVariants`: the stroke-class strings to try, best first, each as long as input.strokes
// (empty: the strokes' own classes). `references`: reference shapes of the chart's radicals
// (empty: every radical scores the same shape cost, so only the code and 取大优先 decide).
// Never fails: a character no rule explains gets the best split found, confidence Low.
Decomposition decompose(const CharacterInput& input, const chart::RadicalChart& chart, const QStringList& classVariants = {},
                        const ReferenceLookup& references = {}, const std::vector<ComponentHint>& components = {});

// The generator's entry: the Wubi-86 chart, every fitting stroke-class variant and the reference
// shapes of the outline package. Safe to call from several threads.
Decomposition decompose(const CharacterInput& input, const InputLoader& loader, const std::vector<ComponentHint>& components = {});

// Where the panels' strokes come from, for messages and tests: "国 lgyi: 囗:0,1,7 王:2,3,4,5 丶:6 key:i".
QString describe(const CharacterInput& input, const Decomposition& decomposition);

}  // namespace tessivo::datagen
