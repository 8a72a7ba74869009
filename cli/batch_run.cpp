#include "cli/batch_run.h"

#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <iostream>
#include <map>
#include <string>

#include "cli/stop_signals.h"
#include "cli/terminal_messages.h"

namespace marvolin::cli {
namespace {

void NoteChildEnded(int) {}

// The stop signals and SIGCHLD, held back so that the loop takes them one at a time.
sigset_t LoopSignals() {
    sigset_t signals = StopSignals();
    sigaddset(&signals, SIGCHLD);
    return signals;
}

[[noreturn]] void RunChild(const PlannedFile& file, const JobSettings& settings) {
    const sigset_t childEnded = [] {
        sigset_t signals;
        sigemptyset(&signals);
        sigaddset(&signals, SIGCHLD);
        return signals;
    }();
    pthread_sigmask(SIG_UNBLOCK, &childEnded, nullptr);
    WatchForStopSignals();
    const JobOutcome outcome = ProcessFile(file.input, file.target, settings);
    std::cerr.flush();
    std::cout.flush();
    ::_exit(outcome == JobOutcome::Failed ? kExitFailure : kExitSuccess);
}

class ProgressLine {
  public:
    ProgressLine(bool shown, std::size_t total) : shown_(shown), total_(total) {}

    void Show(std::size_t done, const std::string& current) {
        if (shown_) {
            const std::string line =
                "\r\033[K[" + std::to_string(done) + "/" + std::to_string(total_) + "] " + current;
            std::cerr.write(line.data(), static_cast<std::streamsize>(line.size()));
            std::cerr.flush();
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
};

}  // namespace

bool RunBatch(const std::vector<PlannedFile>& files, const JobSettings& given, unsigned workers,
              bool progressLine) {
    JobSettings settings = given;
    settings.effectBar = false;
    settings.overProgressLine = progressLine;

    struct sigaction onChildEnded {};
    onChildEnded.sa_handler = NoteChildEnded;
    sigemptyset(&onChildEnded.sa_mask);
    ::sigaction(SIGCHLD, &onChildEnded, nullptr);
    const sigset_t signals = LoopSignals();
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    ProgressLine progress(progressLine, files.size());
    std::map<pid_t, std::size_t> running;
    std::size_t next = 0;
    std::size_t done = 0;
    bool allWent = true;
    while (next < files.size() || !running.empty()) {
        while (running.size() < workers && next < files.size()) {
            std::cerr.flush();
            const pid_t child = ::fork();
            if (child == 0) {
                RunChild(files[next], settings);
            }
            if (child < 0) {
                if (!running.empty()) {
                    break;  // wait for a place to come free
                }
                PrintFileProblem(std::cerr, files[next].input, "cannot start a process for it",
                                 progressLine);
                allWent = false;
                ++next;
                ++done;
                continue;
            }
            running[child] = next;
            progress.Show(done, files[next].input);
            ++next;
        }
        if (running.empty()) {
            continue;
        }
        int signal = 0;
        sigwait(&signals, &signal);
        if (signal != SIGCHLD) {
            for (const auto& [child, index] : running) {
                ::kill(child, signal);
            }
            for (const auto& [child, index] : running) {
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
                if (WIFSIGNALED(status)) {
                    PrintFileProblem(std::cerr, files[found->second].input,
                                     "stopped by signal " + std::to_string(WTERMSIG(status)),
                                     progressLine);
                }
            }
            running.erase(found);
            ++done;
            progress.Show(done, files[next == 0 ? 0 : next - 1].input);
        }
    }
    progress.Clear();
    return allWent;
}

}  // namespace marvolin::cli
