#pragma once

#include <string>

#include "formats/byte_source.h"
#include "formats/file_result.h"

namespace marvolin::formats {

// Reads the AU or SND file at `path` (or already open), or says why it cannot.
LoadResult LoadAu(const std::string& path);
LoadResult LoadAuFrom(ByteSource& file);

}  // namespace marvolin::formats
