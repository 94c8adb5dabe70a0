#pragma once

// What the decomposer knows of a character's shape: each stroke's centre line resampled to eight
// points, the strokes' boxes, and the reference shapes of the chart's radicals to compare with.

#include "decomp/contacts.h"
#include "decomp/decomposer.h"

#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <unordered_map>
#include <vector>

namespace tessivo::datagen::decomposer {

// Strokes of one character, bit i for stroke i in writing order.
using StrokeSet = std::uint64_t;
inline constexpr int kMaxStrokes = 64;

// The strokes of `set`, ascending.
std::vector<int> indicesOf(StrokeSet set);
// The first `n` strokes (all 64 from n = 64 on).
StrokeSet firstStrokes(int n);

struct Point {
    double x, y;
};

// A centre line resampled to eight points evenly spaced along its length.
using StrokePoints = std::array<Point, 8>;
// Strokes normalised to a common unit box, comparable whatever their size and place.
using Shape = std::vector<StrokePoints>;

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

StrokePoints resample(const Median& median);
Box boxOf(const Median& median);

// Centres the strokes on their common box and scales it to a unit square (a thin box counts as
// at least 60 units, so a lone horizontal stays flat instead of being blown up).
Shape normalised(const std::vector<const StrokePoints*>& strokes);
// Strokes first .. first + count - 1 of `strokes`, normalised together.
Shape normalisedRun(const std::vector<StrokePoints>& strokes, int first, int count);

// Strokes this close (mean distance in the unit box) to a component's are that component.
constexpr double kSameComponentShape = 0.13;

// Mean distance of stroke i of `a` from stroke i of `b`; with `anyOrder`, of the best pairing
// (a variant of a radical written in another order than its reference glyph).
double shapeDistance(const Shape& a, const Shape& b, bool anyOrder);

// How the coded parts of a character lie: side by side, one over the other, or neither.
// The values are the places of the shapes in a zone of identification keys, counted from 1.
enum class Layout { LeftRight = 1, TopBottom = 2, Mixed = 3 };

// One character's strokes, as the search compares them.
struct Geometry {
    int n = 0;
    std::vector<StrokePoints> strokes;
    std::vector<Box> boxes;
    ContactTable contacts;  // how the strokes meet

    static Geometry of(const CharacterInput& input);

    Box boxOf(StrokeSet set) const;
    // Distance of the strokes of `set` from `reference` (see shapeDistance).
    double distanceFrom(StrokeSet set, const Shape& reference, bool anyOrder) const;
    // Whether every stroke written between `first` and `last` that is not in `set` lies inside
    // the box of `set` (give or take a little): a radical wrapped round them, not interleaved.
    bool enclosesGap(StrokeSet set, int first, int last) const;
    // How `parts` (in coding order) lie: LeftRight as soon as one split into the parts before and
    // after it leaves the first group left of the second, else TopBottom when one leaves it
    // above, else Mixed.
    Layout layoutOf(const std::vector<StrokeSet>& parts) const;
};

// Reference shapes of the chart's radicals, normalised once per radical.
class ReferenceShapes {
public:
    explicit ReferenceShapes(const ReferenceLookup& lookup) : lookup_(lookup) {}

    // nullptr when the radical has no reference glyph, the outline data lacks it, or its stroke
    // count does not fit the radical.
    const Shape* shape(const chart::Radical* r);
    // How the same strokes meet in the outline data; nullptr as above.
    const ContactTable* contacts(const chart::Radical* r);

private:
    struct Reference {
        Shape shape;
        ContactTable contacts;
    };
    const Reference* reference(const chart::Radical* r);

    const ReferenceLookup& lookup_;
    std::unordered_map<const chart::Radical*, std::optional<Reference>> cache_;
};

}  // namespace tessivo::datagen::decomposer
