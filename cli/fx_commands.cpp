#include "cli/fx_commands.h"

#include <iostream>
#include <optional>
#include <vector>

#include "cli/terminal_effect_host.h"
#include "effects/effect_frame.h"
#include "effects/effect_matrix.h"
#include "effects/random_generator.h"
#include "formats/load_sound_file.h"
#include "formats/wav.h"
#include "platform/headless/headless_platform.h"

namespace marvolin::cli {
namespace {

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

}  // namespace

void ListEffects(std::ostream& out) {
    for (const effects::EffectEntry& entry : effects::EffectMatrix()) {
        out << entry.FullName() << '\n';
    }
}

int ApplyEffectsToFile(const FxArguments& arguments, bool showProgressBar) {
    const auto chosenEffects = FindEffects(arguments.effects);
    if (!chosenEffects) {
        return kExitFailure;
    }

    // As at the program's start; the routines that reseed from the clock get the override too.
    effects::OverrideClockSeed(arguments.seed);
    effects::SeedRandomFromClock();

    // Every reader and writer problem is shown in a message box, which prints it here.
    platform::headless::ScriptedMessageBoxes messageBoxes;
    messageBoxes.echoToStandardError = true;
    platform::headless::CountingCursor cursor;
    formats::FileHost files{messageBoxes, cursor};

    formats::SoundBuffer sound;
    formats::LoadSoundFile(files, sound, arguments.input, arguments.readerFilter);
    if (!messageBoxes.shown.empty() || !sound.hasBlock) {
        if (messageBoxes.shown.empty()) {
            std::cerr << "marvolin-fx: nothing could be read from " << arguments.input << '\n';
        }
        return kExitFailure;
    }

    formats::SoundBuffer undo;
    effects::RoutineMemory memory;
    TerminalEffectHost host(messageBoxes, showProgressBar ? &std::cerr : nullptr);
    for (const effects::EffectEntry& effect : *chosenEffects) {
        host.BeginEffect(effect.FullName());
        const bool applied = effects::ApplyEffect(sound, undo, effect.category,
                                                  effect.clickedEffectButton, host, memory);
        host.EndEffect();
        // A routine short of memory lets the effect finish without its own part; a file
        // written from that would not be what was asked for.
        if (!applied || host.memoryMessagesShown() > 0) {
            return kExitFailure;
        }
    }

    std::string savedPath = arguments.output;
    formats::SaveWav(files, sound, savedPath);
    if (!messageBoxes.shown.empty()) {
        return kExitFailure;
    }
    if (savedPath != arguments.output && !arguments.quiet) {
        std::cerr << "marvolin-fx: saved as " << savedPath << '\n';
    }
    return kExitSuccess;
}

}  // namespace marvolin::cli
