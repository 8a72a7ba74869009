#include "cli/fx_arguments.h"

#include <charconv>
#include <filesystem>

#include "cli/reader_choice.h"
#include "effects/effect_matrix.h"

#ifndef MARVOLIN_VERSION
#define MARVOLIN_VERSION "unknown"
#endif

namespace marvolin::cli {
namespace {

constexpr std::string_view kUsage =
    "usage: marvolin-fx [OPTION]... INPUT... -o OUTPUT|-d FOLDER [EFFECT]...\n"
    "       marvolin-fx [OPTION]... INPUT OUTPUT [EFFECT]...\n"
    "       marvolin-fx --list [--json]\n"
    "       marvolin-fx --help | --version\n";

constexpr std::string_view kHelp =
    "usage: marvolin-fx [OPTION]... INPUT... -o OUTPUT|-d FOLDER [EFFECT]...\n"
    "       marvolin-fx [OPTION]... INPUT OUTPUT [EFFECT]...\n"
    "       marvolin-fx --list [--json]\n"
    "\n"
    "Applies Marvolin's effects to sound files, one after another as clicks on their buttons\n"
    "would, and saves each result. With no EFFECT a file is only converted.\n"
    "\n"
    "  INPUT              a sound file; its content tells its type. - is standard input\n"
    "  EFFECT             Category/Name as --list prints it, in any case, e.g. Echoes/Classic\n"
    "  -o, --output FILE  the file to write; its extension chooses the type (wav, opus, mp3,\n"
    "                     flac, ogg, m4a), \".wav\" is added to a name without one. - is\n"
    "                     standard output\n"
    "  -d, --output-dir FOLDER\n"
    "                     one result per INPUT in FOLDER, named as the input with the\n"
    "                     type's extension\n"
    "  -e, --effect EFFECT\n"
    "                     one more effect, at this place in the order\n"
    "  -t, --type TYPE    write this type (wav, opus, mp3, flac, ogg, m4a) whatever the name\n"
    "  -j, --jobs N       process N files at a time, as many more being written to the\n"
    "                     disk meanwhile (default: one per core)\n"
    "  --reader NAME      read every INPUT with this reader (wav, aiff, au, iff, snd, voc)\n"
    "  --seed N           seed the random effects with N (0..4294967295) instead of the clock\n"
    "  -n, --no-clobber   keep outputs that exist already and skip their inputs\n"
    "  -f, --force        replace outputs that exist already (the default)\n"
    "  -q, --quiet        no progress line and no notes\n"
    "  --list [--json]    print the 40 effects (--json: with their category, name and\n"
    "                     routines)\n"
    "  -h, --help         print this help\n"
    "  --version          print the version\n"
    "\n"
    "An output is written only once its input and every effect have succeeded, and replaces\n"
    "an existing file only when completely written.\n"
    "Exit status: 0 on success, 1 when a file or an effect fails, 2 for a bad command line,\n"
    "128+N when stopped by signal N.\n";

constexpr std::string_view kVersion = "marvolin-fx " MARVOLIN_VERSION "\n";

FxArguments UsageError(std::string problem) {
    FxArguments result;
    result.action = FxAction::UsageError;
    result.problem = std::move(problem);
    return result;
}

template <typename Number>
std::optional<Number> ParseNumber(std::string_view text) {
    Number value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end) {
        return std::nullopt;
    }
    return value;
}

bool TakesValue(std::string_view option) {
    for (const std::string_view name :
         {"--reader", "--seed", "-o", "--output", "-d", "--output-dir", "-e", "--effect", "-t",
          "--type", "-j", "--jobs"}) {
        if (option == name) {
            return true;
        }
    }
    return false;
}

// One positional word, or an effect given with -e, in command-line order.
struct Word {
    std::string_view text;
    bool isEffect;
};

}  // namespace

