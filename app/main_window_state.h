#pragma once

#include <cstdint>
#include <string>

#include "app/settings.h"
#include "app/tables.h"
#include "audio/playback.h"
#include "audio/recording.h"
#include "effects/effect_context.h"
#include "formats/sound_buffer.h"
#include "screen/screen.h"

namespace marvolin::app {

// Everything that lives longer than one message: the program's one global record.
struct MainWindowState {
    Settings settings;
    HotspotTable hotspots{};
    CategoryLabelTable categoryLabels{};
    std::uint16_t category = kRobots;
    std::uint16_t hoverHotspot = NO_HOTSPOT;
    bool helpShown = false;
    std::uint16_t pressedHotspot = NO_HOTSPOT;
    std::uint16_t clickedEffectButton = kFirstEffectHotspot;
    audio::Playback playback;  // holds the `playing` flag
    audio::Recorder recorder;  // holds the `recording` flag and the blink
    std::string currentPath;
    formats::SoundBuffer sound;
    formats::SoundBuffer undo;  // the sound as it was before the last effect
    effects::RoutineMemory routineMemory;
    screen::Screen screen;
    bool initialized = false;
    // The stored device names already reported as gone, so that it is said once.
    std::string reportedGoneOutput;
    std::string reportedGoneInput;

    bool playing() const { return playback.playing != 0; }
    bool recording() const { return recorder.recording != 0; }
};

}  // namespace marvolin::app
