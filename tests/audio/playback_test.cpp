#include "audio/playback.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "platform/headless/headless_platform.h"

namespace marvolin::audio {
namespace {

using platform::DeviceResult;
using platform::Message;
using platform::MessageKind;
using platform::headless::FakeWaveOutput;
using namespace std::chrono_literals;

// Wraps the fake device: records the calls in order, can make Prepare or Write fail, and can
// run a hook inside Close (a real device may deliver pending events while it closes).
class RecordingWaveOutput : public platform::WaveOutput {
  public:
    explicit RecordingWaveOutput(FakeWaveOutput& device) : device_(device) {}

    DeviceResult Open(int number, std::uint32_t rate) override {
        return Record("Open", device_.Open(number, rate));
    }
    DeviceResult Prepare(std::span<const std::int16_t> samples) override {
        if (prepareAnswer != DeviceResult::Ok) {
            return Record("Prepare", prepareAnswer);
        }
        return Record("Prepare", device_.Prepare(samples));
    }
    DeviceResult Write() override {
        if (writeAnswer != DeviceResult::Ok) {
            return Record("Write", writeAnswer);
        }
        return Record("Write", device_.Write());
    }
    DeviceResult Unprepare() override { return Record("Unprepare", device_.Unprepare()); }
    DeviceResult Reset() override { return Record("Reset", device_.Reset()); }
    DeviceResult Close() override {
        const DeviceResult result = Record("Close", device_.Close());
        if (duringClose) {
            duringClose();
        }
        return result;
    }
    std::uint32_t BufferId() const override { return device_.BufferId(); }

    std::vector<std::string> calls;
    std::vector<DeviceResult> answers;  // what the device answered to each call
    DeviceResult prepareAnswer = DeviceResult::Ok;
    DeviceResult writeAnswer = DeviceResult::Ok;
    std::function<void()> duringClose;

  private:
    DeviceResult Record(const char* call, DeviceResult answer) {
        calls.emplace_back(call);
        answers.push_back(answer);
        return answer;
    }

    FakeWaveOutput& device_;
};

class PlaybackTest : public ::testing::Test, public platform::MessageSink {
  protected:
    PlaybackTest() {
        sound.Install({100, -200, 300, -400});
        sound.sampleRate = 10989;
    }

    void Start(FailureReport report = FailureReport::Message, BusyDeviceRetry retry = {0ms, 0ms}) {
        StartPlayback(playback, services, sound, 2, draw, report, retry);
    }
    void Stop() { StopPlayback(playback, services, draw); }
    // Hands the device's notifications to FinishPlayback, as the message handler does.
    void DeliverNotifications() { host.DeliverPending(*this); }
    void Handle(const Message& message) override {
        if (message.kind == MessageKind::PlaybackDone) {
            FinishPlayback(playback, services, message.bufferId, draw);
        }
    }

    void ExpectIdleWithNothingOpen() {
        EXPECT_EQ(playback.playing, 0);
        EXPECT_FALSE(host.waveOutput.open);
        EXPECT_FALSE(host.waveOutput.prepared);
    }
    void ExpectUnableToOpenMessage() {
        ASSERT_EQ(host.messageBoxes.shown.size(), 1u);
        EXPECT_EQ(host.messageBoxes.shown[0].text, "Unable to open sound driver !");
        EXPECT_EQ(host.messageBoxes.shown[0].caption, "Error");
        EXPECT_EQ(host.messageBoxes.shown[0].icon, platform::MessageIcon::Error);
        EXPECT_EQ(host.messageBoxes.shown[0].buttons, platform::MessageButtons::Ok);
    }

