#include "cli/standard_streams.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>

namespace marvolin::cli {
namespace {

// Copies `from` to `to` until the end of `from`; 0 or the errno of the failed step.
int Copy(int from, int to) {
    std::array<char, 1 << 16> buffer{};
    for (;;) {
        const ssize_t got = ::read(from, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return errno;
        }
        if (got == 0) {
            return 0;
        }
        for (ssize_t done = 0; done < got;) {
            const ssize_t put = ::write(to, buffer.data() + done, static_cast<size_t>(got - done));
            if (put < 0 && errno == EINTR) {
                continue;
            }
            if (put <= 0) {
                return put == 0 ? ENOSPC : errno;
            }
            done += put;
        }
    }
}

}  // namespace

int CopyStandardInputTo(const std::string& path) {
    const int file = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (file < 0) {
        return errno;
    }
    int error = Copy(STDIN_FILENO, file);
    if (::close(file) != 0 && error == 0) {
        error = errno;
    }
    return error;
}

int CopyToStandardOutput(const std::string& path) {
    const int file = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0) {
        return errno;
    }
    const int error = Copy(file, STDOUT_FILENO);
    ::close(file);
    return error;
}

}  // namespace marvolin::cli
