#include "decomp/search.h"

#include "decomp/contacts.h"

#include <algorithm>
#include <bit>
#include <limits>

namespace tessivo::datagen::decomposer {

namespace {

constexpr double kPerRadical = 0.03;
constexpr double kNoReference = 0.25;       // shape cost of a radical the outline data does not draw
constexpr double kWrapContained = 0.03;     // a wrapping radical around strokes inside it
constexpr double kInterleaveContained = 0.04;
constexpr double kChartPause = 0.03;        // a pause the radical's order of strokes allows (pauseAt)
constexpr double kInterleaveLoose = 0.08;   // strokes between a radical's parts that lie outside it
constexpr double kSkippedDot = 0.02;        // 戈's dot left out of the last radical
constexpr double kSkippedDotBeforeKey = 0.20;  // ... and an identification key after three radicals
constexpr double kCloseOrder = 0.03;        // radicals coded in the order they are finished
constexpr double kIdentShape = 0.06;        // identification key of the right stroke, other shape
constexpr double kIdentZone = 0.40;         // identification key of another last stroke
constexpr double kKeyMismatch = 0.50;       // relaxed search only
constexpr double kPruneMargin = 0.15;       // partial parses this much worse than the best are dropped
// Shape check: a coded radical of two strokes farther than this from its reference, or of more
// strokes farther than the second limit, fails.
constexpr double kShapeLimitTwoStrokes = 0.45;
constexpr double kShapeLimit = 0.35;
constexpr double kShapeFail = 0.20;         // a parse whose radical fails the shape check
// Per piece the strokes make above the reference's, stacked clear of the rest (一 over 口 read
// as 五): enough for the split into the radicals of the pieces to win. Not part of the shape
// check, since fonts leave a gap in some radicals that have no other reading (匚 of 牙).
constexpr double kDetachedPiece = 0.15;
// Two strokes this close to their radical's shape are that radical however far the font parts them.
constexpr double kPartedPairShape = 0.2;
constexpr long kNodeBudget = 1500000;
// A radical that lies within a contained component's strokes but is none of its own radicals.
constexpr double kComponentSplit = 0.10;

int partCount(const chart::Radical* r) { return r->parts.empty() ? 1 : static_cast<int>(r->parts.size()); }

QChar partKey(const chart::Radical* r, int p) { return r->parts.empty() ? r->key : r->parts[static_cast<std::size_t>(p)].key; }

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
            for (int offset : in.radical->parts[p].offsets) part.mask |= StrokeSet{1} << strokes[static_cast<std::size_t>(offset)];
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

// Whether a later order of r's strokes lets it pause after `matched` of them (垂's 士).
bool pausesInOrder(const chart::Radical* r, int matched) { return r->alternative > 0 && matched == r->pauseAt; }

}  // namespace

bool shapePasses(const Instance& in) {
    const int strokes = std::popcount(in.mask);
    return !in.hasReference || strokes < 2 || in.shape <= (strokes == 2 ? kShapeLimitTwoStrokes : kShapeLimit);
}

QChar keyOf(const Instance& in) { return in.part >= 0 ? in.radical->parts[static_cast<std::size_t>(in.part)].key : in.radical->key; }

QString glyphOf(const Instance& in) {
    return in.part >= 0 ? in.radical->parts[static_cast<std::size_t>(in.part)].glyph : in.radical->glyph;
}

Search::Search(const QString& classes, const SearchInputs& inputs, double basePenalty)
    : s_(classes.toLatin1()), g_(inputs.geometry), code_(inputs.code), chart_(inputs.chart), refs_(inputs.references),
      shapeCache_(inputs.shapeCache), components_(inputs.components), base_(basePenalty),
      componentRadicalSize_(static_cast<std::size_t>(g_.n), 0) {
    for (const ComponentHint& h : components_) {
        for (StrokeSet group : h.groups) {
            const auto first = static_cast<std::size_t>(std::countr_zero(group));
            if (componentRadicalSize_[first] == 0) componentRadicalSize_[first] = std::popcount(group);
        }
    }
}

void Search::run(Mode mode, std::vector<Candidate>& out) {
    mode_ = mode;
    out_ = &out;
    nodes_ = 0;
    insts_.clear();
    startCount_ = closeCount_ = 0;
    skipped_ = 0;
    best_ = std::numeric_limits<double>::max();
    // Pruning weighs the shapes alone: a parse that cuts a component is still found.
    for (const Candidate& c : out) best_ = std::min(best_, c.cost - c.componentCost);
    dfs(0, base_);
}

// Start-order key check for the k-th radical begun; returns the cost added or -1 to refuse.
double Search::startKeyCost(int k, QChar key) const {
    const int coded = code_.size() == 3 ? 2 : 3;
    if (k < coded) {
        if (key == code_[k]) return 0;
        return mode_ == Mode::Relaxed ? kKeyMismatch : (mode_ == Mode::StrictStart ? -1 : 0);
    }
    if (code_.size() == 3) return -1;  // two radicals and an identification key, never more
    return 0;
}

double Search::closeKeyCost(int k, QChar key) const {
    if (mode_ != Mode::StrictClose) return 0;
    const int coded = code_.size() == 3 ? 2 : 3;
    if (k < coded) return key == code_[k] ? 0 : -1;
    return code_.size() == 3 ? -1 : 0;
}

double Search::closeKeysCost(const chart::Radical* r) const {
    double total = 0;
    for (int p = 0; p < partCount(r); ++p) {
        const double k = closeKeyCost(closeCount_ + p, partKey(r, p));
        if (k < 0) return -1;
        total += k;
    }
    return total;
}

ShapeFit Search::shapeFit(const Instance& inst) {
    const ShapeKey cacheKey{inst.mask, inst.radical};
    if (auto it = shapeCache_.find(cacheKey); it != shapeCache_.end()) return it->second;
    ShapeFit fit{kNoReference, 0};
    if (const Shape* ref = refs_.shape(inst.radical)) {
        fit.distance = g_.distanceFrom(inst.mask, *ref, inst.radical->alternative > 0 && std::popcount(inst.mask) <= 6);
        fit.extraPieces = std::max(0, extraPieces(g_.contacts, indicesOf(inst.mask), *refs_.contacts(inst.radical), inst.radical->classes));
        // Two strokes that keep the radical's shape although the font parts them (匚 of 牙: 一
        // over its 乚) have no other reading.
        if (std::popcount(inst.mask) == 2 && fit.distance <= kPartedPairShape) fit.extraPieces = 0;
    }
    shapeCache_.emplace(cacheKey, fit);
    return fit;
}

// Cost of closing `inst`: its shape and the price of any gap. -1 refuses.
double Search::closeCost(Instance& inst) {
    double cost = kPerRadical;
    const ShapeFit fit = shapeFit(inst);
    inst.shape = fit.distance;
    inst.hasReference = refs_.shape(inst.radical) != nullptr;
    cost += inst.shape * std::popcount(inst.mask) / n() + kDetachedPiece * fit.extraPieces;
    if (!shapePasses(inst)) cost += kShapeFail;
    if (inst.gaps > 0 && inst.pauseGap) {
        cost += kChartPause;
    } else if (inst.gaps > 0) {
        const bool contained = g_.enclosesGap(inst.mask, inst.first, inst.last);
        if (inst.wrapGap && contained) cost += kWrapContained;
        else if (inst.wrapGap) cost += kInterleaveLoose;
        else cost += contained ? kInterleaveContained : kInterleaveLoose;
    }
    return cost;
}

// A radical pauses once: at its wrapping point, where its order of strokes lets it, or (short
// radicals such as ⺀ 刂) after its first stroke.
bool Search::mayPause(const Instance& in) {
    if (in.gaps > 0) return false;
    return in.matched == in.radical->wrapAt || pausesInOrder(in.radical, in.matched) || (in.matched == 1 && in.radical->classes.size() <= 2);
}

int Search::openCount() const {
    int open = 0;
    for (const Instance& in : insts_) open += in.matched < in.radical->classes.size();
    return open;
}

void Search::dfs(int i, double cost) {
    if (++nodes_ > kNodeBudget) return;
    if (cost > best_ + kPruneMargin) return;
    if (i == n()) {
        if (openCount() == 0) finish(cost);
        return;
    }
    const char c = cls(i);
    int forced = -1;
    if (!openRadicalsFit(i, c, forced)) return;
    for (std::size_t j = 0; j < insts_.size(); ++j) {
        if (forced < 0 || static_cast<int>(j) == forced) continueRadical(j, i, cost);
    }
    if (forced >= 0) return;
    // Leave the final dot out of the last radical (成 我: the 丿 before it is coded last; 跋: 又).
    if (mayLeaveDot(i, c)) {
        skipped_ = StrokeSet{1} << i;
        dfs(i + 1, cost + kSkippedDot);
        skipped_ = 0;
    }
    if (openCount() >= 2) return;
    // Where a radical of a contained component begins, radicals of its size go first: the larger
    // ones, tried first otherwise, could use up the budget (𠂉 十 before 丿 土 at the top of 赞 in
    // 趱; 彳 before the 丿 of 雍's 乡 in 饔).
    const int own = componentRadicalSize_[static_cast<std::size_t>(i)];
    for (int pass = own > 0 ? 0 : 1; pass < 2; ++pass) {
        for (const chart::Radical* r : chart_.startingWith(c)) {
            if (own > 0 && (static_cast<int>(r->classes.size()) == own) != (pass == 0)) continue;
            // The first two radicals each get the whole budget, for the same reason (赞 in 攒).
            if (insts_.size() <= 1) nodes_ = 0;
            beginRadical(r, i, cost);
        }
    }
}

// An open radical that may not pause here must take stroke i (`forced`, else -1); open
// radicals must fit into the strokes left. False when no parse can go on.
bool Search::openRadicalsFit(int i, char c, int& forced) const {
    forced = -1;
    int needed = 0;
    for (std::size_t j = 0; j < insts_.size(); ++j) {
        const Instance& in = insts_[j];
        const int len = static_cast<int>(in.radical->classes.size());
        if (in.matched >= len) continue;
        needed += len - in.matched;
        if (mayPause(in)) continue;
        if (forced >= 0 || in.radical->classes[in.matched].toLatin1() != c) return false;
        forced = static_cast<int>(j);
    }
    return needed <= n() - i;
}

// Stroke i continues open radical j, if its class comes next there.
void Search::continueRadical(std::size_t j, int i, double cost) {
    Instance& in = insts_[j];
    const int len = static_cast<int>(in.radical->classes.size());
    if (in.matched >= len || in.radical->classes[in.matched].toLatin1() != cls(i)) return;
    const bool gap = in.last != i - 1;
    // What came in between must be complete when a paused radical resumes.
    if (gap && openCount() > 1) return;
    const Instance saved = in;
    in.mask |= StrokeSet{1} << i;
    in.matched += 1;
    in.last = i;
    if (gap) {
        in.gaps = 1;
        in.wrapGap = in.radical->wrapAt == saved.matched;
        in.pauseGap = pausesInOrder(in.radical, saved.matched);
    }
    double add = 0;
    if (in.matched == len) {
        const double k = closeKeysCost(in.radical);
        if (k < 0) {
            in = saved;
            return;
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

// The final dot after 戈's 乚 丿, or after the 横撇 捺 of 犮's 又 (跋 khdc: the dot is not coded).
bool Search::mayLeaveDot(int i, char c) const {
    return i == n() - 1 && n() >= 4 && code_.size() == 4 && c == 'n' && (cls(i - 1) == 'p' || cls(i - 1) == 'n') && cls(i - 2) == 'z' &&
           openCount() == 0 && mode_ != Mode::Relaxed;
}

// Radical r begins at stroke i.
void Search::beginRadical(const chart::Radical* r, int i, double cost) {
    const int len = static_cast<int>(r->classes.size());
    if (len > n() - i) return;
    double add = 0;
    if (mode_ != Mode::StrictClose) {
        for (int p = 0; p < partCount(r) && add >= 0; ++p) {
            const double k = startKeyCost(startCount_ + p, partKey(r, p));
            add = k < 0 ? -1 : add + k;
        }
        if (add < 0) return;
    } else if (code_.size() == 3 && !code_.contains(partKey(r, 0))) {
        return;
    }
    Instance in;
    in.radical = r;
    in.mask = StrokeSet{1} << i;
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

// The class of the stroke that counts as the last of coded radical k, and whether an
// enclosure makes the shape 杂合.
char Search::effectiveLast(const std::vector<Instance>& ordered, std::size_t k, bool& mixed) const {
    const Instance& f = ordered[k];
    const char last = s_[f.last];
    // 辶 廴: the last stroke of the radical they enclose, by that radical's own rules.
    if (f.radical->enclosesBefore && f.part < 0 && k > 0) {
        mixed = true;
        return effectiveLast(ordered, k - 1, mixed);
    }
    // 戈's dot is written last, but the 丿 before it counts.
    if (f.radical->dotAfterSweep && last == 'n' && std::popcount(f.mask) >= 2) {
        const auto idxs = indicesOf(f.mask);
        return s_[idxs[idxs.size() - 2]];
    }
    if (f.part < 0 && f.radical->foldLast && f.radical->classes.contains(QLatin1Char('z'))) return 'z';
    if (f.part < 0 && f.radical->standardLast != 0) return f.radical->standardLast;
    return last;
}

// Identification-key check: which stroke counts as last, and the shape type.
double Search::identCost(const std::vector<Instance>& ordered, bool& ok) const {
    ok = true;
    // The last stroke is that of the last coded radical (兆: 儿's 乚, 幽: 山's 丨, 国: 丶),
    // by the rules of the radical that holds it.
    bool mixed = false;
    std::vector<StrokeSet> parts;
    for (const Instance& in : ordered) {
        if (in.gaps > 0 && in.wrapGap) mixed = true;
        parts.push_back(in.mask);
    }
    const char last = effectiveLast(ordered, ordered.size() - 1, mixed);
    const Layout layout = mixed ? Layout::Mixed : g_.layoutOf(parts);
    const QString zone = chart::identZone(last);
    const QChar letter = code_.back();
    if (zone.size() == 3 && zone[static_cast<int>(layout) - 1] == letter) return 0;
    if (zone.contains(letter)) return kIdentShape;
    ok = false;
    return kIdentZone;
}

// Per contained component: whether the parse cuts it otherwise than its own split, i.e. a
// radical takes some of its strokes with a gap, or lies wholly within them without being one of
// its own radicals. The latter is forgiven where a radical runs across its border without a gap
// or holds all of it (取大优先 across the border: 丆 of 百 takes 白's first stroke; 䒑 of 碰 takes
// the 一 over 业; 氺 of 漆 takes the 丨 that makes 个 with 人 above it; 犬 holds 大; ⺷ of 羊 is
// all of 丰, which alone is 三 丨).
bool Search::vouched(StrokeSet radical) const {
    return std::any_of(components_.begin(), components_.end(), [&](const ComponentHint& h) {
        return h.strokes != radical && std::find(h.groups.begin(), h.groups.end(), radical) != h.groups.end();
    });
}

double Search::componentCost(const std::vector<Instance>& all) const {
    double cost = 0;
    for (const ComponentHint& hint : components_) {
        bool gapped = false;
        bool otherwise = false;
        bool freed = false;
        // Only the strokes whose radicals the component knows (a near tie knows some).
        const StrokeSet scope = hint.known;
        for (const Instance& in : all) {
            const StrokeSet inside = in.mask & scope;
            if (!inside) continue;
            const bool contiguous = in.last - in.first + 1 == std::popcount(in.mask);
            // Holding all of it and more (犬 around 大) frees it. A radical on exactly its strokes
            // reads the component as that one radical (夕 for 勺 in 豹), which its own split denies,
            // unless a larger component has that radical (⺷ of 羊 holds all of 丰).
            const bool exactly = inside == scope && in.mask == inside;
            if ((inside == scope && !exactly) || (inside != in.mask && contiguous)) freed = true;
            else if (exactly && vouched(in.mask)) freed = true;
            else if (inside != in.mask) gapped = true;
            else if (std::find(hint.groups.begin(), hint.groups.end(), in.mask) == hint.groups.end()) otherwise = true;
        }
        if (gapped || (otherwise && !freed)) cost += kComponentSplit;
    }
    return cost;
}

int Search::crossings(const std::vector<Instance>& all) const {
    int count = 0;
    for (std::size_t a = 0; a < all.size(); ++a) {
        for (std::size_t b = a + 1; b < all.size(); ++b) {
            bool cross = false;
            for (int i : indicesOf(all[a].mask)) {
                for (int j : indicesOf(all[b].mask)) {
                    cross = cross || g_.contacts.at(static_cast<std::size_t>(i), static_cast<std::size_t>(j)) == Contact::Cross;
                }
            }
            count += cross;
        }
    }
    return count;
}

// The 丨 of 干 stands on its top stroke; one that runs up through it (the 二 丨 under 译's 又) makes
// no 干. Only radicals in their first order, whose strokes pair with the reference's one to one.
int Search::crossedMeetings(const std::vector<Instance>& all) {
    int count = 0;
    for (const Instance& in : all) {
        if (in.part >= 0 || in.radical->alternative != 0) continue;
        const ContactTable* reference = refs_.contacts(in.radical);
        if (!reference) continue;
        const std::vector<int> strokes = indicesOf(in.mask);
        for (std::size_t a = 0; a < strokes.size(); ++a) {
            for (std::size_t b = a + 1; b < strokes.size(); ++b) {
                const Contact own = g_.contacts.at(static_cast<std::size_t>(strokes[a]), static_cast<std::size_t>(strokes[b]));
                const Contact ref = reference->at(a, b);
                count += own == Contact::Cross && (ref == Contact::Tee || ref == Contact::Corner);
            }
        }
    }
    return count;
}

// A stroke alone as a radical beside a like stroke in another radical, both meeting that
// radical's other strokes alike (叚's two short 一 on its 丨: ⺊ and a lone 一 split the 二).
int Search::splitPairs(const std::vector<Instance>& all) const {
    int count = 0;
    const auto contact = [&](int i, int j) { return g_.contacts.at(static_cast<std::size_t>(i), static_cast<std::size_t>(j)); };
    for (const Instance& lone : all) {
        if (std::popcount(lone.mask) != 1) continue;
        const int y = std::countr_zero(lone.mask);
        for (const Instance& other : all) {
            if (&other == &lone || std::popcount(other.mask) < 2) continue;
            const std::vector<int> strokes = indicesOf(other.mask);
            for (int x : strokes) {
                if (cls(x) != cls(y) || contact(x, y) != Contact::Apart) continue;
                bool alike = true;
                bool meets = false;
                for (int z : strokes) {
                    if (z == x) continue;
                    alike = alike && contact(x, z) == contact(y, z);
                    meets = meets || (contact(x, z) != Contact::Apart && contact(x, z) != Contact::Unsure);
                }
                count += alike && meets;
            }
        }
    }
    return count;
}

void Search::finish(double cost) {
    const std::vector<Instance> all = expanded(insts_);
    const int m = static_cast<int>(all.size());
    const bool three = code_.size() == 3;
    if (three ? m != 2 : m < 3) return;
    // In the close-order search the radicals are coded in the order they are finished.
    std::vector<Instance> ordered = all;
    Candidate cand;
    cand.componentCost = componentCost(all);
    cand.cost = cost + cand.componentCost;
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
        // Two or three radicals and the identification key. 犮's dot may be left out after its 又
        // (茇 adcu: the key of 又's 捺), but only where coding the dot does not spell the code
        // (拔 rdcy codes it); 戈's dot is never left out here.
        if (skipped_ && m < 3) return;
        if (skipped_) cand.cost += kSkippedDotBeforeKey;
        cand.radicals = m;
        cand.cost += identCost(ordered, cand.identOk);
        cand.panelMasks = {ordered[0].mask, ordered[1].mask, m == 3 ? ordered[2].mask : 0, 0};
    }
    if (mode_ == Mode::Relaxed) {
        for (int k = 0; k < cand.radicals; ++k) {
            const Instance& in = (k == 3) ? ordered.back() : ordered[static_cast<std::size_t>(k)];
            if (keyOf(in) != code_[k]) cand.matches = false;
        }
    }
    cand.crossings = crossings(all);
    cand.crossedMeetings = crossedMeetings(all);
    cand.splitPairs = splitPairs(all);
    cand.ordered = std::move(ordered);
    record(std::move(cand));
}

// Keeps the cheapest parse of each panel split.
void Search::record(Candidate cand) {
    best_ = std::min(best_, cand.cost - cand.componentCost);
    for (Candidate& c : *out_) {
        if (c.panelMasks == cand.panelMasks && c.radicals == cand.radicals) {
            if (cand.cost < c.cost) c = std::move(cand);
            return;
        }
    }
    out_->push_back(std::move(cand));
}

}  // namespace tessivo::datagen::decomposer
