#include "pinyin/pinyin_lookup.h"

#include <gtest/gtest.h>

using namespace tessivo::pinyin;
using tessivo::tables::ReferenceTables;
using tessivo::tables::TableSearch;

namespace {

// Synthetic tables: 铛 twice in block 1 (cheng, then dang: the later line is its reading), 虺 in
// block 1 (chai) and block 2 (hui: block 1 must win), 卓 on the last line of block 5, and
// readings zhu / zhuang side by side.
ReferenceTables syntheticTables() {
    ReferenceTables::Blocks pinyin = {
        QStringLiteral("啊a     \r\n阿a     \r\n虺chai  \r\n铛cheng \r\n铛dang  \r\n"),
        QStringLiteral("发fa    \r\n虺hui   \r\n"),
        QStringLiteral("垃la    \r\n"),
        QStringLiteral("然ran   \r\n"),
        QStringLiteral("压ya    \r\n猪zhu   \r\n朱zhu   \r\n庄zhuang\r\n装zhuang\r\n卓zhuo  \r\n"),
    };
    ReferenceTables::Blocks stroke = {QStringLiteral("一10000\r\n"), QStringLiteral("丨20000\r\n"),
                                      QStringLiteral("丿30000\r\n"), QStringLiteral("丶40000\r\n"),
                                      QStringLiteral("乙50000\r\n")};
    return ReferenceTables(pinyin, stroke);
}

}  // namespace

TEST(ReadingChooser, HoldsTheFourHundredSyllablesSortedAndUnique) {
    const QStringList& s = readingChooserItems();
    ASSERT_EQ(s.size(), 400);
    EXPECT_EQ(s.front(), "a");
    EXPECT_EQ(s.back(), "zuo");
    for (qsizetype i = 1; i < s.size(); ++i) EXPECT_LT(s[i - 1], s[i]);
    for (const char* must : {"e", "ei", "m", "ng", "o", "yo", "lue", "nue", "zhuang", "shuang"})
        EXPECT_TRUE(s.contains(QLatin1String(must))) << must;
    EXPECT_FALSE(s.contains("v"));
}

TEST(ChooseReading, TrimsBlanksOnlyAndPadsToSix) {
    EXPECT_FALSE(chooseReading(QString()).proceed);
    EXPECT_FALSE(chooseReading(QStringLiteral("   ")).proceed);
    EXPECT_EQ(chooseReading(QStringLiteral("  a ")).request, QStringLiteral("a     "));
    EXPECT_EQ(chooseReading(QStringLiteral("zhu")).request, QStringLiteral("zhu   "));
    EXPECT_EQ(chooseReading(QStringLiteral("zhuang")).request, QStringLiteral("zhuang"));
    const ReadingChoice tooLong = chooseReading(QStringLiteral("zhuangg"));
    EXPECT_TRUE(tooLong.proceed) << "a long text still goes on to the result steps";
    EXPECT_FALSE(tooLong.request.has_value());
    // Only blanks are trimmed: a tab stays and makes the first character fall outside the groups.
    EXPECT_EQ(chooseReading(QStringLiteral("\ta")).request, QStringLiteral("\ta    "));
}

TEST(CharactersOfReading, PaddedKeyNeverMatchesALongerReading) {
    const auto t = syntheticTables();
    TableSearch s;
    EXPECT_EQ(charactersOfReading(s, t, QStringLiteral("zhu   ")), QStringLiteral("猪 朱 "));
    EXPECT_EQ(charactersOfReading(s, t, QStringLiteral("zhuang")), QStringLiteral("庄 装 "));
    EXPECT_EQ(charactersOfReading(s, t, QStringLiteral("a     ")), QStringLiteral("啊 阿 "));
    EXPECT_EQ(s.characterSearchOffset, 0);
    // A reading with no line empties the list; that is a search, not a skipped one.
    EXPECT_EQ(charactersOfReading(s, t, QStringLiteral("zh    ")), QString());
    EXPECT_EQ(charactersOfReading(s, t, QStringLiteral("i     ")), QString());
}

TEST(CharactersOfReading, FirstCharacterOutsideTheGroupsRunsNoSearch) {
    const auto t = syntheticTables();
    TableSearch s;
    EXPECT_FALSE(charactersOfReading(s, t, QStringLiteral("A     ")).has_value());
    EXPECT_FALSE(charactersOfReading(s, t, QStringLiteral("1     ")).has_value());
    EXPECT_FALSE(charactersOfReading(s, t, QStringLiteral("\ta    ")).has_value());
    EXPECT_FALSE(charactersOfReading(s, t, QStringLiteral("      ")).has_value());
    EXPECT_FALSE(charactersOfReading(s, t, QString()).has_value());
}

TEST(ReadingOfCharacter, LaterLineWinsInABlockAndEarlierBlockAcrossBlocks) {
    const auto t = syntheticTables();
    TableSearch s;
    EXPECT_EQ(readingOfCharacter(s, t, QStringLiteral("铛")), QStringLiteral("dang  "));
    EXPECT_EQ(readingOfCharacter(s, t, QStringLiteral("虺")), QStringLiteral("chai  "));
    EXPECT_EQ(readingOfCharacter(s, t, QStringLiteral("啊")), QStringLiteral("a     "));
    EXPECT_EQ(readingOfCharacter(s, t, QStringLiteral("卓")), QStringLiteral("zhuo  ")) << "last line of the last block";
    EXPECT_EQ(readingOfCharacter(s, t, QStringLiteral("发财")), QStringLiteral("fa    ")) << "first character only";
    EXPECT_EQ(s.fieldSearchOffset, 0);
}

