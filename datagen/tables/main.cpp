// tessivo-datagen-tables: writes pinyin_table.txt and stroke_table.txt (GBK, CR LF) from the
// Unihan readings, the Rime stroke dictionary and the cnchar stroke-order data. Prints the
// characters whose stroke codes the two stroke sources disagree on. Writes nothing when a
// table breaks its invariants.

#include "common/common.h"
#include "platform/gbk_codec.h"
#include "tables/table_gen.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

using namespace tessivo::datagen;

namespace {

QString argValue(const QStringList& args, const QString& name) {
    const auto i = args.indexOf(name);
    if (i < 0 || i + 1 >= args.size()) throw GenError(QStringLiteral("missing argument %1").arg(name));
    return args[i + 1];
}

QByteArray toGbk(const QString& text, const QString& name) {
    auto bytes = tessivo::gbk::encode(text);
    if (!bytes) throw GenError(QStringLiteral("%1 does not encode in GBK").arg(name));
    return *bytes;
}

void refuseIfBroken(const QStringList& problems) {
    if (problems.isEmpty()) return;
    for (const QString& p : problems) std::fprintf(stderr, "%s\n", qPrintable(p));
    throw GenError(QStringLiteral("%1 invariant violations; nothing written").arg(problems.size()));
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    try {
        const QStringList args = app.arguments();
        const QString unihanPath = argValue(args, QStringLiteral("--unihan"));
        const QString strokePath = argValue(args, QStringLiteral("--stroke"));
        const QString cncharPath = argValue(args, QStringLiteral("--cnchar"));
        const QString outDir = argValue(args, QStringLiteral("--out"));

        const QStringList& hanzi = gb2312Hanzi();
        const QStringList syllables = tables::chooserSyllables();

        const auto readings = tables::parseUnihanReadings(tables::readBzip2Utf8(unihanPath), hanzi);
        const auto pinyinLines = tables::buildPinyinLines(hanzi, readings, syllables);
        const QString pinyinText = tables::formatPinyinTable(pinyinLines);

        const auto rime = tables::parseRimeStrokes(readUtf8File(strokePath, QStringLiteral("rime-data-stroke")), hanzi);
        const auto cnchar = tables::parseCncharOrder(readUtf8File(cncharPath, QStringLiteral("cnchar-order (npm)")));
        const auto strokeLines = tables::buildStrokeLines(hanzi, rime);
        const QString strokeText = tables::formatStrokeTable(strokeLines);

        QStringList problems = tables::checkPinyinTable(pinyinText, syllables);
        problems += tables::checkStrokeTable(strokeText, hanzi);
        refuseIfBroken(problems);

        const QStringList disagreements = tables::strokeDisagreements(hanzi, rime, cnchar);
        std::fprintf(stderr, "stroke codes that Rime and cnchar disagree on (%d; Rime's are used):\n",
                     int(disagreements.size()));
        for (const QString& d : disagreements) std::fprintf(stderr, "  %s\n", qPrintable(d));

        if (!QDir().mkpath(outDir)) throw GenError(QStringLiteral("cannot create %1").arg(outDir));
        writeFileAtomically(outDir + QStringLiteral("/pinyin_table.txt"), toGbk(pinyinText, QStringLiteral("pinyin table")));
        writeFileAtomically(outDir + QStringLiteral("/stroke_table.txt"), toGbk(strokeText, QStringLiteral("stroke table")));
        std::fprintf(stderr, "pinyin table: %d lines; stroke table: %d lines\n", int(pinyinLines.size()),
                     int(strokeLines.size()));
        return 0;
    } catch (const GenError& e) {
        std::fprintf(stderr, "tessivo-datagen-tables: %s\n", e.what());
        return 1;
    }
}
