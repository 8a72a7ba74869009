#pragma once

#include <string>

namespace marvolin::cli {

// Copies everything on standard input into a new file at `path`. 0, or the errno that stopped
// the copy.
int CopyStandardInputTo(const std::string& path);

// Copies the file at `path` to standard output. 0, or the errno that stopped the copy (EPIPE
// when the reader has gone).
int CopyToStandardOutput(const std::string& path);

}  // namespace marvolin::cli
