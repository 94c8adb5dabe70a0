#include "lookup/code_lookup.h"
#include "support/builders.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace tessivo;
using namespace tessivo::testing;

namespace {

// A point of a fill field, in twips, for pixel (x, y).
QString seed(int x, int y) {
    return QStringLiteral("%1%2").arg(x * panel::TwipsPerPixel, 4).arg(y * panel::TwipsPerPixel, 4);
}

// A drawing with two closed white boxes: A (11..39 square) and B (61..99 square).
Raster drawing() {
    Raster r(panel::WidthPixels, panel::HeightPixels);
    for (auto [lo, hi] : {std::pair{10, 40}, {60, 100}}) {
        for (int i = lo; i <= hi; ++i) {
            r.setPixel(i, lo, Raster::Black);
            r.setPixel(i, hi, Raster::Black);
            r.setPixel(lo, i, Raster::Black);
            r.setPixel(hi, i, Raster::Black);
        }
    }
    return r;
}

bool boxFilled(const Panel& panel, int at) { return panel.surface.raster().pixel(at, at) == Raster::Black; }

// Key pictures of one flat colour each, so a test can tell which one a panel shows.
std::uint32_t keyColour(int index) { return 0x100000u * static_cast<std::uint32_t>(index + 1); }

class CodeLookupTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("bmp")));
    }

    // Writes the records and the drawings of the characters listed in `drawn`, opens the file.
    void build(const std::vector<CharCodeRecord>& records, const std::vector<QString>& drawn) {
        writeFile(dir, QStringLiteral("wwbb11.dat"), bytesOf(records));
        for (const QString& c : drawn)
            ASSERT_TRUE(drawing().saveMonoBmp(QFile::encodeName(dir.filePath(QStringLiteral("bmp/") + c + QStringLiteral(".bmp"))).toStdString()));
        ASSERT_TRUE(file.open(dir.filePath(QStringLiteral("wwbb11.dat")))) << file.errorString().toStdString();
        lookup = std::make_unique<CodeLookup>(file, dir.path(), [this](QChar letter) -> std::optional<Raster> {
            ++keyRequests;
            const auto index = identKeyIndex(letter);
            if (!index) return std::nullopt;
            return Raster(108, 109, keyColour(*index));
        });
        lookup->start();
    }

    const Panel& panel(int i) const { return lookup->state().panels[static_cast<std::size_t>(i)]; }

    QTemporaryDir dir;
    CharCodeFile file;
    std::unique_ptr<CodeLookup> lookup;
    int keyRequests = 0;
};

}  // namespace

TEST(IdentKeys, SixteenLettersInPictureOrder) {
    const QString order = QStringLiteral("gfdhjktreyuinbvl");
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(identKeyIndex(order[i]), i);
        EXPECT_EQ(identKeyLetter(i), order[i]);
    }
    for (QChar other : QStringLiteral("acmopqswxzG 1")) EXPECT_EQ(identKeyIndex(other), std::nullopt) << int(other.unicode());
    EXPECT_EQ(identKeyLetter(16), QChar());
    EXPECT_EQ(identKeyLetter(-1), QChar());
}

TEST_F(CodeLookupTest, FoundCharacterWithFourRadicals) {
    const QString c = hanzi(4);
    build({record(hanzi(0)),
           record(c, QStringLiteral("wqvb"), QString(), QStringLiteral("w"),
                  {seed(20, 20), seed(80, 80), seed(20, 20) + seed(80, 80), seed(5, 5)}),
           record(hanzi(8))},
          {c});
    const CodeLookupResult result = lookup->run(c);
    EXPECT_TRUE(result.ran);
    EXPECT_TRUE(result.found);
    EXPECT_FALSE(result.keepsRequest);
    EXPECT_TRUE(result.clearRequest());
    EXPECT_FALSE(result.clearPhraseList());

    const CodeDisplayState& s = lookup->state();
    EXPECT_FALSE(s.bannerShown);
    EXPECT_EQ(s.shownCharacter, c);
    EXPECT_EQ(s.code1, QStringLiteral("wqvb"));
    EXPECT_EQ(s.code2, QStringLiteral("    "));
    EXPECT_EQ(s.code3, QStringLiteral("w   "));
    EXPECT_EQ(s.codeLine, QStringLiteral("w wqvb"));
    EXPECT_EQ(lookup->search().record().character, c + u' ');

    for (int i = 0; i < 4; ++i) ASSERT_EQ(panel(i).kind, Panel::Kind::Drawing) << i;
    EXPECT_TRUE(boxFilled(panel(0), 25));
    EXPECT_FALSE(boxFilled(panel(0), 80));
    EXPECT_FALSE(boxFilled(panel(1), 25));
    EXPECT_TRUE(boxFilled(panel(1), 80));
    EXPECT_TRUE(boxFilled(panel(2), 25));
    EXPECT_TRUE(boxFilled(panel(2), 80));
    // Panel 4 was seeded outside both boxes: the open white around them turns black.
    EXPECT_TRUE(boxFilled(panel(3), 5));
    EXPECT_FALSE(boxFilled(panel(3), 25));
    EXPECT_EQ(panel(0).surface.raster().width(), panel::WidthPixels);
    EXPECT_EQ(panel(0).surface.raster().height(), panel::HeightPixels);
    EXPECT_EQ(keyRequests, 0);
}

