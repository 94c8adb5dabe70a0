#pragma once

#include <QStringView>

namespace tessivo {

// The leading number of a text field: leading white space skipped, an optional sign, then
// ASCII digits; 0 when no digit follows ("abc", "-", ""). Whatever comes after the digits is
// ignored ("12abc" -> 12). The magnitude is held at 1,000,000,000,000 at most, so a damaged
// field of many digits cannot overflow.
long long leadingNumber(QStringView text);

}  // namespace tessivo
