// Hand-checked splits on the installed data: for each character the strokes of every panel,
// checked against the outline's writing order (indices 0-based).

#include "decomp/decomposer.h"
#include "decomposer_fixture.h"

namespace tessivo::datagen::test {
namespace {

QString panelText(const PanelAssignment& p) {
    switch (p.kind) {
    case PanelAssignment::Kind::Empty: return QStringLiteral("-");
    case PanelAssignment::Kind::IdentKey: return QStringLiteral("key:") + p.key;
    case PanelAssignment::Kind::Strokes: break;
    }
    QStringList idx;
    for (int i : p.strokes) idx << QString::number(i);
    return p.glyph + QLatin1Char(':') + idx.join(QLatin1Char(','));
}

struct Expected {
    const char* character;
    const char* panels;  // the four panels, space-separated
    const char* kind;
};

Decomposition run(const InputLoader& loader, const QString& c) { return decompose(loader.load(c), loader); }

void check(const InputLoader& loader, const Expected& e) {
    const QString c = QString::fromUtf8(e.character);
    const Decomposition d = run(loader, c);
    QStringList got;
    for (const auto& p : d.panels) got << panelText(p);
    EXPECT_EQ(got.join(QLatin1Char(' ')).toStdString(), std::string(e.panels)) << e.character;
    EXPECT_EQ(d.kind.toStdString(), std::string(e.kind)) << e.character;
    EXPECT_TRUE(d.matchesCode) << e.character;
}

TEST(DecomposerReal, KeyNamesSingleStrokesAndRadicalCharacters) {
    TESSIVO_REQUIRE_REAL_DATA();
    const Expected cases[] = {
        {"王", "王:0,1,2,3 王:0,1,2,3 王:0,1,2,3 王:0,1,2,3", "keyname"},
        {"口", "口:0,1,2 口:0,1,2 口:0,1,2 口:0,1,2", "keyname"},
        {"一", "一:0 一:0 key:l -", "single-stroke"},
        {"乙", "乙:0 乙:0 key:l -", "single-stroke"},
        // fgh: 一 then 丨; a two-stroke radical character has three letters, panel 4 stays empty.
        {"十", "十:0,1 一:0 丨:1 -", "radical-char"},
        // ltn: 丿 counts before the fold although it is written after it.
        {"力", "力:0,1 丿:1 乙:0 -", "radical-char"},
        {"八", "八:0,1 丿:0 丶:1 -", "radical-char"},
        // vnnn: first, second and last stroke.
        {"巛", "巛:0,1,2 乙:0 乙:1 乙:2", "radical-char"},
        // Not a chart radical, but coded as one (key, first, second, last stroke), and no split
        // into chart radicals explains bnhg.
        {"孑", "孑:0,1,2 乙:0 丨:1 一:2", "radical-char"},
    };
    for (const auto& e : cases) check(*loader, e);
}

TEST(DecomposerReal, TwoRadicalsWithIdentificationKeyIncludingCrossings) {
    TESSIVO_REQUIRE_REAL_DATA();
    const Expected cases[] = {
        {"中", "口:0,1,2 丨:3 key:k -", "general"},       // 丨 crosses 口
        {"申", "曰:0,1,2,3 丨:4 key:k -", "general"},
        {"果", "曰:0,1,2,3 木:4,5,6,7 key:i -", "general"},
        {"东", "七:0,1 小:2,3,4 key:i -", "general"},
        {"可", "丁:0,4 口:1,2,3 key:d -", "general"},     // 丁 around 口; key from 口's 一
        {"式", "弋:0,4,5 工:1,2,3 key:d -", "general"},   // 弋 around 工
        {"戒", "戈:0,4,5,6 廾:1,2,3 key:k -", "general"},
        {"兆", "兆点:1,2,4,5 儿:0,3 key:v -", "general"}, // the dots code before the 儿 they flank
        {"万", "丆:0,2 乙:1 key:v -", "general"},
        {"龙", "ナ:0,1 龙尾:2,3,4 key:v -", "general"},
    };
    for (const auto& e : cases) check(*loader, e);
}

TEST(DecomposerReal, EnclosuresAndInterleavedRadicals) {
    TESSIVO_REQUIRE_REAL_DATA();
    const Expected cases[] = {
        {"国", "囗:0,1,7 王:2,3,4,5 丶:6 key:i", "general"},
        {"回", "囗:0,1,5 口:2,3,4 key:d -", "general"},
        {"区", "匚:0,3 乂:1,2 key:i -", "general"},
        {"医", "匚:0,6 𠂉:1,2 大:3,4,5 key:i", "general"},
        {"或", "戈:0,5,6,7 口:1,2,3 一:4 key:d", "general"},
        // Coded in the order the radicals are finished: ⺀ waits for 一, 刂 for 三.
        {"母", "母框:0,1 一:3 ⺀:2,4 key:i", "general"},
        {"非", "三:1,2,3 刂:0,4 三:5,6,7 key:d", "general"},
        // 山 is finished after the two 幺; its own 丨 gives the key k.
        {"幽", "幺:1,2,3 幺:4,5,6 山:0,7,8 key:k", "general"},
        // 夂 closes round the dot written before its 捺: the dot is the last radical of 夜.
        {"夜", "亠:0,1 亻:2,3 夂:4,5,7 丶:6", "general"},
    };
    for (const auto& e : cases) check(*loader, e);
}

TEST(DecomposerReal, WalkRadicalsTakeTheEnclosedPartsLastStroke) {
    TESSIVO_REQUIRE_REAL_DATA();
    const Expected cases[] = {
        {"这", "文:0,1,2,3 辶:4,5,6 key:i -", "general"},          // 文 ends with 丶: i
        {"透", "禾:0,1,2,3,4 乃:5,6 辶:7,8,9 key:v", "general"},   // 乃's fold counts last: v
        {"迈", "丆:0,2 乙:1 辶:3,4,5 key:v", "general"},          // 万 ends in its 𠃌: v
        {"逃", "兆点:1,2,4,5 儿:0,3 辶:6,7,8 key:v", "general"},
    };
    for (const auto& e : cases) check(*loader, e);
}

TEST(DecomposerReal, FourOrMoreRadicalsCodeTheFirstThreeAndTheLast) {
    TESSIVO_REQUIRE_REAL_DATA();
    const Expected cases[] = {
        {"啊", "口:0,1,2 阝:3,4 丁:5,9 口:6,7,8", "general"},
        {"爽", "大:0,9,10 乂:1,2 乂:3,4 乂:7,8", "general"},
        // 戈's dot is left out: the 丿 before it is the last radical.
        {"成", "厂:0,1 乙:2 乙:3 丿:4", "general"},
        {"我", "丿:0 扌:1,2,3 乙:4 丿:5", "general"},
        // So is 犮's where the code ends on its 又, which is the 横撇 and the 捺, not the dot.
        {"跋", "口:0,1,2 止:3,4,5,6 ナ:7,8 又:9,10", "general"},
        {"拔", "扌:0,1,2 ナ:3,4 又:5,6 丶:7", "general"},
        // 先 at the head of 赞 is 丿 土 as alone, though 𠂉 十 is tried first and its many parses
        // might use up the search.
        {"赞", "丿:0 土:1,2,3 ⺈:4,5 贝:12,13,14,15", "general"},
    };
    for (const auto& e : cases) check(*loader, e);
    // The dot still belongs to the drawing: it is in the uncoded group.
    const Decomposition d = run(*loader, QStringLiteral("成"));
    bool dotDrawn = false;
    for (const auto& atom : d.atoms) dotDrawn |= std::find(atom.begin(), atom.end(), 5) != atom.end();
    EXPECT_TRUE(dotDrawn);
}

TEST(DecomposerReal, ComponentsKeepTheirOwnSplitInsideLongCharacters) {
    TESSIVO_REQUIRE_REAL_DATA();
    const Expected cases[] = {
        // 咸: 一 over 口 inside 戊 are two radicals, not the 五 their strokes also spell; the
        // 丿 of 戈 is coded last.
        {"咸", "厂:0,1 一:2 口:3,4,5 丿:7", "general"},
        {"喊", "口:0,1,2 厂:3,4 一:5 丿:10", "general"},
        {"减", "冫:0,1 厂:2,3 一:4 丿:9", "general"},
        {"箴", "⺮:0,1,2,3,4,5 厂:6,7 一:8 丿:13", "general"},
        {"憾", "忄:0,1,2 厂:3,4 一:5 心:12,13,14,15", "general"},
        {"感", "厂:0,1 一:2 口:3,4,5 心:9,10,11,12", "general"},
        // 医 inside 翳: 匚 is the first 一 and the closing 𠃊, and 羽 the last radical.
        {"翳", "匚:0,6 𠂉:1,2 大:3,4,5 羽:11,12,13,14,15,16", "general"},
        // The middle of 曾 is one radical on l: its frame together with the strokes inside.
        {"曾", "丷:0,1 曾中:2,3,4,5,6,7 曰:8,9,10,11 key:f", "general"},
        {"增", "土:0,1,2 丷:3,4 曾中:5,6,7,8,9,10 日:11,12,13,14", "general"},
    };
    for (const auto& e : cases) {
        check(*loader, e);
        EXPECT_EQ(run(*loader, QString::fromUtf8(e.character)).confidence, Confidence::High) << e.character;
    }
    // 口 of 喊's 咸 is drawn with the uncoded middle, beside 乙 and the dot.
    const Decomposition d = run(*loader, QStringLiteral("喊"));
    ASSERT_FALSE(d.atoms.empty());
    EXPECT_EQ(d.atoms.back(), (std::vector<int>{6, 7, 8, 9, 11}));
}

TEST(DecomposerReal, InterleavedComponentsCodeInTheirOwnOrder) {
    TESSIVO_REQUIRE_REAL_DATA();
    const Expected cases[] = {
        // 匪: 匚 closes round all of 非, whose verticals code together as 刂 between the 三.
        {"匪", "匚:0,9 三:2,3,4 刂:1,5 三:6,7,8", "general"},
        {"榧", "木:0,1,2,3 匚:4,13 三:6,7,8 三:10,11,12", "general"},
        {"篚", "⺮:0,1,2,3,4,5 匚:6,15 三:8,9,10 三:12,13,14", "general"},
        // 肃: the long vertical through 彐 is 小 with the two short strokes written last beside it,
        // and codes before the two outer verticals written in between (刂); with three radicals
        // 刂's 丨 gives the identification key (k: 丨, 杂合).
        {"肃", "彐:0,1,2 小:3,6,7 刂:4,5 key:k", "general"},
        {"萧", "艹:0,1,2 彐:3,4,5 小:6,9,10 刂:7,8", "general"},
        {"啸", "口:0,1,2 彐:3,4,5 小:6,9,10 刂:7,8", "general"},
        {"箫", "⺮:0,1,2,3,4,5 彐:6,7,8 小:9,12,13 刂:10,11", "general"},
        {"潇", "氵:0,1,2 艹:3,4,5 彐:6,7,8 刂:10,11", "general"},
        // 聚 骤: under 取, the first 丿 alone and the rest of 乑 as one radical on i.
        {"聚", "耳:0,1,2,3,4,5 又:6,7 丿:8 氺:9,10,11,12,13", "general"},
        {"骤", "马:0,1,2 耳:3,4,5,6,7,8 又:9,10 氺:12,13,14,15,16", "general"},
    };
    for (const auto& e : cases) {
        check(*loader, e);
        EXPECT_EQ(run(*loader, QString::fromUtf8(e.character)).confidence, Confidence::High) << e.character;
    }
}

TEST(DecomposerReal, AVariantFormCountsTheStandardLastStroke) {
    TESSIVO_REQUIRE_REAL_DATA();
    const Expected cases[] = {
        // 载: 车 inside 戈 ends in 提 as written, but counts its 丨: k (丨, 杂合), not d.
        {"载", "十:0,1 戈:2,7,8,9 车:3,4,5,6 key:k", "general"},
        // 延: 止 with its last two strokes joined still ends in 一 for the key after 廴: d.
        {"延", "丿:0 止:1,2,3 廴:4,5 key:d", "general"},
        // 钙: 丐 is 一 ⺊ 乙, no longer read as a 止 closing a three-radical split.
        {"钙", "钅:0,1,2,3,4 一:5 ⺊:6,7 乙:8", "general"},
    };
    for (const auto& e : cases) check(*loader, e);
    EXPECT_EQ(run(*loader, QStringLiteral("载")).confidence, Confidence::High);
    EXPECT_EQ(run(*loader, QStringLiteral("延")).confidence, Confidence::High);
}

TEST(DecomposerReal, AtomsGroupEachCodedRadicalAndTheUncodedMiddle) {
    TESSIVO_REQUIRE_REAL_DATA();
    // 啊: four coded radicals, nothing uncoded.
    Decomposition d = run(*loader, QStringLiteral("啊"));
    ASSERT_EQ(d.atoms.size(), 4u);
    EXPECT_EQ(d.atoms[2], (std::vector<int>{5, 9}));
    // 爽: the second-to-last 乂 (5,6) is uncoded and gets its own outline group.
    d = run(*loader, QStringLiteral("爽"));
    ASSERT_EQ(d.atoms.size(), 5u);
    EXPECT_EQ(d.atoms.back(), (std::vector<int>{5, 6}));
    // A radical character outlines the strokes its panels name one by one, the rest together.
    d = run(*loader, QStringLiteral("巛"));
    EXPECT_EQ(d.atoms, (std::vector<std::vector<int>>{{0}, {1}, {2}}));
    d = run(*loader, QStringLiteral("十"));
    EXPECT_EQ(d.atoms, (std::vector<std::vector<int>>{{0}, {1}}));
}

TEST(DecomposerReal, ChartVariantsAndNoAnswerTypedInPerCharacter) {
    TESSIVO_REQUIRE_REAL_DATA();
    const Expected cases[] = {
        // 象: the 口-shaped 日 shares its bottom stroke with 豕, so neither has its own 一.
        {"象", "⺈:0,1 日:2,3,4 豕:5,6,7,8,9,10 key:u", "general"},
        // 衣 is 亠 over 𧘇 even where 广 with 艮's short foot would fit the same keys.
        {"装", "丬:0,1,2 士:3,4,5 亠:6,7 𧘇:8,9,10,11", "general"},
        {"很", "彳:0,1,2 彐:3,4,5 𧘇短:6,7,8 key:y", "general"},
        // 𠂤: the upper コ codes before the 丨 that is written first.
        {"官", "宀:0,1,2 コ:4,5 丨:3 コ:6,7", "general"},
        // 鹿's コ is its 横折 and the 一 written under the two verticals, alone and inside others.
        {"鹿", "广:0,1,2 コ:3,6 刂:4,5 匕:9,10", "general"},
        {"麟", "广:0,1,2 コ:3,6 刂:4,5 丨:22", "general"},
        {"辘", "车:0,1,2,3 广:4,5,6 コ:7,10 匕:13,14", "general"},
        // The stroke table lists one pair of neighbours the other way round from the outline: 臼's
        // inner 一 before its left 丨 in 萏, the 𠃊 of 虐 before the 一 it closes round.
        {"萏", "艹:0,1,2 ⺈:3,4 臼:5,6,7,8,9,10 key:f", "general"},
        {"虐", "虍:0,1,2,3 七:4,5 匚:6,8 一:7", "general"},
        // 饣 is two radicals, ⺈ and 乙: taken as one, 馔 spelled qnn with the two 巳 of 巽.
        {"馔", "⺈:0,1 乙:2 巳:3,4,5 八:13,14", "general"},
        // 丬 written vertical first, its rising stroke classed as a dot by the stroke table.
        {"寝", "宀:0,1,2 丬:3,4,5 彐:6,7,8 又:11,12", "general"},
    };
    for (const auto& e : cases) check(*loader, e);
    // 燕 codes the left half of 北 before the 口 it flanks, against the order of writing: only a
    // reading from left to right spells auko. The order is inferred, so the split is never high.
    const CharacterInput yan = loader->load(QStringLiteral("燕"));
    const Decomposition d = decompose(yan, *loader);
    EXPECT_EQ(yan.fullCode, QStringLiteral("auko"));
    EXPECT_TRUE(d.matchesCode) << describe(yan, d).toStdString();
    EXPECT_EQ(describe(yan, d), QStringLiteral("燕 auko: 廿:0,1,2,3 丬:7,8,9 口:4,5,6 灬:12,13,14,15"));
    EXPECT_NE(d.confidence, Confidence::High);
}

TEST(DecomposerReal, AmbiguousSplitsAreNotRatedHigh) {
    TESSIVO_REQUIRE_REAL_DATA();
    // 重: 土 written 丨一一 under 曰; several splits fit the code nearly as well.
    const Decomposition d = run(*loader, QStringLiteral("重"));
    EXPECT_TRUE(d.matchesCode);
    EXPECT_NE(d.confidence, Confidence::High);
    // 彘: the outline and the stroke table disagree over most of 矢, and even the best split fits
    // badly; its lead over the next says little.
    const Decomposition zhi = run(*loader, QStringLiteral("彘"));
    EXPECT_TRUE(zhi.matchesCode);
    EXPECT_NE(zhi.confidence, Confidence::High);
    // 翰: the outline writes 人 in among the strokes of 羽, so a coded radical spans strokes far
    // apart that it does not wrap.
    EXPECT_NE(run(*loader, QStringLiteral("翰")).confidence, Confidence::High);
}

TEST(DecomposerReal, EveryStrokeOfACodedRadicalIsItsOwnShape) {
    TESSIVO_REQUIRE_REAL_DATA();
    const Expected cases[] = {
        // 禸: the rising stroke at the foot of the inner vertical belongs to that 丨; with four
        // radicals nothing is left in between to hold it.
        {"禺", "曰:0,1,2,3 冂:4,5 丨:6,7 丶:8", "general"},
        {"愚", "曰:0,1,2,3 冂:4,5 丨:6,7 心:9,10,11,12", "general"},
        // 戊: Wubi codes 戈's dot before the 丿 the outline writes ahead of it; each panel draws
        // the stroke of its own shape.
        {"戊", "厂:0,1 乙:2 丶:4 丿:3", "general"},
        // The stroke table's two strings for 霈 each misread a different stroke; merged by the
        // drawn shapes, 巿 is 一 冂 丨 again, not 乙 and a ⺊ made of two verticals.
        {"霈", "雨:0,1,2,3,4,5,6,7 氵:8,9,10 一:11 丨:14", "general"},
        // ... and 剿 spells its code with its own 刂.
        {"剿", "巛:0,1,2 曰:3,4,5,6 木:7,8,9,10 刂:11,12", "general"},
        // 茇 (adcu): 犮's dot is left out after its 又, whose 捺 gives the key u; 拔 (rdcy), which
        // spells its code with the dot, still codes it.
        {"茇", "艹:0,1,2 ナ:3,4 又:5,6 key:u", "general"},
        {"拔", "扌:0,1,2 ナ:3,4 又:5,6 丶:7", "general"},
        // 眔's bottom in 鳏, which the stroke table writes 丨 丿 丿 丶 丶, is 氺 whole, not a 小
        // leaving two of its strokes out.
        {"鳏", "鱼头:0,1,2,3,4,5,6 一:7 罒:8,9,10,11,12 氺:13,14,15,16,17", "general"},
    };
    for (const auto& e : cases) check(*loader, e);
}

TEST(DecomposerReal, AMiddleRadicalCodedLaterThanWrittenIsNotRatedHigh) {
    TESSIVO_REQUIRE_REAL_DATA();
    // 官 codes the 丨 of 𠂤 after the upper コ (pnhn). Inside 管 and 耜 that 丨 becomes an uncoded
    // middle radical though it is written before the third coded one: the panels follow the
    // code, but the strokes alone cannot show it.
    const Expected hidden[] = {
        {"管", "⺮:0,1,2,3,4,5 宀:6,7,8 コ:10,11 コ:12,13", "general"},
        {"耜", "三:0,1,2 小:3,4,5 コ:7,8 コ:9,10", "general"},
    };
    for (const auto& e : hidden) {
        check(*loader, e);
        EXPECT_EQ(run(*loader, QString::fromUtf8(e.character)).confidence, Confidence::Medium) << e.character;
    }
    // Where the 丨 is coded (官), or the uncoded radical also reaches past the third one (母's two
    // dots around its 一 in 敏), nothing is hidden ahead of the code.
    const Expected shown[] = {
        {"官", "宀:0,1,2 コ:4,5 丨:3 コ:6,7", "general"},
        {"敏", "𠂉:0,1 母框:2,3 一:5 攵:7,8,9,10", "general"},
    };
    for (const auto& e : shown) {
        check(*loader, e);
        EXPECT_EQ(run(*loader, QString::fromUtf8(e.character)).confidence, Confidence::High) << e.character;
    }
}

}  // namespace
}  // namespace tessivo::datagen::test
