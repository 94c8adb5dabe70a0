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

void TableSearch::nextCharacterWithField(const QString& block, const QString& key) {
    const qsizetype at = findFrom(block, key, characterSearchOffset);
    found = at >= 0;
    if (!found) {
        characterSearchOffset = 0;
        return;
    }
    hit = at > 0 ? block.mid(at - 1, 1) : QString();
    // Past the key and the line's CR LF: the next call starts at the following line's character.
    characterSearchOffset = int(at + key.size() + 2);
}

void TableSearch::nextFieldOfCharacter(const QString& block, const QString& key) {
    const qsizetype at = findFrom(block, key, fieldSearchOffset);
    found = at >= 0;
    if (!found) {
        fieldSearchOffset = 0;
        return;
    }
    hit = block.mid(at + 1, 6);
    // Past the character, its six-character field and the CR LF.
    fieldSearchOffset = int(at + key.size() + 8);
}

QString TableSearch::collect(const QString& block, const QString& key) {
    QString list;
    for (;;) {
        nextCharacterWithField(block, key);
        if (!found) return list;
        list += hit + u' ';
    }
}

}  // namespace tessivo::tables
