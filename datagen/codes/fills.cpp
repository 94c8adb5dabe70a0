#include "codes/fills.h"

#include "lookup/charcode_record.h"
#include "lookup/code_lookup.h"
#include "lookup/panel_geometry.h"

#include "codes/code_choice.h"
#include "common/common.h"

#include <QStringView>

namespace tessivo::datagen {

namespace {

constexpr int kPointWidth = 8;
constexpr int kMaxPoints = CharCodeRecord::FillWidth / kPointWidth;

// A 4-character coordinate: blanks, then 1 to 4 digits. -1 when malformed.
int coordinate(QStringView part) {
    qsizetype i = 0;
    while (i < part.size() && part[i] == u' ') ++i;
    if (i == part.size()) return -1;
    int value = 0;
    for (; i < part.size(); ++i) {
        if (part[i] < u'0' || part[i] > u'9') return -1;
        value = value * 10 + (part[i].unicode() - u'0');
    }
    return value;
}

}  // namespace

FillKind classifyFill(const QString& field) {
    if (field.isEmpty()) return FillKind::Empty;
    if (field == u"0") return FillKind::KeyPicture;
    if (field.size() % kPointWidth != 0 || field.size() > kPointWidth * kMaxPoints) return FillKind::Invalid;
    for (qsizetype at = 0; at < field.size(); at += kPointWidth) {
        const int x = coordinate(QStringView(field).sliced(at, 4));
        const int y = coordinate(QStringView(field).sliced(at + 4, 4));
        if (x < 0 || y < 0 || x >= panel::WidthTwips || y >= panel::HeightTwips) return FillKind::Invalid;
    }
    return FillKind::Points;
}

FillTable parseFills(const QString& text, const QString& origin, const QSet<QString>& characters) {
    FillTable table;
    int lineNumber = 0;
    for (QStringView line : QStringView(text).split(u'\n')) {
        ++lineNumber;
        if (line.endsWith(u'\r')) line.chop(1);
        if (line.isEmpty()) continue;
        const auto columns = line.split(u'\t');
        auto fail = [&](const QString& why) {
            throw GenError(QStringLiteral("%1:%2: %3").arg(origin).arg(lineNumber).arg(why));
        };
        if (columns.size() != 5) fail(QStringLiteral("expected a character and four fills, found %1 columns").arg(columns.size()));
        const QString character = columns[0].toString();
        if (!characters.contains(character)) fail(QStringLiteral("\"%1\" is not one of the characters of the code file").arg(character));
        Fills fills;
        for (int k = 0; k < 4; ++k) {
            fills[k] = columns[k + 1].toString();
            if (fills[k].size() > kPointWidth * kMaxPoints) {
                fail(QStringLiteral("fill%1 of %2 is longer than %3 characters").arg(k + 1).arg(character).arg(kPointWidth * kMaxPoints));
            }
            if (classifyFill(fills[k]) == FillKind::Invalid) {
                fail(QStringLiteral("fill%1 of %2 (\"%3\") is neither empty, \"0\" nor points of 4+4 digits inside the panel")
                         .arg(k + 1)
                         .arg(character, fills[k]));
            }
        }
        if (!table.emplace(character, fills).second) fail(QStringLiteral("%1 is given twice").arg(character));
    }
    return table;
}

FillTable loadFills(const QString& path, const QSet<QString>& characters) {
    return parseFills(readUtf8File(path), path, characters);
}

void checkFillsForCode(const QString& character, const QString& fullCode, const Fills& fills) {
    const int panels = panelsInUse(fullCode);
    auto fail = [&](const QString& why) {
        throw GenError(QStringLiteral("fills of %1 (%2 panels): %3").arg(character).arg(panels).arg(why));
    };
    for (int k = 0; k < 2; ++k) {
        if (classifyFill(fills[k]) != FillKind::Points) fail(QStringLiteral("panel %1 has no fill points").arg(k + 1));
    }
    const FillKind third = classifyFill(fills[2]);
    const FillKind fourth = classifyFill(fills[3]);
    if (panels == 4) {
        if (third != FillKind::Points) fail(QStringLiteral("panel 3 must have fill points"));
        if (fourth != FillKind::Points && fourth != FillKind::KeyPicture) fail(QStringLiteral("panel 4 must have fill points or \"0\""));
    } else {
        if (third != FillKind::Points && third != FillKind::KeyPicture) fail(QStringLiteral("panel 3 must have fill points or \"0\""));
        if (fourth != FillKind::Empty) fail(QStringLiteral("panel 4 is not used but has a fill"));
    }
    for (int k = 2; k < 4; ++k) {
        if (classifyFill(fills[k]) != FillKind::KeyPicture) continue;
        if (k >= fullCode.size() || !identKeyIndex(fullCode[k])) {
            fail(QStringLiteral("panel %1 asks for a key picture, but letter %1 of %2 has none").arg(k + 1).arg(fullCode));
        }
    }
}

}  // namespace tessivo::datagen
