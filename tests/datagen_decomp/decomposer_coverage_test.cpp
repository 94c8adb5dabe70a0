// Runs the decomposer over every GB2312 character: each gets panels, and nearly all of them a
// split that the full code confirms.

#include "common/common.h"
#include "decomp/decomposer.h"
#include "decomposer_fixture.h"

#include <map>

namespace tessivo::datagen::test {
namespace {

TEST(DecomposerCoverage, EveryCharacterIsSplitAndNearlyAllMatchTheirCode) {
    TESSIVO_REQUIRE_REAL_DATA();
    std::map<QString, int> byKind;
    std::map<Confidence, int> byConfidence;
    int matching = 0;
    int matchingAndShaped = 0;
    QStringList unmatched;
    QStringList unshaped;
    const QStringList& all = gb2312Hanzi();
    for (const QString& c : all) {
        const CharacterInput input = loader->load(c);
        const Decomposition d = decompose(input, *loader);
        ++byKind[d.kind];
        ++byConfidence[d.confidence];
        // Panels 1 and 2 always show strokes; every stroke a panel names exists.
        ASSERT_EQ(d.panels[0].kind, PanelAssignment::Kind::Strokes) << c.toStdString();
        ASSERT_EQ(d.panels[1].kind, PanelAssignment::Kind::Strokes) << c.toStdString();
        std::vector<int> seen(input.strokes.size(), 0);
        for (const auto& atom : d.atoms) {
            for (int i : atom) {
                ASSERT_GE(i, 0);
                ASSERT_LT(i, static_cast<int>(input.strokes.size()));
                ++seen[static_cast<std::size_t>(i)];
            }
        }
        for (int count : seen) ASSERT_EQ(count, 1) << "every stroke in exactly one atom: " << describe(input, d).toStdString();
        if (d.matchesCode) {
            ++matching;
            if (d.shapeOk) ++matchingAndShaped;
            else unshaped << describe(input, d);
        } else {
            unmatched << describe(input, d);
        }
        // Whatever the code or the shapes do not confirm is marked low.
        if (!d.matchesCode || !d.shapeOk) {
            EXPECT_EQ(d.confidence, Confidence::Low) << describe(input, d).toStdString();
        }
    }
    const double share = 100.0 * matchingAndShaped / all.size();
    std::printf("kinds:");
    for (const auto& [k, n] : byKind) std::printf(" %s %d", qPrintable(k), n);
    std::printf("\nconfidence: high %d, medium %d, low %d\n", byConfidence[Confidence::High], byConfidence[Confidence::Medium],
                byConfidence[Confidence::Low]);
    std::printf("matching the code %d, and passing the shape check %d (%.2f%%)\n", matching, matchingAndShaped, share);
    std::printf("not matching (%lld):\n%s\n", static_cast<long long>(unmatched.size()), qPrintable(unmatched.join(QLatin1Char('\n'))));
    std::printf("shape check failed (%lld):\n%s\n", static_cast<long long>(unshaped.size()), qPrintable(unshaped.join(QLatin1Char('\n'))));
    EXPECT_GE(share, 99.0);

    // Every character's panels spell its full code, except the table faults: codes of the
    // dictionary that no reading of the outline explains (蔻 apfl). They keep their code and show
    // the best split; the review report lists them. None may be added unnoticed.
    const QString tableFaults = QStringLiteral("兜蔸篼临瓦毋舞噩夔燮盥躞蔻");
    for (const QString& line : unmatched) {
        EXPECT_TRUE(tableFaults.contains(line.left(1))) << "no longer spells its code: " << line.toStdString();
    }
}

}  // namespace
}  // namespace tessivo::datagen::test
