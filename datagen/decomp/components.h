#pragma once

// A character written inside a larger one keeps its own split there: 卒 is 亠 人 人 十 alone and
// in 啐 碎 醉 too, 甫 is 一 月 丨 丶 alone and in 辅. The characters are split smallest first;
// each split that the code, the shapes and a clear margin confirm becomes a component, found
// again in the larger characters as a run of strokes of the same classes and shape, and the
// search charges any parse that cuts such a run otherwise (unless the code leaves no other way).

#include "decomp/decomposition.h"
#include "decomp/geometry.h"

#include <QHash>

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace tessivo::datagen {

class InputLoader;

// Split characters that larger ones may contain.
class ComponentIndex {
public:
    // Keeps `decomposition` as a component when it is trusted (spells the code, every radical
    // shape-true, not low) and has at least three strokes: shorter runs recur by chance.
    // `input` must outlive the index.
    void add(const CharacterInput& input, const Decomposition& decomposition);

    // Every trusted component found inside `host`, with its own split on the host's strokes.
    std::vector<ComponentHint> hintsFor(const CharacterInput& host) const;

private:
    struct Entry {
        const CharacterInput* input = nullptr;
        std::vector<decomposer::StrokePoints> strokes;
        std::vector<decomposer::StrokeSet> groups;  // its radicals, bit i for its stroke i
        decomposer::StrokeSet known = 0;            // the strokes the groups cover
    };
    // Which of its strokes stand apart (see ComponentHint), worked out when first needed: most
    // components are never found.
    std::shared_ptr<const std::vector<signed char>> apartOf(const Entry& e) const;

    QHash<QString, std::vector<Entry>> byClasses_;
    mutable std::mutex apartMutex_;
    mutable std::map<const CharacterInput*, std::shared_ptr<const std::vector<signed char>>> apart_;
};

// Runs `work(i)` for every i in [0, count) on up to `jobs` threads; the first failure stops the
// others and is rethrown.
void parallelFor(int count, int jobs, const std::function<void(int)>& work);

// The stroke classes of an input as one string ("hspnz" letters).
QString classesOf(const CharacterInput& input);

// Splits `inputs` by `split` (one call per character, on up to `jobs` threads), those with fewer
// strokes first, each with the hints of the components split before it. Deterministic for any
// number of jobs; `step` (optional) is called once per character, under a lock.
std::vector<Decomposition> decomposeSmallestFirst(
    const std::vector<CharacterInput>& inputs, int jobs,
    const std::function<Decomposition(const CharacterInput&, const std::vector<ComponentHint>&)>& split,
    const std::function<void()>& step = {});

}  // namespace tessivo::datagen
