#pragma once

// Listens to a sink's monitor from inside a probe and stamps every fragment with the moment it
// arrived, so that the time from a Play to the first sound heard, and any gaps in the sound,
// can be measured. Its own threaded main loop, a record stream with 5 ms fragments; every
// wait is bounded.

#include <pulse/pulseaudio.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace marvolin::probe {

class MonitorListener {
  public:
    using Clock = std::chrono::steady_clock;

    static constexpr std::uint32_t kRate = 22050;

    // Starts listening to source `monitor`; ready() tells whether it runs.
    explicit MonitorListener(const std::string& monitor) {
        loop_ = pa_threaded_mainloop_new();
        pa_threaded_mainloop_start(loop_);
        pa_threaded_mainloop_lock(loop_);
        context_ = pa_context_new(pa_threaded_mainloop_get_api(loop_), "marvolin-listener");
        pa_context_set_state_callback(
            context_,
            [](pa_context*, void* self) { static_cast<MonitorListener*>(self)->Signal(); }, this);
        if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) >= 0 &&
            WaitFor([this] {
                return pa_context_get_state(context_) == PA_CONTEXT_READY ||
                       !PA_CONTEXT_IS_GOOD(pa_context_get_state(context_));
            }) &&
            pa_context_get_state(context_) == PA_CONTEXT_READY) {
            const pa_sample_spec sampleFormat{
                .format = PA_SAMPLE_S16LE, .rate = kRate, .channels = 1};
            stream_ = pa_stream_new(context_, "listener", &sampleFormat, nullptr);
            pa_stream_set_state_callback(
                stream_,
                [](pa_stream*, void* self) { static_cast<MonitorListener*>(self)->Signal(); },
                this);
            pa_stream_set_read_callback(stream_, OnReadable, this);
            pa_buffer_attr attributes{.maxlength = UINT32_MAX,
                                      .tlength = UINT32_MAX,
                                      .prebuf = UINT32_MAX,
                                      .minreq = UINT32_MAX,
                                      .fragsize = static_cast<std::uint32_t>(
                                          pa_usec_to_bytes(5 * PA_USEC_PER_MSEC, &sampleFormat))};
            pa_stream_connect_record(stream_, monitor.c_str(), &attributes,
                                     PA_STREAM_ADJUST_LATENCY);
            WaitFor([this] {
                return pa_stream_get_state(stream_) == PA_STREAM_READY ||
                       !PA_STREAM_IS_GOOD(pa_stream_get_state(stream_));
            });
            ready_ = pa_stream_get_state(stream_) == PA_STREAM_READY;
        }
        pa_threaded_mainloop_unlock(loop_);
    }

    ~MonitorListener() {
        pa_threaded_mainloop_lock(loop_);
        if (stream_) {
            pa_stream_set_read_callback(stream_, nullptr, nullptr);
            pa_stream_set_state_callback(stream_, nullptr, nullptr);
            pa_stream_disconnect(stream_);
            pa_stream_unref(stream_);
        }
        pa_context_set_state_callback(context_, nullptr, nullptr);
        pa_context_disconnect(context_);
        pa_context_unref(context_);
        pa_threaded_mainloop_unlock(loop_);
        pa_threaded_mainloop_stop(loop_);
        pa_threaded_mainloop_free(loop_);
    }

    bool ready() const { return ready_; }
    // Where the longest gap found by the last Onset ended, in samples after the onset.
    std::size_t gapEnd() const { return gapEnd_; }

    // Forgets what was heard so far.
    void Clear() {
        std::lock_guard<std::mutex> lock(mutex_);
        samples_.clear();
        arrivals_.clear();
    }

    // The moment the first sample louder than `threshold` arrived, and the longest run of
    // silent samples (below `threshold / 8`) within `window` samples after it, in samples.
    // False when nothing loud was heard.
    bool Onset(int threshold, std::size_t window, Clock::time_point& arrived,
               std::size_t& longestGap) {
        std::lock_guard<std::mutex> lock(mutex_);
        std::size_t first = samples_.size();
        for (std::size_t i = 0; i < samples_.size(); ++i) {
            if (std::abs(samples_[i]) > threshold) {
                first = i;
                break;
            }
        }
        if (first == samples_.size()) {
            return false;
        }
        for (const Arrival& arrival : arrivals_) {
            if (arrival.end > first) {
                arrived = arrival.when;
                break;
            }
        }
        longestGap = 0;
        std::size_t run = 0;
        const std::size_t end = std::min(samples_.size(), first + window);
        for (std::size_t i = first; i < end; ++i) {
            run = std::abs(samples_[i]) < threshold / 8 ? run + 1 : 0;
            if (run > longestGap) {
                longestGap = run;
                gapEnd_ = i - first;
            }
        }
        return true;
    }

  private:
    struct Arrival {
        std::size_t end;  // samples_ size after the fragment
        Clock::time_point when;
    };

    void Signal() { pa_threaded_mainloop_signal(loop_, 0); }

    template <typename Done>
    bool WaitFor(Done done) {
        const auto deadline = Clock::now() + std::chrono::seconds(3);
        while (!done() && Clock::now() < deadline) {
            pa_threaded_mainloop_unlock(loop_);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            pa_threaded_mainloop_lock(loop_);
        }
        return done();
    }

    static void OnReadable(pa_stream* stream, std::size_t, void* userdata) {
        auto* self = static_cast<MonitorListener*>(userdata);
        const auto now = Clock::now();
        const void* data = nullptr;
        std::size_t bytes = 0;
        while (pa_stream_readable_size(stream) > 0 && pa_stream_peek(stream, &data, &bytes) >= 0 &&
               bytes > 0) {
            std::lock_guard<std::mutex> lock(self->mutex_);
            const std::size_t count = bytes / 2;
            const std::size_t start = self->samples_.size();
            self->samples_.resize(start + count);
            if (data) {
                std::memcpy(self->samples_.data() + start, data, count * 2);
            }
            self->arrivals_.push_back({start + count, now});
            pa_stream_drop(stream);
        }
    }

    pa_threaded_mainloop* loop_ = nullptr;
    pa_context* context_ = nullptr;
    pa_stream* stream_ = nullptr;
    bool ready_ = false;
    std::size_t gapEnd_ = 0;
    std::mutex mutex_;
    std::vector<std::int16_t> samples_;
    std::vector<Arrival> arrivals_;
};

}  // namespace marvolin::probe
