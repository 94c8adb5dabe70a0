#include "platform/skin_file.h"
#include "support/files.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>

using namespace tessivo;

namespace {

const char* const Captions[] = {"PixOS", "CoronaLaST", "XP-Metallic", "XP-Luna", "LE4",
                                "MacOS", "Slate", "OpusOS", "RhodiumX"};

QByteArray shipped(const char* caption) {
    return tessivo::testing::readAll(QStringLiteral(TESSIVO_SOURCE_DIR "/skins/%1.urf").arg(QLatin1String(caption)));
}

// A valid skin with one line replaced (or appended when `key` is not in it).
QByteArray withLine(const QByteArray& key, const QByteArray& line) {
    QList<QByteArray> lines = shipped("PixOS").split('\n');
    bool replaced = false;
    for (QByteArray& l : lines) {
        if (l.startsWith(key + ':')) {
            l = line;
            replaced = true;
        }
    }
    if (!replaced) lines.insert(3, line);
    return lines.join('\n');
}

QString refusal(const QByteArray& bytes) {
    const skin::ParseResult r = skin::parse(bytes);
    EXPECT_FALSE(r.look.has_value());
    return r.error ? r.error->text() : QStringLiteral("<accepted>");
}

// WCAG contrast ratio of two 0xRRGGBB colours.
double contrast(std::uint32_t a, std::uint32_t b) {
    const auto luminance = [](std::uint32_t c) {
        const auto channel = [](int v) {
            const double s = v / 255.0;
            return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel((c >> 16) & 0xFF) + 0.7152 * channel((c >> 8) & 0xFF) + 0.0722 * channel(c & 0xFF);
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

}  // namespace

TEST(SkinFile, EveryShippedSkinIsAcceptedReadableAndItsOwn) {
    std::vector<skin::Look> looks;
    for (const char* caption : Captions) {
        const skin::ParseResult r = skin::parse(shipped(caption));
        ASSERT_TRUE(r.look) << caption << ": " << qPrintable(r.error->text());
        const skin::Look& l = *r.look;
        EXPECT_EQ(l.name, QLatin1String(caption));
        using C = skin::Colour;
        // Text on every surface it is drawn on, and the caption on both ends of the title bar.
        EXPECT_GE(contrast(l.colour(C::Text), l.colour(C::Window)), 4.5) << caption;
        EXPECT_GE(contrast(l.colour(C::BaseText), l.colour(C::Base)), 4.5) << caption;
        EXPECT_GE(contrast(l.colour(C::ButtonText), l.colour(C::Button)), 4.5) << caption;
        EXPECT_GE(contrast(l.colour(C::HighlightText), l.colour(C::Highlight)), 3.0) << caption;
        EXPECT_GE(contrast(l.colour(C::TitleText), l.colour(C::TitleTop)), 3.0) << caption;
        EXPECT_GE(contrast(l.colour(C::TitleText), l.colour(C::TitleBottom)), 3.0) << caption;
        EXPECT_GE(contrast(l.colour(C::CloseText), l.colour(C::CloseButton)), 3.0) << caption;
        EXPECT_FALSE(l.sheet.isEmpty()) << caption;
        looks.push_back(l);
    }
    // Clearly different: no two skins share their window colour and title bar.
    for (size_t i = 0; i < looks.size(); ++i) {
        for (size_t k = i + 1; k < looks.size(); ++k) {
            EXPECT_FALSE(looks[i].colour(skin::Colour::Window) == looks[k].colour(skin::Colour::Window) &&
                         looks[i].colour(skin::Colour::TitleTop) == looks[k].colour(skin::Colour::TitleTop))
                << Captions[i] << " and " << Captions[k];
        }
    }
}

TEST(SkinFile, LineEndsAndCommentsDoNotMatter) {
    QByteArray lf = shipped("Slate");
    lf.replace("\r\n", "\n");
    const skin::ParseResult a = skin::parse(lf);
    const skin::ParseResult b = skin::parse(shipped("Slate"));
    ASSERT_TRUE(a.look && b.look);
    EXPECT_EQ(a.look->colours, b.look->colours);
    EXPECT_EQ(a.look->sheet, b.look->sheet);
    const skin::ParseResult c = skin::parse("# a comment first\n\n" + lf + "\n# and last\n");
    ASSERT_TRUE(c.look);
    EXPECT_EQ(c.look->titleBold, b.look->titleBold);
}

TEST(SkinFile, MalformedFilesAreRefusedWithTheLineAndTheReason) {
    EXPECT_EQ(refusal(""), QStringLiteral("empty file"));
    EXPECT_EQ(refusal("QWidget { background: red; }"), QStringLiteral("line 1: the first line must be \"tessivo-skin 1\""));
    EXPECT_TRUE(refusal(withLine("window", "window: red")).contains(QStringLiteral("#rrggbb")));
    EXPECT_TRUE(refusal(withLine("window", "window: #12345")).contains(QStringLiteral("#rrggbb")));
    EXPECT_TRUE(refusal(withLine("corner-radius", "corner-radius: 13")).contains(QStringLiteral("0 to 12")));
    EXPECT_TRUE(refusal(withLine("corner-radius", "corner-radius: -1")).contains(QStringLiteral("0 to 12")));
    EXPECT_TRUE(refusal(withLine("title-font-size", "title-font-size: 99999999999")).contains(QStringLiteral("7 to 16")));
    EXPECT_TRUE(refusal(withLine("title-bold", "title-bold: true")).contains(QStringLiteral("yes or no")));
    EXPECT_TRUE(refusal(withLine("shadow", "shadow: #000000")).contains(QStringLiteral("unknown key \"shadow\"")));
    EXPECT_TRUE(refusal(withLine("frame", "")).contains(QStringLiteral("\"frame\" is missing")));
    EXPECT_TRUE(refusal(withLine("name", "name:")).contains(QStringLiteral("no value")));
    EXPECT_TRUE(refusal(withLine("title-font", "title-font: A\"; } QWidget { x")).contains(QStringLiteral("must not hold")));
    EXPECT_TRUE(refusal(withLine("name", "name " + QByteArray(100, 'x'))).contains(QStringLiteral("key: value")));
    // A key given twice names both lines.
    EXPECT_TRUE(refusal(shipped("PixOS").replace("name: PixOS", "name: PixOS\r\nname: Again"))
                    .contains(QStringLiteral("already given on line 5")));
}

TEST(SkinFile, TheStyleSheetIsCheckedBeforeAnythingIsApplied) {
    const QByteArray good = shipped("LE4");
    const auto sheet = [&](const QByteArray& rules) {
        QByteArray bytes = good;
        bytes.replace("sheet:\r\n", "sheet:\r\n" + rules + "\r\n");
        return bytes;
    };
    EXPECT_TRUE(skin::parse(sheet("QLabel { color: #ffffff; }")).look.has_value());
    EXPECT_TRUE(refusal(sheet("QLabel { background: url(/etc/passwd); }")).contains(QStringLiteral("must not load files")));
    EXPECT_TRUE(refusal(sheet("@import x;")).contains(QStringLiteral("must not load files")));
    EXPECT_TRUE(refusal(sheet("QLabel { QWidget { } }")).contains(QStringLiteral("inside a rule")));
    EXPECT_TRUE(refusal(sheet("}")).contains(QStringLiteral("without a rule")));
    QByteArray open = good;
    open.replace("\r\nend\r\n", "\r\nQLabel { color: #ffffff;\r\nend\r\n");
    EXPECT_TRUE(refusal(open).contains(QStringLiteral("rule in the sheet is not closed")));
    EXPECT_TRUE(refusal(sheet("/* open")).contains(QStringLiteral("comment")));
    EXPECT_TRUE(refusal(sheet("QLabel { font-family: \"x\"; }")).contains(QStringLiteral("quotes")));
    QByteArray noEnd = good;
    noEnd.replace("\r\nend\r\n", "\r\n");
    EXPECT_TRUE(refusal(noEnd).contains(QStringLiteral("no \"end\" line")));
    QByteArray longSheet;
    for (int i = 0; i <= skin::MaxSheetLines; ++i) longSheet += "QLabel { }\r\n";
    EXPECT_TRUE(refusal(sheet(longSheet)).contains(QStringLiteral("longer than")));
}

TEST(SkinFile, BytesThatAreNoSkinTextAreRefused) {
    EXPECT_EQ(refusal(withLine("name", "name: \xff\xff")), QStringLiteral("not GBK text"));
    EXPECT_TRUE(refusal(withLine("name", QByteArray("name: a\0b", 9))).contains(QStringLiteral("control character")));
    EXPECT_TRUE(refusal(withLine("name", "name: a\x1b[31m")).contains(QStringLiteral("control character")));
    QByteArray big = shipped("PixOS");
    big += QByteArray(skin::MaxFileBytes, '#');
    EXPECT_TRUE(refusal(big).startsWith(QStringLiteral("larger than")));
    // GBK text is fine where text is free: a Chinese font name.
    const skin::ParseResult chinese = skin::parse(withLine("title-font", "title-font: \xcb\xce\xcc\xe5"));
    ASSERT_TRUE(chinese.look);
    EXPECT_EQ(chinese.look->titleFont, QStringLiteral("宋体"));
}

TEST(SkinFile, FilesAreFoundIgnoringLetterCaseAndExactNamesWin) {
    QTemporaryDir dir;
    tessivo::testing::write(dir.filePath(QStringLiteral("PixOS.urf")), shipped("PixOS"));
    EXPECT_EQ(skin::findInFolder(dir.path(), QStringLiteral("pixos.urf")), dir.filePath(QStringLiteral("PixOS.urf")));
    EXPECT_EQ(skin::resolvePath(dir.filePath(QStringLiteral("PIXOS.URF"))), dir.filePath(QStringLiteral("PixOS.urf")));
    tessivo::testing::write(dir.filePath(QStringLiteral("pixos.urf")), shipped("Slate"));
    EXPECT_EQ(skin::findInFolder(dir.path(), QStringLiteral("pixos.urf")), dir.filePath(QStringLiteral("pixos.urf")));
    EXPECT_EQ(skin::findInFolder(dir.path(), QStringLiteral("PixOS.urf")), dir.filePath(QStringLiteral("PixOS.urf")));
    // Folders and names with a folder part are no skin files; a missing file stays missing.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("LE4.urf")));
    EXPECT_FALSE(skin::findInFolder(dir.path(), QStringLiteral("le4.urf")));
    EXPECT_FALSE(skin::findInFolder(dir.path(), QStringLiteral("../PixOS.urf")));
    EXPECT_EQ(skin::resolvePath(dir.filePath(QStringLiteral("Slate.urf"))), dir.filePath(QStringLiteral("Slate.urf")));
    const skin::ParseResult missing = skin::load(dir.filePath(QStringLiteral("Slate.urf")));
    EXPECT_FALSE(missing.look);
    EXPECT_FALSE(missing.error->message.isEmpty());
}
