#pragma once

// The whole first stage of the data generator: Wubi table, word lists and optional fill points
// in, the bytes of wwbb11.dat and wwbb11cz.dat out.

#include "codes/code_choice.h"
#include "codes/fills.h"
#include "codes/phrase_selection.h"
#include "common/wubi_dict.h"
#include "lookup/charcode_record.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <map>
#include <vector>

namespace tessivo::datagen {

class Progress;

struct CodesOptions {
    QString wubi;        // wubi86.dict.yaml
    QString jieba;       // jieba dict.txt
    QString pinyinSimp;  // pinyin_simp.dict.yaml
    QString fills;       // fills TSV; empty: the fill fields stay blank
    QString outDir;
    bool showProgress = true;  // progress lines on stderr
};

// Parses the command line (arguments after the program name). GenError with a usage message
// for an unknown, repeated or missing option.
CodesOptions parseCodesArguments(const QStringList& arguments);

// One record per character of `characters`, with code1..code3 chosen by chooseCodes and the
// fills of `fills` (characters missing from it keep blank fills). GenError when a character has
// no code or its fills do not suit its codes.
std::vector<CharCodeRecord> buildCharRecords(const QStringList& characters,
                                             const std::map<QString, QStringList>& codes,
                                             const FillTable& fills, Progress* progress = nullptr);

struct CodesOutput {
    QByteArray charCodes;  // wwbb11.dat
    QByteArray phrases;    // wwbb11cz.dat
    int characters = 0;
    int threePanelCharacters = 0;
    int filledCharacters = 0;
    PhraseSelection selection;
};

// Reads the inputs and builds both files in memory; nothing is written.
CodesOutput generateCodes(const CodesOptions& options);

// Writes both files into `outDir` (each atomically).
void writeCodes(const CodesOutput& output, const QString& outDir);

// generateCodes, then writeCodes into options.outDir: nothing is written unless every check
// passed.
CodesOutput runCodes(const CodesOptions& options);

}  // namespace tessivo::datagen
