#include "tables/table_search.h"

namespace tessivo::tables {

namespace {

// Position (0-based, in the whole block) of the next occurrence of `key` after `offset`
// characters, or -1. An offset outside the block searches an empty rest.
qsizetype findFrom(const QString& block, const QString& key, int offset) {
    if (key.isEmpty() || offset < 0 || offset >= block.size()) return -1;
    return block.indexOf(key, offset, Qt::CaseSensitive);
}

}  // namespace

void TableSearch::textSearch(const QString& block, const QString& key) {
    const qsizetype at = findFrom(block, key, textSearchOffset);
    if (at < 0) {
        textSearchOffset = 0;
        label1bh = QStringLiteral("0");
        return;
    }
    label1bh = QStringLiteral("1");
    label2bh = at > 0 ? block.mid(at - 1, 1) : QString();
    // Past the key and the line's CR LF: the next call starts at the following line's character.
    textSearchOffset = int(at + key.size() + 2);
}

void TableSearch::textSearchf(const QString& block, const QString& key) {
    const qsizetype at = findFrom(block, key, textSearchfOffset);
    if (at < 0) {
        textSearchfOffset = 0;
        label1bh = QStringLiteral("0");
        return;
    }
    label1bh = QStringLiteral("1");
    label2bh = block.mid(at + 1, 6);
    // Past the character, its six-character field and the CR LF.
    textSearchfOffset = int(at + key.size() + 8);
}

QString TableSearch::collect(const QString& block, const QString& key) {
    QString list;
    for (;;) {
        textSearch(block, key);
        if (label1bh != QLatin1String("1")) return list;
        list += label2bh + u' ';
    }
}

}  // namespace tessivo::tables
