#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "cli/fx_arguments.h"
#include "cli/output_naming.h"
#include "effects/effect_matrix.h"

namespace marvolin::cli {

// How every file of a run is treated.
struct JobSettings {
    std::optional<int> readerFilter;  // none: by content
    std::optional<std::uint32_t> seed;
    std::vector<effects::EffectEntry> effects;
    ExistingOutput existing = ExistingOutput::Replace;
    bool effectBar = false;         // a progress bar per effect on standard error
    bool overProgressLine = false;  // messages first wipe the batch's progress line
    // Called once the sound is ready, before it is written and synced to the disk.
    std::function<void()> beforeSave;
};

enum class JobOutcome { Written, Skipped, Failed };

// Reads `input` ("-": standard input), applies the effects in order as clicks on their
// buttons would, and writes the target only when all of that succeeded. Problems are printed
// on standard error with the file's name and the reason.
JobOutcome ProcessFile(const std::string& input, const OutputTarget& target,
                       const JobSettings& settings);

}  // namespace marvolin::cli
