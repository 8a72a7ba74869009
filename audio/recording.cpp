#include "audio/recording.h"

#include <algorithm>

#include "platform/allocation.h"
#include "resources/message_table.h"

namespace marvolin::audio {
namespace {

using platform::DeviceResult;
using platform::WaveInput;

using resources::MessageId;

void ShowError(platform::Platform& platform, MessageId message) {
    resources::ShowMessage(platform.messageBoxes, message);
}

std::optional<std::vector<std::int16_t>> AllocateRecordBlock() {
    auto block = platform::AllocateBlock<std::int16_t>(kRecordBlockSamples);
    if (!block) {
        block = platform::AllocateBlock<std::int16_t>(kSmallRecordBlockSamples);
    }
    return block;
}

// Lets go of the device whatever state it is in; it no longer touches the buffer.
void CloseDevice(WaveInput& input) {
    input.Reset();
    input.Unprepare();
    input.Close();
}

// Ends the recording with the device closed and the timer gone; gives the bytes recorded.
std::size_t EndRecording(Recorder& recorder, platform::Platform& platform,
                         const formats::SoundBuffer& sound) {
    // Cleared first: whatever the device reports while it closes is then seen as late.
    recorder.recording = 0;
    WaveInput& input = platform.waveInput;
    input.Stop();
    const std::size_t bytes = std::min(input.RecordedBytes(), sound.samples.size() * 2);
    CloseDevice(input);
    platform.timers.Stop(recorder.timerId);
    recorder.timerId = 0;
    return bytes;
}

}  // namespace

std::optional<std::uint32_t> RecordingRate(std::int32_t samplingFrequency) {
    constexpr std::uint32_t kRates[] = {8000, 11025, 16000, 22050, 32000, 44100};
    if (samplingFrequency < 1 || samplingFrequency > 6) {
        return std::nullopt;
    }
    return kRates[samplingFrequency - 1];
}

void StartRecording(Recorder& recorder, platform::Platform& platform, formats::SoundBuffer& sound,
                    std::int32_t samplingFrequency, int deviceNumber,
                    const DrawRecordButton& draw) {
    if (recorder.recording) {
        return;
    }
    const std::uint32_t rate = RecordingRate(samplingFrequency).value_or(sound.sampleRate);
    // Zero-filled: until the device has written them, the samples are silence. The current
    // sound stays until the device runs, so that a device that fails loses nothing.
    auto block = AllocateRecordBlock();
    if (!block) {
        ShowError(platform, MessageId::NotEnoughMemory);
        return;
    }

    WaveInput& input = platform.waveInput;
    const DeviceResult opened = input.Open(deviceNumber, rate);
    if (opened != DeviceResult::Ok) {
        ShowError(platform, opened == DeviceResult::BadFormat
                                ? MessageId::RecordingFormatRefused
                                : MessageId::RecordingDeviceUnavailable);
        return;
    }
    const DeviceResult prepared = input.Prepare(*block);
    if (prepared == DeviceResult::InvalidHandle || prepared == DeviceResult::NoMemory) {
        CloseDevice(input);
        ShowError(platform, prepared == DeviceResult::InvalidHandle
                                ? MessageId::RecordingHandleInvalid
                                : MessageId::RecordingBufferMemory);
        return;
    }
    if (input.AddBuffer() != DeviceResult::Ok) {
        CloseDevice(input);
        ShowError(platform, MessageId::RecordingQueueMemory);
        return;
    }
    if (input.Start() != DeviceResult::Ok) {
        CloseDevice(input);
        ShowError(platform, MessageId::RecordingDeviceUnavailable);
        return;
    }
    // Moving the block keeps its samples where the device writes them.
    sound.Release();
    sound.sampleRate = rate;
    sound.Install(std::move(*block));
    recorder.recording = 1;
    recorder.bufferId = input.BufferId();
    recorder.timerId = platform.timers.Start(kBlinkTimer, kBlinkPeriodMilliseconds);
    recorder.blinkOn = 1;
    if (draw) {
        draw(kStopRecordingBitmap);
    }
}

void StopRecording(Recorder& recorder, platform::Platform& platform, formats::SoundBuffer& sound) {
    if (!recorder.recording) {
        return;
    }
    const std::size_t bytes = EndRecording(recorder, platform, sound);
    // An odd last byte is dropped; the block shrinks to what was recorded.
    sound.samples.resize(bytes / 2);
    sound.samples.shrink_to_fit();
}

RecordingEnd FinishFullRecording(Recorder& recorder, platform::Platform& platform,
                                 formats::SoundBuffer& sound, std::uint32_t bufferId) {
    if (!recorder.recording || bufferId != recorder.bufferId) {
        return RecordingEnd::None;
    }
    // Asked before the device closes, which forgets it.
    const bool interrupted = platform.waveInput.Interrupted();
    const std::size_t bytes = EndRecording(recorder, platform, sound);
    sound.samples.resize(bytes / 2);
    if (interrupted) {
        sound.samples.shrink_to_fit();
        ShowError(platform, MessageId::RecordingInterrupted);
        return RecordingEnd::Interrupted;
    }
    return RecordingEnd::Full;
}

}  // namespace marvolin::audio
