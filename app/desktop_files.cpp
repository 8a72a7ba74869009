#include "app/desktop_files.h"

#include "app/commands.h"
#include "app/drawing.h"
#include "app/file_loading.h"
#include "formats/load_sound_file.h"
#include "formats/sound_type.h"

namespace marvolin::app {
namespace {

// The Open dialog's entries that name each of the program's own readers.
int FilterIndexOf(formats::SoundType type) {
    using formats::SoundType;
    switch (type) {
        case SoundType::Wav:
            return 1;
        case SoundType::Aiff:
            return 2;
        case SoundType::Au:
            return 3;
        case SoundType::Svx8:
            return 4;
        case SoundType::Voc:
            return 6;
        case SoundType::Other:
            break;
    }
    return 1;
}

}  // namespace

formats::LoadResult LoadFileByContent(const std::string& path) {
    return formats::LoadByContent(path, [](formats::SoundType type, const std::string& file) {
        return formats::LoadSoundFile(file, FilterIndexOf(type));
    });
}

bool OpenDroppedFile(MainWindowState& state, platform::Platform& platform,
                     const std::string& path) {
    if (state.playing() || state.recording() || path.empty()) {
        return false;
    }
    bool loaded = false;
    LoadIntoCurrentSound(state.sound, platform, [&] {
        formats::LoadResult result = LoadFileByContent(path);
        loaded = result.ok();
        return result;
    });
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
