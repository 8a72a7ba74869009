#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "window_fixture.h"

namespace marvolin::app {
namespace {

using platform::MessageAnswer;
using platform::MessageKind;

constexpr const char* kTrimQuestion =
    "Marvolin found silence before and after your recording.\nDo you want to delete it?";

class RecordingWindowTest : public WindowTest {
  protected:
    void Feed(std::vector<std::int16_t> samples) { host.waveInput.Feed(samples); }
    // Silence, a voice of three samples, silence.
    void FeedAVoice() { Feed({0, 100, 0, 2000, -500, -2100, 30, 0}); }

    bool RecordShowsStop() { return Shows(173, 400, 160, 120, 40); }
    bool RecordShowsRecord() { return Shows(113, 400, 160, 120, 40); }
    // The last "RECORDING" drawn is black on black.
    bool RecordingWordErased() {
        for (auto it = host.textRenderer.drawn.rbegin(); it != host.textRenderer.drawn.rend();
             ++it) {
            if (it->text == "RECORDING") {
                return it->background == 0x000000u && it->color == 0x000000u;
            }
        }
        return false;
    }
    std::vector<std::string> MessagesShown() {
        std::vector<std::string> texts;
        for (const auto& shown : host.messageBoxes.shown) {
            texts.push_back(shown.text);
        }
        return texts;
    }
};

TEST_F(RecordingWindowTest, RecordTurnsIntoStopAndRecordingBlinks) {
    Click(kRecordX, kRecordY);

    ASSERT_TRUE(state().recording());
    EXPECT_TRUE(RecordShowsStop());
    EXPECT_EQ(state().sound.sampleRate, 22050u);
    ASSERT_EQ(host.timers.running.size(), 1u);
    EXPECT_EQ(host.timers.running[0].periodMilliseconds, 500);

    // Black on red, then black on black, and so on, at (20, 430).
    for (std::uint32_t background : {0xFF0000u, 0x000000u, 0xFF0000u}) {
        Send(MessageKind::Timer);
        const auto& drawn = host.textRenderer.drawn.back();
        EXPECT_EQ(drawn.text, "RECORDING");
        EXPECT_EQ(drawn.x, 20);
        EXPECT_EQ(drawn.y, 430);
        EXPECT_EQ(drawn.color, 0x000000u);
        EXPECT_EQ(drawn.background, background);
        EXPECT_TRUE(drawn.opaque);
    }

    // A repaint keeps the Stop face, and the view shows silence beyond what was recorded:
    // the flat line of a sound without samples.
    FeedAVoice();
    Send(MessageKind::Paint);
    EXPECT_TRUE(RecordShowsStop());
    screen::Screen flat = state().screen;
    screen::ScreenHost screenHost{host.messageBoxes, host.window, host.textRenderer};
    screen::DrawWaveform(flat, screenHost, formats::SoundBuffer{});
    for (int y = 65; y < 146; ++y) {
        for (int x = 118; x < 511; ++x) {
            ASSERT_EQ(state().screen.window.Pixel(x, y), flat.window.Pixel(x, y)) << x << "," << y;
        }
    }

    // Pressing and releasing show the Record faces as usual; then the recording stops.
    Send(MessageKind::LeftButtonDown, kRecordX, kRecordY);
    EXPECT_TRUE(Shows(114, 400, 160, 120, 40));
    Send(MessageKind::LeftButtonUp, kRecordX, kRecordY);
    EXPECT_FALSE(state().recording());
    EXPECT_TRUE(RecordShowsRecord());
    EXPECT_TRUE(host.timers.running.empty());

    // A tick that was already on its way changes nothing.
    const std::size_t drawnTexts = host.textRenderer.drawn.size();
    Send(MessageKind::Timer);
    EXPECT_EQ(host.textRenderer.drawn.size(), drawnTexts);
}

TEST_F(RecordingWindowTest, StopOffersToCutTheSilenceAndPlaysTheResult) {
    Click(kRecordX, kRecordY);
    FeedAVoice();
    host.messageBoxes.answers = {MessageAnswer::Ok};
    Click(kRecordX, kRecordY);

    EXPECT_EQ(MessagesShown(), std::vector<std::string>{kTrimQuestion});
    EXPECT_EQ(state().sound.samples, (std::vector<std::int16_t>{2000, -500, -2100}));
    EXPECT_TRUE(state().playing());
    EXPECT_EQ(host.waveOutput.buffer.data(), state().sound.samples.data());
    EXPECT_EQ(host.waveOutput.sampleRate, 22050u);
    host.DeliverPending(*window);  // the buffer the stopped device handed back
    EXPECT_EQ(state().sound.sampleCount(), 3u);

    // Answered Cancel, the whole recording stays; without automatic playback nothing plays.
    FinishPlayback();
    state().settings.playAfterRecording = 0;
    Click(kRecordX, kRecordY);
    FeedAVoice();
    host.messageBoxes.answers = {MessageAnswer::Cancel};
    Click(kRecordX, kRecordY);
    EXPECT_EQ(state().sound.sampleCount(), 8u);
    EXPECT_FALSE(state().playing());
}

TEST_F(RecordingWindowTest, ARecordingWithoutAVoiceIsKeptWholeWithAWarning) {
    Click(kRecordX, kRecordY);
    Feed({10, -1999, 1999});
    Click(kRecordX, kRecordY);
    EXPECT_EQ(MessagesShown(), std::vector<std::string>{"No sound or insufficient sound level."});
    EXPECT_EQ(state().sound.samples, (std::vector<std::int16_t>{10, -1999, 1999}));

    // Stopped at once: no samples, the same warning and a flat line.
    FinishPlayback();
    Click(kRecordX, kRecordY);
    Click(kRecordX, kRecordY);
    EXPECT_EQ(state().sound.sampleCount(), 0u);
    EXPECT_EQ(host.messageBoxes.shown.size(), 2u);

    // Without auto-truncation there is no question at all.
    FinishPlayback();
    state().settings.autoTruncate = 0;
    Click(kRecordX, kRecordY);
    FeedAVoice();
    Click(kRecordX, kRecordY);
    EXPECT_EQ(host.messageBoxes.shown.size(), 2u);
    EXPECT_EQ(state().sound.sampleCount(), 8u);
}

TEST_F(RecordingWindowTest, AFullBufferEndsTheRecordingWithoutQuestionOrPlayback) {
    Click(kRecordX, kRecordY);
    Send(MessageKind::Timer);  // "RECORDING" lit on red
    const std::vector<std::int16_t> loud(audio::kRecordBlockSamples, 3000);
    Feed(loud);
    host.DeliverPending(*window);

    EXPECT_FALSE(state().recording());
    EXPECT_EQ(state().sound.sampleCount(), audio::kRecordBlockSamples);
    EXPECT_TRUE(host.messageBoxes.shown.empty());
    EXPECT_FALSE(state().playing());
    EXPECT_FALSE(host.waveInput.open);
    EXPECT_TRUE(host.timers.running.empty());
    EXPECT_TRUE(RecordShowsRecord());
    EXPECT_TRUE(RecordingWordErased());
    const auto& note = host.textRenderer.drawn.back();
    EXPECT_EQ(note.text, "The longest possible recording was reached.");
    EXPECT_EQ(note.y, 450);

    Click(kRecordX, kRecordY);  // starts a new recording
    EXPECT_TRUE(state().recording());
    EXPECT_EQ(host.waveInput.recordedBytes, 0u);
}

TEST_F(RecordingWindowTest, AStopWhileTheWordIsLitErasesIt) {
    Click(kRecordX, kRecordY);
    Send(MessageKind::Timer);
    ASSERT_EQ(host.textRenderer.drawn.back().background, 0xFF0000u);
    state().settings.autoTruncate = 0;
    state().settings.playAfterRecording = 0;
    Click(kRecordX, kRecordY);

    EXPECT_FALSE(state().recording());
    EXPECT_TRUE(RecordShowsRecord());
    EXPECT_TRUE(RecordingWordErased());
}

TEST_F(RecordingWindowTest, AnInterruptedRecordingIsKeptWithItsOwnMessage) {
    Click(kRecordX, kRecordY);
    FeedAVoice();
    host.waveInput.Interrupt();
    host.DeliverPending(*window);

    EXPECT_FALSE(state().recording());
    EXPECT_EQ(state().sound.sampleCount(), 8u);
    EXPECT_EQ(MessagesShown(),
              std::vector<std::string>{"The recording was interrupted by the sound system."});
    EXPECT_FALSE(state().playing());
    EXPECT_TRUE(RecordShowsRecord());
    EXPECT_TRUE(RecordingWordErased());
}

TEST_F(RecordingWindowTest, WhileRecordingOnlyRecordTheCategoryButtonAndTheCloseCommandAct) {
    Click(kEffect2X, kEffect2Y);
    FinishPlayback();
    const std::vector<std::int16_t> beforeEffect = state().undo.samples;
    Click(kRecordX, kRecordY);
    host.fileDialogs.openAnswers = {platform::OpenChoice{folder.File("data/waves/welcome.wav"), 1}};
    host.fileDialogs.saveAnswers = {folder.File("refused.wav")};
    for (const auto& [x, y] :
         {std::pair{kOpenX, kOpenY}, std::pair{kSaveX, kSaveY}, std::pair{kPlayX, kPlayY},
          std::pair{kUndoX, kUndoY}, std::pair{kOptionsX, kOptionsY}, std::pair{kExitX, kExitY},
          std::pair{kLogoX, kLogoY}, std::pair{kEffect2X, kEffect2Y}}) {
        Click(x, y);
    }
    EXPECT_TRUE(state().recording());
    EXPECT_EQ(host.fileDialogs.openCalls + host.fileDialogs.saveCalls, 0);
    EXPECT_TRUE(host.dialogs.settingsShown.empty());
    EXPECT_TRUE(host.dialogs.aboutShown.empty());
    EXPECT_TRUE(host.messageBoxes.shown.empty());
    EXPECT_FALSE(state().playing());
    EXPECT_FALSE(host.window.closed);
    EXPECT_EQ(state().sound.sampleCount(), audio::kRecordBlockSamples);

    Click(kCategoryX, kCategoryY);
    EXPECT_EQ(state().category, kTransmissions);

    // The undo buffer outlives the recording: Undo brings back the sound before the effect.
    host.messageBoxes.answers = {MessageAnswer::Ok};
    FeedAVoice();
    Click(kRecordX, kRecordY);
    FinishPlayback();
    Click(kUndoX, kUndoY);
    EXPECT_EQ(state().sound.samples, beforeEffect);

    Click(kRecordX, kRecordY);
    Send(MessageKind::Close);
    EXPECT_TRUE(host.window.closed);
}

TEST_F(RecordingWindowTest, RecordIsIgnoredWhilePlaying) {
    Click(kPlayX, kPlayY);
    Click(kRecordX, kRecordY);
    EXPECT_FALSE(state().recording());
    EXPECT_EQ(host.waveInput.opens, 0);
}

// The sound that was there survives a Record that cannot start: its samples, its waveform
// and what Undo brings back.
TEST_F(RecordingWindowTest, AFailedStartKeepsTheSoundItsWaveformAndItsUndo) {
    state().settings.playAfterProcessing = 0;
    Click(kEffect2X, kEffect2Y);
    ASSERT_FALSE(state().playing());
    const std::vector<std::int16_t> before = state().sound.samples;
    ASSERT_FALSE(before.empty());
    const screen::Screen drawnBefore = state().screen;
    host.waveInput.deviceCount = 0;
    Click(kRecordX, kRecordY);

    EXPECT_EQ(MessagesShown(), std::vector<std::string>{"Unable to open sound driver !"});
    EXPECT_FALSE(state().recording());
    EXPECT_EQ(state().sound.samples, before);
    EXPECT_TRUE(RecordShowsRecord());
    for (int y = 65; y < 146; ++y) {
        for (int x = 118; x < 511; ++x) {
            ASSERT_EQ(state().screen.window.Pixel(x, y), drawnBefore.window.Pixel(x, y))
                << x << "," << y;
        }
    }
    Click(kUndoX, kUndoY);
    EXPECT_NE(state().sound.samples, before);
}

}  // namespace
}  // namespace marvolin::app
