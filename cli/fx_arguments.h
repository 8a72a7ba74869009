#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "formats/ffmpeg_encoder.h"

namespace marvolin::cli {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;  // a file could not be read or written, an effect failed
inline constexpr int kExitUsage = 2;

enum class FxAction { Run, List, Help, Version, UsageError };

// What to do with an output file that exists already.
enum class ExistingOutput { Replace, Keep };

// What the command line asks for.
struct FxArguments {
    FxAction action = FxAction::Run;
    std::string problem;              // what is wrong with the command line, for UsageError
    std::optional<int> readerFilter;  // --reader as a formats::LoadSoundFile filter index;
                                      // none: the input's content tells its type
    std::optional<std::uint32_t> seed;
    bool quiet = false;
    bool json = false;                // --list --json
    std::vector<std::string> inputs;  // "-" is standard input
    std::string output;               // -o or the old form's second file; "-" is standard output
    std::optional<std::string> outputFolder;        // -d
    std::optional<formats::SaveFormat> forcedType;  // -t
    unsigned jobs = 0;                              // -j; 0: one per core
    ExistingOutput existing = ExistingOutput::Replace;
    std::vector<std::string> effects;  // "Category/Name", in the order they run; not checked here
};

// Reads the arguments after the program name.
FxArguments ParseArguments(std::span<const std::string_view> arguments);

std::string_view UsageText();
std::string_view HelpText();
std::string_view VersionText();

}  // namespace marvolin::cli