    platform::headless::HeadlessPlatform host;
    RecordingWaveOutput output{host.waveOutput};
    platform::Platform services{host.messageBoxes, host.cursor, host.window,    host.fileDialogs,
                                host.timers,       output,      host.waveInput, host.audioDevices,
                                host.textRenderer, host.dialogs};
    formats::SoundBuffer sound;
    Playback playback;
    std::vector<std::uint16_t> drawn;
    DrawPlayButton draw = [this](std::uint16_t bitmap) { drawn.push_back(bitmap); };
};

TEST_F(PlaybackTest, PlaysTheSoundsOwnSamplesAtItsRateUntilTheDeviceIsDone) {
    Start();

    EXPECT_EQ(playback.playing, 1);
    EXPECT_EQ(host.waveOutput.deviceNumber, 2);
    EXPECT_EQ(host.waveOutput.sampleRate, 10989u);
    EXPECT_EQ(host.waveOutput.buffer.data(), sound.samples.data());
    EXPECT_EQ(host.waveOutput.buffer.size(), 4u);
    EXPECT_EQ(playback.bufferId, host.waveOutput.bufferId);
    EXPECT_EQ(drawn, std::vector<std::uint16_t>{kStopBitmap});

    host.waveOutput.Finish();
    DeliverNotifications();

    ExpectIdleWithNothingOpen();
    EXPECT_EQ(drawn, (std::vector<std::uint16_t>{kStopBitmap, kPlayBitmap}));
    EXPECT_EQ(output.calls, (std::vector<std::string>{"Open", "Prepare", "Write", "Unprepare",
                                                      "Reset", "Close"}));
    EXPECT_TRUE(host.messageBoxes.shown.empty());
}

TEST_F(PlaybackTest, StopEndsAtOnceAndTheLateDoneChangesNothing) {
    Start();
    Stop();

    ExpectIdleWithNothingOpen();
    EXPECT_EQ(drawn, (std::vector<std::uint16_t>{kStopBitmap, kPlayBitmap}));
    EXPECT_EQ(host.queue.size(), 1u);  // the buffer returned by Reset

    DeliverNotifications();
    Stop();

    EXPECT_EQ(drawn, (std::vector<std::uint16_t>{kStopBitmap, kPlayBitmap}));
    EXPECT_EQ(output.calls, (std::vector<std::string>{"Open", "Prepare", "Write", "Reset",
                                                      "Unprepare", "Close"}));
}

TEST_F(PlaybackTest, APlaybackStartedAfterAStopOutlivesTheFirstBuffersLateDone) {
    Start();
    const std::uint32_t firstBuffer = playback.bufferId;
    Stop();
    Start();
    ASSERT_NE(playback.bufferId, firstBuffer);

    DeliverNotifications();

    EXPECT_EQ(playback.playing, 1);
    EXPECT_TRUE(host.waveOutput.open);
    EXPECT_TRUE(host.waveOutput.writing);

    host.waveOutput.Finish();
    DeliverNotifications();

    ExpectIdleWithNothingOpen();
    EXPECT_EQ(drawn,
              (std::vector<std::uint16_t>{kStopBitmap, kPlayBitmap, kStopBitmap, kPlayBitmap}));
}

TEST_F(PlaybackTest, StartingWhilePlayingClosesTheRunningPlaybackFirst) {
    Start();
    Start();

    EXPECT_EQ(playback.playing, 1);
    EXPECT_EQ(output.calls,
              (std::vector<std::string>{"Open", "Prepare", "Write", "Reset", "Unprepare", "Close",
                                        "Open", "Prepare", "Write"}));
    EXPECT_EQ(drawn, (std::vector<std::uint16_t>{kStopBitmap, kPlayBitmap, kStopBitmap}));
}

TEST_F(PlaybackTest, ADoneDeliveredWhileTheDeviceClosesIsTakenAsLate) {
    output.duringClose = [this] { DeliverNotifications(); };
    Start();
    Stop();

    EXPECT_EQ(std::count(output.calls.begin(), output.calls.end(), "Close"), 1);
    EXPECT_EQ(drawn, (std::vector<std::uint16_t>{kStopBitmap, kPlayBitmap}));
    EXPECT_TRUE(host.queue.empty());
}

TEST_F(PlaybackTest, ADeviceStillClaimingToPlayIsAskedABoundedNumberOfTimesThenReset) {
    Start();
    // The notification arrives while the fake still writes: every unprepare answers
    // StillPlaying until Reset stops the device.
    FinishPlayback(playback, services, playback.bufferId, draw);

    ExpectIdleWithNothingOpen();
    EXPECT_EQ(drawn, (std::vector<std::uint16_t>{kStopBitmap, kPlayBitmap}));
    EXPECT_EQ(output.calls.back(), "Close");
    EXPECT_EQ(output.answers[output.answers.size() - 2], DeviceResult::Ok);  // last unprepare

    DeliverNotifications();  // the buffer Reset returned
    EXPECT_EQ(std::count(output.calls.begin(), output.calls.end(), "Close"), 1);
}

TEST_F(PlaybackTest, NotificationsAndStopsWhileIdleChangeNothing) {
    Stop();
    FinishPlayback(playback, services, 0, draw);
    FinishPlayback(playback, services, host.waveOutput.bufferId, draw);

    EXPECT_TRUE(output.calls.empty());
    EXPECT_TRUE(drawn.empty());
}

TEST_F(PlaybackTest, NothingHappensWithoutABlockButAnEmptyBlockPlaysAndFinishes) {
    sound.Release();
    Start();
    EXPECT_TRUE(output.calls.empty());
    EXPECT_TRUE(drawn.empty());
    EXPECT_EQ(playback.playing, 0);

    sound.Install({});
    Start();
    EXPECT_EQ(playback.playing, 1);
    EXPECT_TRUE(host.waveOutput.buffer.empty());

    host.waveOutput.Finish();
    DeliverNotifications();
    ExpectIdleWithNothingOpen();
    EXPECT_EQ(drawn, (std::vector<std::uint16_t>{kStopBitmap, kPlayBitmap}));
}

TEST_F(PlaybackTest, ABusyDeviceIsAskedAgainUntilItIsFree) {
    host.waveOutput.openAnswers = {DeviceResult::Allocated, DeviceResult::Allocated};
    Start(FailureReport::Message, {10s, 0ms});

    EXPECT_EQ(host.waveOutput.opens, 3);
    EXPECT_EQ(playback.playing, 1);
    EXPECT_TRUE(host.messageBoxes.shown.empty());
}

TEST_F(PlaybackTest, ADeviceBusyForGoodIsGivenUpAfterTheRetryPeriod) {
    host.waveOutput.openAnswers.assign(100000, DeviceResult::Allocated);
    Start(FailureReport::Message, {20ms, 1ms});

    EXPECT_GT(host.waveOutput.opens, 1);
    EXPECT_FALSE(host.waveOutput.openAnswers.empty());
    ExpectIdleWithNothingOpen();
    ExpectUnableToOpenMessage();
    EXPECT_TRUE(drawn.empty());
}

TEST_F(PlaybackTest, ADeviceThatCannotBeOpenedLeavesPlaybackIdleWithAMessage) {
    for (const DeviceResult failure :
         {DeviceResult::BadDevice, DeviceResult::BadFormat, DeviceResult::Error}) {
        host.messageBoxes.shown.clear();
        host.waveOutput.openAnswers = {failure};
        Start();

        ExpectIdleWithNothingOpen();
        ExpectUnableToOpenMessage();
        EXPECT_TRUE(drawn.empty());
    }
    EXPECT_EQ(output.calls, (std::vector<std::string>{"Open", "Open", "Open"}));

    Start();  // the device works again
    EXPECT_EQ(playback.playing, 1);
}

TEST_F(PlaybackTest, PrepareOrWriteFailuresCloseTheDeviceAndLeavePlaybackIdle) {
    output.prepareAnswer = DeviceResult::NoMemory;
    Start();
    ExpectIdleWithNothingOpen();
    ExpectUnableToOpenMessage();

    host.messageBoxes.shown.clear();
    output.prepareAnswer = DeviceResult::Ok;
    output.writeAnswer = DeviceResult::Error;
    Start();
    ExpectIdleWithNothingOpen();
    ExpectUnableToOpenMessage();
    EXPECT_EQ(output.calls.back(), "Close");

    DeliverNotifications();
    EXPECT_TRUE(drawn.empty());
}

TEST_F(PlaybackTest, ASilentFailureShowsNoMessage) {
    host.waveOutput.openAnswers = {DeviceResult::BadDevice};
    Start(FailureReport::Silent);

    ExpectIdleWithNothingOpen();
    EXPECT_TRUE(host.messageBoxes.shown.empty());
    EXPECT_TRUE(drawn.empty());
}

}  // namespace
}  // namespace marvolin::audio
