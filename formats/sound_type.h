#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "formats/file_result.h"

namespace marvolin::formats {

// The file types the program reads itself, told apart by their first bytes.
enum class SoundType : std::uint8_t { Wav, Aiff, Au, Svx8, Voc, Other };

// How many first bytes DetectSoundType looks at.
inline constexpr std::size_t kSoundTypeBytes = 20;

// RIFF....WAVE, FORM....AIFF or AIFC, ".snd", FORM....8SVX, "Creative Voice File\x1A";
// anything else (RIFX and RF64 WAV too) is Other. Fewer bytes than a magic needs never match.
SoundType DetectSoundType(std::span<const std::uint8_t> firstBytes);

// The Open dialog's first entry, which finds the type from the content.
inline constexpr std::string_view kAllSoundFilesEntry = "All sound files";
// Every extension the program opens as "*.wav;*.WAV;..." patterns, lower and upper case.
std::string AllSoundFilePatterns();

// The program's own reader for one of its types.
using OwnReader = std::function<LoadResult(SoundType, const std::string& path)>;

// Reads `path` by its content: the program's own reader for its types, FFmpeg's decoder for
// Other and for files the own reader refuses as an unsupported encoding (ADPCM or G.711 WAV,
// float AIFF-C). If FFmpeg cannot read those either, the own reader's refusal stands.
LoadResult LoadByContent(const std::string& path, const OwnReader& ownReader);

}  // namespace marvolin::formats
