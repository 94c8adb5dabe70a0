// The phrase lookup over the generated phrase file of the build: for every first character the
// list holds exactly the second characters of its words.

#include "phrases/phrase_file.h"
#include "phrases/phrase_lookup.h"
#include "support/inputs.h"

#include <QHash>

#include <gtest/gtest.h>

#include <algorithm>

using namespace tessivo;

TEST(RealData, EveryWordIsListedUnderItsFirstCharacter) {
    const QString path = QStringLiteral(TESSIVO_BIN_DIR "/wwbb11cz.dat");
    ASSERT_INPUT_EXISTS(path);

    PhraseFile file;
    ASSERT_TRUE(file.open(path)) << file.errorString().toStdString();
    QHash<QString, QString> expected;  // first character -> its second characters, file order
    QStringList firsts;
    for (int n = 1; n <= file.recordCount(); ++n) {
        const QString word = file.read(n).value_or(QString());
        ASSERT_EQ(word.size(), 2) << n;
        if (!expected.contains(word.left(1))) firsts << word.left(1);
        expected[word.left(1)] += word.right(1);
    }
    PhraseLookup lookup(file);
    lookup.start();
    for (const QString& first : firsts) {
        ASSERT_TRUE(lookup.lookup(first).found) << first.toStdString();
        QString listed = lookup.pages().words;
        listed.remove(u' ');
        QString want = expected[first];
        std::sort(listed.begin(), listed.end());
        std::sort(want.begin(), want.end());
        ASSERT_EQ(listed, want) << first.toStdString();
        const int words = static_cast<int>(want.size());
        EXPECT_EQ(lookup.pages().pageCount, words * 2 / 32 + 1);
    }
}