TEST_F(CodeLookupTest, IdentificationKeyInPanelThreeKeepsTheCharacter) {
    const QString c = hanzi(2);
    // fill3 "0": the key picture of code1's third letter "g"; fill4 is then never processed.
    build({record(hanzi(0)),
           record(c, QStringLiteral("jeg "), QString(), QStringLiteral("je"), {seed(20, 20), seed(80, 80), QStringLiteral("0"), seed(20, 20)})},
          {c});
    const CodeLookupResult result = lookup->run(c + hanzi(7));
    EXPECT_TRUE(result.found);
    EXPECT_TRUE(result.keepsRequest);
    EXPECT_FALSE(result.clearRequest());
    EXPECT_EQ(lookup->state().shownCharacter, c + hanzi(7));  // the text as given
    EXPECT_EQ(lookup->state().codeLine, QStringLiteral("je jeg"));
    ASSERT_EQ(panel(2).kind, Panel::Kind::IdentKey);
    EXPECT_EQ(panel(2).keyLetter, QChar(u'g'));
    EXPECT_EQ(panel(2).keyIndex, 0);
    EXPECT_EQ(panel(2).surface.raster().pixel(50, 50), keyColour(0));
    EXPECT_EQ(panel(2).surface.raster().pixel(110, 111), Raster::White);  // beyond the 108 x 109 picture
    EXPECT_EQ(panel(3).kind, Panel::Kind::Empty);  // code3 of two letters cleared it
    EXPECT_TRUE(boxFilled(panel(0), 25));
    EXPECT_TRUE(boxFilled(panel(1), 80));
}

TEST_F(CodeLookupTest, IdentificationKeyInPanelFour) {
    const QString c = hanzi(2);
    build({record(c, QStringLiteral("imnl"), QStringLiteral("imn "), QStringLiteral("i"),
                  {seed(20, 20), seed(80, 80), seed(80, 80), QStringLiteral("0")})},
          {c});
    const CodeLookupResult result = lookup->run(c);
    EXPECT_TRUE(result.keepsRequest);
    EXPECT_EQ(lookup->state().codeLine, QStringLiteral("i imn imnl"));
    ASSERT_EQ(panel(2).kind, Panel::Kind::Drawing);
    EXPECT_TRUE(boxFilled(panel(2), 80));
    ASSERT_EQ(panel(3).kind, Panel::Kind::IdentKey);
    EXPECT_EQ(panel(3).keyIndex, 15);
    EXPECT_EQ(panel(3).surface.raster().pixel(0, 0), keyColour(15));
}

TEST_F(CodeLookupTest, KeyLetterOutsideTheTableLeavesThePanelEmpty) {
    const QString c = hanzi(2);
    build({record(c, QStringLiteral("xyz "), QString(), QStringLiteral("xyz"), {seed(20, 20), seed(80, 80), QStringLiteral("0"), QString()})},
          {c});
    const CodeLookupResult result = lookup->run(c);
    EXPECT_TRUE(result.keepsRequest);
    EXPECT_EQ(panel(2).kind, Panel::Kind::Empty);
    EXPECT_EQ(panel(3).kind, Panel::Kind::Empty);
    EXPECT_EQ(keyRequests, 0);
    // A key picture that cannot be had still names its key.
    build({record(c, QStringLiteral("abg "), QString(), QStringLiteral("abg"), {QString(), QString(), QStringLiteral("0"), QString()})}, {c});
    lookup = std::make_unique<CodeLookup>(file, dir.path(), KeyPictureProvider{});
    lookup->run(c);
    ASSERT_EQ(panel(2).kind, Panel::Kind::IdentKey);
    EXPECT_EQ(panel(2).keyLetter, QChar(u'g'));
    EXPECT_TRUE(panel(2).surface.raster().isNull());
}

