#include "common/wubi_dict.h"

#include "common/common.h"
#include "datagen_codes/installed_data.h"

#include <gtest/gtest.h>

namespace tessivo::datagen {
namespace {

const QString kSample = QStringLiteral(
    "# Rime dictionary\n"
    "---\n"
    "name: sample\n"
    "columns:\n"
    "  - text\n"
    "...\n"
    "\n"
    "中\tk\t563673763\tkh\n"
    "#子\tb\n"
    "中\tkh\t563673763\r\n"
    "式\taa\t450.5\n"
    "中\tkhk\t2720000000\n"
    "中\tkh\t1\n"
    "丿\tzzpp\t1\n"
    "中国\tkhlg\t99\n");

TEST(WubiDict, ParsesBodySkippingCommentsAndRadicalPicker) {
    const auto entries = parseWubiDict(kSample, "sample");
    ASSERT_EQ(entries.size(), 6u);
    EXPECT_EQ(entries[0].text, "中");
    EXPECT_EQ(entries[0].code, "k");
    EXPECT_DOUBLE_EQ(entries[0].weight, 563673763.0);
    EXPECT_EQ(entries[1].code, "kh");  // CR LF line end
    EXPECT_DOUBLE_EQ(entries[2].weight, 450.5);
    EXPECT_EQ(entries[5].text, "中国");
    for (const auto& entry : entries) EXPECT_FALSE(entry.code.startsWith(u'z'));
}

TEST(WubiDict, HeaderLinesAreNotEntries) {
    // "name: sample" would be a malformed entry if the header were read as body.
    const auto entries = parseWubiDict(QStringLiteral("x\ty\t1\n...\n中\tk\t1\n"), "sample");
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].text, "中");
}

TEST(WubiDict, SingleCharacterCodesDeduplicatedAndSorted) {
    const auto codes = singleCharacterCodes(parseWubiDict(kSample, "sample"));
    ASSERT_EQ(codes.size(), 2u);  // 中 and 式; the word 中国 is not a character
    EXPECT_EQ(codes.at("中"), QStringList({"k", "kh", "khk"}));
    EXPECT_EQ(codes.at("式"), QStringList({"aa"}));
    EXPECT_EQ(fullCode(codes.at("中")), "khk");
    EXPECT_EQ(fullCode({"ab", "b", "aa"}), "aa");  // ties: alphabetical, whatever the order
    EXPECT_EQ(fullCode({"aa", "b", "ab"}), "aa");
    EXPECT_EQ(fullCode({}), "");
}

TEST(WubiDict, RefusesMalformedInput) {
    const auto refuses = [](const QString& text, const char* needle) {
        try {
            parseWubiDict(text, "bad.yaml");
            ADD_FAILURE() << "accepted: " << qPrintable(text);
        } catch (const GenError& error) {
            const QString message = QString::fromUtf8(error.what());
            EXPECT_TRUE(message.contains(QLatin1String(needle))) << error.what();
            EXPECT_TRUE(message.contains("bad.yaml")) << error.what();
        }
    };
    refuses("中\tk\t1\n", "no end of header");
    refuses("...\n", "no entries");
    refuses("...\n中\tK\t1\n", "bad.yaml:2");       // upper-case code
    refuses("...\n中\tkhkhk\t1\n", "not 1 to 4");    // five letters
    refuses("...\n中 k 1\n", "expected text");        // blanks, not tabs
    refuses("...\n中\tk\tmany\n", "weight");
    refuses("...\n\tk\t1\n", "empty text");
}

TEST(WubiDict, MissingFileNamesThePackage) {
    try {
        loadWubiDict("/nonexistent/wubi86.dict.yaml");
        FAIL() << "accepted a missing file";
    } catch (const GenError& error) {
        EXPECT_NE(std::string(error.what()).find("rime-data-wubi"), std::string::npos) << error.what();
        EXPECT_NE(std::string(error.what()).find("/nonexistent/wubi86.dict.yaml"), std::string::npos);
    }
}

TEST(WubiDict, InstalledTable) {
    ASSERT_CODE_INPUTS_EXIST();
    const auto codes = singleCharacterCodes(testing::installedWubi());
    EXPECT_EQ(codes.at("中"), QStringList({"k", "kh", "khk"}));
    EXPECT_EQ(codes.at("啊"), QStringList({"kb", "kbs", "kbsk"}));
    EXPECT_EQ(codes.at("纛"), QStringList({"gxf", "gxgi"}));
}

}  // namespace
}  // namespace tessivo::datagen
