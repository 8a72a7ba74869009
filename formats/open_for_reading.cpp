#include "formats/open_for_reading.h"

#include <sys/stat.h>

#include <cerrno>

namespace marvolin::formats {

std::unique_ptr<FileByteSource> OpenForReading(const std::string& path, int& error) {
    errno = 0;
    std::unique_ptr<FileByteSource> file = FileByteSource::Open(path);
    error = 0;
    if (!file) {
        error = errno;
        // The open itself worked but the path names no regular file.
        struct stat status {};
        if (error == 0 && ::stat(path.c_str(), &status) == 0) {
            error = S_ISDIR(status.st_mode) ? EISDIR : ENODEV;
        }
        if (error == 0) {
            error = EIO;
        }
    }
    return file;
}

}  // namespace marvolin::formats
