#include "platform/qt/pulse_connection.h"

#include <cstdio>

namespace marvolin::platform::qt {
namespace {

struct Deadline {
    bool passed = false;
    PulseConnection* connection = nullptr;
};

void OnDeadline(pa_mainloop_api*, pa_time_event*, const struct timeval*, void* userdata) {
    auto* deadline = static_cast<Deadline*>(userdata);
    deadline->passed = true;
    deadline->connection->Signal();
}

void OnContextState(pa_context*, void* userdata) {
    static_cast<PulseConnection*>(userdata)->Signal();
}

struct Listing {
    PulseConnection* connection = nullptr;
    PulseConnection::Devices devices;
    int pending = 3;
};

void OnServerInfo(pa_context*, const pa_server_info* info, void* userdata) {
    auto* listing = static_cast<Listing*>(userdata);
    if (info) {
        listing->devices.defaultOutput = info->default_sink_name ? info->default_sink_name : "";
        listing->devices.defaultInput = info->default_source_name ? info->default_source_name : "";
    }
    --listing->pending;
    listing->connection->Signal();
}

void OnSinkInfo(pa_context*, const pa_sink_info* info, int last, void* userdata) {
    auto* listing = static_cast<Listing*>(userdata);
    if (last) {
        --listing->pending;
        listing->connection->Signal();
        return;
    }
    listing->devices.outputs.push_back({info->name, info->description ? info->description : ""});
}

void OnSourceInfo(pa_context*, const pa_source_info* info, int last, void* userdata) {
    auto* listing = static_cast<Listing*>(userdata);
    if (last) {
        --listing->pending;
        listing->connection->Signal();
        return;
    }
    // A monitor only repeats what an output plays; it is no input the user speaks into.
    if (info->monitor_of_sink == PA_INVALID_INDEX) {
        listing->devices.inputs.push_back({info->name, info->description ? info->description : ""});
    }
}

}  // namespace

PulseConnection::PulseConnection() {
    loop_ = pa_threaded_mainloop_new();
    if (loop_ && pa_threaded_mainloop_start(loop_) < 0) {
        pa_threaded_mainloop_free(loop_);
        loop_ = nullptr;
    }
}

PulseConnection::~PulseConnection() {
    if (!loop_) {
        return;
    }
    {
        Lock lock(*this);
        Disconnect();
    }
    pa_threaded_mainloop_stop(loop_);
    pa_threaded_mainloop_free(loop_);
}

PulseConnection::Lock::Lock(PulseConnection& connection) : loop_(connection.loop_) {
    if (loop_) {
        pa_threaded_mainloop_lock(loop_);
    }
}

PulseConnection::Lock::~Lock() {
    if (loop_) {
        pa_threaded_mainloop_unlock(loop_);
    }
}

void PulseConnection::Signal() {
    pa_threaded_mainloop_signal(loop_, 0);
}

bool PulseConnection::WaitFor(const std::function<bool()>& done, int milliseconds) {
    if (done()) {
        return true;
    }
    Deadline deadline;
    deadline.connection = this;
    pa_mainloop_api* api = pa_threaded_mainloop_get_api(loop_);
    struct timeval when {};
    pa_gettimeofday(&when);
    pa_timeval_add(&when, static_cast<pa_usec_t>(milliseconds) * PA_USEC_PER_MSEC);
    pa_time_event* timer = api->time_new(api, &when, OnDeadline, &deadline);
    while (!done() && !deadline.passed) {
        pa_threaded_mainloop_wait(loop_);
    }
    api->time_free(timer);
    return done();
}

void PulseConnection::Disconnect() {
    if (context_) {
        pa_context_set_state_callback(context_, nullptr, nullptr);
        pa_context_disconnect(context_);
        pa_context_unref(context_);
        context_ = nullptr;
    }
}

pa_context* PulseConnection::Context() {
    if (!loop_) {
        return nullptr;
    }
    if (context_ && pa_context_get_state(context_) == PA_CONTEXT_READY) {
        return context_;
    }
    // Broken, or never made: a new context reaches a server that has come (back) since.
    Disconnect();
    pa_proplist* properties = pa_proplist_new();
    pa_proplist_sets(properties, PA_PROP_APPLICATION_NAME, "Marvolin");
    pa_proplist_sets(properties, PA_PROP_APPLICATION_ID, "marvolin");
    context_ =
        pa_context_new_with_proplist(pa_threaded_mainloop_get_api(loop_), "Marvolin", properties);
    pa_proplist_free(properties);
    if (!context_) {
        return nullptr;
    }
    pa_context_set_state_callback(context_, OnContextState, this);
    if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
        Disconnect();
        return nullptr;
    }
    const auto settled = [this] {
        const pa_context_state_t state = pa_context_get_state(context_);
        return state == PA_CONTEXT_READY || !PA_CONTEXT_IS_GOOD(state);
    };
    if (!WaitFor(settled) || pa_context_get_state(context_) != PA_CONTEXT_READY) {
        Disconnect();
        return nullptr;
    }
    return context_;
}

std::optional<PulseConnection::Devices> PulseConnection::ListDevices() {
    Lock lock(*this);
    pa_context* context = Context();
    if (!context) {
        return std::nullopt;
    }
    Listing listing;
    listing.connection = this;
    pa_operation* operations[] = {pa_context_get_server_info(context, OnServerInfo, &listing),
                                  pa_context_get_sink_info_list(context, OnSinkInfo, &listing),
                                  pa_context_get_source_info_list(context, OnSourceInfo, &listing)};
    bool started = true;
    for (pa_operation* operation : operations) {
        started = started && operation != nullptr;
    }
    const bool answered = started && WaitFor([&] { return listing.pending == 0; });
    for (pa_operation* operation : operations) {
        if (operation) {
            // An unanswered question must not call back into `listing` once it is gone.
            pa_operation_cancel(operation);
            pa_operation_unref(operation);
        }
    }
    if (!answered) {
        return std::nullopt;
    }
    return listing.devices;
}

bool PulseConnection::WaitUntilReady(pa_stream* stream) {
    WaitFor([stream] {
        const pa_stream_state_t state = pa_stream_get_state(stream);
        return state == PA_STREAM_READY || !PA_STREAM_IS_GOOD(state);
    });
    return pa_stream_get_state(stream) == PA_STREAM_READY;
}

void ReleaseStream(pa_stream*& stream) {
    if (!stream) {
        return;
    }
    // Without its callbacks the stream reports nothing more; what it still holds is dropped
    // by the server.
    pa_stream_set_state_callback(stream, nullptr, nullptr);
    pa_stream_set_read_callback(stream, nullptr, nullptr);
    pa_stream_set_write_callback(stream, nullptr, nullptr);
    pa_stream_disconnect(stream);
    pa_stream_unref(stream);
    stream = nullptr;
}

}  // namespace marvolin::platform::qt
