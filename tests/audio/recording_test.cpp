#include "audio/recording.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/allocation.h"
#include "platform/headless/headless_platform.h"

namespace marvolin::audio {
namespace {

using platform::AllocationFailures;
using platform::DeviceResult;
using platform::MessageKind;

class RecordingTest : public ::testing::Test {
  protected:
    RecordingTest() {
        sound.Install({1, 2, 3});
        sound.sampleRate = 10989;
    }
    ~RecordingTest() override { AllocationFailures::Reset(); }

    void Start(std::int32_t samplingFrequency = 4, int deviceNumber = 0) {
        StartRecording(recorder, host.services, sound, samplingFrequency, deviceNumber, draw);
    }
    void Feed(std::size_t count, std::int16_t value) {
        const std::vector<std::int16_t> samples(count, value);
        host.waveInput.Feed(samples);
    }
    // The device's RecordBufferReturned messages, as the message handler receives them.
    std::vector<std::uint32_t> TakeReturnedBuffers() {
        std::vector<std::uint32_t> buffers;
        for (const platform::Message& message : host.queue) {
            EXPECT_EQ(message.kind, MessageKind::RecordBufferReturned);
            buffers.push_back(message.bufferId);
        }
        host.queue.clear();
        return buffers;
    }

    void ExpectIdleWithNothingOpen() {
        EXPECT_EQ(recorder.recording, 0);
        EXPECT_FALSE(host.waveInput.open);
        EXPECT_FALSE(host.waveInput.prepared);
        EXPECT_FALSE(host.waveInput.queued);
        EXPECT_TRUE(host.timers.running.empty());
    }

