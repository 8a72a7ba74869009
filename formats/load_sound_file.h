#pragma once

#include <string>

#include "formats/file_result.h"

namespace marvolin::formats {

// Reads `path` with the reader of the Open dialog's filter entry `filterIndex`; the file's
// name and contents play no part in the choice.
LoadResult LoadSoundFile(const std::string& path, int filterIndex);

}  // namespace marvolin::formats
