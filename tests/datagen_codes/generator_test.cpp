#include "codes/generator.h"

#include "codes/record_files.h"
#include "common/common.h"
#include "datagen_codes/installed_data.h"
#include "lookup/code_rules.h"
#include "phrases/phrase_record.h"
#include "platform/gbk_codec.h"

#include <QDir>
#include <QFile>
#include <QHashSeed>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tessivo::datagen {
namespace {

CodesOptions installedOptions(const QString& outDir) {
    CodesOptions options;
    options.wubi = testing::kWubiPath;
    options.jieba = testing::kJiebaPath;
    options.pinyinSimp = testing::kPinyinSimpPath;
    options.outDir = outDir;
    options.showProgress = false;
    return options;
}

void writeText(const QString& path, const QString& text) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text.toUtf8());
}

std::map<QString, CharCodeRecord> recordsByCharacter(const QByteArray& bytes) {
    std::map<QString, CharCodeRecord> records;
    for (qsizetype at = 0; at + CharCodeRecord::Size <= bytes.size(); at += CharCodeRecord::Size) {
        CharCodeRecord r = CharCodeRecord::decode(QByteArrayView(bytes).sliced(at, CharCodeRecord::Size));
        records.emplace(r.character.trimmed(), r);
    }
    return records;
}

QString errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const GenError& error) {
        return QString::fromUtf8(error.what());
    }
    return {};
}

TEST(CodesArguments, FixedCommandLine) {
    const auto options = parseCodesArguments({"--wubi", "w.yaml", "--jieba", "d.txt", "--pinyin-simp", "p.yaml", "--out", "o"});
    EXPECT_EQ(options.wubi, "w.yaml");
    EXPECT_EQ(options.jieba, "d.txt");
    EXPECT_EQ(options.pinyinSimp, "p.yaml");
    EXPECT_EQ(options.outDir, "o");
    EXPECT_TRUE(options.fills.isEmpty());
    EXPECT_EQ(parseCodesArguments({"--fills", "f.tsv", "--wubi", "w", "--jieba", "j", "--pinyin-simp", "p", "--out", "o"}).fills,
              "f.tsv");

    EXPECT_TRUE(errorOf([] { parseCodesArguments({"--wubi", "w", "--jieba", "j", "--pinyin-simp", "p"}); }).contains("--out is missing"));
    EXPECT_TRUE(errorOf([] { parseCodesArguments({"--wubi", "w", "--jieba", "j", "--pinyin-simp", "p", "--out"}); })
                    .contains("needs a value"));
    EXPECT_TRUE(errorOf([] { parseCodesArguments({"--wubi", "w", "--wubi", "w2"}); }).contains("twice"));
    EXPECT_TRUE(errorOf([] { parseCodesArguments({"--words", "w"}); }).contains("unknown argument"));
    EXPECT_TRUE(errorOf([] { parseCodesArguments({"--out", "o"}); }).contains("usage"));
}

TEST(GenerateCodes, TableWithoutAllCharactersIsRefused) {
    ASSERT_CODE_INPUTS_EXIST();
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    const QString wubi = out.filePath("wubi86.dict.yaml");
    writeText(wubi, "...\n啊\tkbsk\t1\n啊\tkb\t2\n");
    CodesOptions options = installedOptions(out.filePath("data"));
    options.wubi = wubi;
    const QString message = errorOf([&] { runCodes(options); });
    EXPECT_TRUE(message.contains("阿")) << qPrintable(message);  // the second GB2312 character
    EXPECT_FALSE(QFileInfo::exists(out.filePath("data/wwbb11.dat")));
}

