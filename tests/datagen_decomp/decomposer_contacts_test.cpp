// How strokes meet (apart, at their corners, end on middle, crossing) and the pieces a run of
// strokes falls into: what tells 一 over 口 from 五.

#include "decomp/contacts.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tessivo::datagen::decomposer {
namespace {

// A straight stroke from (x0, y0) to (x1, y1), 40 units wide, its outline a rectangle round it.
struct Line {
    Median median;
    QString path;
};

Line line(double x0, double y0, double x1, double y1) {
    const double len = std::hypot(x1 - x0, y1 - y0);
    const double nx = -(y1 - y0) / len * 20, ny = (x1 - x0) / len * 20;
    Line l;
    l.median = {{x0, y0}, {x1, y1}};
    l.path = QStringLiteral("M %1 %2 L %3 %4 L %5 %6 L %7 %8 Z")
                 .arg(x0 + nx).arg(y0 + ny).arg(x1 + nx).arg(y1 + ny).arg(x1 - nx).arg(y1 - ny).arg(x0 - nx).arg(y0 - ny);
    return l;
}

Contact meet(const Line& a, const Line& b) { return contactOf(strokeLines(a.median, a.path), strokeLines(b.median, b.path)); }

ContactTable tableOf(const std::vector<Line>& lines) {
    std::vector<StrokeLines> strokes;
    for (const Line& l : lines) strokes.push_back(strokeLines(l.median, l.path));
    return ContactTable(std::move(strokes));
}

TEST(DecomposerContacts, HowTwoStrokesMeet) {
    const Line across = line(100, 500, 900, 500);
    EXPECT_EQ(meet(across, line(500, 900, 500, 100)), Contact::Cross);       // 十
    EXPECT_EQ(meet(across, line(500, 500, 500, 100)), Contact::Tee);         // 丁: starts on the middle
    EXPECT_EQ(meet(across, line(100, 500, 100, 100)), Contact::Corner);      // the corner of 口
    EXPECT_EQ(meet(across, line(100, 400, 900, 400)), Contact::Apart);       // 二
    // Outlines that touch although the centre lines stop short: a touch at the end.
    EXPECT_EQ(meet(across, line(920, 520, 920, 100)), Contact::Corner);
    // A hair's gap, where fonts differ, decides nothing.
    EXPECT_EQ(meet(across, line(500, 470, 500, 100)), Contact::Unsure);
    // A stroke without an outline is never judged.
    EXPECT_EQ(contactOf(strokeLines(across.median, QString()), strokeLines(across.median, across.path)), Contact::Unsure);
}

TEST(DecomposerContacts, OnlyPiecesStackedClearOfTheRestCount) {
    // 一 over a 口 standing clear below it: two stacked pieces.
    const std::vector<Line> yiOverKou = {line(100, 800, 900, 800), line(250, 600, 250, 200), line(250, 600, 750, 600),
                                         line(750, 600, 750, 200), line(250, 200, 750, 200)};
    // 五: the vertical stands on the first 一, the fold on the vertical, all one piece.
    const std::vector<Line> wu = {line(150, 800, 850, 800), line(450, 800, 400, 200), line(300, 500, 650, 500),
                                  line(650, 500, 650, 200), line(100, 200, 900, 200)};
    // 八: two strokes side by side, apart but not stacked.
    const std::vector<Line> ba = {line(400, 800, 150, 200), line(600, 800, 850, 200)};
    // 日 whose middle stroke floats inside the frame.
    const std::vector<Line> ri = {line(250, 800, 250, 200), line(250, 800, 750, 800), line(750, 800, 750, 200),
                                  line(330, 500, 670, 500), line(250, 200, 750, 200)};
    EXPECT_EQ(tableOf(yiOverKou).detachedPieces({0, 1, 2, 3, 4}), 2);
    EXPECT_EQ(tableOf(wu).detachedPieces({0, 1, 2, 3, 4}), 0);
    EXPECT_EQ(tableOf(ba).detachedPieces({0, 1}), 0);
    EXPECT_EQ(tableOf(ri).detachedPieces({0, 1, 2, 3, 4}), 0);
    // A part of the strokes is judged on its own: the 口 alone is one piece.
    EXPECT_EQ(tableOf(yiOverKou).detachedPieces({1, 2, 3, 4}), 0);

    // Read against the reference 五, the strokes of 一 over 口 make two pieces too many; 五 itself none.
    EXPECT_EQ(extraPieces(tableOf(yiOverKou), {0, 1, 2, 3, 4}, tableOf(wu)), 2);
    EXPECT_EQ(extraPieces(tableOf(wu), {0, 1, 2, 3, 4}, tableOf(wu)), 0);
    // Fewer pieces than the reference are no fault (a font joining the strokes of 二, or 五 read
    // against a reference that parts them).
    const std::vector<Line> joinedEr = {line(100, 600, 900, 600), line(100, 600, 900, 400)};
    EXPECT_LT(extraPieces(tableOf(joinedEr), {0, 1}, tableOf({line(100, 600, 900, 600), line(100, 300, 900, 300)})), 0);
    EXPECT_LT(extraPieces(tableOf(wu), {0, 1, 2, 3, 4}, tableOf(yiOverKou)), 0);
}

TEST(DecomposerContacts, FloatingDotsMakeNoPieces) {
    // 立 whose dot floats clear above the rest, against a reference whose dot touches the 一.
    const std::vector<Line> li = {line(480, 900, 520, 830), line(200, 750, 800, 750), line(350, 730, 400, 270),
                                  line(650, 730, 600, 270), line(100, 250, 900, 250)};
    const std::vector<Line> liReference = {line(480, 900, 500, 760), line(200, 750, 800, 750), line(350, 730, 400, 270),
                                           line(650, 730, 600, 270), line(100, 250, 900, 250)};
    EXPECT_EQ(tableOf(li).detachedPieces({0, 1, 2, 3, 4}), 2);
    EXPECT_EQ(extraPieces(tableOf(li), {0, 1, 2, 3, 4}, tableOf(liReference)), 2);
    // Of the dot class and short, the dot is left out of both counts.
    EXPECT_EQ(extraPieces(tableOf(li), {0, 1, 2, 3, 4}, tableOf(liReference), QStringLiteral("nhnph")), 0);
    // A long stroke of the dot class (a 捺) still counts.
    const std::vector<Line> longDot = {line(100, 950, 900, 850), line(200, 750, 800, 750), line(350, 730, 400, 270),
                                       line(650, 730, 600, 270), line(100, 250, 900, 250)};
    const std::vector<Line> longDotReference = {line(100, 950, 900, 770), line(200, 750, 800, 750), line(350, 730, 400, 270),
                                                line(650, 730, 600, 270), line(100, 250, 900, 250)};
    EXPECT_EQ(extraPieces(tableOf(longDot), {0, 1, 2, 3, 4}, tableOf(longDotReference), QStringLiteral("nhnph")), 2);
}

TEST(DecomposerContacts, ADotOfTheReferenceIsADotInTheCharacterToo) {
    // 宀 on its own: a short dot over 冖.
    const std::vector<Line> mian = {line(480, 900, 520, 840), line(200, 750, 200, 600), line(200, 750, 800, 750)};
    // 宀 squeezed into a narrow box: its dot is long beside the rest and stands clear above it.
    const std::vector<Line> narrow = {line(480, 900, 520, 780), line(380, 700, 380, 600), line(380, 700, 620, 700)};
    EXPECT_EQ(tableOf(narrow).detachedPieces({0, 1, 2}), 2);
    EXPECT_EQ(extraPieces(tableOf(narrow), {0, 1, 2}, tableOf(mian), QStringLiteral("nnz")), 0);
}

}  // namespace
}  // namespace tessivo::datagen::decomposer
