#pragma once

#include <string>

#include "formats/byte_source.h"
#include "formats/file_host.h"
#include "formats/sound_buffer.h"

namespace marvolin::formats {

// Reads the RIFF/WAVE file at `path` into the sound buffer, or shows why it cannot.
void LoadWav(FileHost& host, SoundBuffer& sound, const std::string& path);
void LoadWavFrom(FileHost& host, SoundBuffer& sound, ByteSource& file);

// Writes the sound as a 16-bit mono PCM WAV file with its INFO list. `path` gets ".wav"
// appended first when it holds no dot at all. The file is replaced only once the new one is
// complete.
void SaveWav(FileHost& host, const SoundBuffer& sound, std::string& path);

}  // namespace marvolin::formats
