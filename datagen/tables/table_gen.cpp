#include "tables/table_gen.h"

#include "common/common.h"
#include "pinyin/syllables.h"
#include "platform/gbk_codec.h"
#include "tables/table_format.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <map>

namespace tessivo::datagen::tables {

namespace fmt = tessivo::tables;

namespace {

QByteArray gbkOf(const QString& character) {
    auto bytes = gbk::encode(character);
    if (!bytes) throw GenError(QStringLiteral("\"%1\" does not encode in GBK").arg(character.left(8)));
    return *bytes;
}

void appendUnique(QStringList& list, const QString& value) {
    if (!value.isEmpty() && !list.contains(value)) list.append(value);
}

// Values of a Unihan field: "de dì" or "0121.040:cháng 1456.020:zhǎng" or "a(1102) ā(404)".
QStringList fieldSyllables(QStringView value) {
    QStringList out;
    for (QStringView token : value.split(u' ', Qt::SkipEmptyParts)) {
        if (const auto colon = token.indexOf(u':'); colon >= 0) token = token.mid(colon + 1);
        if (const auto paren = token.indexOf(u'('); paren >= 0) token = token.first(paren);
        for (QStringView part : token.split(u',', Qt::SkipEmptyParts)) appendUnique(out, tonelessReading(part));
    }
    return out;
}

int blockOfReading(const QString& reading) {
    return reading.isEmpty() ? 0 : fmt::pinyinBlockOfLetter(reading.front());
}

}  // namespace

QString readBzip2Utf8(const QString& path) {
    if (!QFile::exists(path)) throw GenError(QStringLiteral("%1 not found (package unicode-data)").arg(path));
    QProcess bzip2;
    bzip2.start(QStringLiteral("bzip2"), {QStringLiteral("-dc"), path});
    if (!bzip2.waitForStarted()) throw GenError(QStringLiteral("cannot run bzip2 (package bzip2)"));
    bzip2.closeWriteChannel();
    if (!bzip2.waitForFinished(120000) || bzip2.exitStatus() != QProcess::NormalExit || bzip2.exitCode() != 0)
        throw GenError(QStringLiteral("bzip2 failed on %1").arg(path));
    return QString::fromUtf8(bzip2.readAllStandardOutput());
}

QString tonelessReading(QStringView syllable) {
    const QString decomposed = syllable.toString().toLower().normalized(QString::NormalizationForm_D);
    QString out;
    for (QChar c : decomposed)
        if (c >= u'a' && c <= u'z') out.append(c);
    return out;
}

QStringList chooserSyllables() {
    const QStringList list = pinyin::chooserSyllableList();
    if (list.size() != pinyin::kChooserSyllableCount) throw GenError(QStringLiteral("chooser syllable list is broken"));
    return list;
}

QHash<QString, CharReadings> parseUnihanReadings(const QString& text, const QStringList& wanted) {
    QHash<uint, QString> byCodePoint;
    for (const QString& c : wanted) byCodePoint.insert(c.toUcs4().value(0), c);

    // Collected per field first so that the field order, not the file's, decides "first seen".
    QHash<QString, QStringList> pinlu, xhc, tghz;
    QHash<QString, CharReadings> out;
    for (QStringView line : QStringView(text).split(u'\n')) {
        if (!line.startsWith(u"U+")) continue;
        const auto parts = line.trimmed().split(u'\t');
        if (parts.size() < 3) continue;
        bool ok = false;
        const uint cp = parts[0].mid(2).toUInt(&ok, 16);
        if (!ok) continue;
        const auto it = byCodePoint.constFind(cp);
        if (it == byCodePoint.constEnd()) continue;
        const QStringView field = parts[1];
        const QStringList values = fieldSyllables(parts[2]);
        if (field == u"kMandarin") {
            if (!values.isEmpty()) out[*it].mandarin = values.front();
        } else if (field == u"kHanyuPinlu") {
            pinlu[*it] = values;
        } else if (field == u"kXHC1983") {
            xhc[*it] = values;
        } else if (field == u"kTGHZ2013") {
            tghz[*it] = values;
        }
    }
    for (auto it = out.begin(); it != out.end(); ++it) {
        it->frequent = pinlu.value(it.key());
        for (const auto* source : {&pinlu, &xhc, &tghz})
            for (const QString& r : source->value(it.key())) appendUnique(it->common, r);
    }
    // Characters with only common readings still count.
    for (const auto* source : {&pinlu, &xhc, &tghz})
        for (auto it = source->cbegin(); it != source->cend(); ++it)
            if (!out.contains(it.key())) {
                CharReadings r;
                for (const auto* s : {&pinlu, &xhc, &tghz})
                    for (const QString& v : s->value(it.key())) appendUnique(r.common, v);
                out.insert(it.key(), r);
            }
    return out;
}

namespace {

struct PinyinEntry {
    QString reading;
    QByteArray gbk;
    QString character;
};

// A chooser syllable must list something: where no main or frequent reading gives it a line,
// the characters the dictionaries read that way get one (嗲 dia). Those whose shown reading
// stays are preferred; where there is none (呒, read only m in the 1983 dictionary), the
// reading becomes the one it shows.
void addLinesForUnlistedSyllables(std::vector<PinyinEntry>& entries, const QStringList& characters,
                                  const QHash<QString, CharReadings>& readings, const QStringList& syllables) {
    QSet<QString> covered;
    for (const PinyinEntry& e : entries) covered.insert(e.reading);
    for (const QString& syllable : syllables) {
        if (covered.contains(syllable)) continue;
        std::vector<PinyinEntry> keeping, changing;
        for (const QString& c : characters) {
            const auto found = readings.constFind(c);
            if (found == readings.constEnd() || !found->common.contains(syllable)) continue;
            const auto main = std::find_if(entries.begin(), entries.end(), [&](const PinyinEntry& e) { return e.character == c; });
            if (main == entries.end()) continue;
            const int block = blockOfReading(syllable), mainBlock = blockOfReading(main->reading);
            const bool mainStaysShown = block > mainBlock || (block == mainBlock && syllable < main->reading);
            (mainStaysShown ? keeping : changing).push_back({syllable, main->gbk, c});
        }
        for (const PinyinEntry& e : keeping.empty() ? changing : keeping) entries.push_back(e);
    }
}

}  // namespace

std::vector<PinyinLine> buildPinyinLines(const QStringList& characters, const QHash<QString, CharReadings>& readings,
                                         const QStringList& syllables) {
    const QSet<QString> allowed(syllables.begin(), syllables.end());
    std::vector<PinyinEntry> entries;
    for (const QString& c : characters) {
        const auto found = readings.constFind(c);
        if (found == readings.constEnd()) continue;
        QString main = found->mandarin;
        if (!allowed.contains(main)) {
            main.clear();
            for (const QString& r : found->common)
                if (allowed.contains(r)) {
                    main = r;
                    break;
                }
        }
        if (main.isEmpty()) continue;
        const QByteArray gbk = gbkOf(c);
        entries.push_back({main, gbk, c});
        const int mainBlock = blockOfReading(main);
        for (const QString& r : found->frequent) {
            if (r == main || !allowed.contains(r)) continue;
            const int block = blockOfReading(r);
            // The character's lookup scans blocks in order and keeps the last line of the first
            // block that has one: the main reading must stay the one it ends with.
            const bool mainStaysShown = block > mainBlock || (block == mainBlock && r < main);
            if (mainStaysShown) entries.push_back({r, gbk, c});
        }
    }
    addLinesForUnlistedSyllables(entries, characters, readings, syllables);
    std::sort(entries.begin(), entries.end(), [](const PinyinEntry& a, const PinyinEntry& b) {
        const int ba = blockOfReading(a.reading), bb = blockOfReading(b.reading);
        if (ba != bb) return ba < bb;
        if (a.reading != b.reading) return a.reading < b.reading;
        return a.gbk < b.gbk;
    });
    std::vector<PinyinLine> lines;
    lines.reserve(entries.size());
    for (const PinyinEntry& e : entries) lines.push_back({e.character, e.reading});
    return lines;
}

QHash<QString, QString> parseRimeStrokes(const QString& text, const QStringList& wanted) {
    const QSet<QString> want(wanted.begin(), wanted.end());
    QHash<QString, QString> cns, mainland;
    bool body = false, mainlandSection = false;
    for (QStringView line : QStringView(text).split(u'\n')) {
        line = line.trimmed();
        if (!body) {
            body = line == u"...";
            continue;
        }
        if (line.startsWith(u'#')) {
            // The comment that opens the section of mainland-order entries.
            if (line.contains(u"大陸規範字形")) mainlandSection = true;
            continue;
        }
        const auto parts = line.split(u'\t');
        if (parts.size() < 2) continue;
        const QString c = parts[0].toString();
        if (!want.contains(c)) continue;
        auto& target = mainlandSection ? mainland : cns;
        if (!target.contains(c)) target.insert(c, parts[1].toString());
    }
    if (!body) throw GenError(QStringLiteral("stroke dictionary has no body (no \"...\" line)"));
    if (!mainlandSection) throw GenError(QStringLiteral("stroke dictionary has no mainland-order section"));
    for (auto it = mainland.cbegin(); it != mainland.cend(); ++it) cns.insert(it.key(), it.value());
    return cns;
}

QHash<QString, QString> parseCncharOrder(const QString& script) {
    // The first JSON.parse('{...}') literal holds character -> letters; its text has no quotes
    // or backslashes that would need unescaping.
    static const QRegularExpression literal(QStringLiteral("JSON\\.parse\\('(\\{[^']*\\})'\\)"));
    auto matches = literal.globalMatch(script);
    while (matches.hasNext()) {
        const auto m = matches.next();
        QJsonParseError error;
        const auto doc = QJsonDocument::fromJson(m.captured(1).toUtf8(), &error);
        if (error.error != QJsonParseError::NoError || !doc.isObject()) continue;
        const QJsonObject object = doc.object();
        if (!object.value(QStringLiteral("一")).isString()) continue;
        QHash<QString, QString> out;
        for (auto it = object.begin(); it != object.end(); ++it) out.insert(it.key(), it.value().toString());
        return out;
    }
    throw GenError(QStringLiteral("no stroke-order object found in the cnchar script"));
}

QString rimeStrokeDigits(QStringView letters) {
    QString out;
    for (QChar l : letters) {
        const int i = QStringView(u"hspnz").indexOf(l);
        if (i < 0) return {};
        out.append(QChar(u'1' + i));
    }
    return out;
}

QString cncharStrokeDigits(QStringView letters) {
    QString out;
    for (QChar l : letters) {
        if (l < u'a' || l > u'z') return {};
        char16_t d = u'5';  // the turning strokes
        if (l == u'j' || l == u'i') d = u'1';                        // horizontal, rising
        else if (l == u'f' || l == u'g') d = u'2';                   // vertical, vertical hook
        else if (l == u's') d = u'3';                                // left-falling
        else if (l == u'k' || l == u'l' || l == u'd') d = u'4';      // dot, right-falling
        out.append(QChar(d));
    }
    return out;
}

QString fiveDigitCode(QStringView digits) {
    if (digits.isEmpty()) return {};
    if (digits.size() >= fmt::kStrokeCodeWidth) return digits.first(4).toString() + digits.back();
    return digits.toString() + QString(fmt::kStrokeCodeWidth - digits.size(), u'0');
}

std::vector<StrokeLine> buildStrokeLines(const QStringList& characters, const QHash<QString, QString>& rimeLetters) {
    struct Entry {
        StrokeLine line;
        QByteArray gbk;
    };
    std::vector<Entry> entries;
    entries.reserve(characters.size());
    for (const QString& c : characters) {
        const QString digits = rimeStrokeDigits(rimeLetters.value(c));
        if (digits.isEmpty())
            throw GenError(QStringLiteral("no usable stroke entry for %1 (package rime-data-stroke)").arg(c));
        entries.push_back({{c, fiveDigitCode(digits), int(digits.size())}, gbkOf(c)});
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        if (a.line.code != b.line.code) return a.line.code < b.line.code;
        return a.gbk < b.gbk;
    });
    std::vector<StrokeLine> lines;
    lines.reserve(entries.size());
    for (Entry& e : entries) lines.push_back(std::move(e.line));
    return lines;
}

