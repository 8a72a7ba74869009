// Drives recording through the Qt input device against whatever sound server the environment
// names. run_pulse_recording_test.sh sets the stage: a null sink whose monitor, remapped to
// mono, is the server's default source, so that whatever plays to the sink is what a
// microphone would hear.
//
//   pulse_recording_probe record SOURCE SINK FED.wav
//                         records at 22050 Hz from the input device described as SOURCE while
//                         paplay plays FED.wav to SINK, stops, trims the silence and checks
//                         that the recording holds the fed sound
//   pulse_recording_probe full-buffer SOURCE
//                         fills a half-second buffer: it comes back once, full
//   pulse_recording_probe server-lost SOURCE PID
//                         records and kills the server PID: the recording still ends
//   pulse_recording_probe killed SOURCE
//                         records and has the server kill the stream: the recording ends
//                         at once with what it holds and its own message, once
//   pulse_recording_probe unavailable
//                         a device number beyond the list gives the driver message and
//                         keeps the sound
//
// Exit status 0 when every check holds, 1 otherwise.

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include <sys/types.h>

#include "audio/recording.h"
#include "audio/silence_trimming.h"
#include "formats/wav.h"
#include "platform/headless/headless_platform.h"
#include "platform/qt/main_widget.h"
#include "platform/qt/pulse_connection.h"
#include "platform/qt/pulse_wave_input.h"
#include "platform/qt/qt_audio_device_list.h"
#include "probe_support.h"

namespace {

using namespace marvolin;
using namespace marvolin::probe;

constexpr std::int32_t kRate22050Setting = 4;
constexpr double kRate = 22050.0;
// What the remapped monitor holds back at most: its first samples arrive this late.
constexpr double kSourceLatencySeconds = 2.0;
// Bounds for waiting on the server: generous, as a loaded machine can be slow to answer.
constexpr int kServerTimeoutMilliseconds = 15000;
constexpr int kAtOnceMilliseconds = 3000;

// The position of the input device with that description, or -1.
int InputPosition(const std::string& description) {
    platform::qt::PulseConnection connection;
    const std::vector<std::string> inputs =
        platform::qt::QtAudioDeviceList(connection).InputDeviceNames();
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        std::fprintf(stderr, "input %zu: %s\n", i, inputs[i].c_str());
        if (i > 0 && inputs[i] == description) {
            return int(i);
        }
    }
    return -1;
}

// The program's side: the handler that hands returned buffers to FinishFullRecording.
class RecordingStage : public platform::MessageSink {
  public:
    RecordingStage() : input(widget, connection) { widget.SetSink(this); }
    ~RecordingStage() override { widget.SetSink(nullptr); }

    void Handle(const platform::Message& message) override {
        if (message.kind == platform::MessageKind::RecordBufferReturned) {
            returnedBuffers.push_back(message.bufferId);
            audio::FinishFullRecording(recorder, services, sound, message.bufferId);
        }
    }

    void Start(int deviceNumber) {
        audio::StartRecording(recorder, services, sound, kRate22050Setting, deviceNumber, {});
    }
    void Stop() { audio::StopRecording(recorder, services, sound); }

    platform::qt::MainWidget widget;
    platform::qt::PulseConnection connection;
    platform::qt::PulseWaveInput input;
    platform::headless::HeadlessPlatform host;
    platform::Platform services{host.messageBoxes, host.cursor,     host.window, host.fileDialogs,
                                host.timers,       host.waveOutput, input,       host.audioDevices,
                                host.textRenderer, host.dialogs};
    formats::SoundBuffer sound;
    audio::Recorder recorder;
    std::vector<std::uint32_t> returnedBuffers;
};

double Rms(const std::vector<std::int16_t>& samples, std::size_t from, std::size_t count) {
    double energy = 0.0;
    for (std::size_t i = from; i < from + count; ++i) {
        energy += double(samples[i]) * double(samples[i]);
    }
    return std::sqrt(energy / double(std::max<std::size_t>(count, 1)));
}

// The normalised correlation of `fed` with `recorded` at the best offset near `guess`.
double BestCorrelation(const std::vector<std::int16_t>& fed,
                       const std::vector<std::int16_t>& recorded, long guess, long* bestOffset) {
    constexpr long kSearch = 2205;  // 0.1 s either way
    const double fedRms = Rms(fed, 0, fed.size());
    double best = -1.0;
    for (long offset = guess - kSearch; offset <= guess + kSearch; ++offset) {
        if (offset < 0 || offset + long(fed.size()) > long(recorded.size())) {
            continue;
        }
        double sum = 0.0;
        for (std::size_t i = 0; i < fed.size(); ++i) {
            sum += double(fed[i]) * double(recorded[offset + i]);
        }
        const double recordedRms = Rms(recorded, std::size_t(offset), fed.size());
        const double correlation = sum / double(fed.size()) / (fedRms * recordedRms + 1e-9);
        if (correlation > best) {
            best = correlation;
            *bestOffset = offset;
        }
    }
    return best;
}

