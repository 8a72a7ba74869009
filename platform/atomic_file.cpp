#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace marvolin::platform {
namespace {

// Writing through a symbolic link replaces the file it points to, not the link.
std::string ResolveLinks(const std::string& path) {
    std::error_code error;
    if (std::filesystem::is_symlink(path, error)) {
        const auto resolved = std::filesystem::weakly_canonical(path, error);
        if (!error) {
            return resolved.string();
        }
    }
    return path;
}

mode_t NewFileMode(const std::string& target) {
    struct stat status {};
    if (::stat(target.c_str(), &status) == 0) {
        return status.st_mode & 07777;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// A hidden name beside the target, short enough for any file system whatever the target's
// own name length.
std::string TemporaryPattern(const std::string& target) {
    const std::filesystem::path path(target);
    const std::string name = path.filename().string().substr(0, 200);
    return (path.parent_path() / ("." + name + ".XXXXXX")).string();
}

}  // namespace

AtomicFileWriter::AtomicFileWriter(std::string path) : target_(ResolveLinks(path)) {
    std::string pattern = TemporaryPattern(target_);
    descriptor_ = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (descriptor_ < 0) {
        systemError_ = errno;
        return;
    }
    temporary_ = pattern;
    ok_ = ::fchmod(descriptor_, NewFileMode(target_)) == 0;
    NoteFailure();
}

void AtomicFileWriter::NoteFailure() {
    if (!ok_ && systemError_ == 0) {
        systemError_ = errno != 0 ? errno : EIO;
    }
}

AtomicFileWriter::~AtomicFileWriter() {
    if (descriptor_ >= 0) {
        ::close(descriptor_);
    }
    if (!committed_ && !temporary_.empty()) {
        ::unlink(temporary_.c_str());
    }
}

void AtomicFileWriter::Write(std::span<const std::uint8_t> bytes) {
    while (ok_ && !bytes.empty()) {
        const ssize_t written = ::write(descriptor_, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            // A write of nothing at all means the device is full.
            errno = written == 0 ? ENOSPC : errno;
            ok_ = false;
            NoteFailure();
            return;
        }
        bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
}

bool AtomicFileWriter::Commit() {
    if (!ok_) {
        return false;
    }
    ok_ = ::fsync(descriptor_) == 0;
    NoteFailure();
    const bool closed = ::close(descriptor_) == 0;
    descriptor_ = -1;
    ok_ = ok_ && closed;
    NoteFailure();
    ok_ = ok_ && ::rename(temporary_.c_str(), target_.c_str()) == 0;
    NoteFailure();
    committed_ = ok_;
    return ok_;
}

}  // namespace marvolin::platform
