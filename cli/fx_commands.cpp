#include "cli/fx_commands.h"

#include <iostream>
#include <optional>
#include <vector>

#include "cli/terminal_effect_host.h"
#include "cli/terminal_messages.h"
#include "effects/effect_frame.h"
#include "effects/effect_matrix.h"
#include "effects/random_generator.h"
#include "formats/load_sound_file.h"
#include "formats/wav.h"

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

    // Every reader and writer problem is printed here in the words the window shows.
    formats::LoadResult loaded = formats::LoadSoundFile(arguments.input, arguments.readerFilter);
    if (const auto message = resources::ForFileStatus(loaded.status)) {
        PrintMessage(std::cerr, *message);
        return kExitFailure;
    }
    formats::SoundBuffer sound;
    formats::InstallLoaded(sound, std::move(loaded));

    formats::SoundBuffer undo;
    effects::RoutineMemory memory;
    TerminalEffectHost host(std::cerr, showProgressBar ? &std::cerr : nullptr);
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

    const formats::SaveResult saved = formats::SaveWav(sound, arguments.output);
    if (const auto message = resources::ForFileStatus(saved.status)) {
        PrintMessage(std::cerr, *message);
        return kExitFailure;
    }
    if (saved.path != arguments.output && !arguments.quiet) {
        std::cerr << "marvolin-fx: saved as " << saved.path << '\n';
    }
    return kExitSuccess;
}

}  // namespace marvolin::cli