QStringList strokeDisagreements(const QStringList& characters, const QHash<QString, QString>& rimeLetters,
                                const QHash<QString, QString>& cncharLetters) {
    QStringList out;
    for (const QString& c : characters) {
        const auto other = cncharLetters.constFind(c);
        if (other == cncharLetters.constEnd()) continue;
        const QString rime = fiveDigitCode(rimeStrokeDigits(rimeLetters.value(c)));
        const QString cnchar = fiveDigitCode(cncharStrokeDigits(*other));
        if (rime != cnchar) out.append(QStringLiteral("%1 %2 (Rime) / %3 (cnchar)").arg(c, rime, cnchar));
    }
    return out;
}

QString formatPinyinTable(const std::vector<PinyinLine>& lines) {
    QString out;
    out.reserve(int(lines.size()) * fmt::kPinyinLineLength);
    for (const PinyinLine& l : lines)
        out += l.character + l.reading.leftJustified(fmt::kReadingWidth, u' ') + QStringLiteral("\r\n");
    return out;
}

QString formatStrokeTable(const std::vector<StrokeLine>& lines) {
    QString out;
    out.reserve(int(lines.size()) * fmt::kStrokeLineLength);
    for (const StrokeLine& l : lines) out += l.character + l.code + QStringLiteral("\r\n");
    return out;
}

