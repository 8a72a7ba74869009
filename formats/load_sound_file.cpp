#include "formats/load_sound_file.h"

#include "formats/file_messages.h"
#include "formats/wav.h"

namespace marvolin::formats {

void LoadSoundFile(FileHost& host, SoundBuffer& sound, const std::string& path, int filterIndex) {
    switch (filterIndex) {
        case 1:
            LoadWav(host, sound, path);
            return;
        default:
            // The other readers are not part of the program yet.
            ShowFileError(host, "This file format is not supported yet !",
                          platform::MessageIcon::Warning);
            return;
    }
}

}  // namespace marvolin::formats
