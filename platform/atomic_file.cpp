#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <set>
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

// The temporary files that exist right now. Creating one and entering it, and renaming one
// and forgetting it, happen under the lock, so that a stop sees each file either unfinished
// (and removes it) or in place.
struct UnfinishedFiles {
    std::mutex lock;
    std::set<std::string> paths;
};

UnfinishedFiles& Unfinished() {
    static UnfinishedFiles files;
    return files;
}

void (*pauseBeforeRename)() = nullptr;

// A renamed file survives a power cut only once its folder's entry is on the disk too.
void SyncFolderOf(const std::string& target) {
    std::string folder = std::filesystem::path(target).parent_path().string();
    if (folder.empty()) {
        folder = ".";
    }
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor >= 0) {
        ::fsync(descriptor);
        ::close(descriptor);
    }
}

}  // namespace

void RemoveUnfinishedFilesForGood() {
    UnfinishedFiles& files = Unfinished();
    files.lock.lock();  // never unlocked: the program is ending
    for (const std::string& path : files.paths) {
        ::unlink(path.c_str());
    }
    files.paths.clear();
}

void SetPauseBeforeRenameForTests(void (*pause)()) {
    pauseBeforeRename = pause;
}

AtomicFileWriter::AtomicFileWriter(std::string path) : target_(ResolveLinks(path)) {
    std::string pattern = TemporaryPattern(target_);
    {
        const std::lock_guard held(Unfinished().lock);
        descriptor_ = ::mkostemp(pattern.data(), O_CLOEXEC);
        if (descriptor_ < 0) {
            systemError_ = errno;
            return;
        }
        Unfinished().paths.insert(pattern);
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
        const std::lock_guard held(Unfinished().lock);
        ::unlink(temporary_.c_str());
        Unfinished().paths.erase(temporary_);
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
    if (ok_ && pauseBeforeRename != nullptr) {
        pauseBeforeRename();
    }
    {
        const std::lock_guard held(Unfinished().lock);
        ok_ = ok_ && ::rename(temporary_.c_str(), target_.c_str()) == 0;
        NoteFailure();
        committed_ = ok_;
        if (committed_) {
            Unfinished().paths.erase(temporary_);
        }
    }
    if (committed_) {
        SyncFolderOf(target_);
    }
    return ok_;
}

}  // namespace marvolin::platform
