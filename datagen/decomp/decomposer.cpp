#include "decomp/decomposer.h"

#include "decomp/exceptions.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <unordered_map>

namespace tessivo::datagen {

namespace {

using Mask = std::uint64_t;
constexpr int kMaxStrokes = 64;

// Costs. A parse costs the stroke-weighted mean distance of its radicals from their reference
// shapes, plus a little per radical so that fewer, larger radicals win (取大优先), plus the
// penalties below. They were tuned on the whole character set.
constexpr double kPerRadical = 0.03;
constexpr double kNoReference = 0.25;       // shape cost of a radical the outline data does not draw
constexpr double kWrapContained = 0.03;     // a wrapping radical around strokes inside it
constexpr double kInterleaveContained = 0.04;
constexpr double kInterleaveLoose = 0.08;   // strokes between a radical's parts that lie outside it
constexpr double kSkippedDot = 0.02;        // 戈's dot left out of the last radical
constexpr double kVariantStep = 0.01;       // per place down the list of stroke-class variants
constexpr double kCloseOrder = 0.03;        // radicals coded in the order they are finished
constexpr double kIdentShape = 0.06;        // identification key of the right stroke, other shape
constexpr double kIdentZone = 0.40;         // identification key of another last stroke
constexpr double kKeyMismatch = 0.50;       // relaxed search only
constexpr double kPruneMargin = 0.15;       // partial parses this much worse than the best are dropped
constexpr double kHighMargin = 0.08;
constexpr double kMediumMargin = 0.02;
// Shape check: a coded radical of two strokes farther than this from its reference, or of more
// strokes farther than the second limit, is not the radical it claims to be. A single stroke is
// judged by its class alone (乙 stands for every fold, whatever its shape).
constexpr double kShapeLimitTwoStrokes = 0.45;
constexpr double kShapeLimit = 0.35;
constexpr double kShapeFail = 0.20;         // a parse whose radical fails the shape check

struct Instance;
bool shapePasses(const Instance& in);
constexpr double kContainTolerance = 40;
constexpr long kNodeBudget = 600000;

struct Point {
    double x, y;
};

struct Box {
    double x0 = std::numeric_limits<double>::max(), y0 = std::numeric_limits<double>::max();
    double x1 = std::numeric_limits<double>::lowest(), y1 = std::numeric_limits<double>::lowest();
    void add(const Box& b) {
        x0 = std::min(x0, b.x0);
        y0 = std::min(y0, b.y0);
        x1 = std::max(x1, b.x1);
        y1 = std::max(y1, b.y1);
    }
    bool empty() const { return x0 > x1; }
};

using Shape = std::vector<std::array<Point, 8>>;

std::array<Point, 8> resample(const Median& median) {
    std::array<Point, 8> out{};
    if (median.size() == 1) {
        out.fill({median[0].first, median[0].second});
        return out;
    }
    std::vector<double> seg;
    double total = 0;
    for (std::size_t i = 0; i + 1 < median.size(); ++i) {
        seg.push_back(std::hypot(median[i + 1].first - median[i].first, median[i + 1].second - median[i].second));
        total += seg.back();
    }
    total = std::max(total, 1e-9);
    std::size_t i = 0;
    double before = 0;  // length of the segments before segment i
    for (int k = 0; k < 8; ++k) {
        const double t = total * k / 7.0;
        while (i + 1 < seg.size() && before + seg[i] < t) before += seg[i++];
        const double f = seg[i] > 0 ? std::clamp((t - before) / seg[i], 0.0, 1.0) : 0.0;
        out[static_cast<std::size_t>(k)] = {median[i].first + f * (median[i + 1].first - median[i].first),
                                            median[i].second + f * (median[i + 1].second - median[i].second)};
    }
    return out;
}

// Centres the strokes on their common box and scales it to a unit square (a thin box counts as
// at least 60 units, so a lone horizontal stays flat instead of being blown up).
Shape normalised(const std::vector<const std::array<Point, 8>*>& strokes) {
    Box box;
    for (const auto* s : strokes) {
        for (const Point& p : *s) box.add({p.x, p.y, p.x, p.y});
    }
    const double w = std::max(box.x1 - box.x0, 60.0);
    const double h = std::max(box.y1 - box.y0, 60.0);
    const double cx = (box.x0 + box.x1) / 2;
    const double cy = (box.y0 + box.y1) / 2;
    Shape out;
    for (const auto* s : strokes) {
        std::array<Point, 8> n{};
        for (std::size_t k = 0; k < 8; ++k) n[k] = {((*s)[k].x - cx) / w, ((*s)[k].y - cy) / h};
        out.push_back(n);
    }
    return out;
}

double strokeDistance(const std::array<Point, 8>& a, const std::array<Point, 8>& b) {
    double d = 0;
    for (std::size_t k = 0; k < 8; ++k) d += std::hypot(a[k].x - b[k].x, a[k].y - b[k].y);
    return d / 8;
}

// Mean distance of stroke i of `a` from stroke i of `b`; with `anyOrder`, of the best pairing
// (a variant of a radical written in another order than its reference glyph).
double shapeDistance(const Shape& a, const Shape& b, bool anyOrder) {
    std::vector<std::size_t> perm(a.size());
    for (std::size_t i = 0; i < perm.size(); ++i) perm[i] = i;
    double best = std::numeric_limits<double>::max();
    do {
        double total = 0;
        for (std::size_t s = 0; s < a.size(); ++s) total += strokeDistance(a[s], b[perm[s]]);
        best = std::min(best, total / static_cast<double>(a.size()));
    } while (anyOrder && std::next_permutation(perm.begin(), perm.end()));
    return best;
}

Box boxOf(const Median& m) {
    Box b;
    for (const auto& [x, y] : m) b.add({x, y, x, y});
    return b;
}

QString strokeGlyph(char cls) {
    switch (cls) {
    case 'h': return QStringLiteral("一");
    case 's': return QStringLiteral("丨");
    case 'p': return QStringLiteral("丿");
    case 'n': return QStringLiteral("丶");
    default: return QStringLiteral("乙");
    }
}

char classOfLetter(QChar letter) {
    for (char c : {'h', 's', 'p', 'n', 'z'}) {
        if (strokeLetter(c) == letter) return c;
    }
    return '?';
}

std::vector<int> indicesOf(Mask m) {
    std::vector<int> out;
    while (m) {
        out.push_back(std::countr_zero(m));
        m &= m - 1;
    }
    return out;
}

// What the shape scorer knows about one character.
struct Geometry {
    int n = 0;
    std::vector<std::array<Point, 8>> strokes;
    std::vector<Box> boxes;
};

// Reference shapes of the chart's radicals, normalised once per radical.
class ReferenceCache {
public:
    explicit ReferenceCache(const ReferenceLookup& lookup) : lookup_(lookup) {}

