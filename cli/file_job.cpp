#include "cli/file_job.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>

#include "cli/reader_choice.h"
#include "cli/standard_streams.h"
#include "cli/stop_signals.h"
#include "cli/terminal_effect_host.h"
#include "cli/terminal_messages.h"
#include "effects/effect_frame.h"
#include "effects/random_generator.h"
#include "formats/load_sound_file.h"
#include "formats/wav.h"

namespace marvolin::cli {
namespace {

namespace fs = std::filesystem;
using resources::MessageId;

constexpr std::string_view kStandardInput = "standard input";
constexpr std::string_view kStandardOutput = "standard output";

std::string DisplayName(const std::string& path, std::string_view standardName) {
    return path == "-" ? std::string(standardName) : path;
}

// A private copy of standard input to read from, or empty after printing why there is none.
std::string CopyOfStandardInput(const JobSettings& settings) {
    const std::string folder = ScratchFolder();
    if (folder.empty()) {
        PrintFileProblem(std::cerr, kStandardInput,
                         "no scratch folder for a copy (" + std::string(std::strerror(errno)) + ")",
                         settings.overProgressLine);
        return {};
    }
    const std::string copy = folder + "/standard-input";
    if (const int error = CopyStandardInputTo(copy); error != 0) {
        PrintFileMessage(std::cerr, kStandardInput, MessageId::CannotOpenFile, error,
                         settings.overProgressLine);
        return {};
    }
    return copy;
}

std::optional<formats::SoundBuffer> Load(const std::string& input, const JobSettings& settings) {
    std::string path = input;
    if (input == "-") {
        path = CopyOfStandardInput(settings);
        if (path.empty()) {
            return std::nullopt;
        }
    } else if (std::error_code ignored; fs::is_directory(input, ignored)) {
        PrintFileMessage(std::cerr, input, MessageId::CannotOpenFile, EISDIR,
                         settings.overProgressLine);
        return std::nullopt;
    }
    formats::LoadResult loaded = settings.readerFilter
                                     ? formats::LoadSoundFile(path, *settings.readerFilter)
                                     : formats::LoadByContent(path, OwnReaderByType());
    if (input == "-") {
        ::unlink(path.c_str());
    }
    if (const auto message = resources::ForFileStatus(loaded.status)) {
        PrintFileMessage(std::cerr, DisplayName(input, kStandardInput), *message,
                         loaded.systemError, settings.overProgressLine);
        return std::nullopt;
    }
    formats::SoundBuffer sound;
    formats::InstallLoaded(sound, std::move(loaded));
    return sound;
}

bool ApplyEffects(formats::SoundBuffer& sound, const JobSettings& settings) {
    formats::SoundBuffer undo;
    effects::RoutineMemory memory;
    TerminalEffectHost host(std::cerr, settings.effectBar ? &std::cerr : nullptr);
    for (const effects::EffectEntry& effect : settings.effects) {
        host.BeginEffect(effect.FullName());
        const bool applied = effects::ApplyEffect(sound, undo, effect.category,
                                                  effect.clickedEffectButton, host, memory);
        host.EndEffect();
        // A routine short of memory lets the effect finish without its own part; a file
        // written from that would not be what was asked for.
        if (!applied || host.memoryMessagesShown() > 0) {
            return false;
        }
    }
    return true;
}

formats::SaveResult Save(const formats::SoundBuffer& sound, const std::string& path,
                         formats::SaveFormat format) {
    if (format == formats::SaveFormat::Wav) {
        return formats::SaveWav(sound, path);
    }
    return formats::SaveEncoded(sound, path, format, fs::path(path).stem().string());
}

bool SaveToStandardOutput(const formats::SoundBuffer& sound, const OutputTarget& target,
                          const JobSettings& settings) {
    const std::string folder = ScratchFolder();
    if (folder.empty()) {
        PrintFileProblem(std::cerr, kStandardOutput,
                         "no scratch folder for a copy (" + std::string(std::strerror(errno)) + ")",
                         settings.overProgressLine);
        return false;
    }
    const std::string copy =
        folder + "/standard-output." + std::string(formats::EntryOf(target.format).extension);
    const formats::SaveResult saved = Save(sound, copy, target.format);
    int error = saved.systemError;
    if (saved.ok()) {
        error = CopyToStandardOutput(copy);
    }
    ::unlink(copy.c_str());
    if (!saved.ok() || error != 0) {
        const auto message =
            saved.ok() ? MessageId::CannotSaveFile : resources::ForFileStatus(saved.status).value();
        PrintFileMessage(std::cerr, kStandardOutput, message, error, settings.overProgressLine);
        return false;
    }
    return true;
}

}  // namespace

JobOutcome ProcessFile(const std::string& input, const OutputTarget& target,
                       const JobSettings& settings) {
    if (settings.existing == ExistingOutput::Keep && !target.toStandardOutput()) {
        std::error_code ignored;
        if (fs::exists(fs::symlink_status(target.path, ignored))) {
            PrintFileProblem(std::cerr, target.path, "exists already; kept (--no-clobber)",
                             settings.overProgressLine);
            return JobOutcome::Skipped;
        }
    }

    // As at the program's start; the routines that reseed from the clock get the override too.
    effects::OverrideClockSeed(settings.seed);
    effects::SeedRandomFromClock();

    std::optional<formats::SoundBuffer> sound = Load(input, settings);
    if (!sound || !ApplyEffects(*sound, settings)) {
        return JobOutcome::Failed;
    }
    if (settings.beforeSave) {
        settings.beforeSave();
    }
    if (target.toStandardOutput()) {
        return SaveToStandardOutput(*sound, target, settings) ? JobOutcome::Written
                                                              : JobOutcome::Failed;
    }
    const formats::SaveResult saved = Save(*sound, target.path, target.format);
    if (const auto message = resources::ForFileStatus(saved.status)) {
        PrintFileMessage(std::cerr, target.path, *message, saved.systemError,
                         settings.overProgressLine);
        return JobOutcome::Failed;
    }
    return JobOutcome::Written;
}

}  // namespace marvolin::cli
