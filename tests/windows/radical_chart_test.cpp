// The radical chart's table: every key's radicals, their stroke classes and what the flags of
// each row say.

#include "windows/radical_chart.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>

#include <set>

namespace tessivo::chart {
namespace {

// The chart's radicals of `glyph`, one per class string, in row order.
std::vector<const Radical*> rowsOf(const QString& glyph) {
    std::vector<const Radical*> out;
    for (const Radical& r : RadicalChart::wubi86().radicals()) {
        if (r.glyph == glyph) out.push_back(&r);
    }
    return out;
}

const Radical& rowOf(const QString& glyph) {
    const auto rows = rowsOf(glyph);
    EXPECT_FALSE(rows.empty()) << glyph.toStdString();
    static const Radical none;
    return rows.empty() ? none : *rows.front();
}

TEST(RadicalChart, EveryKeyHasItsKeyNameAndRowsAreWellFormed) {
    const RadicalChart& chart = RadicalChart::wubi86();
    const QString keys = QStringLiteral("gfdsahjklmtrewqyuiopnbvcx");
    const QString names = QStringLiteral("王土大木工目日口田山禾白月人金言立水火之已子女又纟");
    for (qsizetype i = 0; i < keys.size(); ++i) EXPECT_EQ(chart.keyNameGlyph(keys[i]), names.mid(i, 1)) << keys[i].toLatin1();
    EXPECT_TRUE(chart.keyNameGlyph(QLatin1Char('z')).isEmpty());
    for (const Radical& r : chart.radicals()) {
        EXPECT_TRUE(keys.contains(r.key)) << r.glyph.toStdString();
        for (QChar c : r.classes) EXPECT_TRUE(QStringLiteral("hspnz").contains(c)) << r.glyph.toStdString();
        EXPECT_LT(r.wrapAt, r.classes.size()) << r.glyph.toStdString();
        EXPECT_LT(r.pauseAt, r.classes.size()) << r.glyph.toStdString();
        if (r.parts.empty()) continue;
        // A composite's parts share out its strokes, each once; only its final stroke may stay
        // uncoded (戈's dot closing 咸).
        std::multiset<int> offsets;
        for (const auto& p : r.parts) offsets.insert(p.offsets.begin(), p.offsets.end());
        const auto n = static_cast<std::size_t>(r.classes.size());
        ASSERT_TRUE(offsets.size() == n || offsets.size() + 1 == n) << r.glyph.toStdString();
        int expected = 0;
        for (int o : offsets) EXPECT_EQ(o, expected++) << r.glyph.toStdString();
    }
    EXPECT_TRUE(chart.keysOf(QStringLiteral("巛")).contains(QLatin1Char('v')));
    EXPECT_TRUE(chart.keysOf(QStringLiteral("兆")).isEmpty()) << "a composite is never a radical character";
}

TEST(RadicalChart, FlagsOfTheRowsAreRead) {
    EXPECT_TRUE(rowOf(QStringLiteral("王")).keyName);
    EXPECT_FALSE(rowOf(QStringLiteral("五")).keyName);
    EXPECT_EQ(rowOf(QStringLiteral("囗")).wrapAt, 2);
    EXPECT_EQ(rowOf(QStringLiteral("大")).wrapAt, 1);
    EXPECT_TRUE(rowOf(QStringLiteral("大")).keyName) << "two flags in one row";
    EXPECT_EQ(rowOf(QStringLiteral("口")).wrapAt, 0);
    EXPECT_EQ(rowOf(QStringLiteral("士")).pauseAt, 1) << "the vertical first, then what it passes through";
    EXPECT_EQ(rowOf(QStringLiteral("土")).pauseAt, 0);
    EXPECT_TRUE(rowOf(QStringLiteral("辶")).enclosesBefore);
    EXPECT_TRUE(rowOf(QStringLiteral("力")).foldLast);
    EXPECT_TRUE(rowOf(QStringLiteral("戈")).dotAfterSweep);
    // The standard last stroke is the last of the row's first form, in every form.
    for (const Radical* r : rowsOf(QStringLiteral("车"))) EXPECT_EQ(r->standardLast, 's');
    for (const Radical* r : rowsOf(QStringLiteral("止"))) EXPECT_EQ(r->standardLast, 'h');
    EXPECT_EQ(rowOf(QStringLiteral("日")).standardLast, 0);
}

TEST(RadicalChart, ReferenceShapesOfTheRows) {
    const Radical& qing = rowOf(QStringLiteral("龶"));
    EXPECT_EQ(qing.refGlyph, QStringLiteral("青"));
    EXPECT_EQ(qing.refFirst, 0);
    EXPECT_EQ(qing.refCount, 4);
    const Radical& ge = rowOf(QStringLiteral("革底"));
    EXPECT_EQ(ge.refGlyph, QStringLiteral("革"));
    EXPECT_EQ(ge.refFirst, 4);
    // A glyph is its own reference; a name of several characters without ref= has none, but a
    // single character outside the BMP (two UTF-16 units) keeps its own.
    EXPECT_EQ(rowOf(QStringLiteral("木")).refGlyph, QStringLiteral("木"));
    EXPECT_TRUE(rowOf(QStringLiteral("三竖")).refGlyph.isEmpty());
    EXPECT_EQ(rowOf(QStringLiteral("具头")).refGlyph, QStringLiteral("具"));
    EXPECT_EQ(rowOf(QStringLiteral("𧘇")).refGlyph, QStringLiteral("𧘇"));
}

TEST(RadicalChart, AlternativesAndCompositesGiveOneRadicalPerClassString) {
    const auto tu = rowsOf(QStringLiteral("土"));
    ASSERT_EQ(tu.size(), 2u);
    EXPECT_EQ(tu[0]->classes, QStringLiteral("hsh"));
    EXPECT_EQ(tu[1]->classes, QStringLiteral("shh"));
    EXPECT_EQ(tu[0]->alternative, 0);
    EXPECT_EQ(tu[1]->alternative, 1);
    EXPECT_TRUE(tu[1]->keyName) << "the flags hold for every form";

    const auto zhao = rowsOf(QStringLiteral("兆"));
    ASSERT_EQ(zhao.size(), 2u);
    const Radical& z = *zhao[0];
    EXPECT_EQ(z.key, QLatin1Char('i')) << "a composite lies on the key of its first part";
    ASSERT_EQ(z.parts.size(), 2u);
    EXPECT_EQ(z.parts[0].glyph, QStringLiteral("兆点"));
    EXPECT_EQ(z.parts[0].offsets, (std::vector<int>{1, 2, 4, 5}));
    EXPECT_EQ(z.parts[1].key, QLatin1Char('q'));
    EXPECT_EQ(z.parts[1].offsets, (std::vector<int>{0, 3}));
    EXPECT_EQ(zhao[1]->classes, QStringLiteral("pnnzpn"));
}

TEST(RadicalChart, RadicalsByFirstStrokeLongestFirst) {
    const RadicalChart& chart = RadicalChart::wubi86();
    for (char cls : {'h', 's', 'p', 'n', 'z'}) {
        const auto& list = chart.startingWith(cls);
        ASSERT_FALSE(list.empty()) << cls;
        for (std::size_t i = 0; i < list.size(); ++i) {
            EXPECT_EQ(list[i]->classes[0].toLatin1(), cls);
            if (i > 0) {
                EXPECT_GE(list[i - 1]->classes.size(), list[i]->classes.size());
            }
        }
        EXPECT_EQ(list.front()->classes.size(), [&] {
            qsizetype longest = 0;
            for (const Radical& r : chart.radicals()) {
                if (r.classes[0].toLatin1() == cls) longest = std::max(longest, r.classes.size());
            }
            return longest;
        }());
    }
    EXPECT_TRUE(chart.startingWith('x').empty());
    EXPECT_EQ(chart.maxLength(), 10) << "匪, the longest composite";
}

TEST(RadicalChart, StrokeClassesKeysAndZones) {
    const QString letters = QStringLiteral("ghtyn");
    const QString glyphs = QStringLiteral("一丨丿丶乙");
    const QStringList zones = {"gfd", "hjk", "tre", "yui", "nbv"};
    int i = 0;
    for (char cls : {'h', 's', 'p', 'n', 'z'}) {
        EXPECT_EQ(strokeLetter(cls), letters[i]);
        EXPECT_EQ(strokeClassOfLetter(letters[i]), cls);
        EXPECT_EQ(strokeGlyph(cls), glyphs.mid(i, 1));
        EXPECT_EQ(identZone(cls), zones[i]);
        ++i;
    }
    EXPECT_EQ(strokeLetter('?'), QChar());
    EXPECT_EQ(strokeClassOfLetter(QLatin1Char('a')), '?');
    EXPECT_TRUE(identZone('?').isEmpty());
}

}  // namespace
}  // namespace tessivo::chart
