#pragma once

// The two scanning searches over one table block. Each call finds the next occurrence of a key
// after its own resume offset and reports one hit through the two result slots; a caller loops
// until `label1bh` reads "0", which has already put that offset back to 0.

#include <QString>

namespace tessivo::tables {

struct TableSearch {
    // Characters of the block that the next call skips; one value for all ten blocks, one
    // per procedure.
    int textSearchOffset = 0;
    int textSearchfOffset = 0;
    // Found flag: "1" after a hit, "0" after a miss.
    QString label1bh = QStringLiteral("0");
    // Found text: changed only by a hit, so read it only after "1".
    QString label2bh;

    // Next occurrence of `key`: the character just before it goes to label2bh (the line's
    // character when the key is a whole reading or stroke-code field), and the offset moves to
    // the start of the following line. A match at the very start of the block has no character
    // before it and yields an empty label2bh.
    void textSearch(const QString& block, const QString& key);

    // Next occurrence of `key`: the six characters after the match's first character go to
    // label2bh (the padded reading field when the key is a line's character), and the offset
    // moves to the start of the following line.
    void textSearchf(const QString& block, const QString& key);

    // Every character textSearch yields for `key` on `block`, in block order, each followed by
    // one blank: the text a block search leaves in the result list.
    QString collect(const QString& block, const QString& key);
};

}  // namespace tessivo::tables
