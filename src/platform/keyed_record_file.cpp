#include "platform/keyed_record_file.h"

#include <utility>

namespace tessivo::platform {

std::optional<std::int16_t> readKey(RecordFile& file, int n, QByteArray* bytes) {
    auto record = file.readRaw(n);
    if (!record) return std::nullopt;
    const std::int16_t key = gbk::keyOfBytes(*record);
    if (bytes) *bytes = std::move(*record);
    return key;
}

KeySearchResult searchByKey(RecordFile& file, std::int16_t key, SearchProbes& probes) {
    KeySearchResult result;
    int low = 1;
    int high = file.recordCount();
    if (high < 1) return result;
    for (;;) {
        // Both bounds are read again on every pass.
        const auto lowKey = readKey(file, low, &probes.lower);
        if (!lowKey) return result;
        result.record = low;
        const auto highKey = readKey(file, high, &probes.upper);
        if (!highKey) return result;
        result.record = high;
        if (key > *highKey || key < *lowKey) return result;
        if (key == *lowKey || key == *highKey) {
            result.record = key == *lowKey ? low : high;
            result.found = true;
            return result;
        }
        const int middle = low + (high - low) / 2;
        const auto middleKey = readKey(file, middle, &probes.lower);
        if (!middleKey) return result;
        result.record = middle;
        if (key == *middleKey) {
            result.found = true;
            return result;
        }
        if (key > *middleKey) {
            low = middle;
        } else {
            high = middle;
        }
        if (high - low == 1) return result;
    }
}

}  // namespace tessivo::platform