    const Shape* shape(const Radical* r) {
        auto it = cache_.find(r);
        if (it != cache_.end()) return it->second ? &*it->second : nullptr;
        std::optional<Shape> shape;
        if (lookup_ && !r->refGlyph.isEmpty()) {
            if (const auto* medians = lookup_(r->refGlyph)) {
                const int first = r->refFirst;
                const int count = r->refCount > 0 ? r->refCount : static_cast<int>(medians->size()) - first;
                if (count == r->classes.size() && first + count <= static_cast<int>(medians->size())) {
                    std::vector<std::array<Point, 8>> pts;
                    for (int i = first; i < first + count; ++i) pts.push_back(resample((*medians)[static_cast<std::size_t>(i)]));
                    std::vector<const std::array<Point, 8>*> ptrs;
                    for (const auto& p : pts) ptrs.push_back(&p);
                    shape = normalised(ptrs);
                }
            }
        }
        it = cache_.emplace(r, std::move(shape)).first;
        return it->second ? &*it->second : nullptr;
    }

private:
    const ReferenceLookup& lookup_;
    std::unordered_map<const Radical*, std::optional<Shape>> cache_;
};

// One radical placed on strokes of the character.
struct Instance {
    const Radical* radical = nullptr;
    Mask mask = 0;
    int matched = 0;
    int first = -1;
    int last = -1;
    int gaps = 0;          // times other strokes came between two of its strokes
    bool wrapGap = false;  // the gap fell where the chart lets the radical wrap
    int closeOrder = -1;
    int part = -1;         // which part of a composite radical (after expansion)
    double shape = 0;      // distance from the reference (kNoReference when none)
    bool hasReference = false;
};

using ShapeKey = std::pair<Mask, const Radical*>;
struct ShapeKeyHash {
    std::size_t operator()(const ShapeKey& k) const {
        return std::hash<Mask>()(k.first) * 31 + std::hash<const void*>()(k.second);
    }
};
using ShapeCache = std::unordered_map<ShapeKey, double, ShapeKeyHash>;

bool shapePasses(const Instance& in) {
    const int strokes = std::popcount(in.mask);
    return !in.hasReference || strokes < 2 || in.shape <= (strokes == 2 ? kShapeLimitTwoStrokes : kShapeLimit);
}

QChar keyOf(const Instance& in) { return in.part >= 0 ? in.radical->parts[static_cast<std::size_t>(in.part)].key : in.radical->key; }

QString glyphOf(const Instance& in) {
    return in.part >= 0 ? in.radical->parts[static_cast<std::size_t>(in.part)].glyph : in.radical->glyph;
}

int partCount(const Radical* r) { return r->parts.empty() ? 1 : static_cast<int>(r->parts.size()); }

QChar partKey(const Radical* r, int p) { return r->parts.empty() ? r->key : r->parts[static_cast<std::size_t>(p)].key; }

// A composite becomes its coded parts; ordinary radicals stay as they are.
std::vector<Instance> expanded(const std::vector<Instance>& insts) {
    std::vector<Instance> out;
    for (const Instance& in : insts) {
        if (in.radical->parts.empty()) {
            out.push_back(in);
            continue;
        }
        const std::vector<int> strokes = indicesOf(in.mask);
        for (std::size_t p = 0; p < in.radical->parts.size(); ++p) {
            Instance part = in;
            part.part = static_cast<int>(p);
            part.mask = 0;
            for (int offset : in.radical->parts[p].offsets) part.mask |= Mask{1} << strokes[static_cast<std::size_t>(offset)];
            part.first = std::countr_zero(part.mask);
            part.last = 63 - std::countl_zero(part.mask);
            part.closeOrder = in.closeOrder + static_cast<int>(p);
            part.hasReference = false;
            part.shape = 0;
            out.push_back(part);
        }
    }
    return out;
}

enum class Mode { StrictStart, StrictClose, Relaxed };

struct Candidate {
    std::vector<Instance> ordered;  // in coding order
    int radicals = 0;               // 2 or 3 with an identification key; 4 for four or more
    bool identOk = true;
    double cost = 0;
    bool matches = true;
    std::array<Mask, 4> panelMasks{};
};

class Search {
public:
    Search(const QString& classes, const Geometry& geometry, const QString& code, const RadicalChart& chart,
           ReferenceCache& refs, ShapeCache& shapeCache, double basePenalty)
        : s_(classes.toLatin1()), g_(geometry), code_(code), chart_(chart), refs_(refs), shapeCache_(shapeCache),
          base_(basePenalty) {}

