#pragma once

// The two scanning searches over one table block. Each call finds the next occurrence of a key
// after its own resume offset and reports one hit through `found` and `hit`; a caller loops
// until `found` is false, which has already put that offset back to 0.

#include <QString>

namespace tessivo::tables {

struct TableSearch {
    // Characters of the block that the next call skips; one value for all ten blocks, one
    // per procedure.
    int characterSearchOffset = 0;
    int fieldSearchOffset = 0;
    // Whether the last call found its key.
    bool found = false;  // Label1bh
    // Found text: changed only by a hit, so read it only after a hit.
    QString hit;  // Label2bh

    // Next occurrence of `key`: the character just before it goes to `hit` (the line's
    // character when the key is a whole reading or stroke-code field), and the offset moves to
    // the start of the following line. A match at the very start of the block has no character
    // before it and yields an empty `hit`.
    void nextCharacterWithField(const QString& block, const QString& key);  // TextSearch

    // Next occurrence of `key`: the six characters after the match's first character go to
    // `hit` (the padded reading field when the key is a line's character), and the offset
    // moves to the start of the following line.
    void nextFieldOfCharacter(const QString& block, const QString& key);  // TextSearchf

    // Every character nextCharacterWithField yields for `key` on `block`, in block order, each
    // followed by one blank: the text a block search leaves in the result list.
    QString collect(const QString& block, const QString& key);
};

}  // namespace tessivo::tables
