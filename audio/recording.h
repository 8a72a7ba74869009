#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "formats/sound_buffer.h"
#include "platform/platform.h"
#include "resources/panel_layout.h"

namespace marvolin::audio {

// Recording from the input device straight into the sound buffer's own block.
struct Recorder {
    std::int32_t recording = 0;
    std::int32_t blinkOn = 1;    // the next blink shows "RECORDING" on red
    int timerId = 0;             // of the blink timer, while recording
    std::uint32_t bufferId = 0;  // the device's id of the buffer being filled
};

// Draws a bitmap over the Record button (173: red Stop while recording).
using DrawRecordButton = std::function<void(std::uint16_t bitmap)>;

using resources::kStopRecordingBitmap;
// The Record button's own face, drawn back when a recording ends.
inline constexpr std::uint16_t kRecordBitmap =
    resources::kHotspotPlaces[resources::kRecordHotspot].normalBitmap;
inline constexpr int kBlinkTimer = 1;
inline constexpr int kBlinkPeriodMilliseconds = 500;
// The longest recording, and the block tried when that much memory cannot be had.
inline constexpr std::size_t kRecordBlockSamples = 1'000'000;
inline constexpr std::size_t kSmallRecordBlockSamples = 500'000;

// The help-area note after a recording that filled its whole block.
inline constexpr std::string_view kRecordingLimitNote =
    "The longest possible recording was reached.";

// How a returned buffer ended the recording.
enum class RecordingEnd {
    None,        // it did not: a late buffer, or not recording
    Full,        // the block is full
    Interrupted  // the sound system ended it; its message has been shown
};

// The rate of a "Sampling Frequency" setting from 1 to 6 (8000 to 44100 Hz); nullopt for
// any other value, which records at the rate the sound buffer already has.
std::optional<std::uint32_t> RecordingRate(std::int32_t samplingFrequency);

// Records from input device `deviceNumber` into a new zero-filled block of 1,000,000 samples
// (500,000 when memory is short). Only once the device has started does that block become
// the sound buffer, replacing the current sound. A failure shows its message (caption
// "Error") and leaves the current sound as it was, with no device open.
void StartRecording(Recorder& recorder, platform::Platform& platform, formats::SoundBuffer& sound,
                    std::int32_t samplingFrequency, int deviceNumber, const DrawRecordButton& draw);

// The user ends the recording: the sound keeps what the device recorded and the device is
// closed. Nothing when not recording.
void StopRecording(Recorder& recorder, platform::Platform& platform, formats::SoundBuffer& sound);

// The device hands its buffer back. When that ends the recording (the buffer is full, or
// the sound system ended it), the sound keeps what was recorded and the device is closed;
// an interruption also shows the "recording interrupted" message. A buffer handed back after a
// stop, or one from an earlier recording, changes nothing (RecordingEnd::None).
RecordingEnd FinishFullRecording(Recorder& recorder, platform::Platform& platform,
                                 formats::SoundBuffer& sound, std::uint32_t bufferId);

}  // namespace marvolin::audio
