#include "common/common.h"
#include "pinyin/pinyin_lookup.h"
#include "support/inputs.h"
#include "tables/table_gen.h"

#include <gtest/gtest.h>

#include <QFile>

#include <algorithm>

using namespace tessivo::datagen::tables;

namespace {

const QString kPinyin = QStringLiteral("啊a     \r\n阿a     \r\n发fa    \r\n垃la    \r\n然ran   \r\n压ya    \r\n");

QString strokeTable(const QStringList& lines) { return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"); }

bool mentions(const QStringList& problems, const char* what) {
    return std::any_of(problems.begin(), problems.end(), [&](const QString& p) { return p.contains(QLatin1String(what)); });
}

}  // namespace

TEST(CheckPinyinTable, AcceptsASoundTableAndNamesEachBreak) {
    const QStringList syllables = chooserSyllables();
    EXPECT_TRUE(checkPinyinTable(kPinyin, syllables).isEmpty()) << checkPinyinTable(kPinyin, syllables).join('\n').toStdString();

    EXPECT_TRUE(mentions(checkPinyinTable(QString(kPinyin).replace(u"啊a     \r\n阿a"_qs, u"阿a     \r\n啊a"_qs), syllables),
                         "out of order"));
    EXPECT_TRUE(mentions(checkPinyinTable(u"啊a     \r\n"_qs + kPinyin, syllables), "twice"));
    EXPECT_TRUE(mentions(checkPinyinTable(QString(kPinyin).replace(u"发fa    "_qs, u"发fo    "_qs), syllables),
                         "out of order") == false);
    EXPECT_TRUE(mentions(checkPinyinTable(QString(kPinyin).replace(u"发fa    "_qs, u"发fx    "_qs), syllables),
                         "not a chooser syllable"));
    EXPECT_TRUE(mentions(checkPinyinTable(QString(kPinyin).replace(u"压ya    "_qs, u"压ba    "_qs), syllables),
                         "after block"));
    EXPECT_TRUE(mentions(checkPinyinTable(QString(kPinyin).remove(u"垃la    \r\n"_qs), syllables), "block 3 is empty"));
    EXPECT_TRUE(mentions(checkPinyinTable(QString(kPinyin).replace(u"阿a     "_qs, u"阿a    "_qs), syllables),
                         "bad line format"));
    EXPECT_TRUE(mentions(checkPinyinTable(QString(kPinyin).replace(u"阿a     "_qs, u"Aa     "_qs), syllables),
                         "bad line format"));
    EXPECT_TRUE(mentions(checkPinyinTable(QString(kPinyin).chopped(2), syllables), "CR LF"));
}

TEST(CheckStrokeTable, DemandsEveryCharacterOnceAndTheBlockOpeners) {
    const QStringList chars = {u"一"_qs, u"丨"_qs, u"丿"_qs, u"丶"_qs, u"乙"_qs, u"中"_qs};
    const QStringList sound = {u"一10000"_qs, u"丨20000"_qs, u"中25120"_qs, u"丿30000"_qs, u"丶40000"_qs, u"乙50000"_qs};
    EXPECT_TRUE(checkStrokeTable(strokeTable(sound), chars).isEmpty());

    QStringList missing = sound;
    missing.removeAt(2);
    EXPECT_TRUE(mentions(checkStrokeTable(strokeTable(missing), chars), "missing"));
    QStringList twice = sound;
    twice.insert(2, u"中25120"_qs);
    EXPECT_TRUE(mentions(checkStrokeTable(strokeTable(twice), chars), "twice"));
    QStringList gap = sound;
    gap[2] = u"中25020"_qs;
    EXPECT_TRUE(mentions(checkStrokeTable(strokeTable(gap), chars), "bad field"));
    QStringList opener = sound;
    std::swap(opener[1], opener[2]);
    EXPECT_TRUE(mentions(checkStrokeTable(strokeTable(opener), chars), "opens with"));
    QStringList order = sound;
    order.insert(3, u"田25121"_qs);
    std::swap(order[2], order[3]);
    EXPECT_TRUE(mentions(checkStrokeTable(strokeTable(order), chars + QStringList{u"田"_qs}), "out of order"));
    QStringList foreign = sound;
    foreign.insert(3, u"臺25121"_qs);
    EXPECT_TRUE(mentions(checkStrokeTable(strokeTable(foreign), chars), "not a GB2312 hanzi"));
}

TEST(GeneratedTables, EachCharacterStillShowsItsMainReading) {
    // A second reading must never take over what the character lookup shows.
    QFile pinyinFile(QStringLiteral(TESSIVO_GEN_DIR "/tables/pinyin_table.txt"));
    QFile strokeFile(QStringLiteral(TESSIVO_GEN_DIR "/tables/stroke_table.txt"));
    ASSERT_INPUT_EXISTS(pinyinFile.fileName());
    ASSERT_INPUT_EXISTS(strokeFile.fileName());
    ASSERT_INPUT_EXISTS(TESSIVO_UNIHAN_READINGS);
    ASSERT_TRUE(pinyinFile.open(QIODevice::ReadOnly) && strokeFile.open(QIODevice::ReadOnly));
    const auto tables = tessivo::tables::ReferenceTables::fromBytes(pinyinFile.readAll(), strokeFile.readAll());
    const QStringList& hanzi = tessivo::datagen::gb2312Hanzi();
    const QStringList syllables = chooserSyllables();
    const auto readings =
        parseUnihanReadings(readBzip2Utf8(QStringLiteral(TESSIVO_UNIHAN_READINGS)), hanzi);
    int checked = 0;
    int given = 0;
    for (const QString& c : hanzi) {
        const QString main = readings.value(c).mandarin;
        if (!syllables.contains(main)) continue;
        ++checked;
        const QString shown = tessivo::pinyin::readingOf(tables, c);
        if (shown == main) continue;
        // The one exception: a chooser syllable no other character is read as takes a character
        // the dictionaries read so, which then shows it.
        const auto listed = tessivo::pinyin::listForReading(tables, shown);
        EXPECT_TRUE(listed && listed->trimmed() == c && readings.value(c).common.contains(shown))
            << c.toStdString() << " shows " << shown.toStdString() << " instead of " << main.toStdString();
        ++given;
    }
    EXPECT_GT(checked, 6700);
    EXPECT_LE(given, 2);
}
