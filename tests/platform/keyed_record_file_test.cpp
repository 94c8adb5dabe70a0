// The keyed record file and its binary search, over both kinds of record file: the
// character-code file (one record per character) and the phrase file (words grouped by first
// character).

#include "lookup/charcode_file.h"
#include "phrases/phrase_file.h"
#include "support/builders.h"

#include <gtest/gtest.h>

#include <vector>

using namespace tessivo;
using namespace tessivo::testing;

namespace {

// A file whose records begin with hanzi(first) for each of `firsts`, in that order.
QByteArray fileOf(const CharCodeRecord*, const std::vector<int>& firsts) {
    std::vector<CharCodeRecord> records;
    for (int i : firsts) records.push_back(record(hanzi(i)));
    return bytesOf(records);
}

QByteArray fileOf(const PhraseRecord*, const std::vector<int>& firsts) {
    QStringList words;
    for (int i : firsts) words << hanzi(i) + hanzi(1500 + static_cast<int>(words.size()));
    return bytesOf(words);
}

// hanzi(0), hanzi(2), ... hanzi(2 * (count - 1)): the odd characters fall between records.
std::vector<int> evenCharacters(int count) {
    std::vector<int> firsts;
    for (int i = 0; i < count; ++i) firsts.push_back(2 * i);
    return firsts;
}

std::int16_t keyOf(int i) { return *gbk::charKey(hanzi(i)); }

template <typename Record>
class KeySearch : public ::testing::Test {
protected:
    void open(const std::vector<int>& firsts) {
        ASSERT_TRUE(dir.isValid());
        const QString path = writeFile(dir, QStringLiteral("records.dat"), fileOf(static_cast<const Record*>(nullptr), firsts));
        ASSERT_TRUE(file.open(path)) << file.errorString().toStdString();
    }
    // Searches for `key`; the number of record reads it took goes to `reads`.
    platform::KeySearchResult searchKey(std::int16_t key) {
        file.resetReadCount();
        const platform::KeySearchResult result = file.search(key, probes);
        reads = file.readCount();
        return result;
    }
    platform::KeySearchResult search(int i) { return searchKey(keyOf(i)); }
    // The first character of the record in `bytes`.
    static QString firstOf(const QByteArray& bytes) { return gbk::decodeLenient(bytes.first(2)); }

    QTemporaryDir dir;
    platform::KeyedRecordFile<Record> file;
    platform::SearchProbes probes;
    std::uint64_t reads = 0;
};

using RecordKinds = ::testing::Types<CharCodeRecord, PhraseRecord>;
TYPED_TEST_SUITE(KeySearch, RecordKinds);

}  // namespace

TYPED_TEST(KeySearch, OneRecordFileFindsOnlyItsOwnKey) {
    this->open({10});
    const auto hit = this->search(10);
    EXPECT_TRUE(hit.found);
    EXPECT_EQ(hit.record, 1);
    EXPECT_EQ(this->reads, 2u);  // both bounds are record 1
    for (int other : {9, 11}) {
        const auto miss = this->search(other);
        EXPECT_FALSE(miss.found);
        EXPECT_EQ(miss.record, 1);
        EXPECT_EQ(this->reads, 2u);
    }
}

TYPED_TEST(KeySearch, EndRecordsAreFoundWithoutAMiddleProbe) {
    this->open(evenCharacters(101));
    EXPECT_EQ(this->search(0).record, 1);
    EXPECT_EQ(this->reads, 2u);
    const auto last = this->search(200);
    EXPECT_TRUE(last.found);
    EXPECT_EQ(last.record, 101);
    EXPECT_EQ(this->reads, 2u);
}

TYPED_TEST(KeySearch, KeysOutsideTheFileAreRejectedAfterTheTwoBounds) {
    this->open(evenCharacters(9));
    // Below the first key (a punctuation mark), above the last, and a positive single-byte key.
    for (std::int16_t outside : {*gbk::charKey(u"、"), keyOf(17), keyOf(300), std::int16_t('a')}) {
        const auto miss = this->searchKey(outside);
        EXPECT_FALSE(miss.found) << outside;
        EXPECT_EQ(miss.record, 9) << outside;  // the upper bound was read last
        EXPECT_EQ(this->reads, 2u) << outside;
        EXPECT_EQ(this->firstOf(this->probes.lower), hanzi(0));
        EXPECT_EQ(this->firstOf(this->probes.upper), hanzi(16));
    }
}

