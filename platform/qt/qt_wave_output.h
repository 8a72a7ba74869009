#pragma once

#include <QAudio>
#include <QAudioDevice>
#include <QAudioFormat>
#include <QBuffer>
#include <QByteArray>
#include <QObject>
#include <QTimer>
#include <memory>

#include "platform/audio_devices.h"

class QAudioSink;

namespace marvolin::platform::qt {

class MainWidget;

// The output device on a QAudioSink. The sink reads the caller's samples in place; the end
// of the buffer reaches the main widget's handler as a PlaybackDone message through the
// event queue. The sink turns idle once it has handed the last sample to the sound server,
// which still holds the tail of the sound; the buffer is done once that tail has played too.
// A sink that fails is done at once.
class QtWaveOutput : public WaveOutput {
  public:
    explicit QtWaveOutput(MainWidget& widget);
    ~QtWaveOutput() override;
    QtWaveOutput(const QtWaveOutput&) = delete;
    QtWaveOutput& operator=(const QtWaveOutput&) = delete;

    // Device numbers are positions in QMediaDevices::audioOutputs().
    DeviceResult Open(int deviceNumber, std::uint32_t sampleRate) override;
    DeviceResult Prepare(std::span<const std::int16_t> samples) override;
    DeviceResult Write() override;
    DeviceResult Unprepare() override;
    // Stops the sink; a buffer not yet returned comes back with a (late) PlaybackDone.
    DeviceResult Reset() override;
    DeviceResult Close() override;
    std::uint32_t BufferId() const override { return bufferId_; }

    // Beyond the sound's length: a sink that has not reported the end by then is taken as
    // done, so that a stalled server cannot keep the program playing.
    static constexpr int kStallMarginMilliseconds = 5000;
    // Beyond the time the server needs for what it still holds: its own output latency.
    static constexpr int kDrainMarginMilliseconds = 200;

  private:
    // `write` tells which Write the signalling sink was started by.
    void OnSinkStateChanged(std::uint64_t write, QAudio::State state);
    // Hands the written buffer back: posts its PlaybackDone, once.
    void ReturnBuffer();
    // Stops the sink and lets it go; it no longer reads the samples.
    void StopSink();

    MainWidget& widget_;
    QAudioDevice device_;
    QAudioFormat format_;
    std::unique_ptr<QAudioSink> sink_;  // one per written buffer
    QByteArray bytes_;                  // the caller's samples, not copied
    QBuffer reader_;
    QTimer returnTimer_;  // when the written buffer is handed back at the latest
    bool open_ = false;
    bool prepared_ = false;
    bool awaitingDone_ = false;  // written and not yet handed back
    std::uint32_t bufferId_ = 0;
    std::uint64_t writes_ = 0;
    // Receives the sink's and the timer's signals on the GUI thread (the sink may signal from
    // the sound server's thread). Declared last so that it goes first, taking any signal
    // still queued for it along.
    QObject receiver_;
};

}  // namespace marvolin::platform::qt
