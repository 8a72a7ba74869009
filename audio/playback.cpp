#include "audio/playback.h"

#include <thread>

#include "resources/message_table.h"

namespace marvolin::audio {
namespace {

using platform::DeviceResult;
using platform::WaveOutput;

// A done notification means the device has finished reading; should it still claim to be
// playing, it is asked this many times before Reset stops it for good.
constexpr int kUnprepareAttempts = 100;

void Draw(const DrawPlayButton& draw, std::uint16_t bitmap) {
    if (draw) {
        draw(bitmap);
    }
}

DeviceResult OpenWhileBusy(WaveOutput& output, int deviceNumber, std::uint32_t sampleRate,
                           const BusyDeviceRetry& retry) {
    const auto deadline = std::chrono::steady_clock::now() + retry.period;
    for (;;) {
        const DeviceResult result = output.Open(deviceNumber, sampleRate);
        if (result != DeviceResult::Allocated || std::chrono::steady_clock::now() >= deadline) {
            return result;
        }
        std::this_thread::sleep_for(retry.pause);
    }
}

void ReportFailure(platform::Platform& platform, FailureReport report) {
    if (report == FailureReport::Message) {
        resources::ShowMessage(platform.messageBoxes,
                               resources::MessageId::PlaybackDeviceUnavailable);
    }
}

}  // namespace

void StartPlayback(Playback& playback, platform::Platform& platform,
                   const formats::SoundBuffer& sound, int deviceNumber, const DrawPlayButton& draw,
                   FailureReport report, const BusyDeviceRetry& retry) {
    if (!sound.hasBlock) {
        return;
    }
    // Only one buffer can be on the device; a second open would lose the first.
    StopPlayback(playback, platform, draw);

    WaveOutput& output = platform.waveOutput;
    if (OpenWhileBusy(output, deviceNumber, sound.sampleRate, retry) != DeviceResult::Ok) {
        ReportFailure(platform, report);
        return;
    }
    if (output.Prepare(sound.samples) != DeviceResult::Ok) {
        output.Close();
        ReportFailure(platform, report);
        return;
    }
    if (output.Write() != DeviceResult::Ok) {
        // Whatever the device returns for this buffer arrives while idle and is ignored.
        output.Reset();
        output.Unprepare();
        output.Close();
        ReportFailure(platform, report);
        return;
    }
    playback.playing = 1;
    playback.bufferId = output.BufferId();
    Draw(draw, kStopBitmap);
}

// `playing` is cleared before the device is touched: a device may deliver pending
// notifications while it closes, and those must then be seen as late.
void StopPlayback(Playback& playback, platform::Platform& platform, const DrawPlayButton& draw) {
    if (!playback.playing) {
        return;
    }
    playback.playing = 0;
    WaveOutput& output = platform.waveOutput;
    output.Reset();
    output.Unprepare();
    output.Close();
    Draw(draw, kPlayBitmap);
}

void FinishPlayback(Playback& playback, platform::Platform& platform, std::uint32_t bufferId,
                    const DrawPlayButton& draw) {
    if (!playback.playing || bufferId != playback.bufferId) {
        return;
    }
    playback.playing = 0;
    WaveOutput& output = platform.waveOutput;
    DeviceResult unprepared = output.Unprepare();
    for (int attempt = 1; unprepared == DeviceResult::StillPlaying && attempt < kUnprepareAttempts;
         ++attempt) {
        unprepared = output.Unprepare();
    }
    output.Reset();
    if (unprepared == DeviceResult::StillPlaying) {
        output.Unprepare();
    }
    output.Close();
    Draw(draw, kPlayBitmap);
}

}  // namespace marvolin::audio
