#pragma once

// How the strokes of a radical meet: apart, touching (连) or crossing (交). Stroke classes alone
// let 一 over 口 pass for 五, or 月 with a vertical through its top for 用; the way the strokes meet
// tells them apart, so a radical is shape-true only when its strokes meet as in its reference glyph.

#include "decomp/inputs.h"
#include "decomp/outline.h"

#include <QString>

#include <vector>

namespace tessivo::datagen::decomposer {

// In order of closeness: apart, meeting end to end (the corner of 口), the end of one on the
// middle of the other (the 丨 under the 一 of 五), crossing (十). Unsure: between two of those,
// where one font's choice is another's other, or a stroke has no outline; it never counts.
enum class Contact { Apart, Corner, Tee, Cross, Unsure };

// One stroke as the contact test sees it: its centre line and its outline (outline units).
struct StrokeLines {
    const Median* median = nullptr;
    std::vector<Contour> outline;  // empty: unknown
};

StrokeLines strokeLines(const Median& median, const QString& path);

// How two strokes meet, from where their centre lines cut or come closest to each other, and
// whether their outlines touch.
Contact contactOf(const StrokeLines& a, const StrokeLines& b);

// How the pairs of a character's strokes meet, each worked out when first asked for.
class ContactTable {
public:
    ContactTable() = default;
    explicit ContactTable(std::vector<StrokeLines> strokes);
    Contact at(std::size_t i, std::size_t j) const;
    // How many pieces of `strokes` (strokes that meet, or may, form one piece) lie wholly above or
    // below the rest: 五 and 日 one (日's middle stroke may float, but between the others), 八 one
    // (its strokes stand side by side), 一 over 口 two, 三 two. Strokes flagged in `skip` (one flag
    // per stroke of `strokes`) join the strokes they meet but make no piece of their own.
    int detachedPieces(const std::vector<std::size_t>& strokes, const std::vector<bool>& skip = {}) const;
    // Which of `strokes` are short beside the strokes' common box, as a dot is.
    std::vector<bool> shortAmong(const std::vector<std::size_t>& strokes) const;

private:

    std::vector<StrokeLines> strokes_;
    mutable std::vector<signed char> table_;  // -1: not yet known
};

// How many more detached pieces the strokes `strokes` of `own` make than the whole of `reference`:
// above 0, strokes of separate radicals are read as one (一 over 口 taken for 五). Fewer pieces
// are no fault: compositions often join strokes that stand apart in the radical alone.
// `classes`: the radical's stroke classes, one a stroke (empty: unknown). Dots (class n) short in
// either count for neither, since brush fonts place them freely (立's top, 心's dots, 犬's dot).
int extraPieces(const ContactTable& own, const std::vector<int>& strokes, const ContactTable& reference,
                const QString& classes = {});

}  // namespace tessivo::datagen::decomposer