TYPED_TEST(KeySearch, TwoRecordsEnclosingTheKeyProbeRecordOneOnce) {
    this->open({0, 4});
    const auto miss = this->search(2);
    EXPECT_FALSE(miss.found);
    EXPECT_EQ(this->reads, 3u);
    EXPECT_EQ(miss.record, 1);  // the middle probe, read last, was record 1
    EXPECT_EQ(this->firstOf(this->probes.lower), hanzi(0));
    EXPECT_EQ(this->firstOf(this->probes.upper), hanzi(4));
}

TYPED_TEST(KeySearch, EachPassRereadsBothBoundsAndMovesOntoTheMiddle) {
    this->open(evenCharacters(9));
    // Pass 1: records 1, 9, middle 5 (above the key): high = 5. Pass 2: 1, 5, middle 3: found.
    const auto hit = this->search(4);
    EXPECT_TRUE(hit.found);
    EXPECT_EQ(hit.record, 3);
    EXPECT_EQ(this->reads, 6u);
    EXPECT_EQ(this->firstOf(this->probes.lower), hanzi(4));  // the middle probe took the lower holder
    EXPECT_EQ(this->firstOf(this->probes.upper), hanzi(8));

    // A gap: 1, 9, 5 (high = 5); 1, 5, 3 (low = 3); 3, 5, 4 (high = 4): the bounds are neighbours.
    const auto miss = this->search(5);
    EXPECT_FALSE(miss.found);
    EXPECT_EQ(miss.record, 4);
    EXPECT_EQ(this->reads, 9u);
    EXPECT_EQ(this->firstOf(this->probes.lower), hanzi(6));
    EXPECT_EQ(this->firstOf(this->probes.upper), hanzi(8));
}

TYPED_TEST(KeySearch, FindsEveryRecordAndRejectsEveryGap) {
    const int count = 157;
    this->open(evenCharacters(count));
    for (int n = 1; n <= count; ++n) {
        const auto hit = this->search(2 * (n - 1));
        ASSERT_TRUE(hit.found) << n;
        EXPECT_EQ(hit.record, n);
        EXPECT_LE(this->reads, 3u * 9u);  // up to three reads a pass, about log2(N) passes
        if (n < count) {
            EXPECT_FALSE(this->search(2 * n - 1).found) << n;
        }
    }
}

TYPED_TEST(KeySearch, ClosedFileReadsNothingAndLeavesTheProbes) {
    this->open({0, 4});
    this->search(2);
    const platform::SearchProbes before = this->probes;
    this->file.close();
    const auto none = this->search(2);
    EXPECT_FALSE(none.found);
    EXPECT_FALSE(none.record.has_value());
    EXPECT_EQ(this->reads, 0u);
    EXPECT_EQ(this->probes.lower, before.lower);
    EXPECT_EQ(this->probes.upper, before.upper);
}

TYPED_TEST(KeySearch, ReadKeyReadsOneRecordWithoutText) {
    this->open({3, 7});
    QByteArray bytes;
    EXPECT_EQ(this->file.readKey(2, &bytes), keyOf(7));
    EXPECT_EQ(bytes.size(), TypeParam::Size);
    EXPECT_EQ(this->firstOf(bytes), hanzi(7));
    EXPECT_EQ(this->file.readKey(3, &bytes), std::nullopt);
    EXPECT_EQ(this->firstOf(bytes), hanzi(7));  // a failed read leaves the bytes
    EXPECT_EQ(this->file.readKey(0), std::nullopt);
    EXPECT_EQ(this->file.readCount(), 1u);  // reads out of range are not made
}

TEST(KeySearchOfWords, FindsOneOfTheWordsThatShareTheKey) {
    QTemporaryDir dir;
    PhraseFile file;
    // Seven words of character 3 in records 2..8: the first middle probe, record 5, is one.
    ASSERT_TRUE(file.open(writeFile(dir, QStringLiteral("words.dat"), fileOf(static_cast<const PhraseRecord*>(nullptr), {1, 3, 3, 3, 3, 3, 3, 3, 9}))));
    platform::SearchProbes probes;
    const auto hit = file.search(keyOf(3), probes);
    EXPECT_TRUE(hit.found);
    EXPECT_EQ(hit.record, 5);
}
