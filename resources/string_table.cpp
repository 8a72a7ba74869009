#include "resources/string_table.h"

namespace marvolin::resources {

std::string_view LoadString(int id) {
    switch (id) {
        case 1:
            return "Microsoft .WAV|*.wav|Audio Interchange File Format .AIFF|*.aif|Sun and Next "
                   ".AU|*.au|Amiga 8SVX .IFF|*.iff|Others .SND|*.snd|Creative Labs .VOC|*.voc|";
        case 2:
            return "Sound File .WAV|*.wav|";
        case 3:
            return "Open a .WAV file...";
        case 4:
            return "Save a .WAV file...";
        case 5:
            return "Record a sound...";
        case 6:
            return "Play sound...";
        case 7:
            return "Undo the last effect...";
        case 8:
            return "Marvolin settings...";
        case 9:
            return "Exit Marvolin...";
        case 10:
            return "Choice of the effect's category";
        case 11:
            return "Select effect number 1...";
        case 12:
            return "Select effect number 2...";
        case 13:
            return "Select effect number 3...";
        case 14:
            return "Select effect number 4...";
        case 15:
            return "Select effect number 5...";
        case 16:
            return "About Brendale...";
        case 100:
            return ".\\waves\\welcome.wav";
        default:
            return {};
    }
}

}  // namespace marvolin::resources
