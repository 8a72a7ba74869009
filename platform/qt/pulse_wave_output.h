#pragma once

#include <pulse/pulseaudio.h>

#include <QObject>
#include <QTimer>
#include <cstdint>
#include <span>
#include <string>

#include "platform/audio_devices.h"

namespace marvolin::platform::qt {

class MainWidget;
class PulseConnection;

// The output device on a playback stream of the sound server. The stream reads the caller's
// samples in place as the server asks for them; once the server has played them all (the
// stream is drained), or the stream fails (the server went away, or killed it), the buffer
// reaches the main widget's handler as a PlaybackDone message through the event queue.
class PulseWaveOutput : public WaveOutput {
  public:
    PulseWaveOutput(MainWidget& widget, PulseConnection& connection);
    ~PulseWaveOutput() override;
    PulseWaveOutput(const PulseWaveOutput&) = delete;
    PulseWaveOutput& operator=(const PulseWaveOutput&) = delete;

    // Device 0 is the system's default output; n is the server's n-th output.
    DeviceResult Open(int deviceNumber, std::uint32_t sampleRate) override;
    DeviceResult Prepare(std::span<const std::int16_t> samples) override;
    DeviceResult Write() override;
    DeviceResult Unprepare() override;
    // Stops the stream; a buffer not yet returned comes back with a (late) PlaybackDone.
    DeviceResult Reset() override;
    DeviceResult Close() override;
    std::uint32_t BufferId() const override { return bufferId_; }

    // What the stream keeps with the server ahead of what is heard. The whole sound is in
    // memory, so the buffer fills at once and the sound starts as soon as the server plays
    // it; Stop drops what is buffered. A long buffer only means that a program that cannot
    // refill in time on a busy machine still has 0.4 s in hand. (The stream does not ask the
    // server to shorten its own latency for it, which would make the server wake up more
    // often for nothing.)
    static constexpr int kBufferMilliseconds = 400;
    // How much the server asks for at a time once the stream runs. Left to the server, a
    // quarter of the buffer (0.1 s): PipeWire then runs the stream in its longest cycles, and
    // a loaded machine heard the first sound up to 64 ms after Play, with rare short gaps.
    static constexpr int kRequestMilliseconds = 20;
    // Beyond the sound's length: a stream that has not finished by then is taken as done, so
    // that a stalled server cannot keep the program playing.
    static constexpr int kStallMarginMilliseconds = 5000;

  private:
    // Mainloop-thread callbacks.
    static void OnStreamState(pa_stream* stream, void* userdata);
    static void OnWritable(pa_stream* stream, std::size_t bytes, void* userdata);
    static void OnDrained(pa_stream* stream, int success, void* userdata);
    // Tells the GUI thread that the stream of write `write` is over.
    void PostEnded(std::uint64_t write);
    void OnEnded(std::uint64_t write);
    void ReturnBuffer();
    void StopStream();

    MainWidget& widget_;
    PulseConnection& connection_;
    std::string sinkName_;  // "" for the default output
    std::uint32_t sampleRate_ = 0;
    std::span<const std::int16_t> samples_;
    QTimer returnTimer_;
    bool open_ = false;
    bool prepared_ = false;
    bool awaitingDone_ = false;
    std::uint32_t bufferId_ = 0;
    std::uint64_t writes_ = 0;
    // Under the connection's lock: touched by the server's thread too.
    pa_stream* stream_ = nullptr;
    pa_operation* drain_ = nullptr;
    std::size_t writtenBytes_ = 0;
    std::uint64_t streamWrite_ = 0;
    // Receives what the server's thread posts, on the GUI thread. Declared last so that it
    // goes first, taking any call still queued for it along.
    QObject receiver_;
};

}  // namespace marvolin::platform::qt