    void run(Mode mode, std::vector<Candidate>& out) {
        mode_ = mode;
        out_ = &out;
        nodes_ = 0;
        insts_.clear();
        startCount_ = closeCount_ = 0;
        skipped_ = 0;
        best_ = std::numeric_limits<double>::max();
        for (const Candidate& c : out) best_ = std::min(best_, c.cost);
        dfs(0, base_);
    }

private:
    char cls(int i) const { return s_[i]; }
    int n() const { return g_.n; }
    bool codeHasKey(QChar key) const { return code_.contains(key); }

    double bestCost() const { return best_; }

    // Start-order key check for the k-th radical begun; returns the cost added or -1 to refuse.
    double startKeyCost(int k, QChar key) const {
        const int coded = code_.size() == 3 ? 2 : 3;
        if (k < coded) {
            if (key == code_[k]) return 0;
            return mode_ == Mode::Relaxed ? kKeyMismatch : (mode_ == Mode::StrictStart ? -1 : 0);
        }
        if (code_.size() == 3) return -1;  // two radicals and an identification key, never more
        return 0;
    }

    double closeKeyCost(int k, QChar key) const {
        if (mode_ != Mode::StrictClose) return 0;
        const int coded = code_.size() == 3 ? 2 : 3;
        if (k < coded) return key == code_[k] ? 0 : -1;
        return code_.size() == 3 ? -1 : 0;
    }

    double closeKeysCost(const Radical* r) const {
        double total = 0;
        for (int p = 0; p < partCount(r); ++p) {
            const double k = closeKeyCost(closeCount_ + p, partKey(r, p));
            if (k < 0) return -1;
            total += k;
        }
        return total;
    }

    double shapeCost(const Instance& inst) {
        const ShapeKey cacheKey{inst.mask, inst.radical};
        if (auto it = shapeCache_.find(cacheKey); it != shapeCache_.end()) return it->second;
        double d = kNoReference;
        if (const Shape* ref = refs_.shape(inst.radical)) {
            std::vector<const std::array<Point, 8>*> pts;
            for (int i : indicesOf(inst.mask)) pts.push_back(&g_.strokes[static_cast<std::size_t>(i)]);
            d = shapeDistance(normalised(pts), *ref, inst.radical->alternative > 0 && pts.size() <= 6);
        }
        shapeCache_.emplace(cacheKey, d);
        return d;
    }

