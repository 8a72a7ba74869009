#include "cli/fx_commands.h"

#include <sched.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <map>
#include <optional>
#include <thread>
#include <vector>

#include "cli/batch_run.h"
#include "cli/file_job.h"
#include "cli/stop_signals.h"
#include "cli/terminal_messages.h"
#include "effects/effect_matrix.h"

namespace marvolin::cli {
namespace {

namespace fs = std::filesystem;

// Every name must be known before any work starts.
std::optional<std::vector<effects::EffectEntry>> FindEffects(
    const std::vector<std::string>& names) {
    std::vector<effects::EffectEntry> found;
    for (const std::string& name : names) {
        const std::optional<effects::EffectEntry> entry = effects::FindEffectByName(name);
        if (!entry) {
            std::cerr << "marvolin-fx: unknown effect: " << name
                      << " (marvolin-fx --list shows them all)\n";
            return std::nullopt;
        }
        found.push_back(*entry);
    }
    return found;
}

std::string JsonString(std::string_view text) {
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
        }
        quoted += c;
    }
    return quoted + '"';
}

unsigned CoreCount() {
    cpu_set_t cores;
    if (sched_getaffinity(0, sizeof(cores), &cores) == 0) {
        return static_cast<unsigned>(std::max(1, CPU_COUNT(&cores)));
    }
    return std::max(1u, std::thread::hardware_concurrency());
}

// Two inputs of the same name would overwrite each other's result in the folder.
std::optional<std::string> FindClash(const std::vector<PlannedFile>& files) {
    std::map<std::string, const std::string*> firstInput;
    for (const PlannedFile& file : files) {
        const std::string key = fs::path(file.target.path).lexically_normal().string();
        const auto [found, isNew] = firstInput.emplace(key, &file.input);
        if (!isNew) {
            return *found->second + " and " + file.input + " would both be written to " +
                   file.target.path;
        }
    }
    return std::nullopt;
}

}  // namespace

void ListEffects(std::ostream& out, bool json) {
    if (!json) {
        for (const effects::EffectEntry& entry : effects::EffectMatrix()) {
            out << entry.FullName() << '\n';
        }
        return;
    }
    out << "[\n";
    bool first = true;
    for (const effects::EffectEntry& entry : effects::EffectMatrix()) {
        out << (first ? "" : ",\n") << "  {\"category\": " << JsonString(entry.categoryName)
            << ", \"name\": " << JsonString(entry.effectName) << ", \"routines\": [";
        for (std::size_t i = 0; i < entry.routineNames.size(); ++i) {
            out << (i == 0 ? "" : ", ") << JsonString(entry.routineNames[i]);
        }
        out << "]}";
        first = false;
    }
    out << "\n]\n";
}

int RunFx(const FxArguments& arguments, bool onTerminal) {
    const auto chosenEffects = FindEffects(arguments.effects);
    if (!chosenEffects) {
        return kExitFailure;
    }
    if (arguments.outputFolder) {
        std::error_code error;
        if (!fs::is_directory(*arguments.outputFolder, error)) {
            PrintFileProblem(std::cerr, *arguments.outputFolder,
                             fs::exists(*arguments.outputFolder, error)
                                 ? "is not a folder"
                                 : "no such folder (it is not made for you)",
                             false);
            return kExitFailure;
        }
    }

    bool allWent = true;
    std::vector<PlannedFile> files;
    for (const std::string& input : arguments.inputs) {
        const OutputNaming naming =
            arguments.outputFolder
                ? NameInFolder(*arguments.outputFolder, input, arguments.forcedType)
                : NameOutput(arguments.output, arguments.forcedType);
        if (!naming.target) {
            std::cerr << "marvolin-fx: " << naming.problem << '\n';
            allWent = false;
            continue;
        }
        if (naming.target->toStandardOutput() && ::isatty(STDOUT_FILENO) != 0) {
            std::cerr << "marvolin-fx: standard output is a terminal; redirect it or name a "
                         "file\n";
            return kExitFailure;
        }
        files.push_back({input, *naming.target});
    }
    if (const auto clash = FindClash(files)) {
        std::cerr << "marvolin-fx: " << *clash << '\n';
        return kExitUsage;
    }

    JobSettings settings;
    settings.readerFilter = arguments.readerFilter;
    settings.seed = arguments.seed;
    settings.effects = *chosenEffects;
    settings.existing = arguments.existing;
    const bool progress = onTerminal && !arguments.quiet;

    if (files.size() == 1) {
        WatchForStopSignals();
        settings.effectBar = progress;
        const PlannedFile& file = files.front();
        const JobOutcome outcome = ProcessFile(file.input, file.target, settings);
        RemoveScratchFolder();
        if (outcome == JobOutcome::Failed) {
            return kExitFailure;
        }
        if (outcome == JobOutcome::Written && !arguments.quiet && !arguments.outputFolder &&
            file.target.path != arguments.output) {
            std::cerr << "marvolin-fx: saved as " << file.target.path << '\n';
        }
    } else if (!files.empty()) {
        const unsigned workers = arguments.jobs != 0 ? arguments.jobs : CoreCount();
        allWent =
            RunBatch(files, settings, std::min<std::size_t>(workers, files.size()), progress) &&
            allWent;
    }
    return allWent ? kExitSuccess : kExitFailure;
}

}  // namespace marvolin::cli
