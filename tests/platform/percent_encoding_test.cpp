// The forum search's query: GBK bytes, percent-encoded, checked against glibc's own GBK table
// (an encoder independent of the program's) and against bytes known by heart.

#include "platform/gbk_codec.h"
#include "platform/shell.h"

#include <QUrl>
#include <gtest/gtest.h>

#include <iconv.h>

using namespace tessivo;

namespace {

// GBK bytes of UTF-8 text through iconv.
QByteArray iconvGbk(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    iconv_t cd = iconv_open("GBK", "UTF-8");
    EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1));
    QByteArray out(utf8.size() * 2 + 4, '\0');
    char* in = const_cast<char*>(utf8.constData());
    size_t inLeft = size_t(utf8.size());
    char* to = out.data();
    size_t outLeft = size_t(out.size());
    EXPECT_NE(iconv(cd, &in, &inLeft, &to, &outLeft), size_t(-1));
    iconv_close(cd);
    out.truncate(out.size() - qsizetype(outLeft));
    return out;
}

// Every byte as %XX, except those a query carries as they stand.
QByteArray encodeByHand(const QByteArray& bytes) {
    QByteArray out;
    for (const char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        if (u < 0x80 && (QChar(u).isLetterOrNumber() || QByteArray("-._~!$'()*,;:@/?").contains(b))) out += b;
        else out += '%' + QByteArray::number(u, 16).toUpper().rightJustified(2, '0');
    }
    return out;
}

}  // namespace

TEST(PercentEncoding, TheQuestionOfTheLastCodeLGivesItsGbkBytes) {
    const QString text = QStringLiteral("“蔻”，“靥”两个字的最后一码为何是L?");
    const auto encoded = gbk::percentEncoded(text);
    ASSERT_TRUE(encoded.has_value());
    EXPECT_EQ(*encoded, encodeByHand(iconvGbk(text)));
    // The opening quote is A1B0, the full-width comma A3AC; "L?" stays as typed.
    EXPECT_TRUE(encoded->startsWith("%A1%B0"));
    EXPECT_TRUE(encoded->contains("%A1%B1%A3%AC%A1%B0"));
    EXPECT_TRUE(encoded->endsWith("L?"));
    EXPECT_EQ(encoded->size(), 3 * 2 * 18 + 2);  // 18 double-byte characters, then L and ?
}

TEST(PercentEncoding, CharactersThatWouldSplitTheQueryAreEncoded) {
    EXPECT_EQ(gbk::percentEncoded(u"a b&c=d+e#f%g"), QByteArray("a%20b%26c%3Dd%2Be%23f%25g"));
    EXPECT_EQ(gbk::percentEncoded(u"AZaz09-._~"), QByteArray("AZaz09-._~"));
    EXPECT_EQ(gbk::percentEncoded(u"啊"), QByteArray("%B0%A1"));
    EXPECT_EQ(gbk::percentEncoded(u""), QByteArray(""));
    EXPECT_FALSE(gbk::percentEncoded(u"a😀").has_value());  // no GBK code: refused, never '?'
}

TEST(PercentEncoding, TheAddressReachesTheDesktopWithTheSameBytes) {
    const QByteArray address = "https://tessivo.org/forum/search.asp?page=1&type=title&searchtxt=" +
                               *gbk::percentEncoded(u"“蔻”，“靥”两个字的最后一码为何是L?");
    EXPECT_EQ(platform::urlOf(QString::fromLatin1(address)).toEncoded(), address);
    EXPECT_EQ(platform::urlOf(QStringLiteral("mailto:author@tessivo.org")).toEncoded(), QByteArray("mailto:author@tessivo.org"));
}
