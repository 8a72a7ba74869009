#include "formats/load_sound_file.h"

#include "formats/aiff.h"
#include "formats/au.h"
#include "formats/svx.h"
#include "formats/voc.h"
#include "formats/wav.h"

namespace marvolin::formats {

LoadResult LoadSoundFile(const std::string& path, int filterIndex) {
    switch (filterIndex) {
        case 2:
            return LoadAiff(path);
        case 3:
        case 5:  // "Others .SND" is read exactly like an AU file
            return LoadAu(path);
        case 4:
            return Load8svx(path);
        case 6:
            return LoadVoc(path);
        default:
            return LoadWav(path);
    }
}

}  // namespace marvolin::formats
