#pragma once

#include <string>

#include "formats/byte_source.h"
#include "formats/file_host.h"
#include "formats/sound_buffer.h"

namespace marvolin::formats {

// Reads the AU or SND file at `path` into the sound buffer, or shows why it cannot; a refused file
// leaves the sound as it was.
void LoadAu(FileHost& host, SoundBuffer& sound, const std::string& path);
void LoadAuFrom(FileHost& host, SoundBuffer& sound, ByteSource& file);

}  // namespace marvolin::formats
