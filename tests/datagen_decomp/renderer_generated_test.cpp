// The generated drawings and fill points of every character, read back from the build's output
// the way the program uses them: each written point, filled with the program's own flood fill
// on the written BMP, must blacken only pixels of that panel's radical.

#include "common/common.h"
#include "decomp/inputs.h"
#include "decomp/key_pictures.h"
#include "decomp/outline.h"
#include "lookup/code_lookup.h"
#include "lookup/code_rules.h"
#include "lookup/panel_surface.h"
#include "support/inputs.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QHash>

using namespace tessivo::datagen;
using tessivo::Raster;

namespace {

const QString fillsPath = QStringLiteral(TESSIVO_GEN_DIR "/fills.tsv");
const QString tablePath = QStringLiteral(TESSIVO_BIN_DIR "/decomposition.tsv");
const QString bmpDir = QStringLiteral(TESSIVO_BIN_DIR "/bmp");
const QString keysDir = QStringLiteral(TESSIVO_GEN_DIR "/keys");

#define ASSERT_GENERATED()          \
    ASSERT_INPUT_EXISTS(fillsPath); \
    ASSERT_INPUT_EXISTS(tablePath)

QList<QStringList> rows(const QString& path) {
    QList<QStringList> out;
    for (const QString& line : readUtf8File(path).split(u'\n', Qt::SkipEmptyParts)) out << line.split(u'\t');
    return out;
}

// A table panel cell: "glyph:i,j", "key:x" or "-".
std::vector<int> strokesOfCell(const QString& cell) {
    std::vector<int> out;
    const qsizetype colon = cell.lastIndexOf(u':');
    if (colon < 0) return out;
    for (const QString& n : cell.mid(colon + 1).split(u',', Qt::SkipEmptyParts)) out.push_back(n.toInt());
    return out;
}

}  // namespace

TEST(RendererGenerated, EveryCharacterHasADrawingAndFieldsMatchingItsTable) {
    ASSERT_GENERATED();
    const auto fills = rows(fillsPath);
    const auto table = rows(tablePath);
    const QStringList& all = gb2312Hanzi();
    ASSERT_EQ(fills.size(), all.size());
    ASSERT_EQ(table.size(), all.size());
    for (qsizetype i = 0; i < all.size(); ++i) {
        const QStringList& f = fills[i];
        const QStringList& t = table[i];
        ASSERT_EQ(f.size(), 5) << i;
        ASSERT_EQ(t.size(), 7) << i;
        // Both files in GB2312 order, the same characters.
        ASSERT_EQ(f[0], all[i]);
        ASSERT_EQ(t[0], all[i]);
        const std::string c = all[i].toStdString();
        EXPECT_TRUE(QFile::exists(bmpDir + u'/' + all[i] + QStringLiteral(".bmp"))) << c;
        EXPECT_TRUE(t[6] == u"high" || t[6] == u"medium" || t[6] == u"low") << c;
        for (int k = 0; k < 4; ++k) {
            const QString& cell = t[2 + k];
            const QString& field = f[1 + k];
            if (cell == u"-") {
                EXPECT_TRUE(field.isEmpty()) << c << " panel " << k + 1;
            } else if (cell.startsWith(QStringLiteral("key:"))) {
                EXPECT_EQ(field, QStringLiteral("0")) << c << " panel " << k + 1;
                EXPECT_TRUE(tessivo::identKeyIndex(cell.back())) << c;
            } else {
                EXPECT_FALSE(strokesOfCell(cell).empty()) << c << " panel " << k + 1;
                EXPECT_EQ(field.size() % 8, 0) << c;
                EXPECT_GE(field.size(), 8) << c << " panel " << k + 1;
                EXPECT_LE(field.size(), 72) << c;
            }
        }
    }
}

TEST(RendererGenerated, WrittenPointsFillOnlyTheirRadicalForAllCharacters) {
    ASSERT_GENERATED();
    const auto fills = rows(fillsPath);
    QHash<QString, QStringList> table;
    for (const QStringList& t : rows(tablePath)) table.insert(t[0], t);
    const QString outlines = QStringLiteral(TESSIVO_HANZI_WRITER_DIR);
    ASSERT_INPUT_EXISTS(outlines + QStringLiteral("/package.json"));
    long long missed = 0;
    int cappedPanels = 0;
    int panels = 0;
    for (const QStringList& f : fills) {
        const QString& character = f[0];
        const std::string c = character.toStdString();
        std::string error;
        const auto drawing = Raster::loadBmp((bmpDir + u'/' + character + QStringLiteral(".bmp")).toStdString(), &error);
        ASSERT_TRUE(drawing) << c << ": " << error;
        ASSERT_EQ(drawing->width(), tessivo::panel::WidthPixels);
        ASSERT_EQ(drawing->height(), tessivo::panel::HeightPixels);
        const auto outline = readOutline(outlines, character);
        ASSERT_TRUE(outline) << c;
        std::vector<Mask> strokes;
        for (const QString& path : outline->paths) strokes.push_back(strokeMask(path));
        const QStringList& t = table.value(character);
        ASSERT_EQ(t.size(), 7) << c;
        for (int k = 0; k < 4; ++k) {
            const auto points = tessivo::parseFillField(f[1 + k]);
            if (f[1 + k] == u"0" || points.empty()) continue;
            ++panels;
            Mask radical;
            for (int s : strokesOfCell(t[2 + k])) {
                ASSERT_TRUE(s >= 0 && s < static_cast<int>(strokes.size())) << c;
                radical |= strokes[static_cast<std::size_t>(s)];
            }
            tessivo::PanelSurface surface(*drawing);
            for (const auto& p : points) tessivo::floodFill(surface, p.x, p.y, 0x000000);
            int leaked = 0;
            int left = 0;
            for (int y = 0; y < tessivo::panel::HeightPixels; ++y) {
                for (int x = 0; x < tessivo::panel::WidthPixels; ++x) {
                    const bool wasWhite = drawing->pixel(x, y) == Raster::White;
                    const bool nowWhite = surface.raster().pixel(x, y) == Raster::White;
                    if (wasWhite && !nowWhite && !radical.at(x, y)) ++leaked;
                    if (wasWhite && nowWhite && radical.at(x, y)) ++left;
                }
            }
            EXPECT_EQ(leaked, 0) << c << " panel " << k + 1;
            // No white is left inside the radical: where nine points could not reach every area,
            // the generator inked the rest (车 戈 耕 建 律 阱 躞).
            EXPECT_EQ(left, 0) << c << " panel " << k + 1;
            if (left > 0) ++cappedPanels;
            missed += left;
        }
    }
    RecordProperty("filled_panels", panels);
    RecordProperty("panels_over_nine_areas", cappedPanels);
    RecordProperty("missed_pixels", static_cast<int>(missed));
    std::printf("%d filled panels; %d need more than nine points; %lld radical pixels left white\n", panels, cappedPanels, missed);
}

TEST(RendererGenerated, SixteenKeyPictures) {
    ASSERT_GENERATED();
    for (const KeyMeaning& key : identificationKeys()) {
        std::string error;
        const auto picture = Raster::loadBmp((keysDir + u'/' + key.letter + QStringLiteral(".bmp")).toStdString(), &error);
        ASSERT_TRUE(picture) << error;
        EXPECT_EQ(picture->width(), KeyPictureWidth);
        EXPECT_EQ(picture->height(), KeyPictureHeight);
    }
}
