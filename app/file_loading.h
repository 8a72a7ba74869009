#pragma once

#include <functional>
#include <optional>

#include "formats/file_result.h"
#include "formats/sound_buffer.h"
#include "platform/platform.h"
#include "resources/message_table.h"

namespace marvolin::app {

// Which message tells the user how a load or save ended.
using FileMessageChoice = std::optional<resources::MessageId> (*)(formats::FileStatus);

// Tells the user why a file could not be read or written; nothing for Ok.
void ShowFileProblem(platform::MessageBoxes& messageBoxes, formats::FileStatus status,
                     FileMessageChoice messageFor = &resources::ForFileStatus);

// Runs `load` under the wait cursor, puts its outcome into `sound` and then says what went
// wrong, if anything.
void LoadIntoCurrentSound(formats::SoundBuffer& sound, platform::Platform& platform,
                          const std::function<formats::LoadResult()>& load,
                          FileMessageChoice messageFor = &resources::ForFileStatus);

}  // namespace marvolin::app
