#pragma once

#include <cstdint>

#include "app/main_window_state.h"
#include "platform/platform.h"
#include "screen/screen.h"

namespace marvolin::app {

// The drawing services for the window's own pixels.
screen::ScreenHost ScreenHostOf(platform::Platform& platform);

// Draws `bitmap` over hotspot `index`: the whole rectangle for buttons, the 17 x 17 lamp
// for the effect buttons.
void DrawHotspotBitmap(MainWindowState& state, platform::Platform& platform, std::uint16_t index,
                       std::uint16_t bitmap);

// Draws the label of the current category on the raised or the pressed category button.
void DrawCategoryLabel(MainWindowState& state, platform::Platform& platform, bool pressed);

// Draws over the Play button, for playback's Play/Stop looks.
audio::DrawPlayButton PlayButtonPainter(MainWindowState& state, platform::Platform& platform);
// Draws over the Record button, for the red Stop while recording.
audio::DrawRecordButton RecordButtonPainter(MainWindowState& state, platform::Platform& platform);

// Redraws the waveform view from the current sound.
void RedrawWaveform(MainWindowState& state, platform::Platform& platform);

}  // namespace marvolin::app