TEST_F(CodeLookupTest, ShortCodesClearTheLastPanelsAndEmptyPanelsAreNeverFilled) {
    const QString two = hanzi(2);
    const QString three = hanzi(4);
    const QString full = hanzi(6);
    const QString sparse = hanzi(8);
    build({record(two, QStringLiteral("abcd"), QStringLiteral("abc"), QStringLiteral("ab"),
                  {seed(20, 20), seed(20, 20), seed(5, 5), seed(5, 5)}),
           record(three, QStringLiteral("abcd"), QStringLiteral("ab"), QStringLiteral("abc"),
                  {seed(20, 20), seed(20, 20), seed(80, 80), seed(5, 5)}),
           record(full, QStringLiteral("abcd"), QString(), QStringLiteral("abcd"),
                  {seed(20, 20), seed(20, 20), seed(80, 80), seed(80, 80)}),
           record(sparse, QStringLiteral("abcd"), QString(), QStringLiteral("abcd"), {seed(20, 20), seed(80, 80), QString(), QString()})},
          {two, three, full, sparse});

    lookup->run(two);
    EXPECT_EQ(lookup->state().codeLine, QStringLiteral("ab abc abcd"));
    EXPECT_EQ(panel(2).kind, Panel::Kind::Empty);
    EXPECT_EQ(panel(3).kind, Panel::Kind::Empty);
    EXPECT_TRUE(panel(2).surface.raster().isNull());  // the seed did not blacken a blank panel

    lookup->run(three);
    EXPECT_EQ(panel(2).kind, Panel::Kind::Drawing);
    EXPECT_TRUE(boxFilled(panel(2), 80));
    EXPECT_EQ(panel(3).kind, Panel::Kind::Empty);

    lookup->run(full);
    EXPECT_EQ(lookup->state().codeLine, QStringLiteral("abcd"));  // c2 empty, c3 = c1
    EXPECT_EQ(panel(3).kind, Panel::Kind::Drawing);
    // Blank third and fourth fill fields: nothing of the character before stays there.
    lookup->run(sparse);
    EXPECT_EQ(panel(2).kind, Panel::Kind::Empty);
    EXPECT_EQ(panel(3).kind, Panel::Kind::Empty);
    EXPECT_TRUE(boxFilled(panel(1), 80));
}

TEST_F(CodeLookupTest, MissingOrBrokenDrawingFallsBackToTheFont) {
    const QString missing = hanzi(2);
    const QString broken = hanzi(4);
    build({record(missing, QStringLiteral("abcd"), QString(), QStringLiteral("a"), {seed(20, 20), seed(20, 20), seed(20, 20), QStringLiteral("0")}),
           record(broken, QStringLiteral("abcd"), QString(), QStringLiteral("a"), {seed(20, 20), seed(20, 20), QString(), QString()})},
          {});
    writeFile(dir, QStringLiteral("bmp/") + broken + QStringLiteral(".bmp"), "BM not really a picture");

    const CodeLookupResult result = lookup->run(missing);
    EXPECT_TRUE(result.found);
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(panel(i).kind, Panel::Kind::FontFallback) << i;
        EXPECT_EQ(panel(i).character, missing);
    }
    // The key panel does not depend on the drawing: fourth letter "d".
    EXPECT_EQ(panel(3).kind, Panel::Kind::IdentKey);
    EXPECT_EQ(panel(3).keyIndex, 2);
    lookup->run(broken);
    EXPECT_EQ(panel(0).kind, Panel::Kind::FontFallback);
    EXPECT_EQ(panel(0).character, broken);
}

