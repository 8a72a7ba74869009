#pragma once

#include <cstdint>
#include <string>

#include "app/settings.h"
#include "app/tables.h"
#include "formats/sound_buffer.h"

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
    std::int32_t playing = 0;
    std::int32_t recording = 0;
    std::int32_t blinkOn = 1;
    std::string currentPath;
    formats::SoundBuffer sound;
    formats::SoundBuffer undo;  // the sound as it was before the last effect
    bool initialized = false;
};

}  // namespace marvolin::app
