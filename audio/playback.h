#pragma once

#include <cstdint>
#include <functional>

#include "formats/sound_buffer.h"
#include "platform/platform.h"

namespace marvolin::audio {

// Playback of the whole sound buffer on the output device, in one piece, without a copy.
struct Playback {
    std::int32_t playing = 0;
    std::uint32_t bufferId = 0;  // the device's id of the buffer being played
};

// Draws a bitmap over the Play button (171: red Stop while playing, 111: Play).
using DrawPlayButton = std::function<void(std::uint16_t bitmap)>;

enum class FailureReport { Message, Silent };

// Plays `sound` on output device `deviceNumber`; nothing without a block. A device that
// stays busy is retried for about two seconds; a device that cannot be opened leaves the
// playback idle and, with FailureReport::Message, shows "Unable to open sound driver !".
void StartPlayback(Playback& playback, platform::Platform& platform,
                   const formats::SoundBuffer& sound, int deviceNumber,
                   const DrawPlayButton& draw, FailureReport report = FailureReport::Message);
// Ends a running playback at once.
void StopPlayback(Playback& playback, platform::Platform& platform, const DrawPlayButton& draw);
// The device's done notification. One about an earlier buffer, or arriving after a stop,
// changes nothing.
void FinishPlayback(Playback& playback, platform::Platform& platform, std::uint32_t bufferId,
                    const DrawPlayButton& draw);

}  // namespace marvolin::audio
