// Identification-key pictures, the text outputs and the review sheet.

#include "common/common.h"
#include "decomp/contact_sheet.h"
#include "decomp/key_pictures.h"
#include "decomp/outputs.h"
#include "lookup/code_lookup.h"
#include "support/inputs.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSet>


using namespace tessivo::datagen;
using tessivo::Raster;
using Kind = PanelAssignment::Kind;

TEST(RendererKeys, SixteenLettersInPictureOrderWithTheirMeaning) {
    const auto& keys = identificationKeys();
    ASSERT_EQ(keys.size(), 16u);
    // In the program's picture order.
    for (int i = 0; i < 16; ++i) EXPECT_EQ(keys[static_cast<std::size_t>(i)].letter, tessivo::identKeyLetter(i)) << i;
    // The zone gives the last stroke, the place in the zone the shape.
    const auto& d = keys[2];
    EXPECT_EQ(d.strokeName, QStringLiteral("横"));
    EXPECT_EQ(d.shape, QStringLiteral("杂合"));
    const auto& j = keys[static_cast<std::size_t>(*tessivo::identKeyIndex(u'j'))];
    EXPECT_EQ(j.strokeGlyph, QStringLiteral("丨"));
    EXPECT_EQ(j.shape, QStringLiteral("上下"));
    const auto& n = keys[static_cast<std::size_t>(*tessivo::identKeyIndex(u'n'))];
    EXPECT_EQ(n.strokeName, QStringLiteral("折"));
    EXPECT_EQ(n.shape, QStringLiteral("左右"));
    const auto& i = keys[static_cast<std::size_t>(*tessivo::identKeyIndex(u'i'))];
    EXPECT_EQ(i.strokeName, QStringLiteral("点"));
    EXPECT_EQ(i.shape, QStringLiteral("杂合"));
    EXPECT_TRUE(keys[15].strokeName.isEmpty());
}

