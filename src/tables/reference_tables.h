#pragma once

// The character-to-reading and character-to-stroke-code tables, carried inside the program as
// resources (":/tables/pinyin_table.txt", ":/tables/stroke_table.txt", GBK, CR LF) and split into
// their five blocks each. See table_format.h for the line formats.

#include <QByteArrayView>
#include <QString>

#include <array>
#include <stdexcept>

namespace tessivo::tables {

// A table resource that is missing, not GBK, or breaks the line format or block order.
struct TableError : std::runtime_error {
    explicit TableError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

class ReferenceTables {
public:
    using Blocks = std::array<QString, 5>;

    // The tables built into the program, decoded once on first use. Throws TableError when a
    // resource is missing or corrupt (a build fault: the program cannot work without them).
    static const ReferenceTables& embedded();

    // Tables from the GBK bytes of the two files; throws TableError naming the first bad line.
    static ReferenceTables fromBytes(QByteArrayView pinyinTable, QByteArrayView strokeTable);

    // Tables from blocks given directly (tests use small synthetic blocks); not checked.
    ReferenceTables(Blocks pinyinBlocks, Blocks strokeBlocks);

    // Block n = 1..5 as one text, every line ended by CR LF. Out-of-range n gives an empty text.
    const QString& pinyinBlock(int n) const;
    const QString& strokeBlock(int n) const;

    // Splits one table's decoded text into its blocks, checking every line. `stroke` selects
    // the stroke-line format. Throws TableError.
    static Blocks splitBlocks(const QString& text, bool stroke, const QString& name);

private:
    Blocks pinyin_;
    Blocks stroke_;
};

}  // namespace tessivo::tables