    // Cost of closing `inst`: its shape and the price of any gap. -1 refuses.
    double closeCost(Instance& inst) {
        double cost = kPerRadical;
        inst.shape = shapeCost(inst);
        inst.hasReference = refs_.shape(inst.radical) != nullptr;
        cost += inst.shape * std::popcount(inst.mask) / n();
        if (!shapePasses(inst)) cost += kShapeFail;
        if (inst.gaps > 0) {
            Box own;
            for (int i : indicesOf(inst.mask)) own.add(g_.boxes[static_cast<std::size_t>(i)]);
            bool contained = true;
            for (int i = inst.first + 1; i < inst.last; ++i) {
                if (inst.mask >> i & 1) continue;
                const Box& b = g_.boxes[static_cast<std::size_t>(i)];
                if (b.x0 < own.x0 - kContainTolerance || b.x1 > own.x1 + kContainTolerance || b.y0 < own.y0 - kContainTolerance ||
                    b.y1 > own.y1 + kContainTolerance) {
                    contained = false;
                }
            }
            if (inst.wrapGap && contained) cost += kWrapContained;
            else if (inst.wrapGap) cost += kInterleaveLoose;
            else cost += contained ? kInterleaveContained : kInterleaveLoose;
        }
        return cost;
    }

    // A radical pauses once: at its wrapping point, or (short radicals such as ⺀ 刂) after its
    // first stroke.
    static bool mayPause(const Instance& in) {
        if (in.gaps > 0) return false;
        return in.matched == in.radical->wrapAt || (in.matched == 1 && in.radical->classes.size() <= 2);
    }

    int openCount() const {
        int open = 0;
        for (const Instance& in : insts_) open += in.matched < in.radical->classes.size();
        return open;
    }

    void dfs(int i, double cost) {
        if (++nodes_ > kNodeBudget) return;
        if (cost > bestCost() + kPruneMargin) return;
        if (i == n()) {
            if (openCount() == 0) finish(cost);
            return;
        }
        const char c = cls(i);
        // An open radical that may not pause here must take this stroke; open radicals must
        // fit into the strokes left.
        int forced = -1;
        int needed = 0;
        for (std::size_t j = 0; j < insts_.size(); ++j) {
            const Instance& in = insts_[j];
            const int len = static_cast<int>(in.radical->classes.size());
            if (in.matched >= len) continue;
            needed += len - in.matched;
            if (mayPause(in)) continue;
            if (forced >= 0 || in.radical->classes[in.matched].toLatin1() != c) return;
            forced = static_cast<int>(j);
        }
        if (needed > n() - i) return;
        // Continue an open radical.
        for (std::size_t j = 0; j < insts_.size(); ++j) {
            if (forced >= 0 && static_cast<int>(j) != forced) continue;
            Instance& in = insts_[j];
            const int len = static_cast<int>(in.radical->classes.size());
            if (in.matched >= len || in.radical->classes[in.matched].toLatin1() != c) continue;
            const bool gap = in.last != i - 1;
            // What came in between must be complete when a paused radical resumes.
            if (gap && openCount() > 1) continue;
            const Instance saved = in;
            in.mask |= Mask{1} << i;
            in.matched += 1;
            in.last = i;
            if (gap) {
                in.gaps = 1;
                in.wrapGap = in.radical->wrapAt == saved.matched;
            }
            double add = 0;
            if (in.matched == len) {
                const double k = closeKeysCost(in.radical);
                if (k < 0) {
                    in = saved;
                    continue;
                }
                const double cc = closeCost(in);
                add = k + cc;
                in.closeOrder = closeCount_;
                closeCount_ += partCount(in.radical);
            }
            const bool closed = in.matched == len;
            dfs(i + 1, cost + add);  // may grow insts_: `in` is not used after this
            if (closed) closeCount_ -= partCount(saved.radical);
            insts_[j] = saved;
        }
        if (forced >= 0) return;
        // Leave 戈's final dot out of the last radical (成 我: the 丿 before it is coded last).
        if (i == n() - 1 && n() >= 4 && code_.size() == 4 && c == 'n' && cls(i - 1) == 'p' && cls(i - 2) == 'z' && openCount() == 0 &&
            mode_ != Mode::Relaxed) {
            skipped_ = Mask{1} << i;
            dfs(i + 1, cost + kSkippedDot);
            skipped_ = 0;
        }
        // Begin a new radical.
        if (openCount() >= 2) return;
        for (const Radical* r : chart_.startingWith(c)) {
            const int len = static_cast<int>(r->classes.size());
            if (len > n() - i) continue;
            double add = 0;
            if (mode_ != Mode::StrictClose) {
                for (int p = 0; p < partCount(r) && add >= 0; ++p) {
                    const double k = startKeyCost(startCount_ + p, partKey(r, p));
                    add = k < 0 ? -1 : add + k;
                }
                if (add < 0) continue;
            } else if (code_.size() == 3 && !codeHasKey(partKey(r, 0))) {
                continue;
            }
            Instance in;
            in.radical = r;
            in.mask = Mask{1} << i;
            in.matched = 1;
            in.first = in.last = i;
            insts_.push_back(in);
            startCount_ += partCount(r);
            if (len == 1) {
                const double k = closeKeysCost(r);
                if (k >= 0) {
                    add += k + closeCost(insts_.back());
                    insts_.back().closeOrder = closeCount_++;
                    dfs(i + 1, cost + add);
                    --closeCount_;
                }
            } else {
                dfs(i + 1, cost + add);
            }
            startCount_ -= partCount(r);
            insts_.pop_back();
        }
    }

