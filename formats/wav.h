#pragma once

#include <string>

#include "formats/byte_source.h"
#include "formats/file_result.h"

namespace marvolin::formats {

// Reads the RIFF/WAVE file at `path` (or already open), or says why it cannot.
LoadResult LoadWav(const std::string& path);
LoadResult LoadWavFrom(ByteSource& file);

// Writes the sound as a 16-bit mono PCM WAV file with its INFO list. `path` gets ".wav"
// appended first when its file name (the last component) holds no dot; the result names the path
// written. The file is replaced only once the new one is complete.
SaveResult SaveWav(const SoundBuffer& sound, std::string path);

}  // namespace marvolin::formats