int Record(const std::string& source, const std::string& sink, const std::string& fedPath) {
    const formats::SoundBuffer fed = formats::LoadWav(fedPath).sound;
    Check(fed.sampleCount() > 0 && fed.sampleRate == 22050, "the fed sound is 22050 Hz");
    const audio::VoiceSpan fedVoice = audio::FindVoice(fed.samples);

    RecordingStage stage;
    const int device = InputPosition(source);
    Check(device >= 0, "the voice source is an input device");
    QElapsedTimer clock;
    clock.start();
    stage.Start(device);
    Check(stage.recorder.recording == 1, "recording starts");
    Check(stage.host.messageBoxes.shown.empty(), "no message on start");
    Check(stage.sound.sampleRate == 22050, "recording at 22050 Hz");
    Wait(400);

    QProcess player;
    player.start(QStringLiteral("paplay"),
                 {QStringLiteral("--device=") + QString::fromStdString(sink),
                  QString::fromStdString(fedPath)});
    RunUntil([&] { return player.state() == QProcess::NotRunning; }, 30000);
    Check(player.exitStatus() == QProcess::NormalExit && player.exitCode() == 0, "paplay plays");
    // The virtual source delivers about a second late; the voice must be in before the stop.
    Wait(2000);
    const double seconds = double(clock.elapsed()) / 1000.0;

    stage.Stop();
    Check(stage.recorder.recording == 0, "recording stops");
    RunUntil([&] { return !stage.returnedBuffers.empty(); }, 5000);
    Wait(300);
    Check(stage.returnedBuffers.size() == 1, "the stopped buffer comes back once");
    const double recordedSeconds = double(stage.sound.sampleCount()) / kRate;
    std::fprintf(stderr, "recorded %.3f s in %.3f s\n", recordedSeconds, seconds);
    Check(recordedSeconds > seconds - kSourceLatencySeconds && recordedSeconds <= seconds + 0.05,
          "the recording lasts as long as the device ran, less the source's latency");

    stage.host.messageBoxes.answers = {platform::MessageAnswer::Ok};
    audio::TrimSilence(stage.host.messageBoxes, stage.sound);
    Check(stage.host.messageBoxes.shown.size() == 1 &&
              stage.host.messageBoxes.shown[0].buttons == platform::MessageButtons::OkCancel,
          "the trimming question is asked");
    const double trimmedSeconds = double(stage.sound.sampleCount()) / kRate;
    const double voiceSeconds = double(fedVoice.end - fedVoice.start) / kRate;
    std::fprintf(stderr, "voice %.3f s, fed voice %.3f s\n", trimmedSeconds, voiceSeconds);
    Check(std::abs(trimmedSeconds - voiceSeconds) < 0.05, "the voice is kept, the silence cut");

    // The trimmed recording starts about where the fed voice does.
    const std::vector<std::int16_t> voice(fed.samples.begin() + long(fedVoice.start),
                                          fed.samples.begin() + long(fedVoice.end));
    long offset = 0;
    const double correlation = BestCorrelation(voice, stage.sound.samples, 0, &offset);
    const double level =
        20.0 *
        std::log10(Rms(stage.sound.samples, std::size_t(offset),
                       std::min(voice.size(), stage.sound.samples.size() - std::size_t(offset))) /
                   Rms(voice, 0, voice.size()));
    std::fprintf(stderr, "correlation %.3f at %ld samples, level %+.2f dB\n", correlation, offset,
                 level);
    Check(correlation > 0.9, "the recording holds the fed sound");
    Check(std::abs(level) < 3.0, "at the fed sound's level");
    return Result();
}