    // Shape type from the geometry: 1 左右, 2 上下, 3 杂合.
    int layout(const std::vector<Instance>& ordered) const {
        bool vertical = false;
        for (std::size_t k = 1; k < ordered.size(); ++k) {
            Box a, b;
            for (std::size_t j = 0; j < ordered.size(); ++j) {
                for (int s : indicesOf(ordered[j].mask)) (j < k ? a : b).add(g_.boxes[static_cast<std::size_t>(s)]);
            }
            const double w = std::min(a.x1 - a.x0, b.x1 - b.x0);
            const double h = std::min(a.y1 - a.y0, b.y1 - b.y0);
            if (a.x1 - b.x0 < 0.2 * std::max(w, 60.0)) return 1;
            // y grows upwards: the first part lies above when its bottom is over the rest's top.
            if (b.y1 - a.y0 < 0.2 * std::max(h, 60.0)) vertical = true;
        }
        return vertical ? 2 : 3;
    }

    // The class of the stroke that counts as the last of coded radical k, and whether an
    // enclosure makes the shape 杂合.
    char effectiveLast(const std::vector<Instance>& ordered, std::size_t k, bool& mixed) const {
        const Instance& f = ordered[k];
        const char cls = s_[f.last];
        // 辶 廴: the last stroke of the radical they enclose, by that radical's own rules.
        if (f.radical->enclosesBefore && f.part < 0 && k > 0) {
            mixed = true;
            return effectiveLast(ordered, k - 1, mixed);
        }
        // 戈's dot is written last, but the 丿 before it counts.
        if (f.radical->dotAfterSweep && cls == 'n' && std::popcount(f.mask) >= 2) {
            const auto idxs = indicesOf(f.mask);
            return s_[idxs[idxs.size() - 2]];
        }
        if (f.part < 0 && f.radical->foldLast && f.radical->classes.contains(QLatin1Char('z'))) return 'z';
        if (f.part < 0 && f.radical->standardLast != 0) return f.radical->standardLast;
        return cls;
    }

    // Identification-key check: which stroke counts as last, and the shape type.
    double identCost(const std::vector<Instance>& ordered, bool& ok) const {
        ok = true;
        // The last stroke is that of the last coded radical (兆: 儿's 乚, 幽: 山's 丨, 国: 丶),
        // by the rules of the radical that holds it.
        bool mixed = false;
        for (const Instance& in : ordered) {
            if (in.gaps > 0 && in.wrapGap) mixed = true;
        }
        const char cls = effectiveLast(ordered, ordered.size() - 1, mixed);
        const int shape = mixed ? 3 : layout(ordered);
        const QString zone = identZone(cls);
        const QChar letter = code_.back();
        if (zone.size() == 3 && zone[shape - 1] == letter) return 0;
        if (zone.contains(letter)) return kIdentShape;
        ok = false;
        return kIdentZone;
    }

    void finish(double cost) {
        const std::vector<Instance> all = expanded(insts_);
        const int m = static_cast<int>(all.size());
        const bool three = code_.size() == 3;
        if (three ? m != 2 : m < 3) return;
        // In the close-order search the radicals are coded in the order they are finished.
        std::vector<Instance> ordered = all;
        Candidate cand;
        cand.cost = cost;
        if (mode_ == Mode::StrictClose) {
            std::sort(ordered.begin(), ordered.end(), [](const Instance& a, const Instance& b) { return a.closeOrder < b.closeOrder; });
            cand.cost += kCloseOrder;
        }
        if (m >= 4) {
            // Four or more radicals: the first three and the last are coded.
            if (keyOf(ordered.back()) != code_[3]) {
                if (mode_ != Mode::Relaxed) return;
                cand.cost += kKeyMismatch;
            }
            cand.radicals = 4;
            cand.panelMasks = {ordered[0].mask, ordered[1].mask, ordered[2].mask, ordered.back().mask};
        } else {
            // Two or three radicals and the identification key; 戈's dot is never left out here.
            if (skipped_) return;
            cand.radicals = m;
            cand.cost += identCost(ordered, cand.identOk);
            cand.panelMasks = {ordered[0].mask, ordered[1].mask, m == 3 ? ordered[2].mask : 0, 0};
        }
        if (mode_ == Mode::Relaxed) {
            const int coded = cand.radicals;
            for (int k = 0; k < coded; ++k) {
                const Instance& in = (k == 3) ? ordered.back() : ordered[static_cast<std::size_t>(k)];
                if (keyOf(in) != code_[k]) cand.matches = false;
            }
        }
        cand.ordered = std::move(ordered);
        record(std::move(cand));
    }

