#include "app/desktop_files.h"

#include "app/commands.h"
#include "app/drawing.h"
#include "app/file_loading.h"
#include "app/sound_file_entries.h"

namespace marvolin::app {

formats::LoadResult LoadFileByContent(const std::string& path) {
    return LoadWithOpenEntry(path, 1);
}

bool OpenDroppedFile(MainWindowState& state, platform::Platform& platform,
                     const std::string& path) {
    if (state.playing() || state.recording() || path.empty()) {
        return false;
    }
    bool loaded = false;
    LoadIntoCurrentSound(
        state.sound, platform,
        [&] {
            formats::LoadResult result = LoadFileByContent(path);
            loaded = result.ok();
            return result;
        },
        &resources::ForContentLoadStatus);
    if (loaded) {
        state.currentPath = path;
        ShowTitle(state, platform);
    }
    RedrawWaveform(state, platform);
    if (state.settings.playAfterLoading) {
        PlayAgain(state, platform);
    }
    return loaded;
}

std::string WindowTitleFor(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return name.empty() ? std::string("Marvolin") : name + " - Marvolin";
}

void ShowTitle(MainWindowState& state, platform::Platform& platform) {
    platform.window.SetTitle(WindowTitleFor(state.currentPath));
}

}  // namespace marvolin::app
