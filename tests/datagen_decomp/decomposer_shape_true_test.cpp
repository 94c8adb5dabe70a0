// Radicals are read over strokes that look like them, not only over strokes of the right
// classes: the splits of characters that fooled a class-only reading, on the installed data.

#include "decomp/decomposer.h"
#include "decomposer_fixture.h"

namespace tessivo::datagen::test {
namespace {

QString panelsOf(const InputLoader& loader, const char* character) {
    const CharacterInput input = loader.load(QString::fromUtf8(character));
    const Decomposition d = decompose(input, loader);
    return describe(input, d);
}

struct Case {
    const char* character;
    const char* description;  // describe(): "char code: panel panel panel panel"
};

void expectAll(const InputLoader& loader, std::initializer_list<Case> cases) {
    for (const Case& c : cases) EXPECT_EQ(panelsOf(loader, c.character).toStdString(), std::string(c.description));
}

TEST(DecomposerShapeTrue, StrokesInSeparatePiecesAreNotOneRadical) {
    TESSIVO_REQUIRE_REAL_DATA();
    // 睘 and 束 put 一 over a 口 that stands clear below it; their classes spell 五 (一丨𠃌一),
    // whose strokes hold together. Panel 3 is the 一 alone, the 口 goes uncoded.
    expectAll(*loader, {
        {"儇", "儇 wlge: 亻:0,1 罒:2,3,4,5,6 一:7 𧘇:11,12,13,14"},
        {"寰", "寰 plge: 宀:0,1,2 罒:3,4,5,6,7 一:8 𧘇:12,13,14,15"},
        {"缳", "缳 xlge: 纟:0,1,2 罒:3,4,5,6,7 一:8 𧘇:12,13,14,15"},
        {"圜", "圜 llge: 囗:0,1,15 罒:2,3,4,5,6 一:7 𧘇:11,12,13,14"},
        {"觫", "觫 qegi: ⺈:0,1 用:2,3,4,5,6 一:7 小:11,12,13"},
        {"獭", "獭 qtgm: 勹:0,1 丿:2 一:3 贝:12,13,14,15"},
    });
}

TEST(DecomposerShapeTrue, FloatingDotsAndPartedStrokesKeepTheirRadical) {
    TESSIVO_REQUIRE_REAL_DATA();
    // A dot that floats clear of its radical (犬 in 臭, 立 in 章, 丷 in 尞, 心 in 必) and the 匚
    // of 牙, whose two strokes the font parts, are no sign of two radicals read as one.
    expectAll(*loader, {
        {"嗅", "嗅 kthd: 口:0,1,2 丿:3 目:4,5,6,7,8 犬:9,10,11,12"},
        {"獐", "獐 qtuj: 勹:0,1 丿:2 立:3,4,5,6,7 早:8,9,10,11,12,13"},
        {"撩", "撩 rdui: 扌:0,1,2 大:3,4,5 丷:6,7 小:12,13,14"},
        {"密", "密 pntm: 宀:0,1,2 心:3,4,5,7 丿:6 山:8,9,10"},
        {"琊", "琊 gahb: 王:0,1,2,3 匚:4,5 丨:6 阝:8,9"},
    });
}

TEST(DecomposerShapeTrue, StrokesStackedApartAreNoLargerRadical) {
    TESSIVO_REQUIRE_REAL_DATA();
    // 其 and 身 write 三 apart from the 丿 below it (no ⺶); 行's 亍 is 二 over its 丨 (no 干).
    expectAll(*loader, {
        {"谌", "谌 yadn: 讠:0,1 艹:2,3,4 三:5,6,7 乙:10"},
        {"躲", "躲 tmds: 丿:0 冂:1,2 三:3,4,5 木:9,10,11,12"},
        {"衔", "衔 tqfh: 彳:0,1,2 钅:3,4,5,6,7 二:8,9 丨:10"},
    });
}

TEST(DecomposerShapeTrue, AWholeRadicalIsNotCutShort) {
    TESSIVO_REQUIRE_REAL_DATA();
    // 旋's 𠂉 (丿 with its 一), no longer a bare 丿 that leaves the 一 to the uncoded middle.
    expectAll(*loader, {
        {"漩", "漩 iyth: 氵:0,1,2 方:3,4,5,6 𠂉:7,8 龰:10,11,12,13"},
        {"璇", "璇 gyth: 王:0,1,2,3 方:4,5,6,7 𠂉:8,9 龰:11,12,13,14"},
        {"镟", "镟 qyth: 钅:0,1,2,3,4 方:5,6,7,8 𠂉:9,10 龰:12,13,14,15"},
        // 𠂤's コ, not 己 with a stroke of the next コ; 巨's 匚 is its first and last strokes; 殳's 又.
        {"槌", "槌 swnp: 木:0,1,2,3 亻:4,5 コ:6,7 辶:10,11,12"},
        {"磲", "磲 dias: 石:0,1,2,3,4 氵:5,6,7 匚:8,11 木:12,13,14,15"},
        {"毂", "毂 fplc: 士:0,1,2 冖:3,4 车:5,6,7,8 又:11,12"},
    });
}

TEST(DecomposerShapeTrue, UnchangedWhereTheOldReadingWasRight) {
    TESSIVO_REQUIRE_REAL_DATA();
    // 五 itself and 吾 keep their 五; 束 on its own stays 一 口 小.
    expectAll(*loader, {
        {"五", "五 gghg: 五:0,1,2,3 一:0 丨:1 一:3"},
        {"吾", "吾 gkf: 五:0,1,2,3 口:4,5,6 key:f -"},
        {"束", "束 gkii: 一:0 口:1,2,3 小:4,5,6 key:i"},
        {"悟", "悟 ngkg: 忄:0,1,2 五:3,4,5,6 口:7,8,9 key:g"},
    });
}

}  // namespace
}  // namespace tessivo::datagen::test
