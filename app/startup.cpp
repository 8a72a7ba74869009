#include "app/startup.h"

#include <cstdint>

#include "app/desktop_files.h"
#include "app/device_choice.h"
#include "app/drawing.h"
#include "app/file_loading.h"
#include "effects/random_generator.h"
#include "formats/wav.h"
#include "platform/paths.h"
#include "resources/message_table.h"

namespace marvolin::app {

Position CenteredPosition(const platform::Rect& desktop, int width, int height) {
    const int x = ((desktop.right - desktop.left) - width) / 2;
    const int y = ((desktop.bottom - desktop.top) - height) / 2;
    return {desktop.left + static_cast<std::int16_t>(x),
            desktop.top + static_cast<std::int16_t>(y)};
}

void StartUp(MainWindowState& state, platform::Platform& platform, const ProgramFiles& files) {
    state.settings = ReadSettings(files.settingsFile);

    const Position position = CenteredPosition(platform.window.DesktopRect(), screen::kWindowWidth,
                                               screen::kWindowHeight);
    platform.window.Place(position.x, position.y, screen::kWindowWidth, screen::kWindowHeight);

    effects::SeedRandomFromClock();

    const std::string picture = platform::JoinPath(files.dataFolder, "marvolin.bmp");
    if (!screen::ReadBackgroundPicture(state.screen, platform.messageBoxes, picture)) {
        resources::ShowMessage(platform.messageBoxes, resources::MessageId::CannotReadPicture);
        platform.window.Close();
        return;
    }
    platform.window.Invalidate({0, 0, screen::kWindowWidth, screen::kWindowHeight});

    state.hotspots = MakeHotspotTable();
    state.categoryLabels = MakeCategoryLabelTable();
    state.category = kRobots;

    state.undo = formats::SoundBuffer{};
    if (!files.startupFile.empty()) {
        // A file named on the command line opens as if dropped on the window; should it fail,
        // the window starts without a sound.
        state.initialized = true;
        if (!OpenDroppedFile(state, platform, files.startupFile)) {
            ShowTitle(state, platform);
        }
        return;
    }

    state.currentPath = platform::JoinPath(files.dataFolder, "waves/welcome.wav");
    LoadIntoCurrentSound(state.sound, platform,
                         [&] { return formats::LoadWav(state.currentPath); });

    // The welcome sound plays whatever the settings say; without a device it stays silent.
    audio::StartPlayback(state.playback, platform, state.sound, OutputDeviceNumber(state, platform),
                         PlayButtonPainter(state, platform), audio::FailureReport::Silent);

    state.initialized = true;
}

}  // namespace marvolin::app
