#pragma once

#include <cstdint>

#include "app/main_window_state.h"
#include "platform/platform.h"

namespace marvolin::app {

// The Record button: starts a recording, or stops the one running. Ignored while a sound
// plays. After a stop the Record face comes back and "RECORDING" goes; the silence around
// the voice may be cut, and the sound may be played.
void RecordCommand(MainWindowState& state, platform::Platform& platform);

// The input device hands back buffer `bufferId`: a full buffer, or one the sound system gave
// back early, ends the recording without a question and without playing it; the Record face
// comes back, "RECORDING" goes, and a full buffer leaves a note in the help area. The
// waveform view is redrawn in any case.
void RecordBufferReturned(MainWindowState& state, platform::Platform& platform,
                          std::uint32_t bufferId);

// A tick of the blink timer: "RECORDING" alternates between black on red and black on black.
void BlinkRecordingWord(MainWindowState& state, platform::Platform& platform);

}  // namespace marvolin::app
