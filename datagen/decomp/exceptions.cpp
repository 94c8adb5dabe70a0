#include "decomp/exceptions.h"

namespace tessivo::datagen {

namespace {

struct Exception {
    const char* character;
    const char* reason;
};

// Each entry says why no rule or chart row can produce the split.
const Exception kExceptions[] = {
    {nullptr, nullptr},
};

}  // namespace

std::optional<Decomposition> exceptionalDecomposition(const CharacterInput&, const RadicalChart&) { return std::nullopt; }

int exceptionCount() { return 0; }

}  // namespace tessivo::datagen
