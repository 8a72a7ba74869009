#include "platform/qt/pulse_wave_output.h"

#include <QMetaObject>
#include <algorithm>
#include <climits>

#include "platform/qt/main_widget.h"
#include "platform/qt/pulse_connection.h"
#include "platform/qt/pulse_device_choice.h"

namespace marvolin::platform::qt {
namespace {

int PlayingMilliseconds(std::size_t samples, std::uint32_t sampleRate, int margin) {
    const std::uint64_t milliseconds = std::uint64_t(samples) * 1000 / sampleRate + margin;
    return static_cast<int>(std::min<std::uint64_t>(milliseconds, INT_MAX));
}

}  // namespace

PulseWaveOutput::PulseWaveOutput(MainWidget& widget, PulseConnection& connection)
    : widget_(widget), connection_(connection) {
    returnTimer_.setSingleShot(true);
    QObject::connect(&returnTimer_, &QTimer::timeout, &receiver_, [this] {
        if (awaitingDone_) {
            ReturnBuffer();
        }
    });
}

PulseWaveOutput::~PulseWaveOutput() {
    StopStream();
}

DeviceResult PulseWaveOutput::Open(int deviceNumber, std::uint32_t sampleRate) {
    if (open_) {
        return DeviceResult::Allocated;
    }
    const DeviceResult chosen =
        ChooseDevice(connection_, DeviceDirection::Output, deviceNumber, sampleRate, sinkName_);
    if (chosen != DeviceResult::Ok) {
        return chosen;
    }
    sampleRate_ = sampleRate;
    open_ = true;
    return DeviceResult::Ok;
}

DeviceResult PulseWaveOutput::Prepare(std::span<const std::int16_t> samples) {
    if (!open_) {
        return DeviceResult::InvalidHandle;
    }
    if (awaitingDone_) {
        return DeviceResult::StillPlaying;
    }
    StopStream();
    samples_ = samples;
    prepared_ = true;
    ++bufferId_;
    return DeviceResult::Ok;
}

DeviceResult PulseWaveOutput::Write() {
    if (!open_ || !prepared_) {
        return DeviceResult::InvalidHandle;
    }
    if (awaitingDone_) {
        return DeviceResult::StillPlaying;
    }
    StopStream();
    const std::uint64_t write = ++writes_;
    if (samples_.empty()) {
        // Nothing to play: the buffer is done at once.
        awaitingDone_ = true;
        ReturnBuffer();
        return DeviceResult::Ok;
    }
    {
        PulseConnection::Lock lock(connection_);
        pa_context* context = connection_.Context();
        if (!context) {
            return DeviceResult::Error;
        }
        const pa_sample_spec sampleFormat = MonoSamples(sampleRate_);
        stream_ = pa_stream_new(context, "Marvolin", &sampleFormat, nullptr);
        if (!stream_) {
            return DeviceResult::Error;
        }
        writtenBytes_ = 0;
        streamWrite_ = write;
        pa_stream_set_state_callback(stream_, OnStreamState, this);
        pa_stream_set_write_callback(stream_, OnWritable, this);
        const std::uint32_t bufferBytes = static_cast<std::uint32_t>(
            pa_usec_to_bytes(kBufferMilliseconds * PA_USEC_PER_MSEC, &sampleFormat));
        pa_buffer_attr attributes{.maxlength = UINT32_MAX,
                                  .tlength = bufferBytes,
                                  .prebuf = UINT32_MAX,
                                  .minreq = static_cast<std::uint32_t>(pa_usec_to_bytes(
                                      kRequestMilliseconds * PA_USEC_PER_MSEC, &sampleFormat)),
                                  .fragsize = UINT32_MAX};
        const char* sink = sinkName_.empty() ? nullptr : sinkName_.c_str();
        const auto flags = static_cast<pa_stream_flags_t>(PA_STREAM_NOFLAGS);
        const bool connected =
            pa_stream_connect_playback(stream_, sink, &attributes, flags, nullptr, nullptr) == 0 &&
            connection_.WaitUntilReady(stream_);
        if (!connected) {
            ReleaseStream(stream_);
            return DeviceResult::Error;
        }
    }
    awaitingDone_ = true;
    returnTimer_.start(PlayingMilliseconds(samples_.size(), sampleRate_, kStallMarginMilliseconds));
    return DeviceResult::Ok;
}

void PulseWaveOutput::OnStreamState(pa_stream* stream, void* userdata) {
    auto* self = static_cast<PulseWaveOutput*>(userdata);
    self->connection_.Signal();
    // Only StopStream ends a stream on purpose, and it lets go of the callbacks first: a
    // stream that fails or ends by itself is over.
    if (!PA_STREAM_IS_GOOD(pa_stream_get_state(stream))) {
        self->PostEnded(self->streamWrite_);
    }
}

void PulseWaveOutput::OnWritable(pa_stream* stream, std::size_t bytes, void* userdata) {
    auto* self = static_cast<PulseWaveOutput*>(userdata);
    const std::size_t total = self->samples_.size_bytes();
    const std::size_t count = std::min(bytes, total - self->writtenBytes_);
    if (count > 0) {
        const char* from =
            reinterpret_cast<const char*>(self->samples_.data()) + self->writtenBytes_;
        if (pa_stream_write(stream, from, count, nullptr, 0, PA_SEEK_RELATIVE) < 0) {
            self->PostEnded(self->streamWrite_);
            return;
        }
        self->writtenBytes_ += count;
    }
    if (self->writtenBytes_ == total && !self->drain_) {
        // Everything is with the server; the buffer is done once it has played it.
        pa_stream_set_write_callback(stream, nullptr, nullptr);
        self->drain_ = pa_stream_drain(stream, OnDrained, self);
        if (!self->drain_) {
            self->PostEnded(self->streamWrite_);
        }
    }
}

void PulseWaveOutput::OnDrained(pa_stream*, int, void* userdata) {
    auto* self = static_cast<PulseWaveOutput*>(userdata);
    self->PostEnded(self->streamWrite_);
}

void PulseWaveOutput::PostEnded(std::uint64_t write) {
    QMetaObject::invokeMethod(
        &receiver_, [this, write] { OnEnded(write); }, Qt::QueuedConnection);
}

void PulseWaveOutput::OnEnded(std::uint64_t write) {
    // The end of an earlier write changes nothing.
    if (awaitingDone_ && write == writes_) {
        ReturnBuffer();
    }
}

DeviceResult PulseWaveOutput::Unprepare() {
    if (!open_) {
        return DeviceResult::InvalidHandle;
    }
    if (awaitingDone_) {
        return DeviceResult::StillPlaying;
    }
    StopStream();
    samples_ = {};
    prepared_ = false;
    return DeviceResult::Ok;
}

DeviceResult PulseWaveOutput::Reset() {
    if (!open_) {
        return DeviceResult::InvalidHandle;
    }
    if (awaitingDone_) {
        ReturnBuffer();
    }
    StopStream();
    return DeviceResult::Ok;
}

DeviceResult PulseWaveOutput::Close() {
    if (!open_) {
        return DeviceResult::InvalidHandle;
    }
    if (awaitingDone_) {
        ReturnBuffer();
    }
    StopStream();
    samples_ = {};
    prepared_ = false;
    open_ = false;
    return DeviceResult::Ok;
}

void PulseWaveOutput::ReturnBuffer() {
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

void PulseWaveOutput::StopStream() {
    returnTimer_.stop();
    PulseConnection::Lock lock(connection_);
    if (drain_) {
        pa_operation_cancel(drain_);
        pa_operation_unref(drain_);
        drain_ = nullptr;
    }
    ReleaseStream(stream_);
}

}  // namespace marvolin::platform::qt
