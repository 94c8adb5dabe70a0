#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tessivo::platform {

// The bytes of a regular file of at most `maxBytes` bytes, or nullopt with `error` set. Anything
// else in its place (a folder, a FIFO, a device, a link to one) is refused without blocking or
// reading from it, as is a path holding a NUL byte; a read error is reported, never thrown.
std::optional<std::vector<std::uint8_t>> readRegularFile(const std::filesystem::path& path, std::size_t maxBytes,
                                                         std::string* error = nullptr);

}  // namespace tessivo::platform
