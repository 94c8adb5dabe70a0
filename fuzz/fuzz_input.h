#pragma once
// Helpers shared by the fuzz targets: a reader that turns the fuzzer's bytes into values, and a
// private scratch folder for targets whose parser reads files.

#include <QByteArray>
#include <QDir>
#include <QString>
#include <QTemporaryDir>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace tessivo::fuzz {

// Consumes the input from the front; once it is used up every read gives zero or empty.
class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool empty() const { return pos_ >= size_; }
    std::size_t remaining() const { return size_ - pos_; }

    std::uint8_t byte() { return empty() ? 0 : data_[pos_++]; }
    std::uint16_t word() { return static_cast<std::uint16_t>(byte() | (byte() << 8)); }
    int intIn(int low, int high) { return low + static_cast<int>(word() % static_cast<unsigned>(high - low + 1)); }

    // Up to `max` bytes; the count comes from the input.
    QByteArray bytes(std::size_t max) {
        const std::size_t n = std::min<std::size_t>({static_cast<std::size_t>(byte()), max, remaining()});
        return take(n);
    }
    // Everything left.
    QByteArray rest() { return take(remaining()); }
    // A short piece of UTF-8 text (invalid sequences become U+FFFD, as QString reads them).
    QString text(std::size_t max = 32) { return QString::fromUtf8(bytes(max)); }

private:
    QByteArray take(std::size_t n) {
        QByteArray out(reinterpret_cast<const char*>(data_ + pos_), static_cast<qsizetype>(n));
        pos_ += n;
        return out;
    }

    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

// A scratch folder that lives as long as the process; the targets rewrite their files in it.
inline const QString& scratchFolder() {
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/tessivo-fuzz-XXXXXX"));
    if (!dir.isValid()) std::abort();
    static const QString path = dir.path();
    return path;
}

}  // namespace tessivo::fuzz
