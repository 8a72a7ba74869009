#include "app/startup.h"

#include <cstdint>
#include <ctime>

#include "effects/random_generator.h"
#include "formats/wav.h"
#include "platform/paths.h"

namespace marvolin::app {

Position CenteredPosition(const platform::Rect& desktop, int width, int height) {
    const int x = ((desktop.right - desktop.left) - width) / 2;
    const int y = ((desktop.bottom - desktop.top) - height) / 2;
    return {desktop.left + static_cast<std::int16_t>(x),
            desktop.top + static_cast<std::int16_t>(y)};
}

void StartUp(MainWindowState& state, platform::Platform& platform, const ProgramFiles& files) {
    state.settings = ReadSettings(files.settingsFile);

    const Position position =
        CenteredPosition(platform.window.DesktopRect(), kWindowWidth, kWindowHeight);
    platform.window.Place(position.x, position.y, kWindowWidth, kWindowHeight);

    effects::SeedRandom(static_cast<std::uint32_t>(std::time(nullptr)));

    platform.window.Invalidate({0, 0, kWindowWidth, kWindowHeight});

    state.hotspots = MakeHotspotTable();
    state.categoryLabels = MakeCategoryLabelTable();
    state.category = kRobots;

    state.currentPath = platform::JoinPath(files.dataFolder, "waves/welcome.wav");
    formats::FileHost host{platform.messageBoxes, platform.cursor};
    formats::LoadWav(host, state.sound, state.currentPath);

    state.undo = formats::SoundBuffer{};
    state.initialized = true;
}

}  // namespace marvolin::app
