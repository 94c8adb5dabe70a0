// The phrase lookup over the generated phrase file, when a build has made it: for every first
// character the list holds exactly the second characters of its words.

#include "phrases/phrase_file.h"
#include "phrases/phrase_lookup.h"

#include <QFileInfo>
#include <QHash>

#include <gtest/gtest.h>

#include <algorithm>

using namespace tessivo;

TEST(RealData, EveryWordIsListedUnderItsFirstCharacter) {
    const QString env = qEnvironmentVariable("TESSIVO_DATA_DIR");
    const QString path = (env.isEmpty() ? QStringLiteral(TESSIVO_BIN_DIR) : env) + QStringLiteral("/wwbb11cz.dat");
    if (!QFileInfo::exists(path)) GTEST_SKIP() << "no generated data at " << path.toStdString();

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
        QString listed = lookup.pages().text1;
        listed.remove(u' ');
        QString want = expected[first];
        std::sort(listed.begin(), listed.end());
        std::sort(want.begin(), want.end());
        ASSERT_EQ(listed, want) << first.toStdString();
        const int words = static_cast<int>(want.size());
        EXPECT_EQ(lookup.pages().label17, QString::number(words * 2 / 32 + 1));
    }
}
