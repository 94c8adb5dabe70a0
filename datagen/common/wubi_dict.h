#pragma once

// Reader of the Wubi-86 table of the rime-data-wubi package (wubi86.dict.yaml).

#include <QString>
#include <QStringList>

#include <map>
#include <vector>

namespace tessivo::datagen {

// One live entry of the table: a character or word, one of its codes and the table's weight.
struct WubiEntry {
    QString text;
    QString code;
    double weight = 0;
};

// Parses the table body (after the YAML header that ends with the line "..."): lines
// text<TAB>code<TAB>weight[<TAB>stem]. Comment lines ('#') and the radical picker (codes that
// start with 'z') are skipped. GenError naming the file and the package rime-data-wubi when the
// file is missing, has no header end, or holds a malformed entry.
std::vector<WubiEntry> loadWubiDict(const QString& path);

// The same, from text already read (`origin` names it in error messages).
std::vector<WubiEntry> parseWubiDict(const QString& text, const QString& origin);

// Codes of each single character, deduplicated, sorted by length then alphabetically.
std::map<QString, QStringList> singleCharacterCodes(const std::vector<WubiEntry>& entries);

// The longest code (the full code); empty for an empty list. Among equally long codes the
// alphabetically first, so the result never depends on input order.
QString fullCode(const QStringList& codes);

}  // namespace tessivo::datagen
