#pragma once

#include <csignal>
#include <string>

namespace marvolin::cli {

// SIGINT, SIGTERM and SIGHUP: the signals that stop the program.
sigset_t StopSignals();

// Holds the stop signals back from this thread and from every thread started after; call it
// first thing, before any thread exists.
void HoldBackStopSignals();

// Starts a thread that waits for a stop signal and then ends the program as EndStopped does.
void WatchForStopSignals();

// Removes every unfinished temporary file and the scratch folder, then ends the program by
// the signal itself, so that the caller sees the conventional status (128 + the signal).
[[noreturn]] void EndStopped(int signal);

// A private folder for the copies of standard input and output, removed at the end and when
// the program is stopped. Made on first use; empty when it cannot be made (errno says why).
std::string ScratchFolder();
void RemoveScratchFolder();

}  // namespace marvolin::cli
