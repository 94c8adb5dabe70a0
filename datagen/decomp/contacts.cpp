#include "decomp/contacts.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tessivo::datagen::decomposer {

namespace {

// Outlines closer than the first distance touch; farther than the second they are apart.
constexpr double kTouchGap = 6;
constexpr double kApartGap = 18;
// A meeting point at least this far (share of a line's length) from both ends is in the middle
// of the line; nearer an end than the second share it is at that end.
constexpr double kMiddleShare = 0.15;
constexpr double kEndShare = 0.07;
// A stroke whose centre line is shorter than this share of its radical's size is a dot.
constexpr double kDotShare = 0.3;

using P = std::pair<double, double>;

double length(const Median& m) {
    double total = 0;
    for (std::size_t i = 0; i + 1 < m.size(); ++i) total += std::hypot(m[i + 1].first - m[i].first, m[i + 1].second - m[i].second);
    return total;
}

double pointSegment(const P& p, const P& a, const P& b) {
    const double dx = b.first - a.first, dy = b.second - a.second;
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((p.first - a.first) * dx + (p.second - a.second) * dy) / len2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(p.first - (a.first + t * dx), p.second - (a.second + t * dy));
}

// Parameters (0..1 along each segment) where segments ab and cd intersect, if they do.
bool intersect(const P& a, const P& b, const P& c, const P& d, double& s, double& t) {
    const double rx = b.first - a.first, ry = b.second - a.second;
    const double qx = d.first - c.first, qy = d.second - c.second;
    const double denom = rx * qy - ry * qx;
    if (std::abs(denom) < 1e-9) return false;
    const double wx = c.first - a.first, wy = c.second - a.second;
    s = (wx * qy - wy * qx) / denom;
    t = (wx * ry - wy * rx) / denom;
    return s >= 0 && s <= 1 && t >= 0 && t <= 1;
}

// The first intersection of the two lines, as shares of their lengths; false when they do not meet.
bool crossingShares(const Median& a, const Median& b, double& shareA, double& shareB) {
    const double lenA = std::max(length(a), 1e-9), lenB = std::max(length(b), 1e-9);
    double beforeA = 0;
    for (std::size_t i = 0; i + 1 < a.size(); ++i) {
        const double segA = std::hypot(a[i + 1].first - a[i].first, a[i + 1].second - a[i].second);
        double beforeB = 0;
        for (std::size_t j = 0; j + 1 < b.size(); ++j) {
            const double segB = std::hypot(b[j + 1].first - b[j].first, b[j + 1].second - b[j].second);
            double s = 0, t = 0;
            if (intersect(a[i], a[i + 1], b[j], b[j + 1], s, t)) {
                shareA = (beforeA + s * segA) / lenA;
                shareB = (beforeB + t * segB) / lenB;
                return true;
            }
            beforeB += segB;
        }
        beforeA += segA;
    }
    return false;
}

struct Bounds {
    double x0 = 1e9, y0 = 1e9, x1 = -1e9, y1 = -1e9;
};

Bounds boundsOf(const std::vector<Contour>& contours) {
    Bounds b;
    for (const Contour& c : contours) {
        for (const QPointF& p : c) {
            b.x0 = std::min(b.x0, p.x());
            b.y0 = std::min(b.y0, p.y());
            b.x1 = std::max(b.x1, p.x());
            b.y1 = std::max(b.y1, p.y());
        }
    }
    return b;
}

P pt(const QPointF& p) { return {p.x(), p.y()}; }

bool inside(const QPointF& p, const std::vector<Contour>& contours) {
    int winding = 0;
    for (const Contour& c : contours) {
        for (std::size_t i = 0; i < c.size(); ++i) {
            const QPointF& a = c[i];
            const QPointF& b = c[(i + 1) % c.size()];
            const double side = (b.x() - a.x()) * (p.y() - a.y()) - (p.x() - a.x()) * (b.y() - a.y());
            if (a.y() <= p.y() && b.y() > p.y() && side > 0) ++winding;
            else if (a.y() > p.y() && b.y() <= p.y() && side < 0) --winding;
        }
    }
    return winding != 0;
}

// Smallest distance from a vertex of `a` to an edge of `b`; 0 when the outlines overlap.
double gapTo(const std::vector<Contour>& a, const std::vector<Contour>& b) {
    double best = std::numeric_limits<double>::max();
    for (const Contour& ca : a) {
        for (const QPointF& p : ca) {
            if (inside(p, b)) return 0;
            for (const Contour& cb : b) {
                for (std::size_t i = 0; i < cb.size(); ++i) best = std::min(best, pointSegment(pt(p), pt(cb[i]), pt(cb[(i + 1) % cb.size()])));
            }
        }
    }
    return best;
}

double outlineGap(const std::vector<Contour>& a, const std::vector<Contour>& b) {
    const Bounds ba = boundsOf(a), bb = boundsOf(b);
    if (ba.x0 > bb.x1 + kApartGap || bb.x0 > ba.x1 + kApartGap || ba.y0 > bb.y1 + kApartGap || bb.y0 > ba.y1 + kApartGap) {
        return std::numeric_limits<double>::max();
    }
    return std::min(gapTo(a, b), gapTo(b, a));
}

double shareAt(const Median& m, std::size_t segment, double t) {
    double before = 0;
    for (std::size_t i = 0; i < segment; ++i) before += std::hypot(m[i + 1].first - m[i].first, m[i + 1].second - m[i].second);
    const double seg = std::hypot(m[segment + 1].first - m[segment].first, m[segment + 1].second - m[segment].second);
    return (before + t * seg) / std::max(length(m), 1e-9);
}

// Share along `m` of the point nearest to `p`.
double nearestShare(const P& p, const Median& m) {
    double best = std::numeric_limits<double>::max();
    double share = 0;
    for (std::size_t i = 0; i + 1 < m.size(); ++i) {
        const double dx = m[i + 1].first - m[i].first, dy = m[i + 1].second - m[i].second;
        const double len2 = dx * dx + dy * dy;
        const double t = len2 > 0 ? std::clamp(((p.first - m[i].first) * dx + (p.second - m[i].second) * dy) / len2, 0.0, 1.0) : 0;
        const double d = std::hypot(p.first - (m[i].first + t * dx), p.second - (m[i].second + t * dy));
        if (d < best) {
            best = d;
            share = shareAt(m, i, t);
        }
    }
    return share;
}

// Where two lines that do not cut each other come closest: the end of one nearest to the other
// line, as shares along both.
void nearestShares(const Median& a, const Median& b, double& shareA, double& shareB) {
    double best = std::numeric_limits<double>::max();
    for (int end = 0; end < 4; ++end) {
        const bool ofA = end < 2;
        const P& p = ofA ? (end == 0 ? a.front() : a.back()) : (end == 2 ? b.front() : b.back());
        const Median& other = ofA ? b : a;
        double d = std::numeric_limits<double>::max();
        for (std::size_t i = 0; i + 1 < other.size(); ++i) d = std::min(d, pointSegment(p, other[i], other[i + 1]));
        if (d >= best) continue;
        best = d;
        const double own = end % 2 == 0 ? 0.0 : 1.0;
        shareA = ofA ? own : nearestShare(p, a);
        shareB = ofA ? nearestShare(p, b) : own;
    }
}

}  // namespace

