#pragma once

#include <pulse/pulseaudio.h>

#include <QObject>
#include <atomic>
#include <cstdint>
#include <span>
#include <string>

#include "platform/audio_devices.h"

namespace marvolin::platform::qt {

class MainWidget;
class PulseConnection;

// The input device on a record stream of the sound server. What the server delivers is
// copied straight into the caller's buffer on the server's thread. A full buffer, a stream
// that fails (the server went away, or killed it), and Stop or Reset with the buffer still
// queued each hand the buffer back: a RecordBufferReturned message reaches the main widget's
// handler through the event queue, once per buffer.
class PulseWaveInput : public WaveInput {
  public:
    PulseWaveInput(MainWidget& widget, PulseConnection& connection);
    ~PulseWaveInput() override;
    PulseWaveInput(const PulseWaveInput&) = delete;
    PulseWaveInput& operator=(const PulseWaveInput&) = delete;

    // Device 0 is the system's default input; n is the server's n-th input.
    DeviceResult Open(int deviceNumber, std::uint32_t sampleRate) override;
    DeviceResult Prepare(std::span<std::int16_t> buffer) override;
    DeviceResult AddBuffer() override;
    // Error when the server does not start the stream.
    DeviceResult Start() override;
    DeviceResult Stop() override;
    DeviceResult Reset() override;
    DeviceResult Unprepare() override;
    DeviceResult Close() override;
    std::size_t RecordedBytes() const override { return recordedBytes_.load(); }
    std::uint32_t BufferId() const override { return bufferId_; }
    bool Interrupted() const override { return interrupted_.load(); }

    // How often the server hands over what it recorded.
    static constexpr int kFragmentMilliseconds = 20;

  private:
    static void OnStreamState(pa_stream* stream, void* userdata);
    static void OnReadable(pa_stream* stream, std::size_t bytes, void* userdata);
    // Mainloop thread: the buffer is full, or the stream is over.
    void PostReturn(std::uint64_t start);
    void OnReturn(std::uint64_t start);
    void ReturnBuffer();
    void StopStream();

    MainWidget& widget_;
    PulseConnection& connection_;
    std::string sourceName_;  // "" for the default input
    std::uint32_t sampleRate_ = 0;
    bool open_ = false;
    bool prepared_ = false;
    std::uint32_t bufferId_ = 0;
    std::uint64_t starts_ = 0;
    std::atomic<std::size_t> recordedBytes_ = 0;
    std::atomic<bool> interrupted_ = false;
    // Under the connection's lock: touched by the server's thread too.
    std::span<std::int16_t> buffer_;
    bool queued_ = false;
    bool returnPosted_ = false;
    pa_stream* stream_ = nullptr;
    std::uint64_t streamStart_ = 0;
    // Receives what the server's thread posts, on the GUI thread. Declared last so that it
    // goes first, taking any call still queued for it along.
    QObject receiver_;
};

}  // namespace marvolin::platform::qt
