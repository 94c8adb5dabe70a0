#include "decomp/geometry.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace tessivo::datagen::decomposer {

namespace {

// How far (outline units) a stroke may stick out of the box of a radical wrapped round it.
constexpr double kContainTolerance = 40;

}  // namespace

std::vector<int> indicesOf(StrokeSet set) {
    std::vector<int> out;
    while (set) {
        out.push_back(std::countr_zero(set));
        set &= set - 1;
    }
    return out;
}

StrokeSet firstStrokes(int n) { return n >= kMaxStrokes ? ~StrokeSet{0} : (StrokeSet{1} << n) - 1; }

StrokePoints resample(const Median& median) {
    StrokePoints out{};
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

Box boxOf(const Median& median) {
    Box b;
    for (const auto& [x, y] : median) b.add({x, y, x, y});
    return b;
}

Shape normalisedRun(const std::vector<StrokePoints>& strokes, int first, int count) {
    std::vector<const StrokePoints*> points;
    for (int i = first; i < first + count; ++i) points.push_back(&strokes[static_cast<std::size_t>(i)]);
    return normalised(points);
}

Shape normalised(const std::vector<const StrokePoints*>& strokes) {
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
        StrokePoints n{};
        for (std::size_t k = 0; k < 8; ++k) n[k] = {((*s)[k].x - cx) / w, ((*s)[k].y - cy) / h};
        out.push_back(n);
    }
    return out;
}

namespace {

double strokeDistance(const StrokePoints& a, const StrokePoints& b) {
    double d = 0;
    for (std::size_t k = 0; k < 8; ++k) d += std::hypot(a[k].x - b[k].x, a[k].y - b[k].y);
    return d / 8;
}

}  // namespace

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

Geometry Geometry::of(const CharacterInput& input) {
    Geometry g;
    g.n = static_cast<int>(input.strokes.size());
    std::vector<StrokeLines> lines;
    for (const Stroke& s : input.strokes) {
        g.strokes.push_back(resample(s.median));
        g.boxes.push_back(datagen::decomposer::boxOf(s.median));
        lines.push_back(strokeLines(s.median, s.path));
    }
    g.contacts = ContactTable(std::move(lines));
    return g;
}

Box Geometry::boxOf(StrokeSet set) const {
    Box box;
    for (int i : indicesOf(set)) box.add(boxes[static_cast<std::size_t>(i)]);
    return box;
}

double Geometry::distanceFrom(StrokeSet set, const Shape& reference, bool anyOrder) const {
    std::vector<const StrokePoints*> points;
    for (int i : indicesOf(set)) points.push_back(&strokes[static_cast<std::size_t>(i)]);
    return shapeDistance(normalised(points), reference, anyOrder);
}

bool Geometry::enclosesGap(StrokeSet set, int first, int last) const {
    const Box own = boxOf(set);
    bool contained = true;
    for (int i = first + 1; i < last; ++i) {
        if (set >> i & 1) continue;
        const Box& b = boxes[static_cast<std::size_t>(i)];
        if (b.x0 < own.x0 - kContainTolerance || b.x1 > own.x1 + kContainTolerance || b.y0 < own.y0 - kContainTolerance ||
            b.y1 > own.y1 + kContainTolerance) {
            contained = false;
        }
    }
    return contained;
}

Layout Geometry::layoutOf(const std::vector<StrokeSet>& parts) const {
    bool vertical = false;
    for (std::size_t k = 1; k < parts.size(); ++k) {
        StrokeSet before = 0;
        StrokeSet after = 0;
        for (std::size_t j = 0; j < parts.size(); ++j) (j < k ? before : after) |= parts[j];
        const Box a = boxOf(before);
        const Box b = boxOf(after);
        const double w = std::min(a.x1 - a.x0, b.x1 - b.x0);
        const double h = std::min(a.y1 - a.y0, b.y1 - b.y0);
        if (a.x1 - b.x0 < 0.2 * std::max(w, 60.0)) return Layout::LeftRight;
        // y grows upwards: the first part lies above when its bottom is over the rest's top.
        if (b.y1 - a.y0 < 0.2 * std::max(h, 60.0)) vertical = true;
    }
    return vertical ? Layout::TopBottom : Layout::Mixed;
}

const ReferenceShapes::Reference* ReferenceShapes::reference(const chart::Radical* r) {
    auto it = cache_.find(r);
    if (it != cache_.end()) return it->second ? &*it->second : nullptr;
    std::optional<Reference> ref;
    if (lookup_ && !r->refGlyph.isEmpty()) {
        if (const Outline* outline = lookup_(r->refGlyph)) {
            const std::vector<Median>* medians = &outline->medians;
            const int first = r->refFirst;
            const int count = r->refCount > 0 ? r->refCount : static_cast<int>(medians->size()) - first;
            if (count == r->classes.size() && first + count <= static_cast<int>(medians->size())) {
                std::vector<StrokePoints> points;
                std::vector<StrokeLines> lines;
                for (int i = first; i < first + count; ++i) {
                    const auto k = static_cast<std::size_t>(i);
                    points.push_back(resample((*medians)[k]));
                    lines.push_back(strokeLines((*medians)[k], k < static_cast<std::size_t>(outline->paths.size()) ? outline->paths[i] : QString()));
                }
                std::vector<const StrokePoints*> pointers;
                for (const auto& p : points) pointers.push_back(&p);
                Reference made;
                made.shape = normalised(pointers);
                made.contacts = ContactTable(std::move(lines));
                ref = std::move(made);
            }
        }
    }
    it = cache_.emplace(r, std::move(ref)).first;
    return it->second ? &*it->second : nullptr;
}

const Shape* ReferenceShapes::shape(const chart::Radical* r) {
    const Reference* ref = reference(r);
    return ref ? &ref->shape : nullptr;
}

const ContactTable* ReferenceShapes::contacts(const chart::Radical* r) {
    const Reference* ref = reference(r);
    return ref ? &ref->contacts : nullptr;
}

}  // namespace tessivo::datagen::decomposer
