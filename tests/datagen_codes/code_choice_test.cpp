#include "codes/code_choice.h"

#include "common/common.h"
#include "common/wubi_dict.h"
#include "datagen_codes/installed_data.h"
#include "lookup/code_rules.h"

#include <gtest/gtest.h>

namespace tessivo::datagen {
namespace {

QString lineFor(const QString& character, const QStringList& codes) {
    return chooseCodes(character, codes).line;
}

TEST(Panels, CountFromTheFullCode) {
    EXPECT_EQ(panelsInUse("khk"), 3);   // two radicals and a key
    EXPECT_EQ(panelsInUse("kbsk"), 4);
    EXPECT_EQ(panelsInUse("ggll"), 3);  // single strokes
    EXPECT_EQ(panelsInUse("nnll"), 3);
    EXPECT_EQ(panelsInUse("llll"), 4);  // 田 is a key-name character, not a stroke
    EXPECT_EQ(panelsInUse("alll"), 4);
    EXPECT_EQ(panelsInUse("tgll"), 4);
    EXPECT_EQ(panelsInUse("ffll"), 4);  // doubled letter, but f is no stroke key
    EXPECT_EQ(panelsKeptByCode3("k"), 4);
    EXPECT_EQ(panelsKeptByCode3("kh"), 2);
    EXPECT_EQ(panelsKeptByCode3("khk"), 3);
    EXPECT_EQ(panelsKeptByCode3("kbsk"), 4);
}

TEST(ChooseCodes, ExamplesShowTheMostCodesShortestFirst) {
    EXPECT_EQ(lineFor("啊", {"kb", "kbs", "kbsk"}), "kb kbsk");
    EXPECT_EQ(lineFor("中", {"k", "kh", "khk"}), "k khk");
    EXPECT_EQ(lineFor("经", {"x", "xc", "xca", "xcag"}), "x xc xcag");
    EXPECT_EQ(lineFor("一", {"g", "ggl", "ggll"}), "g ggl ggll");
    // Order of the input does not matter.
    EXPECT_EQ(lineFor("经", {"xcag", "xca", "x", "xc"}), "x xc xcag");

    const CodeChoice zhong = chooseCodes("中", {"k", "kh", "khk"});
    EXPECT_EQ(zhong.code1, "khk");
    EXPECT_EQ(zhong.code2, "k");
    EXPECT_EQ(zhong.code3, "khk");
    const CodeChoice jing = chooseCodes("经", {"x", "xc", "xca", "xcag"});
    EXPECT_EQ(jing.code1, "xcag");
    EXPECT_EQ(jing.code2, "xc");
    EXPECT_EQ(jing.code3, "x");
}

TEST(ChooseCodes, ThreePanelCharactersKeepExactlyThreePanels) {
    const CodeChoice yi = chooseCodes("一", {"g", "ggl", "ggll"});
    EXPECT_EQ(yi.code3, "ggl");  // "g" in code3 would leave panel 4 showing
    const CodeChoice shu = chooseCodes("丨", {"hhl", "hhll"});
    EXPECT_EQ(shu.code3, "hhl");
    EXPECT_EQ(shu.line, "hhl hhll");
    const CodeChoice you = chooseCodes("有", {"e", "def"});
    EXPECT_EQ(you.code3, "def");
    EXPECT_EQ(you.line, "e def");
    const CodeChoice ba = chooseCodes("八", {"wty"});
    EXPECT_EQ(ba.code2, "");
    EXPECT_EQ(ba.line, "wty");
}

TEST(ChooseCodes, KeyNameAndOddCharacters) {
    const CodeChoice wang = chooseCodes("王", {"ggg", "gggg"});
    EXPECT_EQ(wang.code3, "gggg");
    EXPECT_EQ(wang.line, "ggg gggg");
    // A 3-letter simple code in code3 would blank panel 4 of this four-panel character.
    const CodeChoice dao = chooseCodes("纛", {"gxf", "gxgi"});
    EXPECT_EQ(dao.code1, "gxgi");
    EXPECT_EQ(dao.code3, "gxgi");
    EXPECT_EQ(dao.line, "gxf gxgi");
    // Level-1 codes that are not prefixes of the full code are still shown.
    EXPECT_EQ(lineFor("不", {"i", "gi", "gii"}), "i gii");
    EXPECT_EQ(lineFor("发", {"v", "ntc", "ntcy"}), "v ntc ntcy");
    EXPECT_EQ(lineFor("甥", {"tgll"}), "tgll");
}

TEST(ChooseCodes, RefusesUnusableCodes) {
    EXPECT_THROW(chooseCodes("啊", {}), GenError);
    EXPECT_THROW(chooseCodes("啊", {"kb"}), GenError);              // full code too short
    EXPECT_THROW(chooseCodes("啊", {"kbsk", "kbsl"}), GenError);    // two full codes
    EXPECT_THROW(chooseCodes("啊", {"kb", "kbskk"}), GenError);     // too long for the field
    EXPECT_THROW(chooseCodes("啊", {"kbzk"}), GenError);            // z is not a key letter
    EXPECT_THROW(chooseCodes("一", {"g", "ggll"}), GenError);       // no 3-letter code for three panels
    try {
        chooseCodes("一", {"g", "ggll"});
    } catch (const GenError& error) {
        EXPECT_NE(QString::fromStdString(error.what()).indexOf("一"), -1) << error.what();
    }
}

// Every GB2312 character: code3 keeps exactly the panels the character uses, a four-panel
// character never gets a 2- or 3-letter code3, and the line shows the full code.
TEST(ChooseCodes, EveryGb2312CharacterWithTheInstalledTable) {
    ASSERT_CODE_INPUTS_EXIST();
    const auto codes = singleCharacterCodes(testing::installedWubi());
    int threePanel = 0;
    for (const QString& character : gb2312Hanzi()) {
        const auto found = codes.find(character);
        ASSERT_NE(found, codes.end()) << qPrintable(character);
        const CodeChoice choice = chooseCodes(character, found->second);
        SCOPED_TRACE(qPrintable(character + u' ' + found->second.join(u',')));
        const int panels = panelsInUse(choice.code1);
        EXPECT_EQ(panelsKeptByCode3(choice.code3), panels);
        if (panels == 4) {
            EXPECT_TRUE(choice.code3.size() == 1 || choice.code3.size() == 4) << qPrintable(choice.code3);
        } else {
            ++threePanel;
            EXPECT_EQ(choice.code3.size(), 3);
        }
        EXPECT_EQ(tessivo::codeLine(choice.code1, choice.code2, choice.code3), choice.line);
        EXPECT_TRUE(choice.line.endsWith(choice.code1));
        EXPECT_TRUE(found->second.contains(choice.code3));
        EXPECT_TRUE(choice.code2.isEmpty() || found->second.contains(choice.code2));
        // Only a character with a single code shows a single code.
        EXPECT_EQ(choice.line.count(u' ') == 0, found->second.size() == 1) << qPrintable(choice.line);
    }
    EXPECT_GT(threePanel, 800);  // 832 three-letter full codes and the five single strokes
}

}  // namespace
}  // namespace tessivo::datagen
