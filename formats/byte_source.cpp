#include "formats/byte_source.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace marvolin::formats {
namespace {
constexpr std::size_t kWindowSize = 16 * 1024;
}

std::size_t MemoryByteSource::ReadAt(std::uint64_t offset, std::span<std::uint8_t> target) {
    if (offset >= bytes_.size()) {
        return 0;
    }
    const std::size_t available = bytes_.size() - static_cast<std::size_t>(offset);
    const std::size_t count = std::min(available, target.size());
    if (count == 0) {
        return 0;  // an empty target may have no storage at all
    }
    std::memcpy(target.data(), bytes_.data() + offset, count);
    return count;
}

std::unique_ptr<FileByteSource> FileByteSource::Open(const std::string& path) {
    // Non-blocking, so that a FIFO named by mistake cannot hang the open.
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (descriptor < 0) {
        return nullptr;
    }
    struct stat status {};
    const bool statFailed = ::fstat(descriptor, &status) != 0;
    if (statFailed || !S_ISREG(status.st_mode)) {
        // The caller learns why from errno: a folder, a device or a pipe is no sound file.
        const int reason = statFailed ? errno : (S_ISDIR(status.st_mode) ? EISDIR : EINVAL);
        ::close(descriptor);
        errno = reason;
        return nullptr;
    }
    return std::unique_ptr<FileByteSource>(
        new FileByteSource(descriptor, static_cast<std::uint64_t>(status.st_size)));
}

FileByteSource::FileByteSource(int descriptor, std::uint64_t size)
    : descriptor_(descriptor), size_(size), window_(kWindowSize) {}

FileByteSource::~FileByteSource() {
    ::close(descriptor_);
}

std::size_t FileByteSource::ReadDirect(std::uint64_t offset, std::span<std::uint8_t> target) {
    std::size_t done = 0;
    while (done < target.size()) {
        const ssize_t got = ::pread(descriptor_, target.data() + done, target.size() - done,
                                    static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;  // end of file (the file may have shrunk) or a read error
        }
        done += static_cast<std::size_t>(got);
    }
    return done;
}

std::size_t FileByteSource::ReadAt(std::uint64_t offset, std::span<std::uint8_t> target) {
    if (target.size() >= kWindowSize) {
        return ReadDirect(offset, target);
    }
    const bool inWindow =
        offset >= windowOffset_ && offset + target.size() <= windowOffset_ + windowLength_;
    if (!inWindow) {
        windowOffset_ = offset;
        windowLength_ = ReadDirect(offset, window_);
    }
    if (offset >= windowOffset_ + windowLength_) {
        return 0;
    }
    const std::size_t start = static_cast<std::size_t>(offset - windowOffset_);
    const std::size_t count = std::min(target.size(), windowLength_ - start);
    std::memcpy(target.data(), window_.data() + start, count);
    return count;
}

}  // namespace marvolin::formats
