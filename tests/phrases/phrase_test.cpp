#include "phrases/phrase_file.h"
#include "phrases/phrase_lookup.h"
#include "support/builders.h"

#include <QSet>

#include <gtest/gtest.h>

#include <vector>

using namespace tessivo;
using namespace tessivo::testing;

namespace {

// Second characters come from row 0xC0 on, so they never equal a first character used here.
QString follower(int i) { return hanzi(16 * 94 + i); }

// Word records: (first character number, second character number).
using Words = std::vector<std::pair<int, int>>;

QByteArray wordBytes(const Words& words) {
    QStringList texts;
    for (const auto& [a, b] : words) texts << hanzi(a) + follower(b);
    return bytesOf(texts);
}

// The words for `first`: n of them, followers base .. base + n - 1.
Words wordsOf(int first, int n, int base = 0) {
    Words w;
    for (int i = 0; i < n; ++i) w.emplace_back(first, base + i);
    return w;
}

Words operator+(Words a, const Words& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// The listed second characters, in list order (the list is "c c c ... " then padding).
QStringList listed(const PhrasePages& pages) {
    QStringList out;
    const QString list = pages.words.trimmed();
    for (qsizetype i = 0; i < list.size(); i += 2) out << list.mid(i, 1);
    return out;
}

class PhraseTest : public ::testing::Test {
protected:
    void open(const Words& words) {
        ASSERT_TRUE(dir.isValid());
        const QString path = write(wordBytes(words));
        ASSERT_TRUE(file.open(path)) << file.errorString().toStdString();
        lookup.start();
    }
    QString write(const QByteArray& bytes) { return writeFile(dir, QStringLiteral("wwbb11cz.dat"), bytes); }
    // Error text of opening `bytes` ("" when it opens).
    QString openError(const QByteArray& bytes) {
        PhraseFile f;
        const QString path = write(bytes);
        if (f.open(path)) return {};
        EXPECT_TRUE(f.errorString().startsWith(QStringLiteral("词组文件 ") + path + u' ')) << f.errorString().toStdString();
        EXPECT_TRUE(f.errorString().contains(QStringLiteral("tessivo_data")));
        EXPECT_FALSE(f.isOpen());
        return f.errorString();
    }
    void expectPage(const QString& page) {
        EXPECT_EQ(lookup.pages().pageText, page);
        EXPECT_EQ(page.size(), PhrasePages::PageLength);
    }

    QTemporaryDir dir;
    PhraseFile file;
    PhraseLookup lookup{file};
};

}  // namespace

TEST_F(PhraseTest, BadFilesAreRefusedWithOneClearMessage) {
    ASSERT_TRUE(dir.isValid());
    PhraseFile missing;
    EXPECT_FALSE(missing.open(dir.filePath(QStringLiteral("none.dat"))));
    EXPECT_TRUE(missing.errorString().contains(QStringLiteral("不存在")));

    EXPECT_TRUE(openError({}).contains(QStringLiteral("是空文件")));
    EXPECT_TRUE(openError(wordBytes(wordsOf(1, 2)) + "ab").contains(QStringLiteral("4 字节记录")));
    EXPECT_TRUE(openError(wordBytes({{3, 0}, {2, 0}})).contains(QStringLiteral("第 2 条记录")));
    EXPECT_TRUE(openError(QByteArray("\xB0\xA1\xFF\xFF", 4)).contains(QStringLiteral("第 1 条记录")));
    EXPECT_TRUE(openError(QByteArray(qsizetype(PhraseFile::MaxRecords + 1) * 4, 'a')).contains(QStringLiteral("32767")));
    // Words sharing their first character may stand in any order.
    EXPECT_EQ(openError(wordBytes({{1, 5}, {1, 2}, {1, 9}, {4, 0}})), QString());
}

TEST_F(PhraseTest, RecordNavigation) {
    open({{1, 0}, {2, 1}, {3, 2}});
    EXPECT_EQ(lookup.currentPhraseRecord(), 1);
    EXPECT_EQ(lookup.recordText(), hanzi(1) + follower(0));
    lookup.previousRecord();  // already at record 1
    EXPECT_EQ(lookup.currentPhraseRecord(), 1);
    lookup.nextRecord();
    lookup.nextRecord();
    lookup.nextRecord();  // already at the last
    EXPECT_EQ(lookup.currentPhraseRecord(), 3);
    EXPECT_EQ(lookup.recordText(), hanzi(3) + follower(2));
    lookup.backToMatch();  // the match starts as record 1
    EXPECT_EQ(lookup.currentPhraseRecord(), 1);
    lookup.lookup(hanzi(2));
    EXPECT_EQ(lookup.matchRecord(), 2);
    lookup.nextRecord();
    lookup.backToMatch();
    EXPECT_EQ(lookup.currentPhraseRecord(), 2);
    EXPECT_EQ(lookup.recordText(), hanzi(2) + follower(1));
}

TEST_F(PhraseTest, OneRecordFile) {
    open({{5, 7}});
    const PhraseLookupResult found = lookup.lookup(hanzi(5));
    EXPECT_TRUE(found.found);
    EXPECT_FALSE(found.clearCode3);
    EXPECT_EQ(lookup.pages().words, follower(7) + QString(35, u' '));
    EXPECT_EQ(lookup.pages().pageCount, 1);
    EXPECT_EQ(lookup.pages().page, 1);
    EXPECT_FALSE(lookup.pages().canPageBack);
    EXPECT_FALSE(lookup.pages().canPageForward);
    expectPage(follower(7) + QString(31, u' '));

    for (int other : {4, 6}) {
        const PhraseLookupResult missing = lookup.lookup(hanzi(other));
        EXPECT_FALSE(missing.found);
        EXPECT_TRUE(missing.clearCode3);
        EXPECT_EQ(lookup.pages().words, QString(34, u' '));
        EXPECT_EQ(lookup.pages().pageCount, 0);
        EXPECT_EQ(lookup.pages().page, 1);  // a lookup that finds nothing leaves the page number
        expectPage(QString(32, u' '));
    }
}

TEST_F(PhraseTest, KeyBetweenTwoRecordsFailsAfterOneRound) {
    open({{2, 0}, {6, 1}});
    file.resetReadCount();
    const PhraseLookupResult r = lookup.lookup(hanzi(4));
    EXPECT_FALSE(r.found);
    EXPECT_FALSE(lookup.phraseFound());
    EXPECT_EQ(lookup.lowerProbe(), hanzi(2) + follower(0));  // the middle probe: record 1
    EXPECT_EQ(lookup.upperProbe(), hanzi(6) + follower(1));
    // Search: record 1, record 2, middle record 1. Scans: none backwards (at record 1), back to
    // record 1, one step forwards to record 2.
    EXPECT_EQ(file.readCount(), 5u);
    EXPECT_TRUE(lookup.pages().words.trimmed().isEmpty());
}

TEST_F(PhraseTest, KeysOutsideTheFileFailWithoutAMiddleProbe) {
    open(wordsOf(2, 1) + wordsOf(4, 1) + wordsOf(6, 1) + wordsOf(8, 1) + wordsOf(10, 1));
    for (int key : {1, 11}) {
        file.resetReadCount();
        EXPECT_FALSE(lookup.lookup(hanzi(key)).found);
        EXPECT_EQ(lookup.lowerProbe(), hanzi(2) + follower(0)) << key;  // record 1, not the middle
        EXPECT_EQ(lookup.upperProbe(), hanzi(10) + follower(0));
        // Two search reads, one step back from record 5, record 1 again, one step forwards.
        EXPECT_EQ(file.readCount(), 5u);
        EXPECT_EQ(lookup.pages().pageCount, 0);
    }
    // A character without a GBK code and an empty text find nothing.
    EXPECT_TRUE(lookup.lookup(QStringLiteral("😀")).clearCode3);
    EXPECT_TRUE(lookup.lookup(QString()).clearCode3);
    EXPECT_EQ(lookup.pages().pageText, QString(32, u' '));
}

TEST_F(PhraseTest, WordsAtTheStartAndAtTheEndOfTheFile) {
    open(wordsOf(1, 3) + wordsOf(2, 2) + wordsOf(3, 1) + wordsOf(5, 4, 10));
    lookup.lookup(hanzi(1));
    QStringList words = listed(lookup.pages());
    EXPECT_EQ(words.size(), 3);  // record 1 is not repeated by the backward scan
    EXPECT_EQ(QSet<QString>(words.begin(), words.end()), (QSet<QString>{follower(0), follower(1), follower(2)}));

    lookup.lookup(hanzi(5));
    words = listed(lookup.pages());
    EXPECT_EQ(words.size(), 4);  // the forward scan stops at the last record
    EXPECT_EQ(QSet<QString>(words.begin(), words.end()),
              (QSet<QString>{follower(10), follower(11), follower(12), follower(13)}));
    EXPECT_EQ(lookup.currentPhraseRecord(), 10);
}

TEST_F(PhraseTest, ListOrderIsMatchThenBackwardsThenForwards) {
    // Seven words of character 3; the search meets record 5 (the middle of 1..9) first.
    open(wordsOf(1, 1) + wordsOf(3, 7) + wordsOf(9, 1));
    lookup.lookup(hanzi(3));
    EXPECT_EQ(lookup.matchRecord(), 5);
    EXPECT_EQ(listed(lookup.pages()),
              (QStringList{follower(3), follower(2), follower(1), follower(0), follower(4), follower(5), follower(6)}));
    EXPECT_EQ(lookup.currentPhraseRecord(), 9);  // the record that ended the forward scan
}

TEST_F(PhraseTest, TwentyWordsMakeTwoPages) {
    open(wordsOf(1, 2) + wordsOf(3, 20) + wordsOf(4, 2));
    lookup.lookup(hanzi(3));
    const PhrasePages& p = lookup.pages();
    EXPECT_EQ(p.words.size(), 40 + 34);
    EXPECT_EQ(p.pageCount, 2);
    EXPECT_FALSE(p.canPageBack);
    EXPECT_TRUE(p.canPageForward);
    const QStringList words = listed(p);
    ASSERT_EQ(words.size(), 20);
    expectPage(p.words.left(32));

    lookup.nextPage();
    EXPECT_EQ(p.page, 2);
    EXPECT_TRUE(p.canPageBack);
    EXPECT_FALSE(p.canPageForward);
    QString last4;
    for (int i = 16; i < 20; ++i) last4 += words[i] + u' ';
    expectPage(last4 + QString(24, u' '));
    lookup.nextPage();  // disabled: no third page
    EXPECT_EQ(p.page, 2);
}

TEST_F(PhraseTest, SixteenWordsMakeASecondBlankPage) {
    open(wordsOf(3, 16) + wordsOf(4, 1));
    lookup.lookup(hanzi(3));
    EXPECT_EQ(lookup.pages().pageCount, 2);
    EXPECT_TRUE(lookup.pages().canPageForward);
    lookup.nextPage();
    expectPage(QString(32, u' '));
}

TEST_F(PhraseTest, PagingThroughThreePages) {
    open(wordsOf(3, 40));
    lookup.lookup(hanzi(3));
    const PhrasePages& p = lookup.pages();
    ASSERT_EQ(p.pageCount, 3);
    lookup.previousPage();  // disabled on page 1
    EXPECT_EQ(p.page, 1);

    const QString page1 = p.pageText;
    lookup.nextPage();
    EXPECT_EQ(p.page, 2);
    EXPECT_TRUE(p.canPageBack);
    EXPECT_TRUE(p.canPageForward);
    expectPage(p.words.mid(32, 32));
    lookup.nextPage();
    EXPECT_EQ(p.page, 3);
    EXPECT_FALSE(p.canPageForward);
    expectPage(p.words.mid(64, 32));
    EXPECT_EQ(p.pageText.trimmed().size(), 15);  // words 33..40: 8 characters and 7 blanks between

    lookup.previousPage();
    EXPECT_EQ(p.page, 2);
    EXPECT_TRUE(p.canPageForward);
    EXPECT_TRUE(p.canPageBack);
    lookup.previousPage();
    EXPECT_EQ(p.page, 1);
    EXPECT_FALSE(p.canPageBack);
    EXPECT_TRUE(p.canPageForward);
    EXPECT_EQ(p.pageText, page1);
}

TEST_F(PhraseTest, EachLookupStartsFromAFreshList) {
    open(wordsOf(1, 3) + wordsOf(5, 2, 20));
    lookup.lookup(hanzi(5));
    lookup.lookup(hanzi(3));
    EXPECT_EQ(lookup.pages().pageCount, 0);
    lookup.lookup(hanzi(1));
    EXPECT_EQ(listed(lookup.pages()).size(), 3);
    EXPECT_EQ(lookup.pages().pageCount, 1);
    EXPECT_FALSE(lookup.pages().canPageForward);
    // Twice in a row (the change handler, then the input handler): the same list.
    const QString once = lookup.pages().words;
    lookup.lookup(hanzi(1));
    EXPECT_EQ(lookup.pages().words, once);
}

TEST(PhraseToolTip, OnlyEmptyTextHasNone) {
    EXPECT_EQ(listToolTip(QString()), QString());
    EXPECT_EQ(listToolTip(QString(32, u' ')), QStringLiteral("点击汉字得到五笔编码，并反查拼音。"));
}
