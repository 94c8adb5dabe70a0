#include "lookup/charcode_search.h"

#include "platform/gbk_codec.h"

namespace tessivo {

void CharCodeSearch::start() {
    current_ = 1;
    display();
}

void CharCodeSearch::display() {
    const auto record = file_.read(current_);
    if (!record) return;  // a closed file or a failed read leaves the fields as they were
    buffer_ = *record;
    fields_.text11 = buffer_.character;
    fields_.text12 = buffer_.code1;
    fields_.text13 = buffer_.code2;
    fields_.text14 = buffer_.code3;
    fields_.text17 = buffer_.fill[0];
    fields_.text18 = buffer_.fill[1];
    fields_.text19 = buffer_.fill[2];
    fields_.text20 = buffer_.fill[3];
}

QString CharCodeSearch::text31() const {
    return text31_.isNull() ? QStringLiteral("Text31") : CharCodeFile::characterText(text31_);
}

QString CharCodeSearch::text32() const {
    return text32_.isNull() ? QStringLiteral("Text32") : CharCodeFile::characterText(text32_);
}

bool CharCodeSearch::search(QStringView text23) {
    if (text23.isEmpty()) return false;
    found_ = false;
    const auto wanted = gbk::charKey(text23);
    if (!wanted || file_.recordCount() < 1) return false;
    const std::int16_t x = *wanted;
    int low = 1;
    int high = file_.recordCount();
    for (;;) {
        // Both bounds are read again on every pass.
        const auto kL = file_.readKey(low, &text31_);
        if (!kL) return false;
        current_ = static_cast<std::int16_t>(low);
        const auto kH = file_.readKey(high, &text32_);
        if (!kH) return false;
        current_ = static_cast<std::int16_t>(high);
        if (x > *kH || x < *kL) return false;
        if (*kL < x && x < *kH) {
            const int mid = low + (high - low) / 2;
            const auto kM = file_.readKey(mid, &text31_);
            if (!kM) return false;
            current_ = static_cast<std::int16_t>(mid);
            if (x > *kM) {
                low = mid;
            } else if (x < *kM) {
                high = mid;
            } else {
                found_ = true;
                return true;
            }
        } else {
            current_ = static_cast<std::int16_t>(x == *kL ? low : high);
            found_ = true;
            return true;
        }
        if (high - low == 1) return false;
    }
}

}  // namespace tessivo
