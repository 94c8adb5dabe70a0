// The lookups over the generated data files of the build: every GB2312 character is found,
// shows a code line and its drawing, and every seed point lands in a white area of the drawing
// without flooding the panel.

#include "lookup/charcode_file.h"
#include "lookup/code_lookup.h"
#include "lookup/code_rules.h"
#include "platform/gbk_codec.h"
#include "support/inputs.h"

#include <QFile>

#include <gtest/gtest.h>

#include <filesystem>

using namespace tessivo;

namespace {

const QString ProgramFolder = QStringLiteral(TESSIVO_BIN_DIR);
const QString CharCodePath = ProgramFolder + QStringLiteral("/wwbb11.dat");
const QString KeyFolder = QStringLiteral(TESSIVO_GEN_DIR "/keys");

std::optional<Raster> load(const QString& path) {
    return Raster::loadBmp(std::filesystem::path(QFile::encodeName(path).toStdString()));
}

std::size_t blackPixels(const Raster& r) {
    std::size_t n = 0;
    for (std::uint32_t p : r.pixels()) n += p == Raster::Black;
    return n;
}

}  // namespace

TEST(RealData, FillFieldsHoldOnlyBlanksAndDigits) {
    // So every part of a fill point reads as the same number whether blanks alone or all white
    // space are skipped before it.
    ASSERT_INPUT_EXISTS(CharCodePath);
    CharCodeFile file;
    ASSERT_TRUE(file.open(CharCodePath)) << file.errorString().toStdString();
    int fills = 0;
    for (int n = 1; n <= file.recordCount(); ++n) {
        const auto record = file.read(n);
        ASSERT_TRUE(record.has_value()) << n;
        for (const QString& fill : record->fill) {
            for (QChar c : fill) ASSERT_TRUE(c == u' ' || (c >= u'0' && c <= u'9')) << "record " << n;
            ++fills;
        }
    }
    EXPECT_EQ(fills, 4 * 6763);
}

TEST(RealData, EveryCharacterIsFoundDrawnAndFilled) {
    ASSERT_INPUT_EXISTS(CharCodePath);
    ASSERT_INPUT_EXISTS(ProgramFolder + QStringLiteral("/bmp"));
    ASSERT_INPUT_EXISTS(KeyFolder);
    CharCodeFile file;
    ASSERT_TRUE(file.open(CharCodePath)) << file.errorString().toStdString();
    CodeLookup lookup(file, ProgramFolder, [](QChar letter) { return load(KeyFolder + u'/' + letter + QStringLiteral(".bmp")); });
    lookup.start();

    int characters = 0;
    for (int lead = 0xB0; lead <= 0xF7; ++lead) {
        for (int trail = 0xA1; trail <= 0xFE; ++trail) {
            if (lead == 0xD7 && trail >= 0xFA) continue;
            const char bytes[] = {static_cast<char>(lead), static_cast<char>(trail)};
            const QString c = gbk::decode(QByteArrayView(bytes, 2)).value_or(QString());
            ASSERT_FALSE(c.isEmpty());
            ++characters;
            const CodeLookupResult result = lookup.run(c);
            ASSERT_TRUE(result.found) << c.toStdString();
            const CodeDisplayState& s = lookup.state();
            EXPECT_FALSE(s.codeLine.isEmpty()) << c.toStdString();
            const auto path = lookup.drawingPath(c);
            ASSERT_TRUE(path.has_value()) << c.toStdString();
            const auto drawing = load(*path);
            ASSERT_TRUE(drawing.has_value()) << c.toStdString();
            const std::array<QString, 4>& fills = lookup.search().record().fill;
            for (int i = 0; i < 4; ++i) {
                const Panel& panel = s.panels[static_cast<std::size_t>(i)];
                if (i < 2) {
                    ASSERT_EQ(panel.kind, Panel::Kind::Drawing) << c.toStdString() << " panel " << i;
                }
                if (panel.kind == Panel::Kind::IdentKey) {
                    EXPECT_FALSE(panel.surface.raster().isNull()) << c.toStdString();
                }
                if (panel.kind != Panel::Kind::Drawing) continue;
                for (const FillPoint& p : parseFillField(fills[static_cast<std::size_t>(i)])) {
                    const int x = panel.surface.toPixelsX(p.x);
                    const int y = panel.surface.toPixelsY(p.y);
                    ASSERT_TRUE(drawing->contains(x, y)) << c.toStdString() << " panel " << i;
                    EXPECT_EQ(drawing->pixel(x, y), Raster::White) << c.toStdString() << " panel " << i;
                }
                // A seed in the open background would blacken most of the panel.
                EXPECT_LT(blackPixels(panel.surface.raster()), panel.surface.raster().pixels().size() / 2)
                    << c.toStdString() << " panel " << i;
            }
        }
    }
    EXPECT_EQ(characters, 6763);
    EXPECT_EQ(file.recordCount(), 6763);
}