FxArguments ParseArguments(std::span<const std::string_view> arguments) {
    FxArguments result;
    std::vector<Word> words;
    std::optional<std::string_view> readerName;
    std::optional<std::string_view> output;
    bool list = false;
    bool help = false;
    bool version = false;
    bool optionsEnded = false;

    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string_view argument = arguments[i];
        std::optional<std::string_view> attached;  // --option=value
        if (!optionsEnded && argument.starts_with("--")) {
            if (const std::size_t equals = argument.find('='); equals != std::string_view::npos) {
                attached = argument.substr(equals + 1);
                argument = argument.substr(0, equals);
            }
        } else if (!optionsEnded && argument.size() > 2 && argument[0] == '-' &&
                   TakesValue(argument.substr(0, 2))) {
            attached = argument.substr(2);  // -j2, -oFILE
            argument = argument.substr(0, 2);
        }
        if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
            words.push_back({argument, false});
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "--help" || argument == "-h") {
            help = true;
        } else if (argument == "--version") {
            version = true;
        } else if (argument == "--list") {
            list = true;
        } else if (argument == "--json") {
            result.json = true;
        } else if (argument == "--quiet" || argument == "-q") {
            result.quiet = true;
        } else if (argument == "--no-clobber" || argument == "-n") {
            result.existing = ExistingOutput::Keep;
        } else if (argument == "--force" || argument == "-f") {
            result.existing = ExistingOutput::Replace;
        } else if (TakesValue(argument)) {
            if (!attached && i + 1 == arguments.size()) {
                return UsageError(std::string(argument) + " needs a value");
            }
            const std::string_view value = attached ? *attached : arguments[++i];
            if (argument == "--reader") {
                readerName = value;
            } else if (argument == "--seed") {
                if (!(result.seed = ParseNumber<std::uint32_t>(value))) {
                    return UsageError("--seed needs a number from 0 to 4294967295, not \"" +
                                      std::string(value) + "\"");
                }
            } else if (argument == "-o" || argument == "--output") {
                if (output) {
                    return UsageError("only one -o OUTPUT; several inputs need -d FOLDER");
                }
                output = value;
            } else if (argument == "-d" || argument == "--output-dir") {
                result.outputFolder = std::string(value);
            } else if (argument == "-e" || argument == "--effect") {
                words.push_back({value, true});
            } else if (argument == "-t" || argument == "--type") {
                if (!(result.forcedType = formats::SaveFormatForExtension(value)) ||
                    value.starts_with('.')) {
                    return UsageError("unknown type \"" + std::string(value) +
                                      "\" (wav, opus, mp3, flac, ogg, m4a)");
                }
            } else {
                const std::optional<unsigned> jobs = ParseNumber<unsigned>(value);
                if (!jobs || *jobs == 0 || *jobs > 256) {
                    return UsageError("--jobs needs a number from 1 to 256, not \"" +
                                      std::string(value) + "\"");
                }
                result.jobs = *jobs;
            }
        } else {
            return UsageError("unknown option " + std::string(argument));
        }
    }

    if (help || version) {
        result.action = help ? FxAction::Help : FxAction::Version;
        return result;
    }
    if (list) {
        if (!words.empty()) {
            return UsageError("--list takes no files or effects");
        }
        result.action = FxAction::List;
        return result;
    }
    if (result.json) {
        return UsageError("--json goes with --list");
    }
    if (output && result.outputFolder) {
        return UsageError("-o and -d do not go together");
    }

    // The old form, INPUT OUTPUT EFFECT...; otherwise the files come first, up to the first
    // word that names an effect (a file of that name can be given as ./Category/Name).
    bool effectsStarted = false;
    const bool oldForm = !output && !result.outputFolder;
    for (const Word& word : words) {
        if (word.isEffect) {
            effectsStarted = true;
            result.effects.emplace_back(word.text);
        } else if (oldForm && result.inputs.empty()) {
            result.inputs.emplace_back(word.text);
        } else if (oldForm && !output) {
            output = word.text;
        } else if (oldForm || effectsStarted || effects::FindEffectByName(word.text)) {
            effectsStarted = true;
            result.effects.emplace_back(word.text);
        } else {
            result.inputs.emplace_back(word.text);
        }
    }
    if (result.inputs.empty()) {
        return UsageError("no INPUT given");
    }
    // With -o, a second word that is no file is a misspelt effect, told as such later.
    if (output && result.inputs.size() > 1 && result.inputs[1] != "-" &&
        !std::filesystem::exists(result.inputs[1])) {
        result.effects.insert(result.effects.begin(), result.inputs.begin() + 1,
                              result.inputs.end());
        result.inputs.resize(1);
    }
    if (output && result.inputs.size() > 1) {
        return UsageError("-o takes one INPUT (several need -d FOLDER), and \"" + result.inputs[1] +
                          "\" is no effect either (--list shows them)");
    }
    if (!output && !result.outputFolder) {
        return UsageError("no OUTPUT given (-o FILE, or -d FOLDER)");
    }
    if (output) {
        result.output = *output;
    }
    std::size_t fromStandardInput = 0;
    for (const std::string& input : result.inputs) {
        fromStandardInput += input == "-" ? 1 : 0;
    }
    if (fromStandardInput > 0 && result.outputFolder) {
        return UsageError("standard input has no name to write into a folder; use -o");
    }
    if (readerName && !(result.readerFilter = ReaderFilterByName(*readerName))) {
        return UsageError("unknown reader \"" + std::string(*readerName) + "\"");
    }
    return result;
}

std::string_view UsageText() {
    return kUsage;
}

std::string_view HelpText() {
    return kHelp;
}

std::string_view VersionText() {
    return kVersion;
}

}  // namespace marvolin::cli
