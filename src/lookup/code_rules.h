#pragma once

#include <QString>
#include <QStringView>

#include <vector>

namespace tessivo {

// The code line shown for a character, from its three codes as read (padded). Rules, in order,
// each later match overriding an earlier one (L = trimmed length):
//   L3 < L2 < L1          -> "c3 c2 c1"
//   L2 < L3 < L1          -> "c2 c3 c1"
//   L3 = L1 and c2 empty  -> "c3"
//   L3 = L1 and L2 < L3   -> "c2 c3"
// The result is trimmed. When no rule matches the line is empty: the codes of the previous
// character must never stay on screen beside a new one.
QString codeLine(QStringView code1, QStringView code2, QStringView code3);

// A seed point of a radical panel, in the panel's units (twips).
struct FillPoint {
    int x = 0;
    int y = 0;
    bool operator==(const FillPoint&) const = default;
};

// Points of a fill field: trailing blanks removed, then 8 characters a point (4 of x, 4 of y);
// the count is length / 8 rounded half to even, so a trailing partial point counts when it is
// more than half a point long. Each part is read as its leading number (leadingNumber: leading
// blanks skipped, optional sign, digits); a part without a number (or cut off by the end of the
// field) is 0.
std::vector<FillPoint> parseFillField(QStringView field);

}  // namespace tessivo
