#include "app/record_command.h"

#include "app/commands.h"
#include "app/device_choice.h"
#include "app/drawing.h"
#include "audio/silence_trimming.h"

namespace marvolin::app {
namespace {

// However the recording ended: the Record face comes back and "RECORDING" goes.
void ShowRecordingEnded(MainWindowState& state, platform::Platform& platform) {
    RecordButtonPainter(state, platform)(audio::kRecordBitmap);
    screen::ScreenHost host = ScreenHostOf(platform);
    screen::DrawRecordingWord(state.screen, host, false);
}

}  // namespace

void RecordCommand(MainWindowState& state, platform::Platform& platform) {
    if (state.playing()) {
        return;
    }
    if (!state.recording()) {
        audio::StartRecording(state.recorder, platform, state.sound,
                              state.settings.samplingFrequency, InputDeviceNumber(state, platform),
                              RecordButtonPainter(state, platform));
        return;
    }
    audio::StopRecording(state.recorder, platform, state.sound);
    ShowRecordingEnded(state, platform);
    if (state.settings.autoTruncate) {
        audio::TrimSilence(platform.messageBoxes, state.sound);
    }
    RedrawWaveform(state, platform);
    if (state.settings.playAfterRecording) {
        PlayAgain(state, platform);
    }
}

void RecordBufferReturned(MainWindowState& state, platform::Platform& platform,
                          std::uint32_t bufferId) {
    const audio::RecordingEnd end =
        audio::FinishFullRecording(state.recorder, platform, state.sound, bufferId);
    if (end != audio::RecordingEnd::None) {
        ShowRecordingEnded(state, platform);
    }
    if (end == audio::RecordingEnd::Full) {
        screen::ScreenHost host = ScreenHostOf(platform);
        screen::DrawHelpLine(state.screen, host, audio::kRecordingLimitNote);
        state.helpShown = true;  // the next help line erases it
    }
    RedrawWaveform(state, platform);
}

void BlinkRecordingWord(MainWindowState& state, platform::Platform& platform) {
    // A tick already queued when the recording ended must not bring the word back.
    if (!state.recording()) {
        return;
    }
    screen::ScreenHost host = ScreenHostOf(platform);
    screen::DrawRecordingWord(state.screen, host, state.recorder.blinkOn != 0);
    state.recorder.blinkOn = state.recorder.blinkOn ? 0 : 1;
}

}  // namespace marvolin::app
