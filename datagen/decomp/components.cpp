#include "decomp/components.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <map>
#include <mutex>
#include <thread>

namespace tessivo::datagen {

namespace {

using decomposer::StrokePoints;
using decomposer::StrokeSet;

// Components shorter than this recur by chance (二 八 厂 in any pair of strokes).
constexpr int kMinComponentStrokes = 3;

std::vector<StrokePoints> resampled(const CharacterInput& input) {
    std::vector<StrokePoints> out;
    for (const Stroke& s : input.strokes) out.push_back(decomposer::resample(s.median));
    return out;
}

bool trusted(const Decomposition& d) { return d.matchesCode && d.shapeOk && d.confidence != Confidence::Low; }

decomposer::StrokeSet maskOf(const std::vector<int>& strokes) {
    decomposer::StrokeSet set = 0;
    for (int s : strokes) set |= decomposer::StrokeSet{1} << s;
    return set;
}

// A near tie, confirmed but for its margin, still knows the radicals that its best split and the
// runner-up share (襄's 亠 口 口 over a bottom read two ways).
std::vector<decomposer::StrokeSet> agreedRadicals(const Decomposition& d) {
    std::vector<decomposer::StrokeSet> agreed;
    if (!d.matchesCode || !d.shapeOk) return agreed;
    for (const PanelAssignment& r : d.radicals) {
        const decomposer::StrokeSet group = maskOf(r.strokes);
        const bool shared = std::any_of(d.runnerUp.begin(), d.runnerUp.end(), [&](const PanelAssignment& p) {
            return p.kind == PanelAssignment::Kind::Strokes && maskOf(p.strokes) == group;
        });
        if (group && shared) agreed.push_back(group);
    }
    return agreed;
}

}  // namespace

void parallelFor(int count, int jobs, const std::function<void(int)>& work) {
    std::atomic<int> next{0};
    std::mutex failureMutex;
    std::exception_ptr failure;
    auto worker = [&] {
        for (int i = next.fetch_add(1); i < count; i = next.fetch_add(1)) {
            try {
                work(i);
            } catch (...) {
                const std::lock_guard lock(failureMutex);
                if (!failure) failure = std::current_exception();
                next = count;
                return;
            }
        }
    };
    std::vector<std::thread> threads;
    for (int t = 1; t < jobs; ++t) threads.emplace_back(worker);
    worker();
    for (auto& t : threads) t.join();
    if (failure) std::rethrow_exception(failure);
}

QString classesOf(const CharacterInput& input) {
    QString out;
    for (const Stroke& s : input.strokes) out.append(QLatin1Char(s.strokeClass));
    return out;
}

void ComponentIndex::add(const CharacterInput& input, const Decomposition& decomposition) {
    const int n = static_cast<int>(input.strokes.size());
    if (n < kMinComponentStrokes || n >= decomposer::kMaxStrokes) return;
    Entry e;
    e.input = &input;
    if (trusted(decomposition)) {
        for (const PanelAssignment& r : decomposition.radicals) {
            if (const StrokeSet group = maskOf(r.strokes)) e.groups.push_back(group);
        }
        e.known = decomposer::firstStrokes(n);
    } else {
        // Two agreed radicals at least: one alone says no more than its own shape.
        e.groups = agreedRadicals(decomposition);
        if (e.groups.size() < 2) return;
        for (StrokeSet g : e.groups) e.known |= g;
    }
    e.strokes = resampled(input);
    byClasses_[classesOf(input)].push_back(std::move(e));
}

std::shared_ptr<const std::vector<signed char>> ComponentIndex::apartOf(const Entry& e) const {
    {
        const std::lock_guard lock(apartMutex_);
        if (const auto it = apart_.find(e.input); it != apart_.end()) return it->second;
    }
    const int n = static_cast<int>(e.input->strokes.size());
    const decomposer::Geometry g = decomposer::Geometry::of(*e.input);
    auto apart = std::make_shared<std::vector<signed char>>(static_cast<std::size_t>(n * n), -1);
    for (int i = 0; i < n; ++i) {
        for (int j = i + 1; j < n; ++j) {
            const decomposer::Contact c = g.contacts.at(static_cast<std::size_t>(i), static_cast<std::size_t>(j));
            if (c != decomposer::Contact::Unsure) (*apart)[static_cast<std::size_t>(i * n + j)] = c == decomposer::Contact::Apart;
        }
    }
    const std::lock_guard lock(apartMutex_);
    return apart_.emplace(e.input, std::move(apart)).first->second;
}

std::vector<ComponentHint> ComponentIndex::hintsFor(const CharacterInput& host) const {
    std::vector<ComponentHint> out;
    const int n = static_cast<int>(host.strokes.size());
    if (n >= decomposer::kMaxStrokes || byClasses_.isEmpty()) return out;
    const QString classes = classesOf(host);
    const std::vector<StrokePoints> strokes = resampled(host);
    for (int first = 0; first < n; ++first) {
        for (int count = kMinComponentStrokes; first + count <= n && count < n; ++count) {
            const auto it = byClasses_.find(classes.mid(first, count));
            if (it == byClasses_.end()) continue;
            const decomposer::Shape run = decomposer::normalisedRun(strokes, first, count);
            for (const Entry& e : *it) {
                const double distance = decomposer::shapeDistance(run, decomposer::normalisedRun(e.strokes, 0, count), false);
                if (distance > decomposer::kSameComponentShape) continue;
                ComponentHint hint;
                hint.distance = distance;
                hint.component = e.input->character;
                hint.strokes = decomposer::firstStrokes(count) << first;
                for (StrokeSet g : e.groups) hint.groups.push_back(g << first);
                hint.known = e.known << first;
                hint.apart = *apartOf(e);
                out.push_back(std::move(hint));
            }
        }
    }
    return out;
}

std::vector<Decomposition> decomposeSmallestFirst(
    const std::vector<CharacterInput>& inputs, int jobs,
    const std::function<Decomposition(const CharacterInput&, const std::vector<ComponentHint>&)>& split,
    const std::function<void()>& step) {
    std::map<std::size_t, std::vector<int>> byStrokes;
    for (std::size_t i = 0; i < inputs.size(); ++i) byStrokes[inputs[i].strokes.size()].push_back(static_cast<int>(i));
    std::vector<Decomposition> out(inputs.size());
    ComponentIndex index;
    std::mutex stepMutex;
    for (const auto& entry : byStrokes) {
        // Characters of one stroke count cannot contain each other: each wave runs in parallel
        // and joins the index only when it is complete.
        const std::vector<int>& wave = entry.second;
        parallelFor(static_cast<int>(wave.size()), jobs, [&](int k) {
            const auto i = static_cast<std::size_t>(wave[static_cast<std::size_t>(k)]);
            out[i] = split(inputs[i], index.hintsFor(inputs[i]));
            if (step) {
                const std::lock_guard lock(stepMutex);
                step();
            }
        });
        for (int i : wave) index.add(inputs[static_cast<std::size_t>(i)], out[static_cast<std::size_t>(i)]);
    }
    return out;
}

}  // namespace tessivo::datagen
