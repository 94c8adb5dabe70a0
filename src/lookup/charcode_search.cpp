#include "lookup/charcode_search.h"

#include "platform/gbk_codec.h"

namespace tessivo {

void CharCodeSearch::start() {
    current_ = 1;
    loadCurrentRecord();
}

void CharCodeSearch::loadCurrentRecord() {
    if (const auto record = file_.read(current_)) record_ = *record;
}

QString CharCodeSearch::lowerProbe() const {
    return probes_.lower.isNull() ? QString() : CharCodeRecord::characterText(probes_.lower);
}

QString CharCodeSearch::upperProbe() const {
    return probes_.upper.isNull() ? QString() : CharCodeRecord::characterText(probes_.upper);
}

bool CharCodeSearch::search(QStringView text) {
    if (text.isEmpty()) return false;
    found_ = false;
    const auto key = gbk::charKey(text);
    if (!key) return false;
    const platform::KeySearchResult result = file_.search(*key, probes_);
    if (result.record) current_ = static_cast<std::int16_t>(*result.record);
    found_ = result.found;
    return found_;
}

}  // namespace tessivo
