#include "app/open_file.h"

#include "app/commands.h"
#include "app/drawing.h"
#include "app/file_loading.h"
#include "app/sound_file_entries.h"

namespace marvolin::app {

bool OpenFileByContent(MainWindowState& state, platform::Platform& platform,
                       const std::string& path) {
    return OpenFileWithEntry(state, platform, path, 1);
}

bool OpenFileWithEntry(MainWindowState& state, platform::Platform& platform,
                       const std::string& path, int filterIndex) {
    // The sound's block is in use by the device while it plays or records.
    if (state.playing() || state.recording()) {
        return false;
    }
    state.currentPath = path;
    const bool byContent = filterIndex <= 1;
    LoadIntoCurrentSound(
        state.sound, platform, [&] { return LoadWithOpenEntry(path, filterIndex); },
        byContent ? &resources::ForContentLoadStatus : &resources::ForFileStatus);
    RedrawWaveform(state, platform);
    if (state.settings.playAfterLoading) {
        PlayAgain(state, platform);
    }
    return true;
}

}  // namespace marvolin::app
