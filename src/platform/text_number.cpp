#include "platform/text_number.h"

#include <algorithm>

namespace tessivo {

long long leadingNumber(QStringView text) {
    constexpr long long Largest = 1'000'000'000'000LL;
    const QStringView s = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == u'-' || s[i] == u'+')) negative = s[i++] == u'-';
    long long value = 0;
    for (; i < s.size() && s[i] >= u'0' && s[i] <= u'9'; ++i) value = std::min(value * 10 + (s[i].unicode() - u'0'), Largest);
    return negative ? -value : value;
}

}  // namespace tessivo