StrokeLines strokeLines(const Median& median, const QString& path) {
    StrokeLines out;
    out.median = &median;
    if (!path.isEmpty()) out.outline = parseOutlinePath(path);
    return out;
}

Contact contactOf(const StrokeLines& a, const StrokeLines& b) {
    if (a.outline.empty() || b.outline.empty() || !a.median || !b.median || a.median->size() < 2 || b.median->size() < 2) {
        return Contact::Unsure;
    }
    double shareA = 0, shareB = 0;
    if (!crossingShares(*a.median, *b.median, shareA, shareB)) {
        const double gap = outlineGap(a.outline, b.outline);
        if (gap >= kApartGap) return Contact::Apart;
        if (gap > kTouchGap) return Contact::Unsure;
        nearestShares(*a.median, *b.median, shareA, shareB);
    }
    const auto place = [](double share) {
        const double fromEnd = std::min(share, 1 - share);
        return fromEnd >= kMiddleShare ? 2 : fromEnd < kEndShare ? 0 : 1;  // middle, end, unsure
    };
    const int pa = place(shareA), pb = place(shareB);
    if (pa == 1 || pb == 1) return Contact::Unsure;
    if (pa == 2 && pb == 2) return Contact::Cross;
    return pa == 0 && pb == 0 ? Contact::Corner : Contact::Tee;
}

