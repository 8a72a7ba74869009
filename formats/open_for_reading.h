#pragma once

#include <memory>
#include <string>

#include "formats/byte_source.h"

namespace marvolin::formats {

// Opens a sound file for reading; on failure nullptr, with `error` the errno of the failed
// open (EISDIR for a folder, ENODEV for a device or pipe, which are never read).
std::unique_ptr<FileByteSource> OpenForReading(const std::string& path, int& error);

}  // namespace marvolin::formats