namespace {

// Shared walk over a table's lines: format, block order and block size. `fieldOf` checks the
// field and returns its block (0: bad field). Calls `onLine` for each sound line.
template <typename FieldCheck, typename OnLine>
void walkTable(const QString& text, int fieldWidth, const QString& name, QStringList& problems, FieldCheck fieldOf,
               OnLine onLine) {
    const int lineLength = 1 + fieldWidth + 2;
    if (text.isEmpty()) {
        problems << QStringLiteral("%1: empty").arg(name);
        return;
    }
    if (!text.endsWith(QStringLiteral("\r\n"))) problems << QStringLiteral("%1: last line has no CR LF").arg(name);
    std::array<qsizetype, fmt::kBlockCount + 1> blockBytes{};
    int block = 1, lineNo = 0;
    for (qsizetype pos = 0; pos < text.size(); pos += lineLength) {
        ++lineNo;
        const QStringView line = QStringView(text).mid(pos, lineLength);
        if (line.size() != lineLength || !line.endsWith(u"\r\n") || !fmt::isTableCharacter(line[0])) {
            problems << QStringLiteral("%1 line %2: bad line format").arg(name).arg(lineNo);
            return;  // the positions of all later lines are off
        }
        const QStringView field = line.mid(1, fieldWidth);
        const int b = fieldOf(field);
        if (b == 0) {
            problems << QStringLiteral("%1 line %2: bad field \"%3\"").arg(name).arg(lineNo).arg(field);
            continue;
        }
        if (b < block) problems << QStringLiteral("%1 line %2: block %3 after block %4").arg(name).arg(lineNo).arg(b).arg(block);
        block = std::max(block, b);
        const auto bytes = gbk::encode(line);
        if (!bytes) {
            problems << QStringLiteral("%1 line %2: not GBK").arg(name).arg(lineNo);
            continue;
        }
        blockBytes[b] += bytes->size();
        onLine(lineNo, line[0], field, b);
    }
    for (int b = 1; b <= fmt::kBlockCount; ++b) {
        if (blockBytes[b] == 0) problems << QStringLiteral("%1: block %2 is empty").arg(name).arg(b);
        if (blockBytes[b] > 65535) problems << QStringLiteral("%1: block %2 holds %3 bytes").arg(name).arg(b).arg(blockBytes[b]);
    }
}

}  // namespace