    platform::headless::HeadlessPlatform host;
    formats::SoundBuffer sound;
    Recorder recorder;
    std::vector<std::uint16_t> drawn;
    DrawRecordButton draw = [this](std::uint16_t bitmap) { drawn.push_back(bitmap); };
};

TEST_F(RecordingTest, RecordsIntoASilentMillionSampleBlockThatIsTheSoundItself) {
    Start(2, 0);

    EXPECT_EQ(recorder.recording, 1);
    EXPECT_EQ(recorder.blinkOn, 1);
    EXPECT_EQ(sound.sampleRate, 11025u);
    EXPECT_TRUE(sound.hasBlock);
    ASSERT_EQ(sound.sampleCount(), kRecordBlockSamples);
    EXPECT_TRUE(std::all_of(sound.samples.begin(), sound.samples.end(),
                            [](std::int16_t sample) { return sample == 0; }));
    EXPECT_EQ(host.waveInput.buffer.data(), sound.samples.data());
    EXPECT_EQ(host.waveInput.buffer.size(), kRecordBlockSamples);
    EXPECT_EQ(host.waveInput.sampleRate, 11025u);
    EXPECT_EQ(host.waveInput.deviceNumber, 0);
    EXPECT_TRUE(host.waveInput.started);
    ASSERT_EQ(host.timers.running.size(), 1u);
    EXPECT_EQ(host.timers.running[0].periodMilliseconds, 500);
    EXPECT_EQ(recorder.timerId, host.timers.running[0].id);
    EXPECT_EQ(drawn, std::vector<std::uint16_t>{kStopRecordingBitmap});
    EXPECT_TRUE(host.messageBoxes.shown.empty());

    // What the device writes lands in the sound; the rest stays silent.
    Feed(3, 1234);
    EXPECT_EQ(sound.samples[2], 1234);
    EXPECT_EQ(sound.samples[3], 0);
}

TEST_F(RecordingTest, ARateSettingOutsideOneToSixKeepsTheSoundsRate) {
    Start(7);
    EXPECT_EQ(recorder.recording, 1);
    EXPECT_EQ(sound.sampleRate, 10989u);
    EXPECT_EQ(host.waveInput.sampleRate, 10989u);
}

TEST_F(RecordingTest, HalfTheBlockWhenTheWholeCannotBeHadAndAMessageWhenNeither) {
    AllocationFailures::FailLargerThan(kSmallRecordBlockSamples * 2);
    Start();
    EXPECT_EQ(recorder.recording, 1);
    EXPECT_EQ(sound.sampleCount(), kSmallRecordBlockSamples);
    StopRecording(recorder, host.services, sound);

    // Without the memory for either block the recording that is there stays.
    AllocationFailures::FailNext(2);
    Start();
    ExpectIdleWithNothingOpen();
    EXPECT_TRUE(sound.hasBlock);
    EXPECT_EQ(sound.sampleCount(), 0u);
    EXPECT_EQ(host.waveInput.opens, 1);
    ASSERT_EQ(host.messageBoxes.shown.size(), 1u);
    EXPECT_EQ(host.messageBoxes.shown[0].text, "Not enough memory !");
    EXPECT_EQ(host.messageBoxes.shown[0].caption, "Error");
}

// Every way the start can fail: its message, the current sound kept whole at its own rate,
// and no device left open.
TEST_F(RecordingTest, EveryFailedStartLeavesNothingOpenAndTheSoundAsItWas) {
    struct Case {
        const char* what;
        std::function<void(platform::headless::FakeWaveInput&)> script;
        int deviceNumber;
        const char* message;
    };
    const Case cases[] = {
        {"format refused", [](auto& input) { input.openAnswer = DeviceResult::BadFormat; }, 0,
         "This soundcard doesn't accept the current recording parameters !"},
        {"open fails", [](auto& input) { input.openAnswer = DeviceResult::Allocated; }, 0,
         "Unable to open sound driver !"},
        {"no input device", [](auto& input) { input.deviceCount = 0; }, 0,
         "Unable to open sound driver !"},
        {"number beyond the list", [](auto&) {}, 3, "Unable to open sound driver !"},
        {"bad handle", [](auto& input) { input.prepareAnswer = DeviceResult::InvalidHandle; }, 0,
         "The handle is not valid !"},
        {"no memory to prepare", [](auto& input) { input.prepareAnswer = DeviceResult::NoMemory; },
         0, "Not enough memory (1)"},
        {"other prepare failure", [](auto& input) { input.prepareAnswer = DeviceResult::Error; }, 0,
         "Not enough memory (2)"},
        {"queueing fails", [](auto& input) { input.addBufferAnswer = DeviceResult::NoMemory; }, 0,
         "Not enough memory (2)"},
        {"start fails", [](auto& input) { input.startAnswer = DeviceResult::Error; }, 0,
         "Unable to open sound driver !"},
    };
    for (const Case& failure : cases) {
        SCOPED_TRACE(failure.what);
        platform::headless::HeadlessPlatform fresh;
        failure.script(fresh.waveInput);
        formats::SoundBuffer previous;
        previous.Install({5, 6, 7});
        previous.sampleRate = 8000;
        Recorder idle;
        drawn.clear();

        StartRecording(idle, fresh.services, previous, 4, failure.deviceNumber, draw);

        EXPECT_EQ(idle.recording, 0);
        EXPECT_FALSE(fresh.waveInput.open);
        EXPECT_FALSE(fresh.waveInput.queued);
        EXPECT_TRUE(fresh.timers.running.empty());
        EXPECT_TRUE(previous.hasBlock);
        EXPECT_EQ(previous.samples, (std::vector<std::int16_t>{5, 6, 7}));
        EXPECT_EQ(previous.sampleRate, 8000u);
        EXPECT_TRUE(drawn.empty());
        ASSERT_EQ(fresh.messageBoxes.shown.size(), 1u);
        EXPECT_EQ(fresh.messageBoxes.shown[0].text, failure.message);
        EXPECT_EQ(fresh.messageBoxes.shown[0].caption, "Error");
        EXPECT_EQ(fresh.messageBoxes.shown[0].icon, platform::MessageIcon::None);
        EXPECT_EQ(fresh.messageBoxes.shown[0].buttons, platform::MessageButtons::Ok);
    }
}

TEST_F(RecordingTest, StopKeepsWhatWasRecordedAndClosesTheDevice) {
    Start();
    Feed(4, 300);
    host.waveInput.recordedBytes = 7;  // an odd last byte is dropped

    StopRecording(recorder, host.services, sound);

    ExpectIdleWithNothingOpen();
    EXPECT_EQ(sound.samples, (std::vector<std::int16_t>{300, 300, 300}));
    EXPECT_TRUE(sound.hasBlock);
    EXPECT_EQ(sound.sampleRate, 22050u);
    EXPECT_EQ(drawn, std::vector<std::uint16_t>{kStopRecordingBitmap});

    // The buffer the stopped device hands back changes nothing.
    const std::vector<std::uint32_t> returned = TakeReturnedBuffers();
    ASSERT_EQ(returned.size(), 1u);
    EXPECT_EQ(FinishFullRecording(recorder, host.services, sound, returned[0]), RecordingEnd::None);
    EXPECT_EQ(sound.sampleCount(), 3u);

    StopRecording(recorder, host.services, sound);  // not recording: nothing
    EXPECT_EQ(sound.sampleCount(), 3u);
}

TEST_F(RecordingTest, AFullBufferEndsTheRecordingWithEverySample) {
    AllocationFailures::FailLargerThan(kSmallRecordBlockSamples * 2);
    Start();
    Feed(kSmallRecordBlockSamples - 1, 100);
    EXPECT_TRUE(host.queue.empty());
    Feed(5, -100);  // only one more fits

    const std::vector<std::uint32_t> returned = TakeReturnedBuffers();
    ASSERT_EQ(returned, std::vector<std::uint32_t>{recorder.bufferId});
    EXPECT_EQ(FinishFullRecording(recorder, host.services, sound, returned[0]), RecordingEnd::Full);

    ExpectIdleWithNothingOpen();
    ASSERT_EQ(sound.sampleCount(), kSmallRecordBlockSamples);
    EXPECT_EQ(sound.samples.back(), -100);
    EXPECT_EQ(drawn, std::vector<std::uint16_t>{kStopRecordingBitmap});  // still the red Stop
}

// After a stop and a new start, the first recording's late buffer must not end the second.
TEST_F(RecordingTest, ALateBufferOfAnEarlierRecordingDoesNotEndTheNextOne) {
    Start();
    StopRecording(recorder, host.services, sound);
    const std::vector<std::uint32_t> late = TakeReturnedBuffers();
    ASSERT_EQ(late.size(), 1u);
    Start();
    ASSERT_NE(recorder.bufferId, late[0]);

    EXPECT_EQ(FinishFullRecording(recorder, host.services, sound, late[0]), RecordingEnd::None);
    EXPECT_EQ(recorder.recording, 1);
    EXPECT_TRUE(host.waveInput.started);
    EXPECT_EQ(sound.sampleCount(), kRecordBlockSamples);
}

// The sound system ends the recording: what came in is kept, its message shows once, and
// nothing the device reports afterwards changes the result.
TEST_F(RecordingTest, AnInterruptedRecordingKeepsWhatCameInAndSaysSoOnce) {
    Start();
    Feed(5, 700);
    host.waveInput.Interrupt();

    const std::vector<std::uint32_t> returned = TakeReturnedBuffers();
    ASSERT_EQ(returned, std::vector<std::uint32_t>{recorder.bufferId});
    EXPECT_EQ(FinishFullRecording(recorder, host.services, sound, returned[0]),
              RecordingEnd::Interrupted);
    ExpectIdleWithNothingOpen();
    EXPECT_EQ(sound.samples, std::vector<std::int16_t>(5, 700));
    ASSERT_EQ(host.messageBoxes.shown.size(), 1u);
    EXPECT_EQ(host.messageBoxes.shown[0].text,
              "The recording was interrupted by the sound system.");
    EXPECT_EQ(host.messageBoxes.shown[0].caption, "Error");

    EXPECT_EQ(FinishFullRecording(recorder, host.services, sound, returned[0]), RecordingEnd::None);
    StopRecording(recorder, host.services, sound);
    EXPECT_EQ(host.messageBoxes.shown.size(), 1u);
    EXPECT_EQ(sound.sampleCount(), 5u);

    // The next recording starts afresh, not interrupted.
    Start();
    Feed(kRecordBlockSamples, 1);
    ASSERT_EQ(TakeReturnedBuffers().size(), 1u);
    EXPECT_EQ(FinishFullRecording(recorder, host.services, sound, recorder.bufferId),
              RecordingEnd::Full);
}

}  // namespace
}  // namespace marvolin::audio
