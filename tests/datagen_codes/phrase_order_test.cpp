#include "codes/phrase_order.h"

#include "codes/record_files.h"
#include "common/common.h"
#include "phrases/phrase_file.h"
#include "phrases/phrase_lookup.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>

using namespace tessivo;
using namespace tessivo::datagen;

namespace {

// Groups of several sizes, each ranked by the order of its second characters in `seconds`.
std::vector<QString> rankedWords(const std::vector<int>& sizes) {
    const QStringList& hanzi = gb2312Hanzi();
    std::vector<QString> words;
    int next = 1000;
    for (std::size_t g = 0; g < sizes.size(); ++g) {
        const QString first = hanzi[static_cast<int>(g * 37)];
        for (int i = 0; i < sizes[g]; ++i) words.push_back(first + hanzi[next++]);
    }
    return words;
}

QStringList listed(const std::vector<QString>& words, const QString& first) {
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("wwbb11cz.dat"));
    writeFileAtomically(path, buildPhraseFile(words));
    PhraseFile file;
    EXPECT_TRUE(file.open(path));
    PhraseLookup lookup(file);
    lookup.start();
    lookup.lookup(first);
    return lookup.pages().words.split(u' ', Qt::SkipEmptyParts);
}

}  // namespace

TEST(PhraseOrder, TheLookupListsEveryGroupMostFrequentFirst) {
    const std::vector<QString> ranked = rankedWords({1, 2, 3, 22, 5, 1, 17, 9, 22, 4});
    const std::vector<QString> arranged = arrangeForLookup(ranked);
    ASSERT_EQ(arranged.size(), ranked.size());
    for (int g = 0; g < 10; ++g) {
        const QString first = gb2312Hanzi()[g * 37];
        QStringList expected;
        for (const QString& w : ranked)
            if (w.startsWith(first)) expected << w.right(1);
        EXPECT_EQ(listed(arranged, first), expected) << first.toStdString();
    }
}

TEST(PhraseOrder, OnlyTheOrderInsideAGroupChanges) {
    const std::vector<QString> ranked = rankedWords({7, 3, 12});
    const std::vector<QString> arranged = arrangeForLookup(ranked);
    for (std::size_t i = 0; i < ranked.size(); ++i) EXPECT_EQ(arranged[i].left(1), ranked[i].left(1));
    std::vector<QString> a = ranked, b = arranged;
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    EXPECT_EQ(a, b);
}
