#include "platform/qt/pulse_wave_input.h"

#include <QMetaObject>
#include <algorithm>
#include <cstring>

#include "platform/qt/main_widget.h"
#include "platform/qt/pulse_connection.h"
#include "platform/qt/pulse_device_choice.h"

namespace marvolin::platform::qt {

PulseWaveInput::PulseWaveInput(MainWidget& widget, PulseConnection& connection)
    : widget_(widget), connection_(connection) {}

PulseWaveInput::~PulseWaveInput() {
    StopStream();
}

DeviceResult PulseWaveInput::Open(int deviceNumber, std::uint32_t sampleRate) {
    if (open_) {
        return DeviceResult::Allocated;
    }
    const DeviceResult chosen =
        ChooseDevice(connection_, DeviceDirection::Input, deviceNumber, sampleRate, sourceName_);
    if (chosen != DeviceResult::Ok) {
        return chosen;
    }
    sampleRate_ = sampleRate;
    open_ = true;
    return DeviceResult::Ok;
}

DeviceResult PulseWaveInput::Prepare(std::span<std::int16_t> buffer) {
    if (!open_) {
        return DeviceResult::InvalidHandle;
    }
    PulseConnection::Lock lock(connection_);
    if (queued_) {
        return DeviceResult::StillPlaying;
    }
    buffer_ = buffer;
    recordedBytes_ = 0;
    interrupted_ = false;
    prepared_ = true;
    ++bufferId_;
    return DeviceResult::Ok;
}

DeviceResult PulseWaveInput::AddBuffer() {
    if (!open_) {
        return DeviceResult::InvalidHandle;
    }
    PulseConnection::Lock lock(connection_);
    if (!prepared_ || queued_) {
        return DeviceResult::Error;
    }
    queued_ = true;
    returnPosted_ = false;
    return DeviceResult::Ok;
}

DeviceResult PulseWaveInput::Start() {
    if (!open_) {
        return DeviceResult::InvalidHandle;
    }
    PulseConnection::Lock lock(connection_);
    if (stream_) {
        return DeviceResult::Ok;
    }
    pa_context* context = connection_.Context();
    if (!context) {
        return DeviceResult::Error;
    }
    const pa_sample_spec sampleFormat = MonoSamples(sampleRate_);
    stream_ = pa_stream_new(context, "Marvolin", &sampleFormat, nullptr);
    if (!stream_) {
        return DeviceResult::Error;
    }
    streamStart_ = ++starts_;
    pa_stream_set_state_callback(stream_, OnStreamState, this);
    pa_stream_set_read_callback(stream_, OnReadable, this);
    pa_buffer_attr attributes{.maxlength = UINT32_MAX,
                              .tlength = UINT32_MAX,
                              .prebuf = UINT32_MAX,
                              .minreq = UINT32_MAX,
                              .fragsize = static_cast<std::uint32_t>(pa_usec_to_bytes(
                                  kFragmentMilliseconds * PA_USEC_PER_MSEC, &sampleFormat))};
    const char* source = sourceName_.empty() ? nullptr : sourceName_.c_str();
    const bool connected =
        pa_stream_connect_record(stream_, source, &attributes, PA_STREAM_ADJUST_LATENCY) == 0 &&
        connection_.WaitUntilReady(stream_);
    if (!connected) {
        ReleaseStream(stream_);
        return DeviceResult::Error;
    }
    return DeviceResult::Ok;
}

void PulseWaveInput::OnStreamState(pa_stream* stream, void* userdata) {
    auto* self = static_cast<PulseWaveInput*>(userdata);
    self->connection_.Signal();
    // Only StopStream ends a stream on purpose, and it lets go of the callbacks first.
    if (!PA_STREAM_IS_GOOD(pa_stream_get_state(stream)) && self->queued_) {
        self->interrupted_ = true;
        self->PostReturn(self->streamStart_);
    }
}

void PulseWaveInput::OnReadable(pa_stream* stream, std::size_t, void* userdata) {
    auto* self = static_cast<PulseWaveInput*>(userdata);
    const void* data = nullptr;
    std::size_t bytes = 0;
    while (pa_stream_readable_size(stream) > 0) {
        if (pa_stream_peek(stream, &data, &bytes) < 0) {
            // The stream is broken: the recording ends with what it holds.
            pa_stream_set_read_callback(stream, nullptr, nullptr);
            if (self->queued_) {
                self->interrupted_ = true;
                self->PostReturn(self->streamStart_);
            }
            return;
        }
        if (bytes == 0) {
            return;
        }
        const std::size_t capacity = self->buffer_.size_bytes();
        const std::size_t recorded = self->recordedBytes_.load();
        // A hole (no data) is a stretch the server lost; it is left out.
        if (data && self->queued_ && !self->returnPosted_ && recorded < capacity) {
            const std::size_t count = std::min(bytes, capacity - recorded);
            std::memcpy(reinterpret_cast<char*>(self->buffer_.data()) + recorded, data, count);
            self->recordedBytes_ = recorded + count;
            if (recorded + count == capacity) {
                // The stream goes on until the program stops it; nothing more is kept.
                self->PostReturn(self->streamStart_);
            }
        }
        pa_stream_drop(stream);
    }
}

void PulseWaveInput::PostReturn(std::uint64_t start) {
    returnPosted_ = true;
    QMetaObject::invokeMethod(
        &receiver_, [this, start] { OnReturn(start); }, Qt::QueuedConnection);
}

void PulseWaveInput::OnReturn(std::uint64_t start) {
    bool queued = false;
    {
        PulseConnection::Lock lock(connection_);
        queued = queued_;
    }
    // A report about an earlier start changes nothing.
    if (start == starts_ && queued) {
        ReturnBuffer();
    }
}

DeviceResult PulseWaveInput::Stop() {
    if (!open_) {
        return DeviceResult::InvalidHandle;
    }
    StopStream();
    bool queued = false;
    {
        PulseConnection::Lock lock(connection_);
        queued = queued_;
    }
    if (queued) {
        ReturnBuffer();
    }
    return DeviceResult::Ok;
}

DeviceResult PulseWaveInput::Reset() {
    return Stop();
}

DeviceResult PulseWaveInput::Unprepare() {
    if (!open_) {
        return DeviceResult::InvalidHandle;
    }
    PulseConnection::Lock lock(connection_);
    if (queued_) {
        return DeviceResult::StillPlaying;
    }
    buffer_ = {};
    prepared_ = false;
    return DeviceResult::Ok;
}

DeviceResult PulseWaveInput::Close() {
    if (!open_) {
        return DeviceResult::InvalidHandle;
    }
    Stop();
    PulseConnection::Lock lock(connection_);
    buffer_ = {};
    prepared_ = false;
    open_ = false;
    return DeviceResult::Ok;
}

void PulseWaveInput::ReturnBuffer() {
    {
        PulseConnection::Lock lock(connection_);
        queued_ = false;
    }
    const std::uint32_t bufferId = bufferId_;
    QMetaObject::invokeMethod(
        &widget_,
        [widget = &widget_, bufferId] {
            widget->Deliver({.kind = MessageKind::RecordBufferReturned, .bufferId = bufferId});
        },
        Qt::QueuedConnection);
}

void PulseWaveInput::StopStream() {
    PulseConnection::Lock lock(connection_);
    ReleaseStream(stream_);
}

}  // namespace marvolin::platform::qt
