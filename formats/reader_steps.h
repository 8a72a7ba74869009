#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "formats/byte_source.h"
#include "formats/file_host.h"
#include "formats/sound_buffer.h"

namespace marvolin::formats {

// Steps every reader shares.

using SoundLoader = void (*)(FileHost&, SoundBuffer&, ByteSource&);

// What a reader makes of a file's sample format.
enum class EncodingAnswer { Supported, Unsupported, Damaged };

// Shows the message a refused format calls for; true when the file can be read.
bool AcceptEncoding(FileHost& host, EncodingAnswer answer);

// Opens `path` and hands it to `load`, or shows that the file cannot be opened.
void LoadFromPath(FileHost& host, SoundBuffer& sound, const std::string& path, SoundLoader load);

// Releases the previous sound and returns a zeroed block of `count` samples (at most the
// sound buffer's 32-bit count). When the memory cannot be had, the sound is left with no
// block at 44100 Hz, "Not enough memory !" is shown and nullopt is returned.
std::optional<std::vector<std::int16_t>> TakeSampleBlock(FileHost& host, SoundBuffer& sound,
                                                         std::uint64_t count);

}  // namespace marvolin::formats