ContactTable::ContactTable(std::vector<StrokeLines> strokes)
    : strokes_(std::move(strokes)), table_(strokes_.size() * strokes_.size(), -1) {}

Contact ContactTable::at(std::size_t i, std::size_t j) const {
    const std::size_t n = strokes_.size();
    signed char& known = table_[i * n + j];
    if (known < 0) {
        known = static_cast<signed char>(contactOf(strokes_[i], strokes_[j]));
        table_[j * n + i] = known;
    }
    return static_cast<Contact>(known);
}

std::vector<bool> ContactTable::shortAmong(const std::vector<std::size_t>& strokes) const {
    Bounds all;
    for (std::size_t s : strokes) {
        for (const auto& [x, y] : *strokes_[s].median) {
            all.x0 = std::min(all.x0, x), all.y0 = std::min(all.y0, y), all.x1 = std::max(all.x1, x), all.y1 = std::max(all.y1, y);
        }
    }
    const double size = std::max(all.x1 - all.x0, all.y1 - all.y0);
    std::vector<bool> out;
    for (std::size_t s : strokes) out.push_back(length(*strokes_[s].median) < kDotShare * size);
    return out;
}

int ContactTable::detachedPieces(const std::vector<std::size_t>& strokes, const std::vector<bool>& skip) const {
    // Union-find over the strokes that do not stand clearly apart.
    std::vector<std::size_t> piece(strokes.size());
    for (std::size_t i = 0; i < piece.size(); ++i) piece[i] = i;
    const auto root = [&](std::size_t i) {
        while (piece[i] != i) i = piece[i] = piece[piece[i]];
        return i;
    };
    for (std::size_t i = 0; i < strokes.size(); ++i) {
        for (std::size_t j = i + 1; j < strokes.size(); ++j) {
            if (at(strokes[i], strokes[j]) != Contact::Apart) piece[root(i)] = root(j);
        }
    }
    // A piece of skipped strokes alone is no piece; skipped strokes still join the others they meet.
    const auto skipped = [&](std::size_t i) { return i < skip.size() && skip[i]; };
    std::vector<bool> counts(strokes.size(), false);
    for (std::size_t i = 0; i < strokes.size(); ++i) {
        if (!skipped(i)) counts[root(i)] = true;
    }
    int detached = 0;
    for (std::size_t r = 0; r < strokes.size(); ++r) {
        if (root(r) != r || !counts[r]) continue;
        Bounds own, rest;
        for (std::size_t i = 0; i < strokes.size(); ++i) {
            if (!counts[root(i)]) continue;
            Bounds& b = root(i) == r ? own : rest;
            for (const auto& [x, y] : *strokes_[strokes[i]].median) {
                b.x0 = std::min(b.x0, x), b.y0 = std::min(b.y0, y), b.x1 = std::max(b.x1, x), b.y1 = std::max(b.y1, y);
            }
        }
        // Only a piece wholly above or below the rest counts: side by side (八 儿 人 in 泰) brush
        // fonts often part strokes that the radical alone joins.
        const bool clear = rest.x0 <= rest.x1 && (own.y1 < rest.y0 || own.y0 > rest.y1);
        if (clear) ++detached;
    }
    return detached;
}

int extraPieces(const ContactTable& own, const std::vector<int>& strokes, const ContactTable& reference, const QString& classes) {
    std::vector<std::size_t> mine(strokes.begin(), strokes.end());
    std::vector<std::size_t> all(strokes.size());
    for (std::size_t i = 0; i < all.size(); ++i) all[i] = i;
    // A dot short in either stays out of both counts: squeezed into a narrow radical a dot looks long.
    const std::vector<bool> ownShort = own.shortAmong(mine);
    const std::vector<bool> referenceShort = reference.shortAmong(all);
    std::vector<bool> skip(all.size(), false);
    for (std::size_t i = 0; i < skip.size() && i < static_cast<std::size_t>(classes.size()); ++i) {
        skip[i] = classes[static_cast<qsizetype>(i)] == QLatin1Char('n') && (ownShort[i] || referenceShort[i]);
    }
    // Leaving the dots out only ever excuses: it cannot make pieces that the whole strokes do not.
    const int whole = own.detachedPieces(mine) - reference.detachedPieces(all);
    return std::min(whole, own.detachedPieces(mine, skip) - reference.detachedPieces(all, skip));
}

}  // namespace tessivo::datagen::decomposer