QStringList checkPinyinTable(const QString& text, const QStringList& syllables) {
    QStringList problems;
    const QSet<QString> allowed(syllables.begin(), syllables.end());
    const QString name = QStringLiteral("pinyin table");
    QString previousReading;
    QByteArray previousGbk;
    QSet<QString> pairs;
    walkTable(
        text, fmt::kReadingWidth, name, problems,
        [](QStringView field) {
            const QStringView r = fmt::readingOfField(field);
            return r.isEmpty() ? 0 : fmt::pinyinBlockOfLetter(r.front());
        },
        [&](int lineNo, QChar c, QStringView field, int) {
            const QString reading = fmt::readingOfField(field).toString();
            const QByteArray gbk = gbk::encode(QString(c)).value_or(QByteArray());
            if (!allowed.contains(reading))
                problems << QStringLiteral("%1 line %2: reading \"%3\" is not a chooser syllable").arg(name).arg(lineNo).arg(reading);
            if (gbk.size() != 2) problems << QStringLiteral("%1 line %2: %3 is not a double-byte character").arg(name).arg(lineNo).arg(c);
            if (!previousReading.isEmpty() && fmt::pinyinBlockOfLetter(previousReading.front()) ==
                                                  fmt::pinyinBlockOfLetter(reading.front())) {
                if (reading < previousReading || (reading == previousReading && gbk <= previousGbk))
                    problems << QStringLiteral("%1 line %2: out of order").arg(name).arg(lineNo);
            }
            if (!pairs.contains(c + reading)) pairs.insert(c + reading);
            else problems << QStringLiteral("%1 line %2: %3 listed twice under %4").arg(name).arg(lineNo).arg(c).arg(reading);
            previousReading = reading;
            previousGbk = gbk;
        });
    return problems;
}

