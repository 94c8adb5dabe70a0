#include "codes/record_files.h"

#include "common/common.h"
#include "phrases/phrase_record.h"
#include "platform/gbk_codec.h"

#include <gtest/gtest.h>

namespace tessivo::datagen {
namespace {

CharCodeRecord record(const QString& character, const QString& code1, const QString& code2, const QString& code3) {
    CharCodeRecord r;
    r.character = character;
    r.code1 = code1;
    r.code2 = code2;
    r.code3 = code3;
    return r;
}

QString messageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const GenError& error) {
        return QString::fromUtf8(error.what());
    }
    return {};
}

TEST(CharCodeFile, SortsByKeyAndKeepsTheLayout) {
    CharCodeRecord zhong = record("中", "khk", "k", "khk");
    zhong.fill = {" 100 200", " 300 400", "0", ""};
    const QByteArray bytes = buildCharCodeFile({zhong, record("啊", "kbsk", "kb", "kbsk")});
    ASSERT_EQ(bytes.size(), 2 * CharCodeRecord::Size);
    // 啊 (B0A1) sorts before 中 (D6D0).
    EXPECT_EQ(bytes.first(14), QByteArray("\xB0\xA1kbskkb  kbsk"));
    const CharCodeRecord second = CharCodeRecord::decode(QByteArrayView(bytes).sliced(CharCodeRecord::Size));
    EXPECT_EQ(second.character, "中 ");
    EXPECT_EQ(second.code2, "k   ");
    EXPECT_EQ(second.fill[0].trimmed(), "100 200");
    EXPECT_EQ(second.fill[2].trimmed(), "0");
    EXPECT_EQ(second.fill[3], QString(72, u' '));
}

TEST(CharCodeFile, RefusesDuplicatesUnencodableAndBadSizes) {
    const QString duplicate = messageOf([] {
        buildCharCodeFile({record("中", "khk", "k", "khk"), record("啊", "kbsk", "", "kbsk"), record("中", "khk", "", "khk")});
    });
    EXPECT_TRUE(duplicate.contains("duplicate")) << qPrintable(duplicate);
    EXPECT_FALSE(messageOf([] { buildCharCodeFile({record("𠀀", "aaaa", "", "aaaa")}); }).isEmpty());
    EXPECT_FALSE(messageOf([] { buildCharCodeFile({record("a", "aaaa", "", "aaaa")}); }).isEmpty());  // single byte
    EXPECT_FALSE(messageOf([] { buildCharCodeFile({record("中国", "khk", "", "khk")}); }).isEmpty());
    EXPECT_FALSE(messageOf([] { buildCharCodeFile({record("中", "khkhk", "", "khk")}); }).isEmpty());  // code too wide
    const QString unencodableFill = messageOf([] {
        CharCodeRecord r = record("中", "khk", "", "khk");
        r.fill[1] = QStringLiteral("𠀀");
        buildCharCodeFile({r});
    });
    EXPECT_TRUE(unencodableFill.contains("fill2")) << qPrintable(unencodableFill);
    EXPECT_FALSE(messageOf([] { buildCharCodeFile({}); }).isEmpty());
    std::vector<CharCodeRecord> tooMany(MaxRecords + 1, record("中", "khk", "", "khk"));
    EXPECT_TRUE(messageOf([&] { buildCharCodeFile(tooMany); }).contains("more than 32767"));
}

TEST(PhraseFile, KeepsOrderAndRefusesFaults) {
    const QByteArray bytes = buildPhraseFile({"啊呀", "中国", "中文"});
    ASSERT_EQ(bytes.size(), 3 * PhraseRecord::Size);
    EXPECT_EQ(PhraseRecord::decode(QByteArrayView(bytes).sliced(4, 4)), "中国");
    EXPECT_EQ(PhraseRecord::decode(QByteArrayView(bytes).sliced(8, 4)), "中文");

    EXPECT_TRUE(messageOf([] { buildPhraseFile({"中国", "啊呀"}); }).contains("out of order"));
    EXPECT_TRUE(messageOf([] { buildPhraseFile({"中国", "中文", "中国"}); }).contains("twice"));
    EXPECT_FALSE(messageOf([] { buildPhraseFile({"中"}); }).isEmpty());
    EXPECT_FALSE(messageOf([] { buildPhraseFile({"中国人"}); }).isEmpty());
    EXPECT_FALSE(messageOf([] { buildPhraseFile({"中𠀀"}); }).isEmpty());
    EXPECT_FALSE(messageOf([] { buildPhraseFile({}); }).isEmpty());
    const std::vector<QString> tooMany(MaxRecords + 1, QStringLiteral("啊呀"));
    EXPECT_TRUE(messageOf([&] { buildPhraseFile(tooMany); }).contains("more than 32767"));
}

}  // namespace
}  // namespace tessivo::datagen
