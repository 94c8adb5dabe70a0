#include "platform/skin_file.h"

#include "platform/gbk_codec.h"
#include "platform/regular_file.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

#include <map>

namespace tessivo::skin {

const std::array<const char*, ColourCount> ColourKeys = {
    "window",    "text",      "base",         "base-text", "button",     "button-text", "highlight",
    "highlight-text", "title-top", "title-bottom", "title-text", "frame", "close", "close-text"};

QString Error::text() const {
    return line > 0 ? QStringLiteral("line %1: %2").arg(line).arg(message) : message;
}

namespace {

constexpr auto Signature = "tessivo-skin 1";
constexpr int MaxNameLength = 64;

struct Parser {
    Look look;
    std::map<QString, int> seen;  // key -> line
    std::optional<Error> error;

    bool fail(int line, const QString& message) {
        if (!error) error = Error{line, message};
        return false;
    }

    bool colour(int line, const QString& key, const QString& value, std::uint32_t* out) {
        static const QRegularExpression hex(QStringLiteral("^#[0-9A-Fa-f]{6}$"));
        if (!hex.match(value).hasMatch()) return fail(line, QStringLiteral("%1 must be a colour #rrggbb, not \"%2\"").arg(key, value));
        *out = value.mid(1).toUInt(nullptr, 16);
        return true;
    }

    bool number(int line, const QString& key, const QString& value, int low, int high, int* out) {
        static const QRegularExpression digits(QStringLiteral("^[0-9]{1,3}$"));
        const int n = value.toInt();
        if (!digits.match(value).hasMatch() || n < low || n > high)
            return fail(line, QStringLiteral("%1 must be a whole number from %2 to %3").arg(key).arg(low).arg(high));
        *out = n;
        return true;
    }

    bool shortText(int line, const QString& key, const QString& value, QString* out) {
        if (value.size() > MaxNameLength) return fail(line, QStringLiteral("%1 is longer than %2 characters").arg(key).arg(MaxNameLength));
        for (const QChar c : value) {
            if (c == u'"' || c == u'\'' || c == u';' || c == u'{' || c == u'}' || c == u'\\')
                return fail(line, QStringLiteral("%1 must not hold %2").arg(key, c));
        }
        *out = value;
        return true;
    }

    bool value(int line, const QString& key, const QString& value) {
        for (int i = 0; i < ColourCount; ++i) {
            if (key == QLatin1String(ColourKeys[i])) return colour(line, key, value, &look.colours[i]);
        }
        if (key == QLatin1String("name")) return shortText(line, key, value, &look.name);
        if (key == QLatin1String("title-font")) return shortText(line, key, value, &look.titleFont);
        if (key == QLatin1String("corner-radius")) return number(line, key, value, 0, 12, &look.cornerRadius);
        if (key == QLatin1String("title-font-size")) return number(line, key, value, 7, 16, &look.titleFontSize);
        if (key == QLatin1String("title-bold")) {
            if (value != QLatin1String("yes") && value != QLatin1String("no")) return fail(line, QStringLiteral("title-bold must be yes or no"));
            look.titleBold = value == QLatin1String("yes");
            return true;
        }
        return fail(line, QStringLiteral("unknown key \"%1\"").arg(key));
    }

