#pragma once

// What the sound server probes share: checks that count their failures, and waiting in the
// event loop.

#include <pulse/pulseaudio.h>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

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

// Has the server kill the program's own stream, as a desktop's sound settings can: its
// playback stream (`playback`) or its record stream. True when one was found and killed.
// Every wait is bounded.
inline bool KillOwnStream(bool playback) {
    struct Search {
        std::uint32_t index = PA_INVALID_INDEX;
        bool listed = false;
        bool killed = false;
    } search;
    pa_mainloop* loop = pa_mainloop_new();
    pa_context* context = pa_context_new(pa_mainloop_get_api(loop), "marvolin-probe");
    const auto runUntil = [&](const std::function<bool()>& done) {
        QElapsedTimer clock;
        clock.start();
        while (!done() && clock.elapsed() < 5000) {
            pa_mainloop_prepare(loop, 100'000);
            pa_mainloop_poll(loop);
            pa_mainloop_dispatch(loop);
        }
        return done();
    };
    bool ok = pa_context_connect(context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) >= 0 &&
              runUntil([&] {
                  return !PA_CONTEXT_IS_GOOD(pa_context_get_state(context)) ||
                         pa_context_get_state(context) == PA_CONTEXT_READY;
              }) &&
              pa_context_get_state(context) == PA_CONTEXT_READY;
    if (ok && playback) {
        pa_operation_unref(pa_context_get_sink_input_info_list(
            context,
            [](pa_context*, const pa_sink_input_info* info, int last, void* userdata) {
                auto* found = static_cast<Search*>(userdata);
                found->listed = found->listed || last != 0;
                if (!last && info && found->index == PA_INVALID_INDEX) {
                    const char* name = pa_proplist_gets(info->proplist, PA_PROP_APPLICATION_NAME);
                    if (name && std::string(name) == "Marvolin") {
                        found->index = info->index;
                    }
                }
            },
            &search));
    } else if (ok) {
        pa_operation_unref(pa_context_get_source_output_info_list(
            context,
            [](pa_context*, const pa_source_output_info* info, int last, void* userdata) {
                auto* found = static_cast<Search*>(userdata);
                found->listed = found->listed || last != 0;
                if (!last && info && found->index == PA_INVALID_INDEX) {
                    const char* name = pa_proplist_gets(info->proplist, PA_PROP_APPLICATION_NAME);
                    if (name && std::string(name) == "Marvolin") {
                        found->index = info->index;
                    }
                }
            },
            &search));
    }
    ok = ok && runUntil([&] { return search.listed; }) && search.index != PA_INVALID_INDEX;
    if (ok) {
        const auto onKilled = [](pa_context*, int success, void* userdata) {
            static_cast<Search*>(userdata)->killed = success != 0;
            static_cast<Search*>(userdata)->listed = false;
        };
        pa_operation_unref(
            playback ? pa_context_kill_sink_input(context, search.index, onKilled, &search)
                     : pa_context_kill_source_output(context, search.index, onKilled, &search));
        ok = runUntil([&] { return !search.listed; }) && search.killed;
    }
    pa_context_disconnect(context);
    pa_context_unref(context);
    pa_mainloop_free(loop);
    return ok;
}

}  // namespace marvolin::probe
