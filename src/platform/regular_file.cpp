#include "platform/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace tessivo::platform {
namespace {

std::nullopt_t fail(std::string* error, const std::filesystem::path& path, const std::string& problem) {
    if (error) *error = path.string() + ": " + problem;
    return std::nullopt;
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }

private:
    int fd_;
};

}  // namespace

std::optional<std::vector<std::uint8_t>> readRegularFile(const std::filesystem::path& path, std::size_t maxBytes,
                                                         std::string* error) {
    // A NUL would cut the name short and open something else (its folder, say).
    if (path.native().find('\0') != std::string::npos) return fail(error, path, "the name holds a NUL byte");
    // Non-blocking, so that opening a FIFO returns at once instead of waiting for a writer.
    const Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.get() < 0) return fail(error, path, std::strerror(errno));
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) return fail(error, path, std::strerror(errno));
    if (!S_ISREG(info.st_mode)) return fail(error, path, "not a regular file");
    if (info.st_size < 0 || static_cast<std::uintmax_t>(info.st_size) > maxBytes)
        return fail(error, path, "larger than " + std::to_string(maxBytes) + " bytes");
    // One byte more than its size is asked for, so that a file that grew since fstat is caught.
    const auto size = static_cast<std::size_t>(info.st_size);
    std::vector<std::uint8_t> bytes(size + 1);
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        const ssize_t got = ::read(fd.get(), bytes.data() + filled, bytes.size() - filled);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return fail(error, path, std::strerror(errno));
        if (got == 0) break;
        filled += static_cast<std::size_t>(got);
    }
    if (filled > size) return fail(error, path, "changed while it was read");
    bytes.resize(filled);
    return bytes;
}

}  // namespace tessivo::platform