    bool checkSheet(int firstLine, const QStringList& lines);
    bool keyLine(int line, const QString& text, bool* sheetStarts);
    bool missingKeys();
};

// Rules only: braces pair up without nesting, comments are closed, and nothing reaches outside
// the program (no url(), no @import), since a skin file is not trusted to name other files.
bool Parser::checkSheet(int firstLine, const QStringList& lines) {
    bool inComment = false;
    int depth = 0;
    for (int i = 0; i < lines.size(); ++i) {
        const QString& l = lines[i];
        const int line = firstLine + i;
        if (l.contains(QLatin1String("url("), Qt::CaseInsensitive) || l.contains(u'@'))
            return fail(line, QStringLiteral("the sheet must not load files (url( or @)"));
        for (qsizetype k = 0; k < l.size(); ++k) {
            if (inComment) {
                if (l.mid(k, 2) == QLatin1String("*/")) inComment = false, ++k;
            } else if (l.mid(k, 2) == QLatin1String("/*")) {
                inComment = true, ++k;
            } else if (l[k] == u'{') {
                if (++depth > 1) return fail(line, QStringLiteral("\"{\" inside a rule"));
            } else if (l[k] == u'}') {
                if (--depth < 0) return fail(line, QStringLiteral("\"}\" without a rule"));
            } else if (l[k] == u'"' || l[k] == u'\'') {
                return fail(line, QStringLiteral("quotes are not allowed in the sheet"));
            }
        }
    }
    if (inComment) return fail(firstLine, QStringLiteral("a comment in the sheet is not closed"));
    if (depth != 0) return fail(firstLine, QStringLiteral("a rule in the sheet is not closed"));
    look.sheet = lines.join(u'\n');
    return true;
}

bool Parser::keyLine(int line, const QString& text, bool* sheetStarts) {
    static const QRegularExpression pattern(QStringLiteral("^([a-z][a-z-]*):(.*)$"));
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch()) return fail(line, QStringLiteral("expected \"key: value\""));
    const QString key = m.captured(1);
    const QString value = m.captured(2).trimmed();
    if (const auto it = seen.find(key); it != seen.end())
        return fail(line, QStringLiteral("\"%1\" was already given on line %2").arg(key).arg(it->second));
    seen[key] = line;
    if (key == QLatin1String("sheet")) {
        if (!value.isEmpty()) return fail(line, QStringLiteral("the sheet starts on the line after \"sheet:\""));
        *sheetStarts = true;
        return true;
    }
    if (value.isEmpty()) return fail(line, QStringLiteral("\"%1\" has no value").arg(key));
    return this->value(line, key, value);
}

bool Parser::missingKeys() {
    QStringList required = {QStringLiteral("name"), QStringLiteral("corner-radius"), QStringLiteral("title-font"),
                            QStringLiteral("title-font-size"), QStringLiteral("title-bold")};
    for (const char* key : ColourKeys) required << QLatin1String(key);
    for (const QString& key : required) {
        if (!seen.count(key)) return fail(0, QStringLiteral("\"%1\" is missing").arg(key));
    }
    return true;
}

std::optional<Error> badCharacter(const QStringList& lines) {
    for (int i = 0; i < lines.size(); ++i) {
        for (const QChar c : lines[i]) {
            if ((c.unicode() < 0x20 && c != u'\t') || c.unicode() == 0x7F)
                return Error{i + 1, QStringLiteral("control character U+%1").arg(c.unicode(), 4, 16, QLatin1Char('0'))};
        }
    }
    return std::nullopt;
}

}  // namespace

ParseResult parse(const QByteArray& bytes) {
    if (bytes.size() > MaxFileBytes) return {std::nullopt, Error{0, QStringLiteral("larger than %1 bytes").arg(MaxFileBytes)}};
    const std::optional<QString> text = gbk::decode(bytes);
    if (!text) return {std::nullopt, Error{0, QStringLiteral("not GBK text")}};
    QStringList lines = text->split(u'\n');
    for (QString& l : lines) {
        if (l.endsWith(u'\r')) l.chop(1);
    }
    if (auto bad = badCharacter(lines)) return {std::nullopt, bad};

    Parser p;
    bool signed_ = false;
    for (int i = 0; i < lines.size() && !p.error; ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(u'#')) continue;
        if (!signed_) {
            if (line != QLatin1String(Signature)) p.fail(i + 1, QStringLiteral("the first line must be \"%1\"").arg(QLatin1String(Signature)));
            signed_ = true;
            continue;
        }
        bool sheetStarts = false;
        if (!p.keyLine(i + 1, line, &sheetStarts) || !sheetStarts) continue;
        int end = i + 1;
        while (end < lines.size() && lines[end].trimmed() != QLatin1String("end")) ++end;
        if (end == lines.size()) {
            p.fail(i + 1, QStringLiteral("the sheet has no \"end\" line"));
        } else if (end - i - 1 > MaxSheetLines) {
            p.fail(i + 1, QStringLiteral("the sheet is longer than %1 lines").arg(MaxSheetLines));
        } else {
            p.checkSheet(i + 2, lines.mid(i + 1, end - i - 1));
        }
        i = end;
    }
    if (!p.error && !signed_) p.fail(0, QStringLiteral("empty file"));
    if (!p.error) p.missingKeys();
    if (p.error) return {std::nullopt, p.error};
    return {std::move(p.look), std::nullopt};
}

ParseResult load(const QString& path) {
    std::string error;
    const auto bytes = platform::readRegularFile(path.toStdString(), MaxFileBytes, &error);
    if (!bytes) return {std::nullopt, Error{0, QString::fromStdString(error)}};
    return parse(QByteArray(reinterpret_cast<const char*>(bytes->data()), qsizetype(bytes->size())));
}

std::optional<QString> findInFolder(const QString& folder, const QString& name) {
    if (name.isEmpty() || name.contains(u'/')) return std::nullopt;
    const QDir dir(folder);
    if (QFileInfo(dir.filePath(name)).isFile()) return dir.filePath(name);
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0) return dir.filePath(entry);
    }
    return std::nullopt;
}

QString resolvePath(const QString& path) {
    if (path.isEmpty() || QFileInfo(path).isFile()) return path;
    const QFileInfo info(path);
    return findInFolder(info.path(), info.fileName()).value_or(path);
}

}  // namespace tessivo::skin
