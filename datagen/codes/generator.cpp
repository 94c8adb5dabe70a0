#include "codes/generator.h"

#include "codes/phrase_order.h"
#include "codes/record_files.h"
#include "common/common.h"

#include <QDir>
#include <QSet>

#include <optional>

namespace tessivo::datagen {

namespace {

const QString kUsage = QStringLiteral(
    "usage: tessivo-datagen-codes --wubi <wubi86.dict.yaml> --jieba <dict.txt> "
    "--pinyin-simp <pinyin_simp.dict.yaml> [--fills <fills.tsv>] --out <dir>");

}  // namespace

CodesOptions parseCodesArguments(const QStringList& arguments) {
    CodesOptions options;
    const std::map<QString, QString*> targets = {
        {QStringLiteral("--wubi"), &options.wubi},
        {QStringLiteral("--jieba"), &options.jieba},
        {QStringLiteral("--pinyin-simp"), &options.pinyinSimp},
        {QStringLiteral("--fills"), &options.fills},
        {QStringLiteral("--out"), &options.outDir},
    };
    for (qsizetype i = 0; i < arguments.size(); i += 2) {
        const auto target = targets.find(arguments[i]);
        if (target == targets.end()) throw GenError(QStringLiteral("unknown argument \"%1\"\n%2").arg(arguments[i], kUsage));
        if (i + 1 >= arguments.size() || arguments[i + 1].isEmpty()) {
            throw GenError(QStringLiteral("%1 needs a value\n%2").arg(arguments[i], kUsage));
        }
        if (!target->second->isEmpty()) throw GenError(QStringLiteral("%1 given twice\n%2").arg(arguments[i], kUsage));
        *target->second = arguments[i + 1];
    }
    for (const auto& [name, value] : targets) {
        if (name != u"--fills" && value->isEmpty()) throw GenError(QStringLiteral("%1 is missing\n%2").arg(name, kUsage));
    }
    return options;
}

std::vector<CharCodeRecord> buildCharRecords(const QStringList& characters,
                                             const std::map<QString, QStringList>& codes,
                                             const FillTable& fills, Progress* progress) {
    std::vector<CharCodeRecord> records;
    records.reserve(characters.size());
    for (const QString& character : characters) {
        const auto found = codes.find(character);
        if (found == codes.end()) {
            throw GenError(QStringLiteral("%1 has no code in the Wubi table (package rime-data-wubi)").arg(character));
        }
        const CodeChoice choice = chooseCodes(character, found->second);
        CharCodeRecord record;
        record.character = character;
        record.code1 = choice.code1;
        record.code2 = choice.code2;
        record.code3 = choice.code3;
        if (const auto fill = fills.find(character); fill != fills.end()) {
            checkFillsForCode(character, choice.code1, fill->second);
            record.fill = fill->second;
        }
        records.push_back(std::move(record));
        if (progress) progress->step();
    }
    return records;
}

CodesOutput generateCodes(const CodesOptions& options) {
    const QStringList& characters = gb2312Hanzi();
    const QSet<QString> characterSet(characters.begin(), characters.end());

    std::optional<Progress> reading;
    if (options.showProgress) reading.emplace(QStringLiteral("reading inputs"), 4);
    const auto step = [&] {
        if (reading) reading->step();
    };
    const std::vector<WubiEntry> wubi = loadWubiDict(options.wubi);
    step();
    QSet<QString> confirmations = loadJiebaWords(options.jieba);
    step();
    confirmations.unite(loadPinyinSimpWords(options.pinyinSimp));
    step();
    const FillTable fills = options.fills.isEmpty() ? FillTable{} : loadFills(options.fills, characterSet);
    if (reading) reading->done();

    CodesOutput output;
    {
        std::optional<Progress> progress;
        if (options.showProgress) progress.emplace(QStringLiteral("character records"), static_cast<int>(characters.size()));
        const auto records = buildCharRecords(characters, singleCharacterCodes(wubi), fills, progress ? &*progress : nullptr);
        if (progress) progress->done();
        for (const CharCodeRecord& record : records) {
            if (panelsInUse(record.code1) == 3) ++output.threePanelCharacters;
        }
        output.charCodes = buildCharCodeFile(records);
        output.characters = static_cast<int>(records.size());
        output.filledCharacters = static_cast<int>(fills.size());
    }
    output.selection = selectPhrases(wubi, confirmations, characterSet, MaxRecords);
    output.phrases = buildPhraseFile(arrangeForLookup(output.selection.words));
    return output;
}

void writeCodes(const CodesOutput& output, const QString& outDir) {
    if (!QDir().mkpath(outDir)) throw GenError(QStringLiteral("cannot create the folder %1").arg(outDir));
    const QDir dir(outDir);
    writeFileAtomically(dir.filePath(QStringLiteral("wwbb11.dat")), output.charCodes);
    writeFileAtomically(dir.filePath(QStringLiteral("wwbb11cz.dat")), output.phrases);
}

CodesOutput runCodes(const CodesOptions& options) {
    CodesOutput output = generateCodes(options);
    writeCodes(output, options.outDir);
    return output;
}

}  // namespace tessivo::datagen
