#pragma once

// The few characters whose split no rule of the decomposer expresses.

#include "decomp/decomposition.h"
#include "windows/radical_chart.h"

#include <optional>

namespace tessivo::datagen {

// The listed split of `input`'s character, or nullopt when it is not an exception (or its
// outline no longer has the strokes the entry names).
std::optional<Decomposition> exceptionalDecomposition(const CharacterInput& input, const chart::RadicalChart& chart);

// Number of characters on the list (kept under 50).
int exceptionCount();

}  // namespace tessivo::datagen
