#pragma once

#include <chrono>
#include <cstdint>
#include <functional>

#include "formats/sound_buffer.h"
#include "platform/platform.h"
#include "resources/panel_layout.h"

namespace marvolin::audio {

// Playback of the whole sound buffer on the output device, in one piece, without a copy.
struct Playback {
    std::int32_t playing = 0;
    std::uint32_t bufferId = 0;  // the device's id of the buffer being played
};

// Draws a bitmap over the Play button (171: red Stop while playing, 111: Play).
using DrawPlayButton = std::function<void(std::uint16_t bitmap)>;

enum class FailureReport { Message, Silent };

// How long a device held by another program is asked again before playback gives up.
struct BusyDeviceRetry {
    std::chrono::milliseconds period{2000};
    std::chrono::milliseconds pause{50};  // between two attempts
};

using resources::kPlayBitmap;
using resources::kStopBitmap;
using resources::kStopPressedBitmap;

// Plays `sound` on output device `deviceNumber`; nothing without a block. The device reads
// the sound's own samples, so they must not change until the playback has ended. A device
// that stays busy is retried for `retry.period`; a device that cannot be opened, prepared or
// written leaves the playback idle with nothing open and, with FailureReport::Message, shows
// "Unable to open sound driver !". A playback still running is stopped first.
void StartPlayback(Playback& playback, platform::Platform& platform,
                   const formats::SoundBuffer& sound, int deviceNumber, const DrawPlayButton& draw,
                   FailureReport report = FailureReport::Message,
                   const BusyDeviceRetry& retry = {});
// Ends a running playback at once; nothing when idle. The device still returns the buffer
// with a (late) done notification, which FinishPlayback then ignores.
void StopPlayback(Playback& playback, platform::Platform& platform, const DrawPlayButton& draw);
// The device's done notification. One about an earlier buffer, or arriving after a stop,
// changes nothing.
void FinishPlayback(Playback& playback, platform::Platform& platform, std::uint32_t bufferId,
                    const DrawPlayButton& draw);

}  // namespace marvolin::audio
