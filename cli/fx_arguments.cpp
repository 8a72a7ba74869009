#include "cli/fx_arguments.h"

#include <charconv>

#include "cli/reader_choice.h"

namespace marvolin::cli {
namespace {

constexpr std::string_view kUsage =
    "usage: marvolin-fx [--reader wav|aiff|au|iff|snd|voc] [--seed N] [--quiet] INPUT OUTPUT "
    "EFFECT...\n"
    "       marvolin-fx --list\n"
    "       marvolin-fx --help\n";

constexpr std::string_view kHelp =
    "usage: marvolin-fx [--reader wav|aiff|au|iff|snd|voc] [--seed N] [--quiet] INPUT OUTPUT "
    "EFFECT...\n"
    "       marvolin-fx --list\n"
    "\n"
    "Applies Marvolin's effects to a sound file, one after another, and saves the result as a\n"
    "16-bit mono WAV file. With no EFFECT the file is only converted.\n"
    "\n"
    "  INPUT          the sound file to read; its extension chooses the reader (.wav, .aif,\n"
    "                 .aiff, .au, .iff, .8svx, .snd, .voc) unless --reader is given\n"
    "  OUTPUT         the WAV file to write (\".wav\" is added to a name without a dot); it is\n"
    "                 only written once everything else has succeeded\n"
    "  EFFECT         Category/Name as listed by --list, in any case, e.g. Echoes/Classic\n"
    "  --reader NAME  read INPUT with this reader whatever its extension\n"
    "  --seed N       seed the random generator with N (0..4294967295) instead of the clock,\n"
    "                 so that a run can be repeated\n"
    "  --quiet        no progress bar\n"
    "  --list         print the 40 effects, one per line\n"
    "  --help         print this help\n"
    "\n"
    "Exit status: 0 on success, 1 when a file or an effect fails, 2 for a bad command line.\n";

FxArguments UsageError(std::string problem) {
    FxArguments result;
    result.action = FxAction::UsageError;
    result.problem = std::move(problem);
    return result;
}

std::optional<std::uint32_t> ParseSeed(std::string_view text) {
    std::uint32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

FxArguments ParseArguments(std::span<const std::string_view> arguments) {
    FxArguments result;
    std::vector<std::string_view> positional;
    std::optional<std::string_view> readerName;
    bool list = false;
    bool help = false;
    bool optionsEnded = false;

    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
            positional.push_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "--help" || argument == "-h") {
            help = true;
        } else if (argument == "--list") {
            list = true;
        } else if (argument == "--quiet" || argument == "-q") {
            result.quiet = true;
        } else if (argument == "--reader" || argument == "--seed") {
            if (i + 1 == arguments.size()) {
                return UsageError(std::string(argument) + " needs a value");
            }
            const std::string_view value = arguments[++i];
            if (argument == "--reader") {
                readerName = value;
            } else if (!(result.seed = ParseSeed(value))) {
                return UsageError("--seed needs a number from 0 to 4294967295, not \"" +
                                  std::string(value) + "\"");
            }
        } else {
            return UsageError("unknown option " + std::string(argument));
        }
    }

    if (help) {
        result.action = FxAction::Help;
        return result;
    }
    if (list) {
        if (!positional.empty()) {
            return UsageError("--list takes no files or effects");
        }
        result.action = FxAction::List;
        return result;
    }
    if (positional.size() < 2) {
        return UsageError("INPUT and OUTPUT are needed");
    }
    result.input = positional[0];
    result.output = positional[1];
    result.effects.assign(positional.begin() + 2, positional.end());

    const std::optional<int> filter =
        readerName ? ReaderFilterByName(*readerName) : ReaderFilterByExtension(result.input);
    if (!filter) {
        return UsageError(readerName ? "unknown reader \"" + std::string(*readerName) + "\""
                                     : "cannot tell the reader from the name " + result.input +
                                           "; choose one with --reader");
    }
    result.readerFilter = *filter;
    return result;
}

std::string_view UsageText() {
    return kUsage;
}

std::string_view HelpText() {
    return kHelp;
}

}  // namespace marvolin::cli
