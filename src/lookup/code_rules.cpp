#include "lookup/code_rules.h"

#include "platform/text_number.h"

#include <initializer_list>

namespace tessivo {

QString codeLine(QStringView code1, QStringView code2, QStringView code3) {
    const QStringView c1 = code1.trimmed();
    const QStringView c2 = code2.trimmed();
    const QStringView c3 = code3.trimmed();
    const qsizetype l1 = c1.size();
    const qsizetype l2 = c2.size();
    const qsizetype l3 = c3.size();
    const auto join = [](std::initializer_list<QStringView> parts) {
        QString out;
        bool first = true;
        for (QStringView part : parts) {
            if (!first) out += u' ';
            out += part;
            first = false;
        }
        return out;
    };
    QString line;
    if (l3 < l2 && l2 < l1) line = join({c3, c2, c1});
    if (l2 < l3 && l3 < l1) line = join({c2, c3, c1});
    if (l3 == l1 && c2.isEmpty()) line = c3.toString();
    if (l3 == l1 && l2 < l3) line = join({c2, c3});
    return line.trimmed();
}

std::vector<FillPoint> parseFillField(QStringView field) {
    qsizetype length = field.size();
    while (length > 0 && field[length - 1] == u' ') --length;
    const QStringView text = field.first(length);
    // length / 8 rounded to the nearest whole number, halves to the even one.
    qsizetype count = length / 8;
    const qsizetype rest = length % 8;
    if (rest > 4 || (rest == 4 && count % 2 == 1)) ++count;
    std::vector<FillPoint> points;
    points.reserve(static_cast<std::size_t>(count));
    const auto part = [&](qsizetype from) {
        return from < text.size() ? text.sliced(from, std::min<qsizetype>(4, text.size() - from)) : QStringView();
    };
    // A part is at most 4 characters: its number always fits an int.
    const auto number = [&](qsizetype from) { return static_cast<int>(leadingNumber(part(from))); };
    for (qsizetype i = 0; i < count; ++i) points.push_back({number(i * 8), number(i * 8 + 4)});
    return points;
}

}  // namespace tessivo
