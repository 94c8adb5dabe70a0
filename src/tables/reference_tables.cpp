#include "tables/reference_tables.h"

#include "platform/gbk_codec.h"
#include "tables/table_format.h"

#include <QFile>

namespace tessivo::tables {

namespace {

QByteArray readResource(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) throw TableError(QStringLiteral("table resource %1 is missing").arg(path));
    return file.readAll();
}

}  // namespace

ReferenceTables::ReferenceTables(Blocks pinyinBlocks, Blocks strokeBlocks)
    : pinyin_(std::move(pinyinBlocks)), stroke_(std::move(strokeBlocks)) {}

const ReferenceTables& ReferenceTables::embedded() {
    static const ReferenceTables tables =
        fromBytes(readResource(QStringLiteral(":/tables/pinyin_table.txt")),
                  readResource(QStringLiteral(":/tables/stroke_table.txt")));
    return tables;
}

ReferenceTables ReferenceTables::fromBytes(QByteArrayView pinyinTable, QByteArrayView strokeTable) {
    const auto pinyinText = gbk::decode(pinyinTable);
    if (!pinyinText) throw TableError(QStringLiteral("pinyin table is not GBK text"));
    const auto strokeText = gbk::decode(strokeTable);
    if (!strokeText) throw TableError(QStringLiteral("stroke table is not GBK text"));
    return ReferenceTables(splitBlocks(*pinyinText, false, QStringLiteral("pinyin table")),
                           splitBlocks(*strokeText, true, QStringLiteral("stroke table")));
}

ReferenceTables::Blocks ReferenceTables::splitBlocks(const QString& text, bool stroke, const QString& name) {
    const int width = stroke ? kStrokeCodeWidth : kReadingWidth;
    const int lineLength = 1 + width + 2;
    Blocks blocks;
    std::array<qsizetype, kBlockCount> begin{}, end{};
    int current = 0;
    int lineNo = 0;
    for (qsizetype pos = 0; pos < text.size(); pos += lineLength) {
        ++lineNo;
        const QStringView line = QStringView(text).mid(pos, lineLength);
        const auto bad = [&](const char* what) {
            return TableError(QStringLiteral("%1 line %2: %3").arg(name).arg(lineNo).arg(QLatin1String(what)));
        };
        if (line.size() != lineLength || !line.endsWith(u"\r\n")) throw bad("not a whole line ended by CR LF");
        if (!isTableCharacter(line[0])) throw bad("does not start with a character");
        const QStringView field = line.mid(1, width);
        int block = 0;
        if (stroke) {
            if (isStrokeCode(field)) block = strokeBlockOfDigit(field[0]);
        } else {
            const QStringView reading = readingOfField(field);
            if (!reading.isEmpty()) block = pinyinBlockOfLetter(reading[0]);
        }
        if (block == 0) throw bad(stroke ? "bad stroke code" : "bad reading field");
        if (block < current) throw bad("block out of order");
        if (block != current) {
            begin[block - 1] = pos;
            current = block;
        }
        end[block - 1] = pos + lineLength;
    }
    for (int n = 0; n < kBlockCount; ++n) {
        if (end[n] == 0) throw TableError(QStringLiteral("%1: block %2 is empty").arg(name).arg(n + 1));
        blocks[n] = text.mid(begin[n], end[n] - begin[n]);
    }
    return blocks;
}

const QString& ReferenceTables::pinyinBlock(int n) const {
    static const QString none;
    return (n >= 1 && n <= kBlockCount) ? pinyin_[n - 1] : none;
}

const QString& ReferenceTables::strokeBlock(int n) const {
    static const QString none;
    return (n >= 1 && n <= kBlockCount) ? stroke_[n - 1] : none;
}

}  // namespace tessivo::tables