    void record(Candidate cand) {
        best_ = std::min(best_, cand.cost);
        for (Candidate& c : *out_) {
            if (c.panelMasks == cand.panelMasks && c.radicals == cand.radicals) {
                if (cand.cost < c.cost) c = std::move(cand);
                return;
            }
        }
        out_->push_back(std::move(cand));
    }

    QByteArray s_;
    const Geometry& g_;
    QString code_;
    const RadicalChart& chart_;
    ReferenceCache& refs_;
    ShapeCache& shapeCache_;
    double base_;
    Mode mode_ = Mode::StrictStart;
    std::vector<Candidate>* out_ = nullptr;
    std::vector<Instance> insts_;
    int startCount_ = 0;
    int closeCount_ = 0;
    Mask skipped_ = 0;
    long nodes_ = 0;
    double best_ = 0;
};

PanelAssignment strokesPanel(const QString& glyph, Mask mask) {
    PanelAssignment p;
    p.kind = PanelAssignment::Kind::Strokes;
    p.glyph = glyph;
    p.strokes = indicesOf(mask);
    return p;
}

PanelAssignment strokesPanel(const QString& glyph, std::vector<int> strokes) {
    PanelAssignment p;
    p.kind = PanelAssignment::Kind::Strokes;
    p.glyph = glyph;
    p.strokes = std::move(strokes);
    return p;
}

PanelAssignment keyPanel(QChar key) {
    PanelAssignment p;
    p.kind = PanelAssignment::Kind::IdentKey;
    p.key = key;
    return p;
}

std::vector<int> allStrokes(int n) {
    std::vector<int> all(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) all[static_cast<std::size_t>(i)] = i;
    return all;
}

enum class RadicalCharacter {
    InChart,      // the character is a chart radical on its first code letter
    CodeShaped,   // not in the chart, but coded exactly as key + first, second and last stroke (孑)
    LastResort,   // nothing else explains the character: show its strokes as the code names them
};

// 成字字根: the whole radical, then the strokes named by the code's letters after the key. The
// letters are matched by class, not position, because the fold counts last in 力 九 乃 …
std::optional<Decomposition> radicalCharacter(const CharacterInput& input, const QStringList& variants, RadicalCharacter how) {
    const QString& code = input.fullCode;
    const int n = static_cast<int>(input.strokes.size());
    for (const QString& s : variants) {
        std::vector<int> chosen;
        bool found = true;
        bool positional = true;
        for (int j = 1; j < code.size(); ++j) {
            const char want = classOfLetter(code[j]);
            int pick = -1;
            if (j < 3) {
                for (int i = 0; i < n && pick < 0; ++i) {
                    if (s[i].toLatin1() == want && std::find(chosen.begin(), chosen.end(), i) == chosen.end()) pick = i;
                }
            } else {
                for (int i = n - 1; i >= 0 && pick < 0; --i) {
                    if (s[i].toLatin1() == want && std::find(chosen.begin(), chosen.end(), i) == chosen.end()) pick = i;
                }
            }
            const int place = std::min(j < 3 ? j - 1 : n - 1, n - 1);
            if (pick < 0) {
                found = false;
                pick = place;
            }
            positional = positional && pick == place;
            chosen.push_back(pick);
        }
        const bool last = &s == &variants.back();
        if (how == RadicalCharacter::InChart && !found) continue;
        if (how == RadicalCharacter::CodeShaped && !(found && positional && n >= 3)) continue;
        if (how == RadicalCharacter::LastResort && !found && !last) continue;
        Decomposition d;
        d.kind = QStringLiteral("radical-char");
        d.panels[0] = strokesPanel(input.character, allStrokes(n));
        for (std::size_t j = 0; j < chosen.size() && j < 3; ++j) {
            d.panels[j + 1] = strokesPanel(strokeGlyph(s[chosen[j]].toLatin1()), std::vector<int>{chosen[j]});
        }
        Mask rest = n >= kMaxStrokes ? ~Mask{0} : (Mask{1} << n) - 1;
        for (int i : chosen) {
            if (rest >> i & 1) d.atoms.push_back({i});
            rest &= ~(Mask{1} << i);
        }
        if (rest) d.atoms.push_back(indicesOf(rest));
        d.matchesCode = how != RadicalCharacter::LastResort && found;
        d.shapeOk = true;
        d.confidence = !d.matchesCode ? Confidence::Low : how == RadicalCharacter::InChart ? Confidence::High : Confidence::Medium;
        return d;
    }
    return std::nullopt;
}

Decomposition fromCandidate(const Candidate& best, const CharacterInput& input, int n) {
    Decomposition d;
    d.kind = QStringLiteral("general");
    const auto& ord = best.ordered;
    d.panels[0] = strokesPanel(glyphOf(ord[0]), ord[0].mask);
    d.panels[1] = strokesPanel(glyphOf(ord[1]), ord[1].mask);
    Mask coded = ord[0].mask | ord[1].mask;
    d.atoms.push_back(indicesOf(ord[0].mask));
    d.atoms.push_back(indicesOf(ord[1].mask));
    if (best.radicals == 2) {
        d.panels[2] = keyPanel(input.fullCode[2]);
    } else {
        d.panels[2] = strokesPanel(glyphOf(ord[2]), ord[2].mask);
        d.atoms.push_back(indicesOf(ord[2].mask));
        coded |= ord[2].mask;
        if (best.radicals == 3) {
            d.panels[3] = keyPanel(input.fullCode[3]);
        } else {
            d.panels[3] = strokesPanel(glyphOf(ord.back()), ord.back().mask);
            d.atoms.push_back(indicesOf(ord.back().mask));
            coded |= ord.back().mask;
        }
    }
    const Mask all = n >= kMaxStrokes ? ~Mask{0} : (Mask{1} << n) - 1;
    if (const Mask middle = all & ~coded) d.atoms.push_back(indicesOf(middle));
    d.matchesCode = best.matches;
    d.shapeOk = true;
    const std::size_t coded_count = best.radicals == 4 ? 4 : static_cast<std::size_t>(best.radicals);
    for (std::size_t k = 0; k < coded_count; ++k) {
        const Instance& in = k == 3 ? ord.back() : ord[k];
        if (!shapePasses(in)) d.shapeOk = false;
    }
    return d;
}

// Last resort when even the relaxed search finds nothing: the longest chart radical at each
// point, coded in writing order.
Decomposition greedySplit(const CharacterInput& input, const QString& classes, const RadicalChart& chart) {
    const int n = static_cast<int>(input.strokes.size());
    std::vector<std::pair<QString, std::vector<int>>> parts;
    for (int i = 0; i < n;) {
        const Radical* pick = nullptr;
        for (const Radical* r : chart.startingWith(classes[i].toLatin1())) {
            if (classes.mid(i, r->classes.size()) == r->classes) {
                pick = r;
                break;
            }
        }
        const int len = pick ? static_cast<int>(pick->classes.size()) : 1;
        parts.emplace_back(pick ? pick->glyph : strokeGlyph(classes[i].toLatin1()), std::vector<int>{});
        for (int k = i; k < i + len; ++k) parts.back().second.push_back(k);
        i += len;
    }
    Decomposition d;
    d.kind = QStringLiteral("general");
    const int shown = input.fullCode.size() == 3 ? 2 : 4;
    for (int p = 0; p < shown && p < static_cast<int>(parts.size()); ++p) {
        std::vector<int> strokes = parts[static_cast<std::size_t>(p)].second;
        if (p == shown - 1) {
            for (std::size_t k = static_cast<std::size_t>(p) + 1; k < parts.size(); ++k) strokes.insert(strokes.end(), parts[k].second.begin(), parts[k].second.end());
        }
        d.panels[static_cast<std::size_t>(p)] = strokesPanel(parts[static_cast<std::size_t>(p)].first, strokes);
        d.atoms.push_back(strokes);
    }
    if (shown == 2 && parts.size() < 2) d.panels[1] = d.panels[0];
    if (shown == 2) d.panels[2] = keyPanel(input.fullCode[2]);
    d.confidence = Confidence::Low;
    return d;
}

}  // namespace

Decomposition decompose(const CharacterInput& input, const RadicalChart& chart, const QStringList& classVariants,
                        const ReferenceLookup& references) {
    const int n = static_cast<int>(input.strokes.size());
    const QString& code = input.fullCode;
    QStringList variants;
    for (const QString& v : classVariants) {
        if (v.size() == n) variants << v;
    }
    if (variants.isEmpty()) {
        QString own;
        for (const Stroke& s : input.strokes) own.append(QLatin1Char(s.strokeClass));
        variants << own;
    }
    Decomposition d;
    if (n == 0 || n > kMaxStrokes || code.size() < 3) {
        d.kind = QStringLiteral("general");
        d.panels[0] = strokesPanel(input.character, allStrokes(n));
        d.panels[1] = d.panels[0];
        d.atoms.push_back(allStrokes(n));
        return d;
    }
    if (auto fixed = exceptionalDecomposition(input, chart)) return *fixed;

    // 键名字: all four panels show the whole character.
    if (code == QString(4, code[0]) && chart.keyNameGlyph(code[0]) == input.character) {
        d.kind = QStringLiteral("keyname");
        for (auto& p : d.panels) p = strokesPanel(input.character, allStrokes(n));
        d.atoms.push_back(allStrokes(n));
        d.confidence = Confidence::High;
        d.matchesCode = d.shapeOk = true;
        return d;
    }
    // 单笔画: the stroke twice, then the padding key "l".
    if (n == 1 && code.size() == 4 && code.endsWith(QStringLiteral("ll"))) {
        d.kind = QStringLiteral("single-stroke");
        d.panels[0] = d.panels[1] = strokesPanel(input.character, std::vector<int>{0});
        d.panels[2] = keyPanel(QLatin1Char('l'));
        d.atoms.push_back({0});
        d.matchesCode = d.shapeOk = code[0] == strokeLetter(variants.front()[0].toLatin1());
        d.confidence = d.matchesCode ? Confidence::High : Confidence::Low;
        return d;
    }
    if (chart.keysOf(input.character).contains(code[0])) {
        if (auto r = radicalCharacter(input, variants, RadicalCharacter::InChart)) return *r;
    }

    Geometry geometry;
    geometry.n = n;
    for (const Stroke& s : input.strokes) {
        geometry.strokes.push_back(resample(s.median));
        geometry.boxes.push_back(boxOf(s.median));
    }
    ReferenceCache refs(references);
    ShapeCache shapeCache;
    std::vector<Candidate> candidates;
    const Mode modes[] = {Mode::StrictStart, Mode::StrictClose, Mode::Relaxed};
    for (Mode mode : modes) {
        for (int v = 0; v < variants.size(); ++v) {
            Search search(variants[v], geometry, code, chart, refs, shapeCache, v * kVariantStep);
            search.run(mode, candidates);
        }
        // Both coding orders compete; only when neither explains the code does the relaxed
        // search look for the best split regardless of keys.
        if (mode == Mode::StrictStart) continue;
        if (mode != Mode::Relaxed) {
            std::erase_if(candidates, [](const Candidate& c) { return !c.matches; });
        }
        if (!candidates.empty()) break;
        if (mode == Mode::StrictClose) {
            // A radical character missing from the chart still has the code of one.
            if (auto r = radicalCharacter(input, variants, RadicalCharacter::CodeShaped)) return *r;
        }
    }
    if (candidates.empty()) {
        // Even the relaxed search could not cover the strokes with chart radicals.
        if (auto r = radicalCharacter(input, variants, RadicalCharacter::LastResort)) return *r;
        return greedySplit(input, variants.front(), chart);
    }
    std::stable_sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) { return a.cost < b.cost; });
    const Candidate& best = candidates.front();
    d = fromCandidate(best, input, n);
    const double margin = candidates.size() > 1 ? candidates[1].cost - best.cost : 1.0;
    // High: confirmed by code, identification key and shapes, and clearly ahead of any other
    // split; medium: ahead by a little; low: a near tie, or not confirmed.
    if (!best.matches || !best.identOk || !d.shapeOk) d.confidence = Confidence::Low;
    else if (margin > kHighMargin) d.confidence = Confidence::High;
    else if (margin > kMediumMargin) d.confidence = Confidence::Medium;
    else d.confidence = Confidence::Low;
    // A code the radicals explain only with the wrong last stroke is not a match.
    if (!best.identOk) d.matchesCode = false;
    return d;
}

Decomposition decompose(const CharacterInput& input, const InputLoader& loader) {
    return decompose(input, RadicalChart::wubi86(), loader.classVariants(input),
                     [&loader](const QString& glyph) { return loader.referenceMedians(glyph); });
}

QString describe(const CharacterInput& input, const Decomposition& d) {
    QString out = input.character + QLatin1Char(' ') + input.fullCode + QLatin1Char(':');
    for (const PanelAssignment& p : d.panels) {
        out += QLatin1Char(' ');
        switch (p.kind) {
        case PanelAssignment::Kind::Empty: out += QLatin1Char('-'); break;
        case PanelAssignment::Kind::IdentKey: out += QStringLiteral("key:") + p.key; break;
        case PanelAssignment::Kind::Strokes: {
            QStringList idx;
            for (int i : p.strokes) idx << QString::number(i);
            out += p.glyph + QLatin1Char(':') + idx.join(QLatin1Char(','));
            break;
        }
        }
    }
    return out;
}

}  // namespace tessivo::datagen
