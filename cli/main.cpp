// marvolin-fx: applies the program's effects to sound files from the command line.

#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <string_view>
#include <thread>
#include <vector>

#include "cli/fx_arguments.h"
#include "cli/fx_commands.h"
#include "cli/stop_signals.h"
#include "platform/allocation.h"
#include "platform/atomic_file.h"

namespace {

// The tests stop the program in the middle of a save; this makes every save wait, completely
// written, before it is renamed into place.
void PauseBeforeRename() {
    std::this_thread::sleep_for(std::chrono::seconds(30));
}

}  // namespace

int main(int argc, char** argv) {
    using namespace marvolin::cli;
    // Before any thread exists, so that only the thread that waits for them sees these.
    HoldBackStopSignals();
    // A reader of standard output that goes away is a write error, reported as one.
    std::signal(SIGPIPE, SIG_IGN);
    if (std::getenv("MARVOLIN_FX_TEST_SLOW_SAVE") != nullptr) {
        marvolin::platform::SetPauseBeforeRenameForTests(PauseBeforeRename);
    }
    marvolin::platform::KeepFreedBlocksForReuse();
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    const FxArguments parsed = ParseArguments(arguments);
    try {
        switch (parsed.action) {
            case FxAction::Help:
                std::cout << HelpText();
                return kExitSuccess;
            case FxAction::Version:
                std::cout << VersionText();
                return kExitSuccess;
            case FxAction::List:
                ListEffects(std::cout, parsed.json);
                return kExitSuccess;
            case FxAction::UsageError:
                std::cerr << "marvolin-fx: " << parsed.problem << '\n' << UsageText();
                return kExitUsage;
            case FxAction::Run:
                return RunFx(parsed, ::isatty(STDERR_FILENO) != 0);
        }
    } catch (const std::exception& error) {
        std::cerr << "marvolin-fx: " << error.what() << '\n';
    }
    RemoveScratchFolder();
    return kExitFailure;
}
