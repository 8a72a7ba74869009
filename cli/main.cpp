// marvolin-fx: applies the program's effects to a sound file from the command line.

#include <unistd.h>

#include <exception>
#include <iostream>
#include <string_view>
#include <vector>

#include "cli/fx_arguments.h"
#include "cli/fx_commands.h"
#include "platform/allocation.h"

int main(int argc, char** argv) {
    using namespace marvolin::cli;
    marvolin::platform::KeepFreedBlocksForReuse();
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    const FxArguments parsed = ParseArguments(arguments);
    try {
        switch (parsed.action) {
            case FxAction::Help:
                std::cout << HelpText();
                return kExitSuccess;
            case FxAction::List:
                ListEffects(std::cout);
                return kExitSuccess;
            case FxAction::UsageError:
                std::cerr << "marvolin-fx: " << parsed.problem << '\n' << UsageText();
                return kExitUsage;
            case FxAction::Run:
                return ApplyEffectsToFile(parsed, !parsed.quiet && ::isatty(STDERR_FILENO) != 0);
        }
    } catch (const std::exception& error) {
        std::cerr << "marvolin-fx: " << error.what() << '\n';
    }
    return kExitFailure;
}
