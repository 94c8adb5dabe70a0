#include "raster.h"

#include "platform/regular_file.h"

#include <fstream>

namespace tessivo {
namespace {

std::uint32_t readLe(const std::vector<std::uint8_t>& b, std::size_t at, int n) {
    std::uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i) v = v << 8 | b[at + i];
    return v;
}

void writeLe(std::vector<std::uint8_t>& b, std::uint32_t v, int n) {
    for (int i = 0; i < n; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// One row of 1-, 4- or 8-bit palette indices, most significant bits first.
void decodeIndexedRow(const std::uint8_t* line, std::uint32_t* out, int width, std::uint32_t bpp,
                      const std::uint32_t* palette) {
    if (bpp == 1) {
        const int whole = width / 8;
        for (int i = 0; i < whole; ++i, out += 8) {
            const std::uint8_t byte = line[i];
            for (int bit = 0; bit < 8; ++bit) out[bit] = palette[(byte >> (7 - bit)) & 1];
        }
        for (int x = whole * 8; x < width; ++x) *out++ = palette[(line[x / 8] >> (7 - x % 8)) & 1];
        return;
    }
    const std::uint32_t mask = (1u << bpp) - 1;
    for (int x = 0; x < width; ++x) {
        const std::size_t bit = static_cast<std::size_t>(x) * bpp;
        out[x] = palette[(line[bit / 8] >> (8 - bpp - bit % 8)) & mask];
    }
}

// Whether every pixel's index lies below `paletteSize` (only needed for a short palette).
bool indicesWithin(const std::vector<std::uint8_t>& b, std::size_t dataOffset, std::size_t stride, int width,
                   int height, std::uint32_t bpp, std::size_t paletteSize) {
    const std::uint32_t mask = (1u << bpp) - 1;
    for (int row = 0; row < height; ++row) {
        const std::uint8_t* line = b.data() + dataOffset + stride * row;
        for (int x = 0; x < width; ++x) {
            const std::size_t bit = static_cast<std::size_t>(x) * bpp;
            if (((line[bit / 8] >> (8 - bpp - bit % 8)) & mask) >= paletteSize) return false;
        }
    }
    return true;
}

bool fail(std::string* error, const char* message) {
    if (error) *error = message;
    return false;
}

}  // namespace

Raster::Raster(int width, int height, std::uint32_t fill)
    : width_(width > 0 && height > 0 ? width : 0),
      height_(width > 0 && height > 0 ? height : 0),
      pixels_(static_cast<std::size_t>(width_) * height_, fill) {}

std::optional<Raster> Raster::decodeBmp(const std::vector<std::uint8_t>& b, std::string* error, const BmpLimits& limits) {
    if (b.size() > limits.maxBytes) return fail(error, "BMP file too large"), std::nullopt;
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return fail(error, "not a BMP file"), std::nullopt;
    const std::uint32_t dataOffset = readLe(b, 10, 4);
    const std::uint32_t headerSize = readLe(b, 14, 4);
    if (headerSize < 40 || 14 + headerSize > b.size()) return fail(error, "unsupported BMP header"), std::nullopt;
    const auto width = static_cast<std::int32_t>(readLe(b, 18, 4));
    const auto rawHeight = static_cast<std::int32_t>(readLe(b, 22, 4));
    const std::uint32_t bpp = readLe(b, 28, 2);
    const std::uint32_t compression = readLe(b, 30, 4);
    std::uint32_t paletteSize = readLe(b, 46, 4);
    if (width <= 0 || rawHeight == 0 || width > limits.maxWidth || rawHeight > limits.maxHeight || rawHeight < -limits.maxHeight)
        return fail(error, "bad BMP dimensions"), std::nullopt;
    if (compression != 0 && !(compression == 3 && (bpp == 32 || bpp == 16)))
        return fail(error, "compressed BMP"), std::nullopt;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32) return fail(error, "unsupported BMP depth"), std::nullopt;
    const bool bottomUp = rawHeight > 0;
    const int height = bottomUp ? rawHeight : -rawHeight;
    std::vector<std::uint32_t> palette;
    if (bpp <= 8) {
        if (paletteSize == 0) paletteSize = 1u << bpp;
        if (paletteSize > 256) return fail(error, "bad BMP palette"), std::nullopt;
        const std::size_t at = 14 + headerSize;
        if (at + 4 * paletteSize > b.size()) return fail(error, "truncated BMP palette"), std::nullopt;
        for (std::uint32_t i = 0; i < paletteSize; ++i) {
            palette.push_back(b[at + 4 * i + 2] << 16 | b[at + 4 * i + 1] << 8 | b[at + 4 * i]);
        }
    }
    const std::size_t stride = ((static_cast<std::size_t>(width) * bpp + 31) / 32) * 4;
    if (dataOffset > b.size() || stride * height > b.size() - dataOffset) return fail(error, "truncated BMP pixels"), std::nullopt;
    if (bpp <= 8) {
        // Every index a row can hold must name a palette entry; checked once, not per pixel.
        const std::uint32_t maxIndex = (1u << bpp) - 1;
        if (maxIndex >= palette.size() && !indicesWithin(b, dataOffset, stride, width, height, bpp, palette.size()))
            return fail(error, "BMP palette index out of range"), std::nullopt;
        palette.resize(maxIndex + 1);
    }
    Raster r(width, height);
    for (int row = 0; row < height; ++row) {
        const int y = bottomUp ? height - 1 - row : row;
        const std::uint8_t* line = b.data() + dataOffset + stride * row;
        std::uint32_t* out = r.row(y);
        if (bpp <= 8) {
            decodeIndexedRow(line, out, width, bpp, palette.data());
        } else {
            const int step = static_cast<int>(bpp / 8);
            for (int x = 0; x < width; ++x, line += step) out[x] = line[2] << 16 | line[1] << 8 | line[0];
        }
    }
    return r;
}

std::optional<Raster> Raster::loadBmp(const std::filesystem::path& path, std::string* error, const BmpLimits& limits) {
    const auto bytes = platform::readRegularFile(path, limits.maxBytes, error);
    if (!bytes) return std::nullopt;
    return decodeBmp(*bytes, error, limits);
}

std::vector<std::uint8_t> Raster::encodeMonoBmp() const {
    const std::uint32_t stride = ((static_cast<std::uint32_t>(width_) + 31) / 32) * 4;
    const std::uint32_t dataSize = stride * height_;
    const std::uint32_t offset = 14 + 40 + 8;
    std::vector<std::uint8_t> b;
    b.reserve(offset + dataSize);
    b.push_back('B');
    b.push_back('M');
    writeLe(b, offset + dataSize, 4);
    writeLe(b, 0, 4);
    writeLe(b, offset, 4);
    writeLe(b, 40, 4);
    writeLe(b, width_, 4);
    writeLe(b, height_, 4);
    writeLe(b, 1, 2);
    writeLe(b, 1, 2);
    writeLe(b, 0, 4);
    writeLe(b, dataSize, 4);
    writeLe(b, 3780, 4);  // 96 dpi
    writeLe(b, 3780, 4);
    writeLe(b, 2, 4);
    writeLe(b, 2, 4);
    writeLe(b, 0x000000, 4);  // index 0: black
    writeLe(b, 0xFFFFFF, 4);  // index 1: white
    for (int row = height_ - 1; row >= 0; --row) {
        std::vector<std::uint8_t> line(stride, 0);
        for (int x = 0; x < width_; ++x) {
            if (pixel(x, row) == White) line[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        }
        b.insert(b.end(), line.begin(), line.end());
    }
    return b;
}

bool Raster::saveMonoBmp(const std::filesystem::path& path) const {
    const auto bytes = encodeMonoBmp();
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

std::size_t floodFill4(Raster& r, int x, int y, std::uint32_t colour) {
    if (!r.contains(x, y)) return 0;
    const std::uint32_t target = r.pixel(x, y);
    if (target == colour) return 0;
    std::size_t painted = 0;
    // Scanline fill with an explicit stack: no recursion depth to overflow.
    std::vector<std::pair<int, int>> stack{{x, y}};
    while (!stack.empty()) {
        auto [sx, sy] = stack.back();
        stack.pop_back();
        if (r.pixel(sx, sy) != target) continue;
        int left = sx;
        while (left > 0 && r.pixel(left - 1, sy) == target) --left;
        int right = sx;
        while (right + 1 < r.width() && r.pixel(right + 1, sy) == target) ++right;
        for (int i = left; i <= right; ++i) {
            r.setPixel(i, sy, colour);
            ++painted;
        }
        for (int ny : {sy - 1, sy + 1}) {
            if (ny < 0 || ny >= r.height()) continue;
            bool inRun = false;
            for (int i = left; i <= right; ++i) {
                const bool match = r.pixel(i, ny) == target;
                if (match && !inRun) stack.emplace_back(i, ny);
                inRun = match;
            }
        }
    }
    return painted;
}

}  // namespace tessivo
