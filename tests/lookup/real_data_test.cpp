// The lookups over the generated data files, when a build has made them: every GB2312
// character is found, shows a code line and its drawing, and every seed point lands in a white
// area of the drawing without flooding the panel.

#include "lookup/charcode_file.h"
#include "lookup/code_lookup.h"
#include "lookup/code_rules.h"
#include "platform/gbk_codec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <filesystem>

using namespace tessivo;

namespace {

QString dataDir() {
    const QString env = qEnvironmentVariable("TESSIVO_DATA_DIR");
    return env.isEmpty() ? QStringLiteral(TESSIVO_BIN_DIR) : env;
}

std::optional<Raster> load(const QString& path) {
    return Raster::loadBmp(std::filesystem::path(QFile::encodeName(path).toStdString()));
}

std::size_t blackPixels(const Raster& r) {
    std::size_t n = 0;
    for (std::uint32_t p : r.pixels()) n += p == Raster::Black;
    return n;
}

}  // namespace

TEST(RealData, EveryCharacterIsFoundDrawnAndFilled) {
    const QString dir = dataDir();
    if (!QFileInfo::exists(dir + QStringLiteral("/wwbb11.dat")) || !QFileInfo::exists(dir + QStringLiteral("/bmp")))
        GTEST_SKIP() << "no generated data in " << dir.toStdString();
    CharCodeFile file;
    ASSERT_TRUE(file.open(dir + QStringLiteral("/wwbb11.dat"))) << file.errorString().toStdString();
    const QString keys = QDir(dir).filePath(QStringLiteral("../generated/keys"));
    CodeLookup lookup(file, dir, [&](QChar letter) { return load(keys + u'/' + letter + QStringLiteral(".bmp")); });
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
            EXPECT_FALSE(s.label10.isEmpty()) << c.toStdString();
            const auto drawing = load(lookup.drawingPath(c));
            ASSERT_TRUE(drawing.has_value()) << c.toStdString();
            const RecordFields& f = lookup.search().fields();
            const QString fills[] = {f.text17, f.text18, f.text19, f.text20};
            for (int i = 0; i < 4; ++i) {
                const Panel& panel = s.panels[static_cast<std::size_t>(i)];
                if (i < 2) {
                    ASSERT_EQ(panel.kind, Panel::Kind::Drawing) << c.toStdString() << " panel " << i;
                }
                if (panel.kind == Panel::Kind::IdentKey) {
                    EXPECT_FALSE(panel.surface.raster().isNull()) << c.toStdString();
                }
                if (panel.kind != Panel::Kind::Drawing) continue;
                for (const FillPoint& p : parseFillField(fills[i])) {
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
