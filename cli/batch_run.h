#pragma once

#include <string>
#include <vector>

#include "cli/file_job.h"
#include "cli/output_naming.h"

namespace marvolin::cli {

struct PlannedFile {
    std::string input;
    OutputTarget target;
};

// Processes the files `workers` at a time (while as many more are written to the disk), in
// worker processes that each take the next file not yet taken until none is left. A process starts
// every file afresh (random generator included), so each result is exactly what a run for that file
// alone gives. With `progressLine` one line on standard error shows how many files are done and the
// file last started. A stop signal is passed on to the workers, which remove their unfinished
// files, and then ends the program. True when no file failed.
bool RunBatch(const std::vector<PlannedFile>& files, const JobSettings& settings, unsigned workers,
              bool progressLine);

}  // namespace marvolin::cli
