#pragma once

#include <cstdint>
#include <string>

#include "formats/byte_source.h"
#include "formats/file_result.h"

namespace marvolin::formats {

// The longest sound a decode may give: the program's longest sound. A longer file is refused
// as not fitting in memory before it can take gigabytes, whatever a small compressed file
// expands to.
inline constexpr std::uint32_t kLongestDecodedSound = kLongestSound;
// The highest rate accepted; a stream declaring more is taken as damaged.
inline constexpr std::uint32_t kHighestDecodedRate = 768000;

struct DecodeLimits {
    std::uint32_t maxSamples = kLongestDecodedSound;
};

// Decodes the first audio stream of any file FFmpeg's libraries open (M4A/AAC, Opus, Vorbis,
// MP3, FLAC, WebM, 3GP/AMR, the WAV and AIFF variants) into 16-bit mono at the file's own
// rate. Several channels are mixed down to their mean, rounded to the nearest value (ties to
// even), so the mix never clips; wider and float samples are scaled to 16 bits the same way.
// Packets the decoder rejects are skipped; a file that breaks off keeps what decoded before.
LoadResult LoadWithFfmpeg(const std::string& path, DecodeLimits limits = {});
LoadResult LoadWithFfmpegFrom(ByteSource& file, DecodeLimits limits = {});

}  // namespace marvolin::formats
