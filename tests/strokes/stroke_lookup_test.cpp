#include "strokes/stroke_lookup.h"

#include <gtest/gtest.h>

using namespace tessivo::strokes;
using tessivo::tables::ReferenceTables;
using tessivo::tables::TableSearch;

namespace {

const QString H = QStringLiteral("一"), S = QStringLiteral("丨"), P = QStringLiteral("丿"), N = QStringLiteral("丶"),
              Z = QStringLiteral("乙"), Blank = QStringLiteral(" ");

ReferenceTables syntheticTables() {
    ReferenceTables::Blocks pinyin = {QStringLiteral("啊a     \r\n"), QStringLiteral("发fa    \r\n"),
                                      QStringLiteral("垃la    \r\n"), QStringLiteral("然ran   \r\n"),
                                      QStringLiteral("压ya    \r\n丰feng  \r\n中zhong \r\n")};
    // 10000 only 一; 丰 and 韦 share 11120 (tie order as listed); 中 on block 2's last line.
    ReferenceTables::Blocks stroke = {
        QStringLiteral("一10000\r\n二11000\r\n丰11120\r\n韦11120\r\n彗11121\r\n"),
        QStringLiteral("丨20000\r\n田25121\r\n中25120\r\n"), QStringLiteral("丿30000\r\n"),
        QStringLiteral("丶40000\r\n"), QStringLiteral("乙50000\r\n")};
    return ReferenceTables(pinyin, stroke);
}

}  // namespace

TEST(StrokeChoosers, ItemsAndDigits) {
    EXPECT_EQ(strokeChooserItems(1), (QStringList{H, S, P, N, Z}));
    for (int k = 2; k <= 5; ++k) EXPECT_EQ(strokeChooserItems(k), (QStringList{H, S, P, N, Z, Blank})) << k;
    EXPECT_TRUE(strokeChooserItems(0).isEmpty());
    EXPECT_TRUE(strokeChooserItems(6).isEmpty());
    EXPECT_EQ(strokeDigit(Z), u'5');
    // Anything but exactly one glyph is blank: the untrimmed text counts.
    for (const QString& other : {Blank, QString(), QStringLiteral("第一笔画"), H + Blank, H + H, QStringLiteral("1")})
        EXPECT_EQ(strokeDigit(other), u'0') << other.toStdString();
}

TEST(StrokeCode, BuildsTheFiveDigitCodeChooserByChooser) {
    EXPECT_EQ(strokeCodeOf({H, Blank, Blank, Blank, Blank}), "10000");
    EXPECT_EQ(strokeCodeOf({H, H, H, S, Blank}), "11120");
    EXPECT_EQ(strokeCodeOf({H, H, H, S, H}), "11121");
    EXPECT_EQ(strokeCodeOf({S, Z, H, S, Blank}), "25120");
    EXPECT_EQ(strokeCodeOf({P, N, Z, S, P}), "34523");
    EXPECT_EQ(strokeCodeOf({Blank, H, H, Blank, Blank}), "01100");
    EXPECT_EQ(strokeCodeOf({QStringLiteral("第一笔画"), QString(), QString(), QString(), QString()}), "00000");
}

TEST(StrokeSearch, ExactCodeMatchInTableOrder) {
    const auto t = syntheticTables();
    TableSearch s;
    EXPECT_EQ(charactersOfStrokeCode(s, t, "10000"), QStringLiteral("一 "));
    EXPECT_EQ(charactersOfStrokeCode(s, t, "11120"), QStringLiteral("丰 韦 "));
    EXPECT_EQ(charactersOfStrokeCode(s, t, "11121"), QStringLiteral("彗 "));
    EXPECT_EQ(charactersOfStrokeCode(s, t, "25120"), QStringLiteral("中 ")) << "last line of a block";
    EXPECT_EQ(s.characterSearchOffset, 0);
    // A gap matches nothing (zeros only trail) and empties the list.
    EXPECT_EQ(charactersOfStrokeCode(s, t, "11010"), QString());
}

TEST(StrokeSearch, BlankFirstStrokeRunsNoSearch) {
    const auto t = syntheticTables();
    TableSearch s;
    EXPECT_FALSE(charactersOfStrokeCode(s, t, "01100").has_value());
    EXPECT_FALSE(charactersOfStrokeCode(s, t, "00000").has_value());
    EXPECT_FALSE(charactersOfStrokeCode(s, t, "61100").has_value());
    EXPECT_FALSE(charactersOfStrokeCode(s, t, QString()).has_value());
}

TEST(StrokeSearch, ReadingLabelsShowTheFirstListedCharacter) {
    const auto t = syntheticTables();
    TableSearch s;
    EXPECT_EQ(readingLabelForList(s, t, QStringLiteral("中 ")), QStringLiteral("zhong "));
    EXPECT_EQ(readingLabelForList(s, t, QStringLiteral("丰 韦 ")), QStringLiteral("feng  "));
    EXPECT_EQ(readingLabelForList(s, t, QStringLiteral("彗 ")), QString()) << "no line: empty";
}

TEST(EmbeddedStrokes, CommandLineLists) {
    const ReferenceTables& t = ReferenceTables::embedded();
    EXPECT_EQ(listForStrokeCode(t, "10000"), QStringLiteral("一 "));
    EXPECT_TRUE(listForStrokeCode(t, "11120").value().startsWith(QStringLiteral("丰 ")));
    EXPECT_TRUE(listForStrokeCode(t, "25120").value().contains(QStringLiteral("中 ")));
    EXPECT_TRUE(listForStrokeCode(t, "25121").value().contains(QStringLiteral("田 ")));
    EXPECT_TRUE(listForStrokeCode(t, "34000").value().contains(QStringLiteral("人 ")));
    EXPECT_EQ(listForStrokeCode(t, "11010"), QString());
    EXPECT_EQ(listForStrokeCode(t, "25124").value().size(), 2 * 116);
    for (const char* bad : {"0110", "01100", "2512a", "251200", "25160"})
        EXPECT_FALSE(listForStrokeCode(t, QString::fromLatin1(bad)).has_value()) << bad;
}

TEST(EmbeddedStrokes, EveryCharacterIsFoundByItsOwnCode) {
    // Walk the table and search each code once: the lists together hold 6,763 characters.
    const ReferenceTables& t = ReferenceTables::embedded();
    TableSearch s;
    qsizetype total = 0;
    QString previous;
    for (int n = 1; n <= 5; ++n) {
        const QString& block = t.strokeBlock(n);
        for (qsizetype pos = 0; pos < block.size(); pos += 8) {
            const QString code = block.mid(pos + 1, 5);
            if (code == previous) continue;
            previous = code;
            const QString list = charactersOfStrokeCode(s, t, code).value();
            ASSERT_FALSE(list.isEmpty()) << code.toStdString();
            total += list.size() / 2;
        }
    }
    EXPECT_EQ(total, 6763);
}
