// Drives playback through the Qt output device against whatever sound server the environment
// names, and analyses what a recorder captured. run_pulse_playback_test.sh sets the stage.
//
//   pulse_playback_probe play        plays 1 s of a 440 Hz sine until the device is done
//   pulse_playback_probe stop        plays the same sine and stops it after 0.3 s
//   pulse_playback_probe server-lost PID
//                                    plays the sine and kills the server PID after 0.3 s
//   pulse_playback_probe no-server   expects the device not to open
//   pulse_playback_probe killed      plays 20 s of sine and has the server kill the stream
//   pulse_playback_probe reconnect PID
//                                    plays, kills the server PID, and then asks to play every
//                                    0.1 s until the server (started again by the script)
//                                    plays; prints how long that first Play took
//   pulse_playback_probe latency MONITOR FILE RUNS
//                                    plays the 22050 Hz WAV FILE RUNS times while listening to
//                                    the sink's MONITOR; prints the time from each Play to the
//                                    first sound heard and the longest gap in its first 0.2 s
//   pulse_playback_probe late-server asks to play every 0.1 s until a server started after
//                                    the probe plays
//   pulse_playback_probe analyse FILE RATE MIN_SECONDS MAX_SECONDS
//                                    checks a raw s16le mono capture for that sine: its
//                                    length, level and pitch (MIN_SECONDS 0: may be silent)
//
// Exit status 0 when every check holds, 1 otherwise.

#include <QApplication>
#include <QElapsedTimer>
#include <cmath>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <numbers>
#include <string>
#include <vector>

#include <sys/types.h>

#include "audio/playback.h"
#include "formats/wav.h"
#include "monitor_listener.h"
#include "platform/headless/headless_platform.h"
#include "platform/qt/main_widget.h"
#include "platform/qt/pulse_connection.h"
#include "platform/qt/pulse_wave_output.h"
#include "probe_support.h"

namespace {

using namespace marvolin;
using namespace marvolin::probe;

constexpr std::uint32_t kRate = 22050;
constexpr double kFrequency = 440.0;
constexpr double kAmplitude = 16000.0;
constexpr int kDoneTimeoutMilliseconds = 15000;

std::vector<std::int16_t> OneSecondOfSine() {
    std::vector<std::int16_t> samples(kRate);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double phase = 2.0 * std::numbers::pi * kFrequency * double(i) / double(kRate);
        samples[i] = static_cast<std::int16_t>(kAmplitude * std::sin(phase));
    }
    return samples;
}

// The program's side: the handler that hands done notifications to FinishPlayback.
class PlaybackStage : public platform::MessageSink {
  public:
    PlaybackStage() : output(widget, connection) {
        widget.SetSink(this);
        sound.Install(OneSecondOfSine());
        sound.sampleRate = kRate;
    }
    ~PlaybackStage() override { widget.SetSink(nullptr); }

    void Handle(const platform::Message& message) override {
        if (message.kind == platform::MessageKind::PlaybackDone) {
            doneBuffers.push_back(message.bufferId);
            audio::FinishPlayback(playback, services, message.bufferId, draw);
        }
    }

    void Start(audio::FailureReport report = audio::FailureReport::Message) {
        audio::StartPlayback(playback, services, sound, 0, draw, report);
    }

    platform::qt::MainWidget widget;
    platform::qt::PulseConnection connection;
    platform::qt::PulseWaveOutput output;
    platform::headless::HeadlessPlatform host;
    platform::Platform services{host.messageBoxes, host.cursor, host.window,    host.fileDialogs,
                                host.timers,       output,      host.waveInput, host.audioDevices,
                                host.textRenderer, host.dialogs};
    formats::SoundBuffer sound;
    audio::Playback playback;
    std::vector<std::uint16_t> drawn;
    std::vector<std::uint32_t> doneBuffers;
    audio::DrawPlayButton draw = [this](std::uint16_t bitmap) { drawn.push_back(bitmap); };
};

const std::vector<std::uint16_t> kStopThenPlay{audio::kStopBitmap, audio::kPlayBitmap};

int Play() {
    PlaybackStage stage;
    QElapsedTimer clock;
    clock.start();
    stage.Start();
    Check(stage.playback.playing == 1, "playback starts");
    Check(stage.host.messageBoxes.shown.empty(), "no message on start");
    const std::uint32_t buffer = stage.playback.bufferId;

    RunUntil([&] { return stage.playback.playing == 0; }, kDoneTimeoutMilliseconds);
    const qint64 heard = clock.elapsed();
    std::fprintf(stderr, "done after %lld ms\n", static_cast<long long>(heard));
    Check(stage.playback.playing == 0, "the device reports the end of the sound");
    Wait(300);  // a second notification would arrive meanwhile

    Check(stage.doneBuffers == std::vector<std::uint32_t>{buffer}, "exactly one done, for it");
    Check(stage.drawn == kStopThenPlay, "Stop then Play drawn");
    Check(stage.host.messageBoxes.shown.empty(), "no message");
    return Result();
}

