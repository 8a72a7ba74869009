#pragma once

// What the sound server probes share: checks that count their failures, and waiting in the
// event loop.

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
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

}  // namespace marvolin::probe
