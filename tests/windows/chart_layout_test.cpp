// The radical chart picture: every key of the table in keyboard order with its verse, nothing
// outside its key or under the window's buttons, and the printed page's position and size.

#include "platform/printer.h"
#include "windows/chart_layout.h"
#include "windows/chart_picture.h"
#include "windows/radical_chart.h"

#include <QPainter>
#include <gtest/gtest.h>

#include <set>

namespace tessivo::chart {
namespace {

const QString KeyboardOrder = QStringLiteral("qwertyuiopasdfghjklxcvbnm");

QString keysOf(const std::vector<KeyContent>& keys) {
    QString out;
    for (const KeyContent& k : keys) out += k.key;
    return out;
}

// The bounding box of everything not white in `image`.
QRect inked(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != qRgb(255, 255, 255)) box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

TEST(ChartTable, EveryKeyHasItsNumberAndVerse) {
    EXPECT_EQ(keyNumber(QLatin1Char('g')), 11);
    EXPECT_EQ(keyNumber(QLatin1Char('a')), 15);
    EXPECT_EQ(keyNumber(QLatin1Char('m')), 25);
    EXPECT_EQ(keyNumber(QLatin1Char('q')), 35);
    EXPECT_EQ(keyNumber(QLatin1Char('x')), 55);
    EXPECT_EQ(keyNumber(QLatin1Char('z')), 0);
    EXPECT_EQ(verseOf(QLatin1Char('g')), QStringLiteral("王旁青头戋（兼）五一"));
    EXPECT_EQ(verseOf(QLatin1Char('k')), QStringLiteral("口与川，字根稀"));
    EXPECT_EQ(verseOf(QLatin1Char('x')), QStringLiteral("慈母无心弓和匕，幼无力"));
    EXPECT_TRUE(verseOf(QLatin1Char('z')).isEmpty());
    std::set<QString> verses;
    for (const QChar key : KeyboardOrder) verses.insert(verseOf(key));
    EXPECT_EQ(verses.size(), 25u);  // one verse per key, none repeated by a slip of the table
}

TEST(ChartTable, KeysCarryEveryRadicalOfTheTableOnce) {
    const RadicalChart& table = RadicalChart::wubi86();
    const std::vector<KeyContent> keys = chartKeys(table);
    EXPECT_EQ(keysOf(keys), KeyboardOrder);
    for (const KeyContent& k : keys) {
        EXPECT_EQ(k.nameRadical, table.keyNameGlyph(k.key)) << k.key.toLatin1();
        EXPECT_FALSE(k.radicals.contains(k.nameRadical)) << k.key.toLatin1();
        QStringList unique = k.radicals;
        EXPECT_EQ(unique.removeDuplicates(), 0) << k.key.toLatin1();
        EXPECT_EQ(k.zone, QString::fromLatin1("gfdsahjklmtrewqyuiopnbvcx").indexOf(k.key) / 5);
    }
    for (const Radical& r : table.radicals()) {
        if (!r.parts.empty() || r.keyName) continue;
        const auto& k = keys[std::size_t(KeyboardOrder.indexOf(r.key))];
        EXPECT_TRUE(k.radicals.contains(r.glyph)) << r.glyph.toStdString();
    }
    // Two class strings of one radical (土 written either way) are one entry on the key.
    const KeyContent& f = keys[std::size_t(KeyboardOrder.indexOf(QLatin1Char('f')))];
    EXPECT_EQ(f.radicals.count(QStringLiteral("十")), 1);
}

TEST(ChartLayout, KeysLieInsideThePictureApartAndClearOfTheButtons) {
    const ChartLayout layout = layoutChart(RadicalChart::wubi86());
    ASSERT_EQ(layout.keys.size(), 25u);
    const QRectF picture(0, 0, PictureWidth, PictureHeight);
    for (std::size_t i = 0; i < layout.keys.size(); ++i) {
        const KeyBox& k = layout.keys[i];
        const char key = k.content.key.toLatin1();
        EXPECT_TRUE(picture.contains(k.box)) << key;
        EXPECT_FALSE(k.box.intersects(ButtonCorner)) << key;
        EXPECT_FALSE(k.box.intersects(layout.title)) << key;
        EXPECT_FALSE(k.box.intersects(layout.legend)) << key;
        for (std::size_t j = i + 1; j < layout.keys.size(); ++j) EXPECT_FALSE(k.box.intersects(layout.keys[j].box)) << key;
    }
    EXPECT_TRUE(picture.contains(layout.legend));
    EXPECT_FALSE(layout.legend.intersects(ButtonCorner));
    // Keyboard rows: left to right within a row, each row below the one before.
    for (std::size_t i = 1; i < layout.keys.size(); ++i) {
        const QRectF a = layout.keys[i - 1].box, b = layout.keys[i].box;
        if (a.top() == b.top()) EXPECT_LT(a.right(), b.left());
        else EXPECT_GT(b.top(), a.bottom());
    }
}

TEST(ChartLayout, EveryTextStaysInsideItsKey) {
    const ChartLayout layout = layoutChart(RadicalChart::wubi86());
    for (const KeyBox& k : layout.keys) {
        const char key = k.content.key.toLatin1();
        EXPECT_LE(k.contentBottom, k.box.bottom() - 2) << key;
        EXPECT_EQ(k.radicals.size(), std::size_t(k.content.radicals.size())) << key;
        for (const PlacedText& r : k.radicals) {
            EXPECT_GE(r.at.x(), k.box.left()) << key;
            EXPECT_LE(r.at.x() + r.text.size() * r.size, k.box.right() + 1) << key << " " << r.text.toStdString();
            EXPECT_GT(r.at.y(), k.nameRadical.at.y()) << key;
        }
        QString verse;
        for (const PlacedText& line : k.verseLines) {
            EXPECT_LE(line.at.x() + line.text.size() * line.size, k.box.right()) << key << " " << line.text.toStdString();
            verse += line.text;
        }
        EXPECT_EQ(verse, k.content.verse) << key;
    }
}

TEST(ChartLayout, VerseLinesNeverStartWithAClosingMarkNorEndWithAnOpeningOne) {
    const QStringList lines = wrapGlyphs(QStringLiteral("金勺缺点无尾鱼，犬旁留叉儿一点夕，氏无七（妻）"), 5);
    EXPECT_EQ(lines.join(QString()), QStringLiteral("金勺缺点无尾鱼，犬旁留叉儿一点夕，氏无七（妻）"));
    for (const QString& line : lines) {
        EXPECT_LE(line.size(), 5);
        EXPECT_FALSE(QStringLiteral("，）").contains(line.front())) << line.toStdString();
        EXPECT_FALSE(line.endsWith(QStringLiteral("（"))) << line.toStdString();
    }
    EXPECT_EQ(wrapGlyphs(QStringLiteral("王旁青头，戋"), 4), (QStringList{QStringLiteral("王旁青"), QStringLiteral("头，戋")}));
    // A character outside the basic plane is one glyph, never split.
    EXPECT_EQ(wrapGlyphs(QStringLiteral("一𧘇二"), 2), (QStringList{QStringLiteral("一𧘇"), QStringLiteral("二")}));
    EXPECT_TRUE(wrapGlyphs(QString(), 5).isEmpty());
}

TEST(ChartPicture, IsDrawnSharpAtTwiceThePixels) {
    const QImage one = renderChart(1);
    const QImage two = renderChart(2);
    EXPECT_EQ(one.size(), QSize(PictureWidth, PictureHeight));
    EXPECT_EQ(two.size(), QSize(2 * PictureWidth, 2 * PictureHeight));
    EXPECT_EQ(two.deviceIndependentSize(), QSizeF(PictureWidth, PictureHeight));
    EXPECT_EQ(inked(one), QRect(0, 0, PictureWidth, PictureHeight));  // the frame marks the edge
    // The header band of Q (横 red, 撇 blue …) has its zone's colour at both sizes.
    const ChartLayout layout = layoutChart(RadicalChart::wubi86());
    const QPointF band = layout.keys[0].header.center() + QPointF(0, 4);
    EXPECT_EQ(one.pixel(band.toPoint()), two.pixel((band * 2).toPoint()));
    EXPECT_EQ(qBlue(one.pixel(band.toPoint())), 184);
}

// A page that records what is drawn on it, at 96 dots per inch (15 twips per pixel).
class PagePicture : public platform::PagePrinter {
public:
    bool refuse = false;
    int pages = 0;
    QImage page{794, 1123, QImage::Format_RGB32};  // A4 at 96 dpi
    bool printPage(const DrawPage& draw, QString* problem) override {
        if (refuse) {
            *problem = QStringLiteral("refused");
            return false;
        }
        ++pages;
        page.fill(Qt::white);
        QPainter p(&page);
        p.scale(1 / 15.0, 1 / 15.0);
        draw(p);
        return true;
    }
};

TEST(ChartPrint, TheChartLiesAt600By200TwipsAtItsNaturalSize) {
    PagePicture printer;
    QString problem;
    ASSERT_TRUE(printChart(printer, &problem));
    EXPECT_EQ(printer.pages, 1);
    const QRect box = inked(printer.page);
    EXPECT_EQ(box.topLeft(), QPoint(40, 13));  // 600 and 200 twips, 13.3 pixels
    EXPECT_NEAR(box.width(), PictureWidth, 1);
    EXPECT_NEAR(box.height(), PictureHeight, 1);
    EXPECT_LT(box.right(), 794 - 40);  // on the page with at least the left margin to spare
}

TEST(ChartPrint, ARefusedPageIsReported) {
    PagePicture printer;
    printer.refuse = true;
    QString problem;
    EXPECT_FALSE(printChart(printer, &problem));
    EXPECT_EQ(problem, QStringLiteral("refused"));
}

}  // namespace
}  // namespace tessivo::chart
