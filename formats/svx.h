#pragma once

#include <string>

#include "formats/byte_source.h"
#include "formats/file_result.h"

namespace marvolin::formats {

// Reads the IFF 8SVX file at `path` (or already open), or says why it cannot.
LoadResult Load8svx(const std::string& path);
LoadResult Load8svxFrom(ByteSource& file);

}  // namespace marvolin::formats
