#include "platform/qt/qt_wave_output.h"

#include <QAudioSink>
#include <QMediaDevices>
#include <QMetaObject>
#include <algorithm>
#include <climits>

#include "platform/qt/audio_device_choice.h"
#include "platform/qt/main_widget.h"

namespace marvolin::platform::qt {
namespace {

// Playing time of `bytes` of 16-bit mono samples, in milliseconds, plus `margin`.
int PlayingMilliseconds(qint64 bytes, int sampleRate, int margin) {
    const qint64 milliseconds = std::max<qint64>(bytes, 0) / 2 * 1000 / sampleRate + margin;
    return static_cast<int>(std::min<qint64>(milliseconds, INT_MAX));
}

}  // namespace

QtWaveOutput::QtWaveOutput(MainWidget& widget) : widget_(widget) {
    returnTimer_.setSingleShot(true);
    QObject::connect(&returnTimer_, &QTimer::timeout, &receiver_, [this] {
        if (awaitingDone_) {
            ReturnBuffer();
        }
    });
}

QtWaveOutput::~QtWaveOutput() {
    if (sink_) {
        QObject::disconnect(sink_.get(), nullptr, &receiver_, nullptr);
        sink_->stop();
        sink_.reset();
    }
}

DeviceResult QtWaveOutput::Open(int deviceNumber, std::uint32_t sampleRate) {
    if (open_) {
        return DeviceResult::Allocated;
    }
    const DeviceResult chosen = ChooseAudioDevice(QMediaDevices::audioOutputs(), deviceNumber,
                                                  sampleRate, device_, format_);
    if (chosen != DeviceResult::Ok) {
        return chosen;
    }
    open_ = true;
    return DeviceResult::Ok;
}

DeviceResult QtWaveOutput::Prepare(std::span<const std::int16_t> samples) {
    if (!open_) {
        return DeviceResult::InvalidHandle;
    }
    if (awaitingDone_) {
        return DeviceResult::StillPlaying;
    }
    StopSink();
    reader_.close();
    bytes_ = QByteArray::fromRawData(reinterpret_cast<const char*>(samples.data()),
                                     static_cast<qsizetype>(samples.size_bytes()));
    reader_.setBuffer(&bytes_);
    prepared_ = true;
    ++bufferId_;
    return DeviceResult::Ok;
}

DeviceResult QtWaveOutput::Write() {
    if (!open_ || !prepared_) {
        return DeviceResult::InvalidHandle;
    }
    if (awaitingDone_) {
        return DeviceResult::StillPlaying;
    }
    StopSink();
    reader_.close();
    if (!reader_.open(QIODevice::ReadOnly)) {
        return DeviceResult::Error;
    }
    if (bytes_.isEmpty()) {
        // Nothing to play: the buffer is done at once.
        awaitingDone_ = true;
        ReturnBuffer();
        return DeviceResult::Ok;
    }

    sink_ = std::make_unique<QAudioSink>(device_, format_);
    const std::uint64_t write = ++writes_;
    QObject::connect(sink_.get(), &QAudioSink::stateChanged, &receiver_,
                     [this, write](QAudio::State state) { OnSinkStateChanged(write, state); });
    sink_->start(&reader_);
    if (sink_->state() == QAudio::StoppedState || sink_->error() != QAudio::NoError) {
        StopSink();
        reader_.close();
        return DeviceResult::Error;
    }
    awaitingDone_ = true;
    returnTimer_.start(
        PlayingMilliseconds(bytes_.size(), format_.sampleRate(), kStallMarginMilliseconds));
    return DeviceResult::Ok;
}

void QtWaveOutput::OnSinkStateChanged(std::uint64_t write, QAudio::State state) {
    // A signal still queued from an earlier write changes nothing.
    if (!awaitingDone_ || write != writes_) {
        return;
    }
    if (state == QAudio::IdleState && reader_.atEnd() && sink_) {
        // Every sample has gone to the server; the buffer is done once it has played what it
        // still holds. (Idle before the end of the data is an underrun: the sink goes on.)
        const qint64 held = sink_->bufferSize() - sink_->bytesFree();
        returnTimer_.start(
            PlayingMilliseconds(held, format_.sampleRate(), kDrainMarginMilliseconds));
    } else if (state == QAudio::StoppedState) {
        // Only Reset and Close stop the sink on purpose, and they hand the buffer back first:
        // a sink that stops by itself has failed (the server went away, say).
        ReturnBuffer();
    }
}

DeviceResult QtWaveOutput::Unprepare() {
    if (!open_) {
        return DeviceResult::InvalidHandle;
    }
    if (awaitingDone_ || (sink_ && sink_->state() == QAudio::ActiveState)) {
        return DeviceResult::StillPlaying;
    }
    StopSink();
    reader_.close();
    bytes_ = QByteArray();
    prepared_ = false;
    return DeviceResult::Ok;
}

DeviceResult QtWaveOutput::Reset() {
    if (!open_) {
        return DeviceResult::InvalidHandle;
    }
    if (awaitingDone_) {
        ReturnBuffer();
    }
    StopSink();
    return DeviceResult::Ok;
}

DeviceResult QtWaveOutput::Close() {
    if (!open_) {
        return DeviceResult::InvalidHandle;
    }
    if (awaitingDone_) {
        ReturnBuffer();
    }
    StopSink();
    reader_.close();
    bytes_ = QByteArray();
    prepared_ = false;
    open_ = false;
    device_ = QAudioDevice();
    return DeviceResult::Ok;
}

void QtWaveOutput::ReturnBuffer() {
    awaitingDone_ = false;
    returnTimer_.stop();
    const std::uint32_t bufferId = bufferId_;
    QMetaObject::invokeMethod(
        &widget_,
        [widget = &widget_, bufferId] {
            widget->Deliver({.kind = MessageKind::PlaybackDone, .bufferId = bufferId});
        },
        Qt::QueuedConnection);
}

void QtWaveOutput::StopSink() {
    returnTimer_.stop();
    if (!sink_) {
        return;
    }
    QObject::disconnect(sink_.get(), nullptr, &receiver_, nullptr);
    sink_->stop();
    // Deleted from the event loop: taking a sink down may process events, which must not
    // happen in the middle of the program's own calls.
    sink_.release()->deleteLater();
}

}  // namespace marvolin::platform::qt
