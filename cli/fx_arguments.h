#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace marvolin::cli {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;  // a file could not be read or written, an effect failed
inline constexpr int kExitUsage = 2;

enum class FxAction { Run, List, Help, UsageError };

// What the command line asks for.
struct FxArguments {
    FxAction action = FxAction::Run;
    std::string problem;   // what is wrong with the command line, for UsageError
    int readerFilter = 0;  // the formats::LoadSoundFile filter index for INPUT
    std::optional<std::uint32_t> seed;
    bool quiet = false;
    std::string input;
    std::string output;
    std::vector<std::string> effects;  // "Category/Name", in the order they run; not checked here
};

// Reads the arguments after the program name.
FxArguments ParseArguments(std::span<const std::string_view> arguments);

std::string_view UsageText();
std::string_view HelpText();

}  // namespace marvolin::cli