TEST(ReadingOfCharacter, NoLineSingleByteOrNonGbkGivesEmpty) {
    const auto t = syntheticTables();
    TableSearch s;
    EXPECT_EQ(readingOfCharacter(s, t, QStringLiteral("亻")), QString());
    EXPECT_EQ(readingOfCharacter(s, t, QStringLiteral("a")), QString());
    EXPECT_EQ(readingOfCharacter(s, t, QStringLiteral("😀")), QString());
    EXPECT_EQ(readingOfCharacter(s, t, QString()), QString());
}

TEST(RequestChanged, TheModeSelectsTheDirection) {
    const auto t = syntheticTables();
    TableSearch s;
    auto r = requestChanged(s, t, ReadingMode::OfReading, QStringLiteral("a     "));
    EXPECT_EQ(r.resultList, QStringLiteral("啊 阿 "));
    EXPECT_FALSE(r.readingLabel.has_value());
    r = requestChanged(s, t, ReadingMode::OfReading, QStringLiteral("A     "));
    EXPECT_FALSE(r.resultList.has_value());
    r = requestChanged(s, t, ReadingMode::OfCharacter, QStringLiteral("铛"));
    EXPECT_EQ(r.readingLabel, QStringLiteral("dang  "));
    EXPECT_FALSE(r.resultList.has_value());
    r = requestChanged(s, t, ReadingMode::OfCharacter, QStringLiteral("a"));
    EXPECT_EQ(r.readingLabel, QString()) << "a single-byte character clears the labels";
    r = requestChanged(s, t, ReadingMode::OfCharacter, QStringLiteral("  "));
    EXPECT_FALSE(r.readingLabel.has_value());
    EXPECT_FALSE(r.resultList.has_value());
}

TEST(EmbeddedPinyin, CommandLineListsAndReadings) {
    const ReferenceTables& t = ReferenceTables::embedded();
    const QString a = listForReading(t, QStringLiteral("a")).value();
    EXPECT_TRUE(a.startsWith(QStringLiteral("啊 阿 "))) << a.toStdString();

    const QString zhuang = listForReading(t, QStringLiteral("zhuang")).value();
    for (const char16_t* c : {u"庄", u"装", u"壮", u"状"})
        EXPECT_TRUE(zhuang.contains(QString::fromUtf16(c))) << zhuang.toStdString();
    // Nothing read zhu (猪 朱 住 主) may appear under zhuang.
    const QString zhu = listForReading(t, QStringLiteral("zhu")).value();
    ASSERT_FALSE(zhu.isEmpty());
    for (QChar c : zhu)
        if (c != u' ') {
            EXPECT_FALSE(zhuang.contains(c)) << QString(c).toStdString();
        }
    for (const char16_t* c : {u"猪", u"朱", u"住", u"主"}) EXPECT_TRUE(zhu.contains(QString::fromUtf16(c)));

    EXPECT_EQ(readingOf(t, QStringLiteral("啊")), "a");
    EXPECT_EQ(readingOf(t, QStringLiteral("中")), "zhong");
    EXPECT_EQ(readingOf(t, QStringLiteral("女")), "nu");
    EXPECT_EQ(readingOf(t, QStringLiteral("略")), "lue");
    EXPECT_FALSE(listForReading(t, QStringLiteral("zhuangg")).has_value());
    EXPECT_FALSE(listForReading(t, QStringLiteral("Zhu")).has_value());
}

TEST(EmbeddedPinyin, EveryChooserSyllableListsItsCharactersWithThatReadingOnly) {
    // Every line a reading search lists must be a line of that reading: its character's lines
    // in the block contain the padded reading.
    const ReferenceTables& t = ReferenceTables::embedded();
    int nonEmpty = 0;
    for (const QString& syllable : readingChooserItems()) {
        const QString list = listForReading(t, syllable).value();
        if (!list.isEmpty()) ++nonEmpty;
        const QString field = syllable.leftJustified(6, u' ');
        for (qsizetype i = 0; i < list.size(); i += 2) {
            ASSERT_EQ(list[i + 1], u' ');
            const QString line = QString(list[i]) + field + QStringLiteral("\r\n");
            bool found = false;
            for (int n = 1; n <= 5 && !found; ++n) found = t.pinyinBlock(n).contains(line);
            EXPECT_TRUE(found) << line.toStdString();
        }
    }
    EXPECT_GE(nonEmpty, 398);
}

TEST(ReadingChooser, EveryItemListsCharacters) {
    // An item that lists nothing would look broken to whoever picks it.
    const ReferenceTables& tables = ReferenceTables::embedded();
    QStringList empty;
    for (const QString& syllable : readingChooserItems()) {
        const auto list = listForReading(tables, syllable);
        if (!list || list->trimmed().isEmpty()) empty << syllable;
    }
    EXPECT_EQ(empty, QStringList());
}
