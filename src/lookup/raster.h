#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tessivo {

// What a BMP may be: its file size and its dimensions. Decoding bounds time and memory by them.
struct BmpLimits {
    std::size_t maxBytes = 64 * 1024;
    int maxWidth = 4096;
    int maxHeight = 4096;
};

// A plain RGB pixel grid: the drawing surface of a radical panel and the picture format the
// data generator writes. Colours are 0xRRGGBB.
class Raster {
public:
    static constexpr std::uint32_t Black = 0x000000;
    static constexpr std::uint32_t White = 0xFFFFFF;

    Raster() = default;
    Raster(int width, int height, std::uint32_t fill = White);

    int width() const { return width_; }
    int height() const { return height_; }
    bool isNull() const { return width_ == 0 || height_ == 0; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    std::uint32_t pixel(int x, int y) const { return pixels_[index(x, y)]; }
    void setPixel(int x, int y, std::uint32_t colour) { pixels_[index(x, y)] = colour; }
    const std::vector<std::uint32_t>& pixels() const { return pixels_; }
    // The pixels of row y, left to right.
    std::uint32_t* row(int y) { return pixels_.data() + index(0, y); }
    const std::uint32_t* row(int y) const { return pixels_.data() + index(0, y); }

    bool operator==(const Raster&) const = default;

    // Uncompressed BMP (1, 4, 8, 24 or 32 bits a pixel, bottom-up or top-down) within `limits`.
    // nullopt with `error` set for anything else.
    static std::optional<Raster> decodeBmp(const std::vector<std::uint8_t>& bytes, std::string* error = nullptr,
                                           const BmpLimits& limits = {});
    // The same from a file. Never throws: anything but a regular file within the limits (a
    // folder, a FIFO, a device, a read error) is nullopt with `error` set.
    static std::optional<Raster> loadBmp(const std::filesystem::path& path, std::string* error = nullptr,
                                         const BmpLimits& limits = {});

    // Writes a one-bit BMP: pixels equal to White are white, all others black.
    std::vector<std::uint8_t> encodeMonoBmp() const;
    bool saveMonoBmp(const std::filesystem::path& path) const;

private:
    std::size_t index(int x, int y) const { return static_cast<std::size_t>(y) * width_ + x; }

    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
};

// Fills, with `colour`, the 4-connected area of pixels that have exactly the colour of the seed
// pixel. A seed outside the raster changes nothing. Returns the number of pixels painted.
std::size_t floodFill4(Raster& raster, int x, int y, std::uint32_t colour);

}  // namespace tessivo
