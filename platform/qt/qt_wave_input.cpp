#include "platform/qt/qt_wave_input.h"

#include <QAudioSource>
#include <QIODevice>
#include <QMediaDevices>
#include <QMetaObject>

#include "platform/qt/audio_device_choice.h"
#include "platform/qt/main_widget.h"

namespace marvolin::platform::qt {

QtWaveInput::QtWaveInput(MainWidget& widget) : widget_(widget) {}

QtWaveInput::~QtWaveInput() {
    if (source_) {
        QObject::disconnect(source_.get(), nullptr, &receiver_, nullptr);
        source_->stop();
        source_.reset();
    }
}

DeviceResult QtWaveInput::Open(int deviceNumber, std::uint32_t sampleRate) {
    if (open_) {
        return DeviceResult::Allocated;
    }
    const DeviceResult chosen =
        ChooseAudioDevice(QMediaDevices::audioInputs(), deviceNumber, sampleRate, device_, format_);
    if (chosen != DeviceResult::Ok) {
        return chosen;
    }
    open_ = true;
    return DeviceResult::Ok;
}

DeviceResult QtWaveInput::Prepare(std::span<std::int16_t> buffer) {
    if (!open_) {
        return DeviceResult::InvalidHandle;
    }
    if (queued_) {
        return DeviceResult::StillPlaying;
    }
    buffer_ = buffer;
    recordedBytes_ = 0;
    prepared_ = true;
    ++bufferId_;
    return DeviceResult::Ok;
}

DeviceResult QtWaveInput::AddBuffer() {
    if (!open_) {
        return DeviceResult::InvalidHandle;
    }
    if (!prepared_ || queued_) {
        return DeviceResult::Error;
    }
    queued_ = true;
    return DeviceResult::Ok;
}

DeviceResult QtWaveInput::Start() {
    if (!open_) {
        return DeviceResult::InvalidHandle;
    }
    if (source_) {
        return DeviceResult::Ok;
    }
    source_ = std::make_unique<QAudioSource>(device_, format_);
    const std::uint64_t start = ++starts_;
    QObject::connect(source_.get(), &QAudioSource::stateChanged, &receiver_,
                     [this, start](QAudio::State state) { OnSourceStateChanged(start, state); });
    reader_ = source_->start();
    if (!reader_ || source_->state() == QAudio::StoppedState ||
        source_->error() != QAudio::NoError) {
        StopSource();
        return DeviceResult::Error;
    }
    QObject::connect(reader_, &QIODevice::readyRead, &receiver_, [this] { Drain(); });
    return DeviceResult::Ok;
}

void QtWaveInput::Drain() {
    if (!reader_ || !queued_) {
        return;
    }
    const std::size_t capacity = buffer_.size_bytes();
    while (recordedBytes_ < capacity) {
        char* free = reinterpret_cast<char*>(buffer_.data()) + recordedBytes_;
        const qint64 read = reader_->read(free, static_cast<qint64>(capacity - recordedBytes_));
        if (read <= 0) {
            break;
        }
        recordedBytes_ += static_cast<std::size_t>(read);
    }
    if (recordedBytes_ == capacity) {
        // The source goes on until the program stops it; nothing more is read meanwhile.
        ReturnBuffer();
    }
}

void QtWaveInput::OnSourceStateChanged(std::uint64_t start, QAudio::State state) {
    // A signal still queued from an earlier start changes nothing.
    if (start != starts_ || !source_) {
        return;
    }
    // Only Stop, Reset and Close stop the source on purpose, and they disconnect it first: a
    // source that stops by itself has failed, and the recording ends with what it holds.
    if (state == QAudio::StoppedState && queued_) {
        ReturnBuffer();
    }
}

DeviceResult QtWaveInput::Stop() {
    if (!open_) {
        return DeviceResult::InvalidHandle;
    }
    Drain();
    StopSource();
    if (queued_) {
        ReturnBuffer();
    }
    return DeviceResult::Ok;
}

DeviceResult QtWaveInput::Reset() {
    if (!open_) {
        return DeviceResult::InvalidHandle;
    }
    StopSource();
    if (queued_) {
        ReturnBuffer();
    }
    return DeviceResult::Ok;
}

DeviceResult QtWaveInput::Unprepare() {
    if (!open_) {
        return DeviceResult::InvalidHandle;
    }
    if (queued_) {
        return DeviceResult::StillPlaying;
    }
    buffer_ = {};
    prepared_ = false;
    return DeviceResult::Ok;
}

DeviceResult QtWaveInput::Close() {
    if (!open_) {
        return DeviceResult::InvalidHandle;
    }
    StopSource();
    if (queued_) {
        ReturnBuffer();
    }
    buffer_ = {};
    prepared_ = false;
    open_ = false;
    device_ = QAudioDevice();
    return DeviceResult::Ok;
}

void QtWaveInput::ReturnBuffer() {
    queued_ = false;
    const std::uint32_t bufferId = bufferId_;
    QMetaObject::invokeMethod(
        &widget_,
        [widget = &widget_, bufferId] {
            widget->Deliver({.kind = MessageKind::RecordBufferReturned, .bufferId = bufferId});
        },
        Qt::QueuedConnection);
}

void QtWaveInput::StopSource() {
    if (!source_) {
        return;
    }
    if (reader_) {
        QObject::disconnect(reader_, nullptr, &receiver_, nullptr);
        reader_ = nullptr;
    }
    QObject::disconnect(source_.get(), nullptr, &receiver_, nullptr);
    source_->stop();
    // Deleted from the event loop: taking a source down may process events, which must not
    // happen in the middle of the program's own calls.
    source_.release()->deleteLater();
}

}  // namespace marvolin::platform::qt