int Stop() {
    PlaybackStage stage;
    stage.Start();
    Check(stage.playback.playing == 1, "playback starts");
    const std::uint32_t buffer = stage.playback.bufferId;
    Wait(300);
    Check(stage.playback.playing == 1, "still playing after 0.3 s");

    audio::StopPlayback(stage.playback, stage.services, stage.draw);
    Check(stage.playback.playing == 0, "stopped at once");
    RunUntil([&] { return !stage.doneBuffers.empty(); }, kDoneTimeoutMilliseconds);
    // Long enough for the rest of the sound to be heard, had the device gone on playing.
    Wait(3000);

    Check(stage.doneBuffers == std::vector<std::uint32_t>{buffer}, "the late done arrives once");
    Check(stage.playback.playing == 0, "the late done changes nothing");
    Check(stage.drawn == kStopThenPlay, "Stop then Play drawn");
    return Result();
}

// The server goes away while the sound plays: the playback must still come to an end.
int ServerLost(pid_t server) {
    PlaybackStage stage;
    stage.Start();
    Check(stage.playback.playing == 1, "playback starts");
    Wait(300);
    Check(::kill(server, SIGKILL) == 0, "the server is killed");

    RunUntil([&] { return stage.playback.playing == 0; }, kDoneTimeoutMilliseconds);
    Check(stage.playback.playing == 0, "the playback ends without its server");
    Check(stage.drawn == kStopThenPlay, "Stop then Play drawn");
    return Result();
}

int NoServer() {
    PlaybackStage stage;
    stage.Start();
    Check(stage.playback.playing == 0, "no playing state without a server");
    Check(stage.drawn.empty(), "the Play button keeps its picture");
    const auto& shown = stage.host.messageBoxes.shown;
    Check(shown.size() == 1 && shown[0].text == "Unable to open sound driver !" &&
              shown[0].caption == "Error" && shown[0].icon == platform::MessageIcon::Error,
          "the driver message is shown");
    Wait(300);
    Check(stage.playback.playing == 0 && stage.drawn.empty(), "nothing happens afterwards");
    return Result();
}

// A stream the server kills ends the playback at once, not after the sound's length.
int Killed() {
    PlaybackStage stage;
    // Far longer than an end caused by the kill can take, even on a loaded machine.
    stage.sound.Install(std::vector<std::int16_t>(kRate * 20, 8000));
    stage.Start();
    Check(stage.playback.playing == 1, "playback starts");
    Wait(300);
    QElapsedTimer clock;
    clock.start();
    Check(KillOwnStream(true, clock), "the server kills the stream");
    RunUntil([&] { return stage.playback.playing == 0; }, kDoneTimeoutMilliseconds);
    std::fprintf(stderr, "idle %lld ms after the kill\n", static_cast<long long>(clock.elapsed()));
    Check(stage.playback.playing == 0 && clock.elapsed() < 3000, "the playback ends at once");
    Check(stage.drawn == kStopThenPlay, "Stop then Play drawn");
    Check(stage.host.messageBoxes.shown.empty(), "no message");
    stage.Start();
    Check(stage.playback.playing == 1, "the next Play plays");
    return Result();
}

// Asks to play every 0.1 s, silently, for at most `seconds`; true once it plays.
bool PlayWhenTheServerAnswers(PlaybackStage& stage, int seconds) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < seconds * 1000) {
        QElapsedTimer call;
        call.start();
        stage.Start(audio::FailureReport::Silent);
        if (stage.playback.playing == 1) {
            std::fprintf(stderr, "the first Play after the server came back took %.1f ms\n",
                         double(call.nsecsElapsed()) / 1e6);
            return true;
        }
        Wait(100);
    }
    return false;
}

int Reconnect(pid_t server) {
    PlaybackStage stage;
    stage.Start();
    Check(stage.playback.playing == 1, "playback starts");
    RunUntil([&] { return stage.playback.playing == 0; }, kDoneTimeoutMilliseconds);
    Check(::kill(server, SIGKILL) == 0, "the server is killed");
    Wait(500);
    stage.Start();
    Check(stage.playback.playing == 0, "no playback without a server");
    Check(stage.host.messageBoxes.shown.size() == 1, "the driver message");
    Check(PlayWhenTheServerAnswers(stage, 30), "the server is found again");
    RunUntil([&] { return stage.playback.playing == 0; }, kDoneTimeoutMilliseconds);
    Check(stage.doneBuffers.size() == 2, "and plays to the end");
    return Result();
}

int LateServer() {
    PlaybackStage stage;
    Check(PlayWhenTheServerAnswers(stage, 30), "a server started later is found");
    RunUntil([&] { return stage.playback.playing == 0; }, kDoneTimeoutMilliseconds);
    Check(stage.playback.playing == 0, "and the sound plays to the end");
    return Result();
}

