#pragma once

// What the sound server probes share: checks that count their failures, and waiting in the
// event loop.

#include <pulse/pulseaudio.h>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include <unistd.h>

namespace marvolin::probe {

inline int failures = 0;

inline void Check(bool condition, const std::string& what) {
    if (!condition) {
        std::fprintf(stderr, "FAILED: %s\n", what.c_str());
        ++failures;
    }
}

// The probe's exit status: 0 when every check held.
inline int Result() {
    return failures == 0 ? 0 : 1;
}

// Runs the event loop until `done` holds or `timeoutMilliseconds` pass; answers `done()`.
inline bool RunUntil(const std::function<bool()>& done, int timeoutMilliseconds) {
    QElapsedTimer clock;
    clock.start();
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done() || clock.elapsed() >= timeoutMilliseconds) {
            loop.quit();
        }
    });
    poll.start(10);
    if (!done()) {
        loop.exec();
    }
    return done();
}

// Lets the event loop run for that long.
inline void Wait(int milliseconds) {
    RunUntil([] { return false; }, milliseconds);
}

// A short-lived connection of the probe's own, on a plain mainloop, for asking the server
// about streams. Every wait is bounded.
class ServerQuery {
  public:
    ServerQuery()
        : loop_(pa_mainloop_new()),
          context_(pa_context_new(pa_mainloop_get_api(loop_), "marvolin-probe")) {
        ready_ = pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) >= 0 &&
                 RunUntil([&] {
                     const pa_context_state_t state = pa_context_get_state(context_);
                     return !PA_CONTEXT_IS_GOOD(state) || state == PA_CONTEXT_READY;
                 }) &&
                 pa_context_get_state(context_) == PA_CONTEXT_READY;
    }
    ~ServerQuery() {
        pa_context_disconnect(context_);
        pa_context_unref(context_);
        pa_mainloop_free(loop_);
    }
    ServerQuery(const ServerQuery&) = delete;
    ServerQuery& operator=(const ServerQuery&) = delete;

    bool ready() const { return ready_; }

    // The indexes of this process's streams named after the program: its playback streams
    // (`playback`) or its record streams. Empty when none, or when the server does not answer.
    std::vector<std::uint32_t> OwnStreams(bool playback) {
        struct Listing {
            std::vector<std::uint32_t> indexes;
            bool done = false;
        } listing;
        if (!ready_) {
            return {};
        }
        if (playback) {
            pa_operation_unref(pa_context_get_sink_input_info_list(
                context_,
                [](pa_context*, const pa_sink_input_info* info, int last, void* userdata) {
                    auto* found = static_cast<Listing*>(userdata);
                    found->done = found->done || last != 0;
                    if (!last && info) {
                        AddIfOwn(found->indexes, info->index, info->proplist);
                    }
                },
                &listing));
        } else {
            pa_operation_unref(pa_context_get_source_output_info_list(
                context_,
                [](pa_context*, const pa_source_output_info* info, int last, void* userdata) {
                    auto* found = static_cast<Listing*>(userdata);
                    found->done = found->done || last != 0;
                    if (!last && info) {
                        AddIfOwn(found->indexes, info->index, info->proplist);
                    }
                },
                &listing));
        }
        RunUntil([&] { return listing.done; });
        return listing.indexes;
    }

    // Has the server kill that stream; true when it says it did.
    bool Kill(bool playback, std::uint32_t index) {
        struct Answer {
            bool done = false;
            bool killed = false;
        } answer;
        const auto onKilled = [](pa_context*, int success, void* userdata) {
            static_cast<Answer*>(userdata)->killed = success != 0;
            static_cast<Answer*>(userdata)->done = true;
        };
        pa_operation_unref(playback
                               ? pa_context_kill_sink_input(context_, index, onKilled, &answer)
                               : pa_context_kill_source_output(context_, index, onKilled, &answer));
        return RunUntil([&] { return answer.done; }) && answer.killed;
    }

  private:
    static void AddIfOwn(std::vector<std::uint32_t>& indexes, std::uint32_t index,
                         const pa_proplist* properties) {
        const char* name = pa_proplist_gets(properties, PA_PROP_APPLICATION_NAME);
        const char* process = pa_proplist_gets(properties, PA_PROP_APPLICATION_PROCESS_ID);
        // Streams of earlier probes may still be listed while the server tears them down.
        if (name && std::string(name) == "Marvolin" &&
            (!process || std::to_string(::getpid()) == process)) {
            indexes.push_back(index);
        }
    }

    bool RunUntil(const std::function<bool()>& done) {
        QElapsedTimer clock;
        clock.start();
        while (!done() && clock.elapsed() < 5000 &&
               PA_CONTEXT_IS_GOOD(pa_context_get_state(context_))) {
            pa_mainloop_prepare(loop_, 100'000);
            pa_mainloop_poll(loop_);
            pa_mainloop_dispatch(loop_);
        }
        return done();
    }

    pa_mainloop* loop_;
    pa_context* context_;
    bool ready_ = false;
};

// Has the server kill the program's own stream, as a desktop's sound settings can: its
// playback stream (`playback`) or its record stream. True once the server no longer lists
// it. `killedAt` restarts when the kill that took is asked for. A kill the server answers
// but does not carry out (it can race with the stream's own set-up) is asked for again, a
// few times, before giving up.
inline bool KillOwnStream(bool playback, QElapsedTimer& killedAt) {
    ServerQuery server;
    const std::vector<std::uint32_t> streams = server.OwnStreams(playback);
    if (streams.size() != 1) {
        std::fprintf(stderr, "the server lists %zu streams of this probe\n", streams.size());
        return false;
    }
    const std::uint32_t index = streams.front();
    for (int attempt = 1; attempt <= 3; ++attempt) {
        killedAt.restart();
        if (!server.Kill(playback, index)) {
            std::fprintf(stderr, "the server refuses to kill stream %u\n", index);
            return false;
        }
        QElapsedTimer gone;
        gone.start();
        while (gone.elapsed() < 3000) {
            const std::vector<std::uint32_t> left = server.OwnStreams(playback);
            if (std::find(left.begin(), left.end(), index) == left.end()) {
                return true;
            }
            ::usleep(20'000);
        }
        std::fprintf(stderr, "stream %u still listed after kill %d\n", index, attempt);
    }
    return false;
}

}  // namespace marvolin::probe
