// Feeds arbitrary text to the settings-file parser, which reads a file the user can edit by
// hand: reading never fails, integers parse without overflow traps, and writing one key
// keeps that key readable back while every line that was not written stays.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/profile_file.h"

namespace {

std::size_t CountOccurrences(std::string_view text, std::string_view piece) {
    std::size_t count = 0;
    for (std::size_t at = text.find(piece); at != std::string_view::npos;
         at = text.find(piece, at + 1)) {
        ++count;
    }
    return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using marvolin::platform::ProfileFile;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    ProfileFile profile = ProfileFile::FromText(text);

    static_cast<void>(profile.GetInt("Marvolin", "Sampling Frequency", 3));
    static_cast<void>(profile.GetString("Marvolin", "Default .WAV directory"));
    static_cast<void>(marvolin::platform::ParseProfileInteger(text));

    // A value with nothing to trim and no line break reads back exactly as written.
    constexpr std::string_view kValue = "fuzzed-value-7";
    profile.SetString("Marvolin", "Audio Output", kValue);
    const std::string written = profile.Text();
    const ProfileFile reread = ProfileFile::FromText(written);
    const auto value = reread.GetString("Marvolin", "Audio Output");
    bool held = value && *value == kValue;
    // Writing one key adds or replaces at most that key's line, its section's header and the
    // blank line and line ending before them.
    held = held && CountOccurrences(written, "\n") <= CountOccurrences(text, "\n") + 4;
    if (!held) {
        std::abort();
    }
    return 0;
}
