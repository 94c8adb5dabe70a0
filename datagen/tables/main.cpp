// tessivo-datagen-tables: writes pinyin_table.txt and stroke_table.txt (GBK, CR LF) from the
// Unihan readings, the Rime stroke dictionary and the cnchar stroke-order data. Prints the
// characters whose stroke codes the two stroke sources disagree on. Writes nothing when a
// table breaks its invariants.

#include "common/common.h"
#include "tables/table_gen.h"

#include <QCoreApplication>

#include <cstdio>

using namespace tessivo::datagen;

namespace {

QString argValue(const QStringList& args, const QString& name) {
    const auto i = args.indexOf(name);
    if (i < 0 || i + 1 >= args.size()) throw GenError(QStringLiteral("missing argument %1").arg(name));
    return args[i + 1];
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    return runTool("tessivo-datagen-tables", [&] {
        const QStringList args = app.arguments();
        tables::GenerateOptions options;
        options.unihanPath = argValue(args, QStringLiteral("--unihan"));
        options.strokePath = argValue(args, QStringLiteral("--stroke"));
        options.cncharPath = argValue(args, QStringLiteral("--cnchar"));
        options.outDir = argValue(args, QStringLiteral("--out"));
        try {
            const tables::GenerateReport report = tables::generateTables(options);
            std::fprintf(stderr, "stroke codes that Rime and cnchar disagree on (%d; Rime's are used):\n",
                         int(report.strokeDisagreements.size()));
            for (const QString& d : report.strokeDisagreements) std::fprintf(stderr, "  %s\n", qPrintable(d));
            std::fprintf(stderr, "pinyin table: %d lines; stroke table: %d lines\n", report.pinyinLines, report.strokeLines);
        } catch (const tables::TableCheckError& e) {
            for (const QString& p : e.problems) std::fprintf(stderr, "%s\n", qPrintable(p));
            throw;
        }
        return 0;
    });
}
