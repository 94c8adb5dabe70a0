#pragma once

// The search for the radicals of a character: every way of reading its stroke-class string as
// chart radicals in writing order, wrapping radicals included, that fits the full code, each
// with a cost. A parse costs the stroke-weighted mean distance of its radicals from their
// reference shapes, plus a little per radical so that fewer, larger radicals win (取大优先), plus
// the penalties of search.cpp. They were tuned on the whole character set.

#include "decomp/geometry.h"

#include <array>
#include <unordered_map>
#include <vector>

namespace tessivo::datagen::decomposer {

// Cost added per place down the list of stroke-class variants.
inline constexpr double kVariantStep = 0.01;
// The best parse is rated high when the runner-up costs this much more, medium above the second
// margin, and low otherwise.
inline constexpr double kHighMargin = 0.08;
inline constexpr double kMediumMargin = 0.02;

// One radical placed on strokes of the character.
struct Instance {
    const chart::Radical* radical = nullptr;
    StrokeSet mask = 0;
    int matched = 0;
    int first = -1;
    int last = -1;
    int gaps = 0;          // times other strokes came between two of its strokes
    bool wrapGap = false;  // the gap fell where the chart lets the radical wrap
    bool pauseGap = false; // the gap fell where a later order of its strokes lets it pause
    int closeOrder = -1;
    int part = -1;         // which part of a composite radical (after expansion)
    double shape = 0;      // distance from the reference (no reference: a fixed cost)
    bool hasReference = false;
};

// A coded radical farther from its reference than the chart's limits is not the radical it
// claims to be. A single stroke is judged by its class alone (乙 stands for every fold).
bool shapePasses(const Instance& in);
QChar keyOf(const Instance& in);
QString glyphOf(const Instance& in);

// How the search matches the code's letters: to radicals in the order they are begun, or in the
// order they are finished (⺀ waits for 一 in 母), or, when neither fits, regardless of the keys
// at a price.
enum class Mode { StrictStart, StrictClose, Relaxed };

struct Candidate {
    std::vector<Instance> ordered;  // in coding order
    int radicals = 0;               // 2 or 3 with an identification key; 4 for four or more
    bool identOk = true;
    double cost = 0;
    double componentCost = 0;  // the part of `cost` charged for cutting contained components
    int crossings = 0;         // pairs of its radicals that cross each other (交)
    int crossedMeetings = 0;   // pairs of a radical's strokes that cross where its reference's only meet
    int splitPairs = 0;        // like strokes that meet a radical alike, one inside it, one alone
    bool matches = true;
    std::array<StrokeSet, 4> panelMasks{};
};

// Shape distances of (strokes, radical), shared by the searches of one character.
using ShapeKey = std::pair<StrokeSet, const chart::Radical*>;
struct ShapeKeyHash {
    std::size_t operator()(const ShapeKey& k) const {
        return std::hash<StrokeSet>()(k.first) * 31 + std::hash<const void*>()(k.second);
    }
};
// The distance from the reference, and how many more detached pieces the strokes make than it.
struct ShapeFit {
    double distance = 0;
    int extraPieces = 0;
};
using ShapeCache = std::unordered_map<ShapeKey, ShapeFit, ShapeKeyHash>;

// What the searches of one character share.
struct SearchInputs {
    const Geometry& geometry;
    const QString& code;  // the full code
    const chart::RadicalChart& chart;
    ReferenceShapes& references;
    ShapeCache& shapeCache;
    const std::vector<ComponentHint>& components;  // smaller characters written inside this one
};

// A depth-first search over one stroke-class string. Parses that split the strokes into the
// same panels keep only the cheapest; parses much worse than the best are dropped early.
class Search {
public:
    // `basePenalty`: the cost every parse of this class string starts with.
    Search(const QString& classes, const SearchInputs& inputs, double basePenalty);

    // Adds this string's parses in `mode` to `out` (which may already hold other strings' parses).
    void run(Mode mode, std::vector<Candidate>& out);

private:
    char cls(int i) const { return s_[i]; }
    int n() const { return g_.n; }

    double startKeyCost(int k, QChar key) const;
    double closeKeyCost(int k, QChar key) const;
    double closeKeysCost(const chart::Radical* r) const;
    ShapeFit shapeFit(const Instance& inst);
    double closeCost(Instance& inst);
    static bool mayPause(const Instance& in);
    int openCount() const;

    void dfs(int i, double cost);
    bool openRadicalsFit(int i, char c, int& forced) const;
    void continueRadical(std::size_t j, int i, double cost);
    bool mayLeaveDot(int i, char c) const;
    void beginRadical(const chart::Radical* r, int i, double cost);

    char effectiveLast(const std::vector<Instance>& ordered, std::size_t k, bool& mixed) const;
    double identCost(const std::vector<Instance>& ordered, bool& ok) const;
    double componentCost(const std::vector<Instance>& all) const;
    int crossings(const std::vector<Instance>& all) const;
    int crossedMeetings(const std::vector<Instance>& all);
    int splitPairs(const std::vector<Instance>& all) const;
    // Whether a contained component has these strokes as one of its radicals.
    bool vouched(StrokeSet radical) const;
    void finish(double cost);
    void record(Candidate cand);

    QByteArray s_;
    const Geometry& g_;
    QString code_;
    const chart::RadicalChart& chart_;
    ReferenceShapes& refs_;
    ShapeCache& shapeCache_;
    const std::vector<ComponentHint>& components_;
    double base_;
    Mode mode_ = Mode::StrictStart;
    std::vector<Candidate>* out_ = nullptr;
    std::vector<Instance> insts_;
    int startCount_ = 0;
    int closeCount_ = 0;
    StrokeSet skipped_ = 0;
    long nodes_ = 0;
    double best_ = 0;
    // Per stroke: the size of a contained component's radical that begins there, or 0.
    std::vector<int> componentRadicalSize_;
};

}  // namespace tessivo::datagen::decomposer