TEST(GenerateCodes, InstalledPackagesGiveTheExpectedFiles) {
    ASSERT_CODE_INPUTS_EXIST();
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    const CodesOutput output = runCodes(installedOptions(out.filePath("bin")));

    QFile charFile(out.filePath("bin/wwbb11.dat"));
    ASSERT_TRUE(charFile.open(QIODevice::ReadOnly));
    const QByteArray bytes = charFile.readAll();
    EXPECT_EQ(bytes, output.charCodes);
    ASSERT_EQ(bytes.size(), 6763 * CharCodeRecord::Size);
    EXPECT_EQ(output.characters, 6763);

    // Strictly ascending keys, so the binary search finds every record.
    std::int16_t previous = std::numeric_limits<std::int16_t>::min();
    for (qsizetype at = 0; at < bytes.size(); at += CharCodeRecord::Size) {
        const std::int16_t key = gbk::keyOfBytes(QByteArrayView(bytes).sliced(at, 2));
        ASSERT_LT(previous, key) << "record " << at / CharCodeRecord::Size + 1;
        previous = key;
    }

    const auto records = recordsByCharacter(bytes);
    const auto lineOf = [&](const QString& character) {
        const CharCodeRecord& r = records.at(character);
        return tessivo::codeLine(r.code1, r.code2, r.code3);
    };
    EXPECT_EQ(lineOf("啊"), "kb kbsk");
    EXPECT_EQ(lineOf("中"), "k khk");
    EXPECT_EQ(lineOf("经"), "x xc xcag");
    EXPECT_EQ(lineOf("一"), "g ggl ggll");
    EXPECT_EQ(records.at("经").fill[0].trimmed(), "");  // blank until fill points are given

    QFile phraseFile(out.filePath("bin/wwbb11cz.dat"));
    ASSERT_TRUE(phraseFile.open(QIODevice::ReadOnly));
    const QByteArray phrases = phraseFile.readAll();
    EXPECT_EQ(phrases, output.phrases);
    ASSERT_EQ(phrases.size() % PhraseRecord::Size, 0);
    ASSERT_LE(phrases.size() / PhraseRecord::Size, MaxRecords);
    QString followers;
    for (qsizetype at = 0; at < phrases.size(); at += PhraseRecord::Size) {
        const QString word = PhraseRecord::decode(QByteArrayView(phrases).sliced(at, PhraseRecord::Size));
        if (word.startsWith(u'中')) followers += word.back();
    }
    EXPECT_TRUE(followers.contains(u'国')) << qPrintable(followers);
    EXPECT_TRUE(followers.contains(u'文')) << qPrintable(followers);
}

// The output must not depend on hash order: one run with a random hash seed, one with the
// fixed seed.
TEST(GenerateCodes, SameBytesOnEveryRun) {
    ASSERT_CODE_INPUTS_EXIST();
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    QHashSeed::resetRandomGlobalSeed();
    const CodesOutput first = generateCodes(installedOptions(out.path()));
    QHashSeed::setDeterministicGlobalSeed();
    const CodesOutput second = generateCodes(installedOptions(out.path()));
    QHashSeed::resetRandomGlobalSeed();
    EXPECT_TRUE(first.charCodes == second.charCodes);
    EXPECT_TRUE(first.phrases == second.phrases);
    EXPECT_EQ(first.selection.words, second.selection.words);
}

TEST(GenerateCodes, FillsGoIntoTheRecordsAndMustSuitTheCodes) {
    ASSERT_CODE_INPUTS_EXIST();
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    const QString points = QStringLiteral(" 400 500 410 520");
    const QString fills = out.filePath("fills.tsv");
    writeText(fills, "中\t" + points + "\t 800 300\t0\t\n啊\t" + points + "\t 800 300\t 900 900\t1200 800\n");
    CodesOptions options = installedOptions(out.filePath("bin"));
    options.fills = fills;
    const CodesOutput output = runCodes(options);
    EXPECT_EQ(output.filledCharacters, 2);
    const auto records = recordsByCharacter(output.charCodes);
    EXPECT_EQ(records.at("中").fill[0].trimmed(), points.trimmed());
    EXPECT_EQ(records.at("中").fill[2].trimmed(), "0");
    EXPECT_EQ(records.at("啊").fill[3].trimmed(), "1200 800");
    EXPECT_EQ(records.at("经").fill[0].trimmed(), "");

    // 啊 uses four panels: a key picture in panel 3 would hide its third radical.
    writeText(fills, "啊\t" + points + "\t 800 300\t0\t\n");
    const QString message = errorOf([&] { runCodes(options); });
    EXPECT_TRUE(message.contains("啊")) << qPrintable(message);
    EXPECT_TRUE(message.contains("panel 3")) << qPrintable(message);
}

}  // namespace
}  // namespace tessivo::datagen