TEST(RendererKeys, PicturesAreDistinctOneBitAndStable) {
    ASSERT_INPUT_EXISTS(defaultPictureFontPath());
    const QString family = loadPictureFont(defaultPictureFontPath());
    QSet<QByteArray> seen;
    for (const KeyMeaning& key : identificationKeys()) {
        const Raster r = drawKeyPicture(key, family);
        ASSERT_EQ(r.width(), KeyPictureWidth);
        ASSERT_EQ(r.height(), KeyPictureHeight);
        int ink = 0;
        for (std::uint32_t p : r.pixels()) {
            ASSERT_TRUE(p == Raster::Black || p == Raster::White);
            if (p == Raster::Black) ++ink;
        }
        const int area = KeyPictureWidth * KeyPictureHeight;
        EXPECT_GT(ink, area / 20) << QString(key.letter).toStdString();
        EXPECT_LT(ink, area / 2) << QString(key.letter).toStdString();
        EXPECT_EQ(drawKeyPicture(key, family), r);
        const auto bytes = r.encodeMonoBmp();
        const QByteArray bmp(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
        EXPECT_FALSE(seen.contains(bmp)) << "duplicate picture for " << QString(key.letter).toStdString();
        seen.insert(bmp);
    }
}

TEST(RendererKeys, MissingFontIsAnError) {
    EXPECT_THROW(loadPictureFont(QStringLiteral("/nonexistent/font.ttc")), GenError);
}

namespace {

Decomposition sample() {
    Decomposition d;
    d.panels[0].kind = Kind::Strokes;
    d.panels[0].strokes = {0, 1, 7};
    d.panels[0].glyph = QStringLiteral("囗");
    d.panels[1].kind = Kind::Strokes;
    d.panels[1].strokes = {2, 3, 4, 5};
    d.panels[1].glyph = QStringLiteral("王");
    d.panels[2].kind = Kind::IdentKey;
    d.panels[2].key = QChar(u'y');
    d.confidence = Confidence::Medium;
    return d;
}

}  // namespace

TEST(RendererOutputs, TableLineHasStableColumns) {
    EXPECT_EQ(tableLine(QStringLiteral("国"), QStringLiteral("lgy"), sample()),
              QStringLiteral("国\tlgy\t囗:0,1,7\t王:2,3,4,5\tkey:y\t-\tmedium\n"));
    Decomposition odd = sample();
    odd.panels[0].glyph = QStringLiteral("a:b\tc");
    odd.confidence = Confidence::Low;
    const QString line = tableLine(QStringLiteral("国"), QStringLiteral("lgy"), odd);
    EXPECT_EQ(line.count(u'\t'), 6);
    EXPECT_TRUE(line.endsWith(QStringLiteral("\tlow\n")));
    EXPECT_TRUE(line.contains(QStringLiteral("\ta b c:0,1,7\t")));
}

TEST(RendererOutputs, FillsLineHoldsTheFieldTexts) {
    Drawing d;
    d.panels[0].kind = Kind::Strokes;
    d.panels[0].seeds = {{10, 20}};
    d.panels[1].kind = Kind::Strokes;
    d.panels[1].seeds = {{1, 2}, {3, 4}};
    d.panels[2].kind = Kind::IdentKey;
    EXPECT_EQ(fillsLine(QStringLiteral("国"), d), QStringLiteral("国\t 157 307\t  22  37  52  67\t0\t\n"));
}

TEST(RendererSheet, MostFrequentUsesEachCharactersHighestWeight) {
    const QString dict = QStringLiteral(
        "---\nname: x\n...\n"
        "# comment\n"
        "甲\ta\t10\n"
        "乙\tb\t30\n"
        "甲\tab\t50\n"
        "丙丁\tc\t999\n"
        "丙\tcc\t20\n"
        "丁\td\t20.5\n");
    EXPECT_EQ(mostFrequent(dict, {QStringLiteral("丙"), QStringLiteral("乙"), QStringLiteral("甲"), QStringLiteral("丁"), QStringLiteral("戊")}, 4),
              (QStringList{QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丁"), QStringLiteral("丙")}));
}

TEST(RendererSheet, PanelsShowWhatTheProgramShows) {
    Drawing d;
    d.raster = Raster(tessivo::panel::WidthPixels, tessivo::panel::HeightPixels);
    for (int x = 10; x < 30; ++x) {
        d.raster.setPixel(x, 10, Raster::Black);
        d.raster.setPixel(x, 29, Raster::Black);
    }
    for (int y = 10; y < 30; ++y) {
        d.raster.setPixel(10, y, Raster::Black);
        d.raster.setPixel(29, y, Raster::Black);
    }
    d.panels[0].kind = Kind::Strokes;
    d.panels[0].seeds = {{20, 20}};
    d.panels[1].kind = Kind::Strokes;
    d.panels[2].kind = Kind::IdentKey;
    d.panels[2].key = QChar(u'd');
    std::vector<Raster> keys;
    for (int i = 0; i < 16; ++i) keys.emplace_back(KeyPictureWidth, KeyPictureHeight, i == 2 ? Raster::Black : Raster::White);
    const QString code = QStringLiteral("abd");
    EXPECT_EQ(shownPanel(d, 0, keys, code).pixel(20, 20), Raster::Black);
    EXPECT_EQ(shownPanel(d, 0, keys, code).pixel(40, 40), Raster::White);
    EXPECT_EQ(shownPanel(d, 1, keys, code), d.raster);
    EXPECT_EQ(shownPanel(d, 2, keys, code), keys[2]);
    EXPECT_EQ(shownPanel(d, 3, keys, code), Raster(tessivo::panel::WidthPixels, tessivo::panel::HeightPixels));
    // The picture follows the code letter, as in the program; a letter without one shows nothing.
    EXPECT_EQ(shownPanel(d, 2, keys, QStringLiteral("abg")), keys[0]);
    EXPECT_EQ(shownPanel(d, 2, keys, QStringLiteral("abz")), Raster(tessivo::panel::WidthPixels, tessivo::panel::HeightPixels));
}