int Latency(const std::string& monitor, const std::string& file, int runs) {
    PlaybackStage stage;
    formats::InstallLoaded(stage.sound, formats::LoadWav(file));
    Check(stage.sound.sampleCount() > 0 && stage.sound.sampleRate == MonitorListener::kRate,
          "the sound is 22050 Hz");
    MonitorListener listener(monitor);
    Check(listener.ready(), "the monitor is heard");
    if (Result() != 0) {
        return Result();
    }
    std::vector<double> clicks;
    double longestGap = 0.0;
    int runsWithGaps = 0;
    // Run 0 is not counted: a null sink that was idle lets the first stream wait for the
    // long block it is rendering, which no sound card does.
    for (int run = 0; run <= runs; ++run) {
        Wait(400);
        listener.Clear();
        Wait(100);
        const auto clicked = MonitorListener::Clock::now();
        stage.Start();
        MonitorListener::Clock::time_point heard;
        std::size_t gap = 0;
        const bool sounded = RunUntil(
            [&] {
                return listener.Onset(2000, MonitorListener::kRate / 5, heard, gap) &&
                       MonitorListener::Clock::now() - heard > std::chrono::milliseconds(250);
            },
            3000);
        audio::StopPlayback(stage.playback, stage.services, stage.draw);
        Check(sounded, "the sound is heard");
        if (!sounded) {
            continue;
        }
        const double click = std::chrono::duration<double, std::milli>(heard - clicked).count();
        const double gapMs = 1000.0 * double(gap) / MonitorListener::kRate;
        if (run == 0) {
            continue;
        }
        clicks.push_back(click);
        longestGap = std::max(longestGap, gapMs);
        runsWithGaps += gapMs >= 2.0 ? 1 : 0;
        std::fprintf(
            stderr, "run %d: click to sound %.1f ms, longest gap %.1f ms (ending %.1f ms in)\n",
            run, click, gapMs, 1000.0 * double(listener.gapEnd()) / MonitorListener::kRate);
    }
    if (!clicks.empty()) {
        std::sort(clicks.begin(), clicks.end());
        std::printf(
            "click to sound: min %.1f ms, median %.1f ms, max %.1f ms; gaps of 2 ms or "
            "more in %d of %zu runs (longest %.1f ms)\n",
            clicks.front(), clicks[clicks.size() / 2], clicks.back(), runsWithGaps, clicks.size(),
            longestGap);
    }
    return Result();
}

int Analyse(const std::string& file, double rate, double minSeconds, double maxSeconds) {
    std::ifstream in(file, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
    std::vector<std::int16_t> samples(bytes.size() / 2);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<std::int16_t>(static_cast<std::uint8_t>(bytes[2 * i]) |
                                               (static_cast<std::uint8_t>(bytes[2 * i + 1]) << 8));
    }
    // The sounding part: from the first to the last sample well above the noise floor.
    constexpr int kThreshold = 2000;
    std::size_t first = samples.size();
    std::size_t last = 0;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        if (std::abs(samples[i]) > kThreshold) {
            first = std::min(first, i);
            last = i;
        }
    }
    if (first >= samples.size()) {
        std::fprintf(stderr, "nothing heard in %zu captured samples\n", samples.size());
        Check(minSeconds <= 0.0, "something heard");
        return Result();
    }
    double energy = 0.0;
    int crossings = 0;
    for (std::size_t i = first; i <= last; ++i) {
        energy += double(samples[i]) * double(samples[i]);
        if (i > first && (samples[i - 1] < 0) != (samples[i] < 0)) {
            ++crossings;
        }
    }
    const double count = double(last - first + 1);
    const double seconds = count / rate;
    const double level =
        20.0 * std::log10(std::sqrt(energy / count) / (kAmplitude / std::sqrt(2.0)));
    const double frequency = crossings / 2.0 / seconds;
    std::fprintf(stderr, "heard %.3f s, level %+.2f dB, %.1f Hz\n", seconds, level, frequency);
    Check(seconds >= minSeconds && seconds <= maxSeconds, "length of the sound heard");
    Check(std::abs(level) <= 3.0, "level of the sound heard");
    Check(std::abs(frequency - kFrequency) <= kFrequency * 0.05, "pitch of the sound heard");
    return Result();
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "analyse" && argc == 6) {
        return Analyse(argv[2], std::stod(argv[3]), std::stod(argv[4]), std::stod(argv[5]));
    }
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    if (mode == "play") {
        return Play();
    }
    if (mode == "stop") {
        return Stop();
    }
    if (mode == "server-lost" && argc == 3) {
        return ServerLost(static_cast<pid_t>(std::stol(argv[2])));
    }
    if (mode == "no-server") {
        return NoServer();
    }
    if (mode == "killed") {
        return Killed();
    }
    if (mode == "reconnect" && argc == 3) {
        return Reconnect(static_cast<pid_t>(std::stol(argv[2])));
    }
    if (mode == "latency" && argc == 5) {
        return Latency(argv[2], argv[3], std::stoi(argv[4]));
    }
    if (mode == "late-server") {
        return LateServer();
    }
    std::fprintf(stderr,
                 "usage: %s play | stop | server-lost PID | no-server | killed | reconnect PID | "
                 "latency MONITOR FILE RUNS | late-server | analyse FILE RATE MIN MAX\n",
                 argv[0]);
    return 2;
}