QStringList checkStrokeTable(const QString& text, const QStringList& characters) {
    QStringList problems;
    const QString name = QStringLiteral("stroke table");
    QHash<QString, int> seen;
    QString previousCode;
    int previousBlock = 0;
    static const QString openers = QStringLiteral("一丨丿丶乙");
    walkTable(
        text, fmt::kStrokeCodeWidth, name, problems,
        [](QStringView field) { return fmt::isStrokeCode(field) ? fmt::strokeBlockOfDigit(field.front()) : 0; },
        [&](int lineNo, QChar c, QStringView field, int block) {
            const QString code = field.toString();
            if (block != previousBlock) {
                const QString expected = QString(openers[block - 1]) + QChar(u'0' + block) + QStringLiteral("0000");
                if (QString(c) + code != expected)
                    problems << QStringLiteral("%1 line %2: block %3 opens with %4%5, not %6").arg(name).arg(lineNo).arg(block).arg(c).arg(code, expected);
            } else if (code < previousCode) {
                problems << QStringLiteral("%1 line %2: out of order").arg(name).arg(lineNo);
            }
            if (++seen[QString(c)] == 2) problems << QStringLiteral("%1 line %2: %3 listed twice").arg(name).arg(lineNo).arg(c);
            previousCode = code;
            previousBlock = block;
        });
    const QSet<QString> expected(characters.begin(), characters.end());
    for (const QString& c : characters)
        if (!seen.contains(c)) problems << QStringLiteral("%1: %2 missing").arg(name, c);
    for (auto it = seen.cbegin(); it != seen.cend(); ++it)
        if (!expected.contains(it.key())) problems << QStringLiteral("%1: %2 is not a GB2312 hanzi").arg(name, it.key());
    return problems;
}

TableCheckError::TableCheckError(const QStringList& problems_)
    : GenError(QStringLiteral("%1 invariant violations; nothing written").arg(problems_.size())), problems(problems_) {}

GenerateReport generateTables(const GenerateOptions& options) {
    const QStringList& hanzi = gb2312Hanzi();
    const QStringList syllables = chooserSyllables();

    const auto readings = parseUnihanReadings(readBzip2Utf8(options.unihanPath), hanzi);
    const auto pinyinLines = buildPinyinLines(hanzi, readings, syllables);
    const QString pinyinText = formatPinyinTable(pinyinLines);

    const auto rime = parseRimeStrokes(readUtf8File(options.strokePath, QStringLiteral("rime-data-stroke")), hanzi);
    const auto cnchar = parseCncharOrder(readUtf8File(options.cncharPath, QStringLiteral("cnchar-order (npm)")));
    const auto strokeLines = buildStrokeLines(hanzi, rime);
    const QString strokeText = formatStrokeTable(strokeLines);

    QStringList problems = checkPinyinTable(pinyinText, syllables);
    problems += checkStrokeTable(strokeText, hanzi);
    if (!problems.isEmpty()) throw TableCheckError(problems);

    const QByteArray pinyinBytes = gbkOf(pinyinText);
    const QByteArray strokeBytes = gbkOf(strokeText);
    if (!QDir().mkpath(options.outDir)) throw GenError(QStringLiteral("cannot create %1").arg(options.outDir));
    writeFileAtomically(options.outDir + QStringLiteral("/pinyin_table.txt"), pinyinBytes);
    writeFileAtomically(options.outDir + QStringLiteral("/stroke_table.txt"), strokeBytes);

    GenerateReport report;
    report.pinyinLines = int(pinyinLines.size());
    report.strokeLines = int(strokeLines.size());
    report.strokeDisagreements = strokeDisagreements(hanzi, rime, cnchar);
    return report;
}

}  // namespace tessivo::datagen::tables
