#include "tables/table_gen.h"

#include <gtest/gtest.h>

using namespace tessivo::datagen::tables;

namespace {

const QString kUnihanSample = QStringLiteral(
    "# comment line\n"
    "U+5475\tkHanyuPinlu\tā(392) hē(64)\n"
    "U+5475\tkMandarin\thē\n"
    "U+5475\tkTGHZ2013\t133.120:hē\n"
    "U+5475\tkXHC1983\t0002.011,0002.061:ā 0002.051:á 0448.050,0448.061:hē 0638.100:kē\n"
    "U+50EE\tkHanyuPinyin\t10221.040:tóng,zhuàng,chòng\n"
    "U+50EE\tkHanyuPinlu\ttóng(12) zhuàng(2)\n"
    "U+50EE\tkMandarin\ttóng\n"
    "U+50EE\tkXHC1983\t1150.021:tóng 1523.020:zhuàng\n"
    "U+5416\tkHanyuPinyin\t10584.020:yā,ā\n"
    "U+5416\tkMandarin\tyā\n"
    "U+5416\tkTGHZ2013\t001.010:ā\n"
    "U+55EF\tkHanyuPinlu\tń(48) ň(48) ǹ(48) ńg(48) ňg(48) ǹg(48)\n"
    "U+55EF\tkMandarin\tń\n"
    "U+5730\tkMandarin\tde dì\n"
    "U+7565\tkMandarin\tlüè\n"
    "U+554A\tkMandarin\ta\n"
    "U+94DB\tkHanyuPinlu\tdang(16)\n"
    "U+94DB\tkMandarin\tdāng\n"
    "U+94DB\tkTGHZ2013\t043.040:chēng 066.090:dāng\n");

}  // namespace

TEST(TonelessReading, DropsMarksDigitsAndUmlaut) {
    EXPECT_EQ(tonelessReading(u"zhuàng"), "zhuang");
    EXPECT_EQ(tonelessReading(u"lüè"), "lue");
    EXPECT_EQ(tonelessReading(u"Ḿ"), "m");
    EXPECT_EQ(tonelessReading(u"ńg"), "ng");
    EXPECT_EQ(tonelessReading(u"a5"), "a");
}

TEST(UnihanReadings, MainReadingIsFirstMandarinValueAndArchaicFieldIsIgnored) {
    const QStringList wanted = {u"呵"_qs, u"僮"_qs, u"吖"_qs, u"嗯"_qs, u"地"_qs, u"略"_qs, u"啊"_qs};
    const auto r = parseUnihanReadings(kUnihanSample, wanted);
    EXPECT_EQ(r.value(u"地"_qs).mandarin, "de");
    EXPECT_EQ(r.value(u"略"_qs).mandarin, "lue");
    EXPECT_EQ(r.value(u"呵"_qs).mandarin, "he");
    EXPECT_EQ(r.value(u"呵"_qs).common, (QStringList{"a", "he", "ke"}));
    // kHanyuPinyin's chong is archaic and must not become a reading.
    EXPECT_EQ(r.value(u"僮"_qs).common, (QStringList{"tong", "zhuang"}));
    EXPECT_EQ(r.value(u"吖"_qs).common, (QStringList{"a"}));
    EXPECT_EQ(r.value(u"嗯"_qs).common, (QStringList{"n", "ng"}));
}

TEST(PinyinLines, SecondReadingOnlyWhereTheMainReadingStaysShown) {
    const QStringList chars = {u"啊"_qs, u"呵"_qs, u"僮"_qs, u"吖"_qs, u"嗯"_qs, u"地"_qs, u"铛"_qs};
    const auto r = parseUnihanReadings(kUnihanSample, chars);
    // Every syllable of the sample has a character, so no dictionary reading is needed to fill one.
    const QStringList syllables = {u"a"_qs, u"dang"_qs, u"de"_qs, u"he"_qs, u"ng"_qs, u"tong"_qs, u"ya"_qs, u"zhuang"_qs};
    const auto lines = buildPinyinLines(chars, r, syllables);
    QStringList got;
    for (const auto& l : lines) got << l.character + l.reading;
    // 僮's "zhuang" is counted in modern text and lies in a later block than "tong": a second
    // line. 铛's "cheng" is only a dictionary reading: none. 呵's "a" (block 1) would come before
    // its main reading's block and take over, so it is left out. 嗯's "n" is no chooser
    // syllable: "ng" instead.
    EXPECT_EQ(got, (QStringList{u"啊a"_qs, u"铛dang"_qs, u"地de"_qs, u"呵he"_qs, u"嗯ng"_qs, u"僮tong"_qs,
                                u"吖ya"_qs, u"僮zhuang"_qs}));
}

TEST(PinyinLines, ASyllableNoMainReadingGivesTakesTheCharactersTheDictionariesReadSo) {
    const QString sample = QStringLiteral(
        "U+55F2\tkMandarin\tdiē\n"
        "U+55F2\tkXHC1983\t0239.090:diǎ\n"
        "U+7239\tkMandarin\tdiē\n"
        "U+5452\tkMandarin\twǔ\n"
        "U+5452\tkXHC1983\t0753.010:ḿ\n"
        "U+4E94\tkMandarin\twǔ\n");
    const QStringList chars = {u"嗲"_qs, u"爹"_qs, u"呒"_qs, u"五"_qs};
    const auto lines = buildPinyinLines(chars, parseUnihanReadings(sample, chars), {u"dia"_qs, u"die"_qs, u"m"_qs, u"wu"_qs});
    QStringList got;
    for (const auto& l : lines) got << l.character + l.reading;
    // 嗲 keeps showing die (its dia line comes first in the same block); 呒 has no other way to
    // fill m, so it is listed there although it then shows m.
    EXPECT_EQ(got, (QStringList{u"嗲dia"_qs, u"爹die"_qs, u"嗲die"_qs, u"呒m"_qs, u"五wu"_qs, u"呒wu"_qs}));
}
