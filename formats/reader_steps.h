#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "formats/byte_source.h"
#include "formats/file_result.h"

namespace marvolin::formats {

// Steps every reader shares.

using SoundLoader = LoadResult (*)(ByteSource&);

// No real recording is made at more than this many samples a second; a file that says so is
// taken as damaged rather than played at a rate no device or effect can use.
inline constexpr std::uint32_t kHighestSampleRate = 768000;

constexpr bool IsPlausibleRate(std::uint64_t rate) {
    return rate != 0 && rate <= kHighestSampleRate;
}

// What a reader makes of a file's sample format.
enum class EncodingAnswer { Supported, Unsupported, Damaged };

// The status a refused encoding gives (Ok for a supported one).
FileStatus StatusOf(EncodingAnswer answer);

// A load that ends with `status` and no sound.
LoadResult Refused(FileStatus status);

// Opens `path` and hands it to `load`; CannotOpen with the system's error when it cannot be
// opened.
LoadResult LoadFromPath(const std::string& path, SoundLoader load);

// A zeroed block of `count` samples (at most the sound buffer's 32-bit count), or nullopt when
// the memory cannot be had.
std::optional<std::vector<std::int16_t>> TakeSampleBlock(std::uint64_t count);

// The end of a load whose block could not be had: the file's channel count goes with it, as
// the current sound keeps it.
LoadResult OutOfMemory(const SoundBuffer& described);

}  // namespace marvolin::formats