int FullBuffer(const std::string& source) {
    RecordingStage stage;
    platform::qt::PulseWaveInput& input = stage.input;
    std::vector<std::int16_t> buffer(11025, 0x5555);
    const int device = InputPosition(source);
    using platform::DeviceResult;
    Check(input.Open(device, 22050) == DeviceResult::Ok, "open");
    Check(input.Prepare(buffer) == DeviceResult::Ok, "prepare");
    Check(input.AddBuffer() == DeviceResult::Ok, "add the buffer");
    Check(input.Start() == DeviceResult::Ok, "start");
    const std::uint32_t id = input.BufferId();
    // The stage is not recording: what comes back is only counted.
    const std::vector<std::uint32_t>& returned = stage.returnedBuffers;

    RunUntil([&] { return !returned.empty(); }, 5000);
    Check(returned == std::vector<std::uint32_t>{id}, "the full buffer comes back");
    Check(input.RecordedBytes() == buffer.size() * 2, "every sample recorded");
    Wait(500);  // the source is still running: nothing more may come
    Check(returned.size() == 1, "only once");
    Check(input.Stop() == DeviceResult::Ok && input.Reset() == DeviceResult::Ok &&
              input.Unprepare() == DeviceResult::Ok && input.Close() == DeviceResult::Ok,
          "the device closes");
    Wait(300);
    Check(returned.size() == 1, "still only once after the stop");
    Check(input.RecordedBytes() == buffer.size() * 2, "nothing written past the end");
    return Result();
}

int ServerLost(const std::string& source, pid_t server) {
    RecordingStage stage;
    stage.Start(InputPosition(source));
    Check(stage.recorder.recording == 1, "recording starts");
    Wait(500);
    Check(::kill(server, SIGKILL) == 0, "the server is killed");
    RunUntil([&] { return stage.recorder.recording == 0; }, 10000);
    Check(stage.recorder.recording == 0, "the recording ends without its server");
    Check(stage.sound.sampleCount() < audio::kRecordBlockSamples, "with what was recorded");
    return Result();
}

int Killed(const std::string& source) {
    RecordingStage stage;
    stage.Start(InputPosition(source));
    Check(stage.recorder.recording == 1, "recording starts");
    // Killed only once the server delivers: the stream is linked to its source by then.
    Check(RunUntil([&] { return stage.input.RecordedBytes() > 0; }, kServerTimeoutMilliseconds),
          "the source delivers");
    QElapsedTimer clock;
    clock.start();
    Check(KillOwnStream(false, clock), "the server kills the stream");
    RunUntil([&] { return stage.recorder.recording == 0; }, kServerTimeoutMilliseconds);
    std::fprintf(stderr, "ended %lld ms after the kill with %u samples\n",
                 static_cast<long long>(clock.elapsed()), stage.sound.sampleCount());
    // A full block would take 45 s: well apart from an end caused by the kill.
    Check(stage.recorder.recording == 0 && clock.elapsed() < kAtOnceMilliseconds,
          "the recording ends at once");
    Check(stage.sound.hasBlock && stage.sound.sampleCount() < audio::kRecordBlockSamples,
          "with what was recorded");
    Wait(500);
    const auto& shown = stage.host.messageBoxes.shown;
    Check(shown.size() == 1 &&
              shown[0].text == "The recording was interrupted by the sound system." &&
              shown[0].caption == "Error",
          "its message, once");
    return Result();
}

int Unavailable() {
    RecordingStage stage;
    stage.sound.Install({1, 2, 3});
    stage.Start(int(platform::qt::QtAudioDeviceList(stage.connection).InputDeviceNames().size()) +
                2);
    Check(stage.recorder.recording == 0, "no recording");
    Check(stage.sound.hasBlock && stage.sound.samples == std::vector<std::int16_t>{1, 2, 3},
          "the sound is kept");
    const auto& shown = stage.host.messageBoxes.shown;
    Check(shown.size() == 1 && shown[0].text == "Unable to open sound driver !" &&
              shown[0].caption == "Error",
          "the driver message is shown");
    Wait(300);
    Check(stage.returnedBuffers.empty(), "nothing comes back");
    return Result();
}

}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "record" && argc == 5) {
        return Record(argv[2], argv[3], argv[4]);
    }
    if (mode == "full-buffer" && argc == 3) {
        return FullBuffer(argv[2]);
    }
    if (mode == "server-lost" && argc == 4) {
        return ServerLost(argv[2], static_cast<pid_t>(std::stol(argv[3])));
    }
    if (mode == "killed" && argc == 3) {
        return Killed(argv[2]);
    }
    if (mode == "unavailable") {
        return Unavailable();
    }
    std::fprintf(stderr,
                 "usage: %s record SOURCE SINK FED.wav | full-buffer SOURCE | "
                 "server-lost SOURCE PID | killed SOURCE | unavailable\n",
                 argv[0]);
    return 2;
}
