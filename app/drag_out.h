#pragma once

#include <optional>
#include <string>

#include "formats/sound_buffer.h"

namespace marvolin::app {

// A private folder for the files that drags hand to other programs. It is made on first use
// (mode 0700 under $TMPDIR or /tmp) and removed with everything in it when the object goes.
class DragOutFolder {
  public:
    DragOutFolder() = default;
    ~DragOutFolder();
    DragOutFolder(const DragOutFolder&) = delete;
    DragOutFolder& operator=(const DragOutFolder&) = delete;

    // The folder's path, made now if needed; empty when it cannot be made.
    const std::string& Path();

    // Writes `sound` as a WAV file named after `soundPath` ("voice.aiff" gives "voice.wav",
    // nothing gives "Marvolin.wav") and gives the written file's path; nothing for an empty
    // sound or a failed write.
    std::optional<std::string> WriteSound(const formats::SoundBuffer& sound,
                                          const std::string& soundPath);

  private:
    std::string path_;
};

// The file name a dragged sound gets: `soundPath`'s last part with ".wav" for its extension.
std::string DragFileName(const std::string& soundPath);

}  // namespace marvolin::app
