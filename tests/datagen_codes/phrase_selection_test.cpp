#include "codes/phrase_selection.h"

#include "codes/record_files.h"
#include "common/common.h"
#include "datagen_codes/installed_data.h"
#include "platform/gbk_codec.h"

#include <gtest/gtest.h>

#include <map>

namespace tessivo::datagen {
namespace {

QSet<QString> charactersOf(const QString& text) {
    QSet<QString> set;
    for (QChar c : text) set.insert(QString(c));
    return set;
}

std::vector<WubiEntry> entries(std::initializer_list<std::pair<const char*, double>> words) {
    std::vector<WubiEntry> out;
    for (const auto& [word, weight] : words) out.push_back({QString::fromUtf8(word), QStringLiteral("abcd"), weight});
    return out;
}

TEST(WordLists, JiebaAndRimeTwoCharacterWords) {
    const auto jieba = parseJiebaWords("中国 129470 ns\n中华人民 5 nt\nAT&T 3 nz\n中 1 n\n文字 30 n\n");
    EXPECT_EQ(jieba, QSet<QString>({"中国", "文字"}));
    const auto rime = parseRimeWords("name: x\n中文\tzw\t1\n...\n中文\tzhong wen\t9\n#国家\tgj\n中\tzh\t1\n", "x");
    EXPECT_EQ(rime, QSet<QString>({"中文"}));  // the header and commented lines do not count
    EXPECT_THROW(parseRimeWords("中文\tzw\t1\n", "x"), GenError);
    EXPECT_THROW(loadJiebaWords("/nonexistent/dict.txt"), GenError);
    EXPECT_THROW(loadPinyinSimpWords("/nonexistent/pinyin_simp.dict.yaml"), GenError);
}

TEST(SelectPhrases, FiltersRanksAndCaps) {
    const auto wubi = entries({
        {"中国", 50}, {"中文", 90}, {"中心", 70}, {"中央", 70}, {"中", 999},  // not a word
        {"国家", 10}, {"国文", 5},
        {"文字", 8}, {"文物", 9},
        {"中𠀀", 100},  // second character outside the character set
        {"中华", 80},   // not confirmed
        {"中国", 40},   // listed again under another code: the higher weight counts
    });
    const QSet<QString> confirmed{"中国", "中文", "中心", "中央", "国家", "国文", "文字", "文物", "中𠀀"};
    const auto selection = selectPhrases(wubi, confirmed, charactersOf("中国文心央家字物华"), 6);
    EXPECT_EQ(selection.candidates, 8);
    // Cap 2 gives 2 + 2 + 2 = 6 words; cap 3 would need 7.
    EXPECT_EQ(selection.cap, 2);
    EXPECT_EQ(selection.firstCharacters, 3);
    // By key of the first character (国 B9FA < 文 CEC4 < 中 D6D0), then weight; 中央 and 中心 tie and go by text.
    const std::vector<QString> expected{"国家", "国文", "文物", "文字", "中文", "中央"};
    EXPECT_EQ(selection.words, expected);
}

TEST(SelectPhrases, NoCapNeededKeepsEverything) {
    const auto wubi = entries({{"中国", 1}, {"中文", 2}, {"中心", 3}, {"国家", 4}});
    const auto selection = selectPhrases(wubi, {"中国", "中文", "中心", "国家"}, charactersOf("中国文心家"), 100);
    EXPECT_EQ(selection.words.size(), 4u);
    EXPECT_EQ(selection.cap, 3);
}

TEST(SelectPhrases, RefusesWhenNothingQualifiesOrFits) {
    const auto wubi = entries({{"中国", 1}, {"国家", 4}});
    EXPECT_THROW(selectPhrases(wubi, {}, charactersOf("中国家"), 10), GenError);
    EXPECT_THROW(selectPhrases(wubi, {"中国", "国家"}, charactersOf("中国家"), 1), GenError);
}

TEST(SelectPhrases, InstalledWordLists) {
    ASSERT_CODE_INPUTS_EXIST();
    QSet<QString> confirmed = loadJiebaWords(testing::kJiebaPath);
    confirmed.unite(loadPinyinSimpWords(testing::kPinyinSimpPath));
    const QStringList& hanzi = gb2312Hanzi();
    const QSet<QString> characters(hanzi.begin(), hanzi.end());
    const auto selection = selectPhrases(testing::installedWubi(), confirmed, characters, MaxRecords);

    ASSERT_LE(selection.words.size(), static_cast<std::size_t>(MaxRecords));
    // A larger cap would overflow the file, so the cap is the largest that fits.
    EXPECT_GT(selection.words.size() + static_cast<std::size_t>(selection.firstCharacters), static_cast<std::size_t>(MaxRecords));
    EXPECT_GT(selection.firstCharacters, 3500);

    std::map<QString, int> perFirst;
    std::int16_t previous = std::numeric_limits<std::int16_t>::min();
    QSet<QString> seen;
    for (const QString& word : selection.words) {
        ASSERT_EQ(word.size(), 2);
        EXPECT_TRUE(characters.contains(word.first(1)) && characters.contains(word.sliced(1))) << qPrintable(word);
        EXPECT_TRUE(confirmed.contains(word)) << qPrintable(word);
        EXPECT_FALSE(seen.contains(word)) << qPrintable(word);
        seen.insert(word);
        const std::int16_t key = *gbk::charKey(word);
        EXPECT_LE(previous, key) << qPrintable(word);
        previous = key;
        ++perFirst[word.first(1)];
    }
    for (const auto& [first, count] : perFirst) EXPECT_LE(count, selection.cap) << qPrintable(first);

    QStringList zhong;
    for (const QString& word : selection.words) {
        if (word.startsWith(u'中')) zhong.push_back(word);
    }
    EXPECT_EQ(zhong.size(), selection.cap);
    EXPECT_TRUE(zhong.contains("中国")) << qPrintable(zhong.join(u' '));
    EXPECT_TRUE(zhong.contains("中文")) << qPrintable(zhong.join(u' '));
    EXPECT_EQ(zhong.front(), "中国");  // the most frequent word comes first
}

}  // namespace
}  // namespace tessivo::datagen
