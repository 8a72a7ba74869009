#pragma once

#include <functional>

#include "formats/file_result.h"
#include "formats/sound_buffer.h"
#include "platform/platform.h"

namespace marvolin::app {

// Tells the user why a file could not be read or written; nothing for Ok.
void ShowFileProblem(platform::MessageBoxes& messageBoxes, formats::FileStatus status);

// Runs `load` under the wait cursor, puts its outcome into `sound` and then says what went
// wrong, if anything.
void LoadIntoCurrentSound(formats::SoundBuffer& sound, platform::Platform& platform,
                          const std::function<formats::LoadResult()>& load);

}  // namespace marvolin::app
