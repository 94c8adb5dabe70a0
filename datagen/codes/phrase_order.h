#pragma once

#include <QString>

#include <vector>

namespace tessivo::datagen {

// The phrase lookup lists a character's words starting from the record its binary search lands
// on, then the records before it going backwards, then those after it going forwards. Given
// words ascending by first character and, within one first character, most frequent first,
// returns them rearranged within each first character so that the lookup lists them in that
// frequency order. Only the order inside each group changes, so the file stays sorted.
// GenError if the rearranged file does not list every group in order.
std::vector<QString> arrangeForLookup(const std::vector<QString>& ranked);

}  // namespace tessivo::datagen
