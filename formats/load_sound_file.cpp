#include "formats/load_sound_file.h"

#include "formats/aiff.h"
#include "formats/au.h"
#include "formats/svx.h"
#include "formats/voc.h"
#include "formats/wav.h"

namespace marvolin::formats {

void LoadSoundFile(FileHost& host, SoundBuffer& sound, const std::string& path, int filterIndex) {
    switch (filterIndex) {
        case 2:
            LoadAiff(host, sound, path);
            return;
        case 3:
        case 5:  // "Others .SND" is read exactly like an AU file
            LoadAu(host, sound, path);
            return;
        case 4:
            Load8svx(host, sound, path);
            return;
        case 6:
            LoadVoc(host, sound, path);
            return;
        default:
            LoadWav(host, sound, path);
            return;
    }
}

}  // namespace marvolin::formats
