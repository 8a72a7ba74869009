#include "cli/batch_run.h"

#include <semaphore.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <ctime>
#include <iostream>
#include <map>
#include <string>

#include "cli/stop_signals.h"
#include "cli/terminal_messages.h"

namespace marvolin::cli {
namespace {

constexpr std::size_t kNone = ~std::size_t{0};
constexpr unsigned kMostWorkers = 512;

// What the workers and the parent share: the next file to take, how many are done, and the
// file each worker is on.
struct SharedState {
    std::atomic<std::size_t> next{0};
    std::atomic<std::size_t> done{0};
    std::atomic<std::size_t> lastStarted{kNone};
    std::atomic<std::size_t> current[kMostWorkers];
    // A worker holds one while it reads and processes a file; writing it to the disk and
    // waiting for the disk need none, so that the other workers' sounds are processed meanwhile.
    sem_t processing;
    std::atomic<bool> holding[kMostWorkers];  // a worker that dies holding one gives it back
};
static_assert(std::atomic<std::size_t>::is_always_lock_free);

void NoteChildEnded(int) {}

// The stop signals and SIGCHLD, held back so that the loop takes them one at a time.
sigset_t LoopSignals() {
    sigset_t signals = StopSignals();
    sigaddset(&signals, SIGCHLD);
    return signals;
}

[[noreturn]] void RunWorker(unsigned worker, const std::vector<PlannedFile>& files,
                            const JobSettings& settings, SharedState& shared) {
    sigset_t childEnded;
    sigemptyset(&childEnded);
    sigaddset(&childEnded, SIGCHLD);
    pthread_sigmask(SIG_UNBLOCK, &childEnded, nullptr);
    WatchForStopSignals();
    bool allWent = true;
    for (std::size_t index; (index = shared.next.fetch_add(1)) < files.size();) {
        shared.current[worker] = index;
        shared.lastStarted = index;
        const PlannedFile& file = files[index];
        shared.holding[worker] = true;
        while (sem_wait(&shared.processing) != 0) {
        }
        const auto release = [&] {
            if (shared.holding[worker]) {
                sem_post(&shared.processing);
                shared.holding[worker] = false;
            }
        };
        JobSettings withRelease = settings;
        withRelease.beforeSave = release;
        allWent =
            ProcessFile(file.input, file.target, withRelease) != JobOutcome::Failed && allWent;
        release();
        shared.current[worker] = kNone;
        shared.done.fetch_add(1);
    }
    std::cerr.flush();
    ::_exit(allWent ? kExitSuccess : kExitFailure);
}

class ProgressLine {
  public:
    ProgressLine(bool shown, std::size_t total) : shown_(shown), total_(total) {}

    void Show(std::size_t done, const std::string& current) {
        if (shown_ && (done != shownDone_ || current != shownCurrent_)) {
            const std::string line =
                "\r\033[K[" + std::to_string(done) + "/" + std::to_string(total_) + "] " + current;
            std::cerr.write(line.data(), static_cast<std::streamsize>(line.size()));
            std::cerr.flush();
            shownDone_ = done;
            shownCurrent_ = current;
        }
    }
    void Clear() {
        if (shown_) {
            std::cerr << "\r\033[K" << std::flush;
        }
    }

  private:
    bool shown_;
    std::size_t total_;
    std::size_t shownDone_ = kNone;
    std::string shownCurrent_;
};

}  // namespace

bool RunBatch(const std::vector<PlannedFile>& files, const JobSettings& given, unsigned workers,
              bool progressLine) {
    JobSettings settings = given;
    settings.effectBar = false;
    settings.overProgressLine = progressLine;
    // Twice as many workers as files processed at a time: while one waits for the disk,
    // another processes.
    const unsigned processingAtOnce = std::min<unsigned>(workers, kMostWorkers / 2);
    workers = static_cast<unsigned>(
        std::min<std::size_t>(std::size_t{processingAtOnce} * 2, files.size()));

    void* memory = ::mmap(nullptr, sizeof(SharedState), PROT_READ | PROT_WRITE,
                          MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) {
        std::cerr << "marvolin-fx: no memory to share between the worker processes\n";
        return false;
    }
    auto* shared = new (memory) SharedState;
    for (unsigned worker = 0; worker < kMostWorkers; ++worker) {
        shared->current[worker] = kNone;
        shared->holding[worker] = false;
    }
    if (sem_init(&shared->processing, 1, processingAtOnce) != 0) {
        std::cerr << "marvolin-fx: cannot share the work between the worker processes\n";
        ::munmap(memory, sizeof(SharedState));
        return false;
    }

    struct sigaction onChildEnded {};
    onChildEnded.sa_handler = NoteChildEnded;
    sigemptyset(&onChildEnded.sa_mask);
    ::sigaction(SIGCHLD, &onChildEnded, nullptr);
    const sigset_t signals = LoopSignals();
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    std::map<pid_t, unsigned> running;
    bool allWent = true;
    for (unsigned worker = 0; worker < workers; ++worker) {
        std::cerr.flush();
        const pid_t child = ::fork();
        if (child == 0) {
            RunWorker(worker, files, settings, *shared);
        }
        if (child > 0) {
            running[child] = worker;
        } else if (running.empty()) {
            std::cerr << "marvolin-fx: cannot start a worker process\n";
            ::munmap(memory, sizeof(SharedState));
            return false;
        }
    }

    ProgressLine progress(progressLine, files.size());
    const timespec redraw{0, 100'000'000};
    while (!running.empty()) {
        const std::size_t last = shared->lastStarted;
        progress.Show(shared->done, last == kNone ? std::string() : files[last].input);
        const int signal = sigtimedwait(&signals, nullptr, &redraw);
        if (signal == SIGINT || signal == SIGTERM || signal == SIGHUP) {
            for (const auto& [child, worker] : running) {
                ::kill(child, signal);
            }
            for (const auto& [child, worker] : running) {
                ::waitpid(child, nullptr, 0);
            }
            progress.Clear();
            EndStopped(signal);
        }
        int status = 0;
        for (pid_t child; (child = ::waitpid(-1, &status, WNOHANG)) > 0;) {
            const auto found = running.find(child);
            if (found == running.end()) {
                continue;
            }
            if (!WIFEXITED(status) || WEXITSTATUS(status) != kExitSuccess) {
                allWent = false;
            }
            const std::size_t on = shared->current[found->second];
            if (shared->holding[found->second]) {
                sem_post(&shared->processing);
            }
            if (WIFSIGNALED(status) && on != kNone) {
                PrintFileProblem(std::cerr, files[on].input,
                                 "stopped by signal " + std::to_string(WTERMSIG(status)),
                                 progressLine);
            }
            running.erase(found);
        }
    }
    // The line's last state, drawn even when the whole batch took less than one redraw.
    const std::size_t last = shared->lastStarted;
    progress.Show(shared->done, last == kNone ? std::string() : files[last].input);
    progress.Clear();
    // A worker that died took no more files; what it left untaken counts as failed.
    if (shared->next < files.size()) {
        allWent = false;
    }
    sem_destroy(&shared->processing);
    ::munmap(memory, sizeof(SharedState));
    return allWent;
}

}  // namespace marvolin::cli
