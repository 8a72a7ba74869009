#pragma once

#include <QAudio>
#include <QAudioDevice>
#include <QAudioFormat>
#include <QIODevice>
#include <QObject>
#include <QPointer>
#include <memory>

#include "platform/audio_devices.h"

class QAudioSource;

namespace marvolin::platform::qt {

class MainWidget;

// The input device on a QAudioSource. The source's samples are read straight into the
// caller's buffer, on the GUI thread, as the source announces them. A full buffer, a source
// that fails (the sound server went away, say), and Stop or Reset with the buffer still
// queued each hand the buffer back: a RecordBufferReturned message reaches the main
// widget's handler through the event queue, once per buffer.
class QtWaveInput : public WaveInput {
  public:
    explicit QtWaveInput(MainWidget& widget);
    ~QtWaveInput() override;
    QtWaveInput(const QtWaveInput&) = delete;
    QtWaveInput& operator=(const QtWaveInput&) = delete;

    // Device numbers are positions in QMediaDevices::audioInputs(); a number beyond them
    // answers BadDevice.
    DeviceResult Open(int deviceNumber, std::uint32_t sampleRate) override;
    DeviceResult Prepare(std::span<std::int16_t> buffer) override;
    DeviceResult AddBuffer() override;
    DeviceResult Start() override;
    // Reads what the source still holds, then stops it.
    DeviceResult Stop() override;
    DeviceResult Reset() override;
    // StillPlaying while the buffer is queued.
    DeviceResult Unprepare() override;
    // Stops everything; a buffer still queued is handed back first.
    DeviceResult Close() override;
    std::size_t RecordedBytes() const override { return recordedBytes_; }
    std::uint32_t BufferId() const override { return bufferId_; }

  private:
    // Moves what the source holds into the buffer; a full buffer is handed back.
    void Drain();
    void OnSourceStateChanged(std::uint64_t start, QAudio::State state);
    // Posts the queued buffer's RecordBufferReturned, once.
    void ReturnBuffer();
    // Stops the source and lets it go; it no longer writes anywhere.
    void StopSource();

    MainWidget& widget_;
    QAudioDevice device_;
    QAudioFormat format_;
    std::unique_ptr<QAudioSource> source_;  // one per Start
    // The source's own reader; the source deletes it when it stops, also by itself.
    QPointer<QIODevice> reader_;
    std::span<std::int16_t> buffer_;
    std::size_t recordedBytes_ = 0;
    bool open_ = false;
    bool prepared_ = false;
    bool queued_ = false;
    std::uint32_t bufferId_ = 0;
    std::uint64_t starts_ = 0;
    // Receives the source's signals on the GUI thread. Declared last so that it goes first,
    // taking any signal still queued for it along.
    QObject receiver_;
};

}  // namespace marvolin::platform::qt
