#include "cli/stop_signals.h"

#include <pthread.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <thread>

#include "platform/atomic_file.h"

namespace marvolin::cli {
namespace {

struct Scratch {
    std::mutex lock;
    std::string path;
};

Scratch& TheScratch() {
    static Scratch scratch;
    return scratch;
}

}  // namespace

sigset_t StopSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGHUP);
    return signals;
}

void HoldBackStopSignals() {
    const sigset_t signals = StopSignals();
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
}

void WatchForStopSignals() {
    std::thread([] {
        const sigset_t signals = StopSignals();
        int signal = 0;
        while (sigwait(&signals, &signal) != 0) {
        }
        EndStopped(signal);
    }).detach();
}

void EndStopped(int signal) {
    platform::RemoveUnfinishedFilesForGood();
    RemoveScratchFolder();
    std::signal(signal, SIG_DFL);
    sigset_t only;
    sigemptyset(&only);
    sigaddset(&only, signal);
    pthread_sigmask(SIG_UNBLOCK, &only, nullptr);
    ::raise(signal);
    std::_Exit(128 + signal);  // not reached: the signal ends the program
}

std::string ScratchFolder() {
    Scratch& scratch = TheScratch();
    const std::lock_guard held(scratch.lock);
    if (scratch.path.empty()) {
        const char* base = std::getenv("TMPDIR");
        std::string pattern =
            std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/marvolin-fx.XXXXXX";
        if (::mkdtemp(pattern.data()) != nullptr) {
            scratch.path = pattern;
        }
    }
    return scratch.path;
}

void RemoveScratchFolder() {
    Scratch& scratch = TheScratch();
    const std::lock_guard held(scratch.lock);
    if (!scratch.path.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(scratch.path, ignored);
        scratch.path.clear();
    }
}

}  // namespace marvolin::cli