// A 1-bit BMP of the given size, white.
QByteArray picture(int width, int height) {
    const auto bytes = Raster(width, height).encodeMonoBmp();
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

TEST_F(CodeLookupTest, UnreadableDrawingFallsBackToTheFont) {
    std::vector<CharCodeRecord> records;
    for (int i = 0; i < 6; ++i) records.push_back(record(hanzi(i), QStringLiteral("abcd"), QString(), QStringLiteral("a"), {seed(20, 20), seed(20, 20), QString(), QString()}));
    build(records, {});
    const auto drawingOf = [this](int i) { return dir.filePath(QStringLiteral("bmp/") + hanzi(i) + QStringLiteral(".bmp")); };
    // A folder, a FIFO (a read would wait for ever), a link to an endless device, a picture
    // over the size a drawing has (4096 x 130: 66 KB), one larger than the panel, and a file
    // whose read fails after it opened (a process's memory at address 0: EIO, as on a bad disk).
    ASSERT_TRUE(QDir().mkdir(drawingOf(0)));
    ASSERT_EQ(::mkfifo(QFile::encodeName(drawingOf(1)).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), drawingOf(2)));
    writeFile(dir, QStringLiteral("bmp/") + hanzi(3) + QStringLiteral(".bmp"), picture(4096, 130));
    writeFile(dir, QStringLiteral("bmp/") + hanzi(4) + QStringLiteral(".bmp"), picture(panel::WidthPixels + 1, panel::HeightPixels));
    ASSERT_TRUE(QFile::link(QStringLiteral("/proc/self/mem"), drawingOf(5)));
    for (int i = 0; i < 6; ++i) {
        EXPECT_TRUE(lookup->run(hanzi(i)).found) << i;
        ASSERT_EQ(panel(0).kind, Panel::Kind::FontFallback) << i;
        EXPECT_EQ(panel(0).character, hanzi(i));
    }
}

// A damaged wwbb11.dat whose second record is the character U+0000: it passes the open check, and
// its lookup must show the font, not open the bmp folder itself as the drawing.
TEST_F(CodeLookupTest, CharacterThatCannotBeAFileNameIsNeverAPath) {
    ASSERT_TRUE(file.open(QStringLiteral(TESSIVO_TEST_DATA_DIR "/charcode_nul_character.dat"))) << file.errorString().toStdString();
    CodeLookup nul(file, dir.path(), {});
    nul.start();
    EXPECT_TRUE(nul.run(QString(QChar(0))).found);
    EXPECT_EQ(nul.state().panels[0].kind, Panel::Kind::FontFallback);
    EXPECT_EQ(nul.state().panels[0].character, QString(QChar(0)));

    for (const QString& bad : {QString(QChar(0)), QStringLiteral("/"), QStringLiteral(".."), QStringLiteral("a"),
                               QStringLiteral("\t"), QString(), hanzi(0) + hanzi(1), QStringLiteral("\u0e01")})
        EXPECT_EQ(nul.drawingPath(bad), std::nullopt) << bad.toStdString();
    EXPECT_EQ(nul.drawingPath(hanzi(0)), dir.path() + QStringLiteral("/bmp/") + hanzi(0) + QStringLiteral(".bmp"));
}

TEST_F(CodeLookupTest, NotFoundClearsTheDisplayButKeepsTheRecordFields) {
    const QString c = hanzi(2);
    build({record(hanzi(0)), record(c, QStringLiteral("abcd"), QString(), QStringLiteral("a"), {seed(20, 20), seed(20, 20), QString(), QString()}),
           record(hanzi(6))},
          {c});
    lookup->run(c);
    const CharCodeRecord before = lookup->search().record();
    ASSERT_EQ(before.character, c + u' ');

    const CodeLookupResult result = lookup->run(hanzi(3));
    EXPECT_TRUE(result.ran);
    EXPECT_FALSE(result.found);
    EXPECT_TRUE(result.clearPhraseList());
    EXPECT_TRUE(result.clearRequest());
    const CodeDisplayState& s = lookup->state();
    EXPECT_TRUE(s.bannerShown);
    for (const QString* shown : {&s.shownCharacter, &s.code1, &s.code2, &s.code3, &s.codeLine}) EXPECT_TRUE(shown->isEmpty());
    for (int i = 0; i < 4; ++i) EXPECT_EQ(panel(i).kind, Panel::Kind::Empty);
    EXPECT_EQ(lookup->search().record().character, before.character);
    EXPECT_EQ(lookup->search().record().fill[0], before.fill[0]);

    // Found again: the banner goes. A phrase lookup without words then clears only the third code.
    lookup->run(c);
    EXPECT_FALSE(lookup->state().bannerShown);
    ASSERT_EQ(lookup->state().code3, QStringLiteral("a   "));
    lookup->clearCode3();
    EXPECT_TRUE(lookup->state().code3.isEmpty());
    EXPECT_EQ(lookup->state().code1, QStringLiteral("abcd"));
    EXPECT_EQ(lookup->state().codeLine, QStringLiteral("a abcd"));

    // Empty input: nothing at all changes.
    const CodeLookupResult none = lookup->run(QString());
    EXPECT_FALSE(none.ran);
    EXPECT_FALSE(none.clearRequest());
    EXPECT_FALSE(none.clearPhraseList());
    EXPECT_EQ(lookup->state().shownCharacter, c);
}

