#pragma once

#include <string>

#include "formats/byte_source.h"
#include "formats/file_result.h"

namespace marvolin::formats {

// Reads the Creative VOC file at `path` (or already open), or says why it cannot.
LoadResult LoadVoc(const std::string& path);
LoadResult LoadVocFrom(ByteSource& file);

}  // namespace marvolin::formats
