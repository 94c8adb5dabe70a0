#include "common/wubi_dict.h"

#include "common/common.h"

#include <QStringView>

#include <algorithm>
#include <cmath>

namespace tessivo::datagen {

namespace {

const QString kPackage = QStringLiteral("rime-data-wubi");

bool isKeyLetters(QStringView code) {
    if (code.isEmpty()) return false;
    return std::all_of(code.begin(), code.end(), [](QChar c) { return c >= u'a' && c <= u'z'; });
}

[[noreturn]] void malformed(const QString& origin, int lineNumber, const QString& why) {
    throw GenError(QStringLiteral("%1:%2: %3 (package %4)").arg(origin).arg(lineNumber).arg(why, kPackage));
}

}  // namespace

std::vector<WubiEntry> parseWubiDict(const QString& text, const QString& origin) {
    std::vector<WubiEntry> entries;
    const QStringList lines = text.split(u'\n');
    bool inBody = false;
    int lineNumber = 0;
    for (QString line : lines) {
        ++lineNumber;
        if (line.endsWith(u'\r')) line.chop(1);
        if (!inBody) {
            if (line == u"...") inBody = true;
            continue;
        }
        if (line.trimmed().isEmpty() || line.startsWith(u'#')) continue;
        const QStringList columns = line.split(u'\t');
        if (columns.size() < 2 || columns.size() > 4) {
            malformed(origin, lineNumber, QStringLiteral("expected text, code, weight and an optional stem"));
        }
        WubiEntry entry;
        entry.text = columns[0];
        entry.code = columns[1];
        if (entry.text.isEmpty()) malformed(origin, lineNumber, QStringLiteral("empty text"));
        if (!isKeyLetters(entry.code) || entry.code.size() > 4) {
            malformed(origin, lineNumber, QStringLiteral("code \"%1\" is not 1 to 4 key letters").arg(entry.code));
        }
        if (columns.size() >= 3 && !columns[2].isEmpty()) {
            bool ok = false;
            entry.weight = columns[2].toDouble(&ok);
            if (!ok || !std::isfinite(entry.weight) || entry.weight < 0) {
                malformed(origin, lineNumber, QStringLiteral("weight \"%1\" is not a number").arg(columns[2]));
            }
        }
        if (entry.code.startsWith(u'z')) continue;  // the radical picker, not a code of the text
        entries.push_back(std::move(entry));
    }
    if (!inBody) throw GenError(QStringLiteral("%1: no end of header (\"...\") found (package %2)").arg(origin, kPackage));
    if (entries.empty()) throw GenError(QStringLiteral("%1: no entries (package %2)").arg(origin, kPackage));
    return entries;
}

std::vector<WubiEntry> loadWubiDict(const QString& path) {
    return parseWubiDict(readUtf8File(path, kPackage), path);
}

std::map<QString, QStringList> singleCharacterCodes(const std::vector<WubiEntry>& entries) {
    std::map<QString, QStringList> codes;
    for (const WubiEntry& entry : entries) {
        // One character: one UTF-16 unit, or a surrogate pair outside the BMP.
        const bool single = entry.text.size() == 1 || (entry.text.size() == 2 && entry.text[0].isHighSurrogate());
        if (!single) continue;
        QStringList& list = codes[entry.text];
        if (!list.contains(entry.code)) list.push_back(entry.code);
    }
    for (auto& [text, list] : codes) {
        std::sort(list.begin(), list.end(), [](const QString& a, const QString& b) {
            if (a.size() != b.size()) return a.size() < b.size();
            return a < b;
        });
    }
    return codes;
}

QString fullCode(const QStringList& codes) {
    QString best;
    for (const QString& code : codes) {
        if (code.size() > best.size() || (code.size() == best.size() && code < best)) best = code;
    }
    return best;
}

}  // namespace tessivo::datagen