TEST_F(CodeLookupTest, StartShowsRecordOneAndEmptyPanels) {
    build({record(hanzi(0), QStringLiteral("bbbb")), record(hanzi(2))}, {});
    EXPECT_EQ(lookup->search().currentCharRecord(), 1);
    EXPECT_EQ(lookup->search().record().code1, QStringLiteral("bbbb"));
    EXPECT_EQ(lookup->state().shownCharacter, QStringLiteral("单字："));
    EXPECT_TRUE(lookup->state().codeLine.isEmpty());
    EXPECT_FALSE(lookup->state().bannerShown);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(panel(i).kind, Panel::Kind::Empty);
    EXPECT_EQ(lookup->drawingPath(hanzi(0)), dir.path() + QStringLiteral("/bmp/") + hanzi(0) + QStringLiteral(".bmp"));
}

TEST_F(CodeLookupTest, ARepeatedRequestShowsExactlyWhatAFreshLookupShows) {
    const QString a = hanzi(2);
    const QString b = hanzi(4);
    const QString missing = hanzi(6);
    build({record(a, QStringLiteral("abcd"), QString(), QStringLiteral("ab"), {seed(20, 20), seed(80, 80), seed(5, 5), QStringLiteral("0")}),
           record(b, QStringLiteral("wqvb"), QString(), QStringLiteral("w"), {seed(80, 80), seed(20, 20), QString(), QString()})},
          {a, b});
    const CodeLookupResult first = lookup->run(a);
    const CodeDisplayState shown = lookup->state();
    // The phrase lookup found no word in between: the repeat brings the third code back, as a
    // fresh lookup would.
    lookup->clearCode3();
    const CodeLookupResult again = lookup->run(a);
    EXPECT_EQ(again.found, first.found);
    EXPECT_EQ(again.keepsRequest, first.keepsRequest);
    EXPECT_EQ(lookup->state().code3, shown.code3);
    EXPECT_EQ(lookup->state().codeLine, shown.codeLine);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(panel(i).kind, shown.panels[static_cast<std::size_t>(i)].kind) << i;
        EXPECT_TRUE(panel(i).surface.raster() == shown.panels[static_cast<std::size_t>(i)].surface.raster()) << i;
    }
    // Another character in between is looked up for real, and so is the first one after it.
    lookup->run(b);
    EXPECT_EQ(lookup->state().shownCharacter, b);
    EXPECT_FALSE(panel(0).surface.raster() == shown.panels[0].surface.raster());
    lookup->run(a);
    EXPECT_EQ(lookup->state().shownCharacter, a);
    EXPECT_TRUE(panel(0).surface.raster() == shown.panels[0].surface.raster());
    EXPECT_EQ(lookup->search().record().character.left(1), a);
    // A request that is not found twice keeps the banner and the emptied panels.
    EXPECT_FALSE(lookup->run(missing).found);
    EXPECT_FALSE(lookup->run(missing).found);
    EXPECT_TRUE(lookup->state().bannerShown);
    EXPECT_EQ(panel(0).kind, Panel::Kind::Empty);
    // The load step forgets the last request: the same character is found again from record 1.
    lookup->start();
    EXPECT_TRUE(lookup->run(a).found);
    EXPECT_EQ(lookup->state().shownCharacter, a);
}
