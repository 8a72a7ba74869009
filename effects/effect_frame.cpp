#include "effects/effect_frame.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

#include "effects/effect_matrix.h"
#include "effects/sample_conversion.h"
#include "platform/allocation.h"

namespace marvolin::effects {
namespace {

std::optional<WorkingBuffer> EnterWorkingBuffer(const formats::SoundBuffer& sound) {
    auto block = platform::AllocateBlock<float>(sound.samples.size());
    if (!block) {
        return std::nullopt;
    }
    std::ranges::transform(sound.samples, block->begin(), EnterSample);
    return WorkingBuffer{std::move(*block)};
}

std::optional<std::vector<std::int16_t>> LeaveWorkingBuffer(const WorkingBuffer& working) {
    // A sound counts its samples in 32 bits; a longer result cannot become one.
    if (working.samples.size() > std::numeric_limits<std::uint32_t>::max()) {
        return std::nullopt;
    }
    auto block = platform::AllocateBlock<std::int16_t>(working.samples.size());
    if (!block) {
        return std::nullopt;
    }
    std::ranges::transform(working.samples, block->begin(), LeaveSample);
    return block;
}

}  // namespace

bool ApplyEffect(formats::SoundBuffer& sound, formats::SoundBuffer& undo, std::uint16_t category,
                 std::uint16_t clickedEffectButton, EffectHost& host, RoutineMemory&) {
    const std::optional<EffectEntry> entry = FindEffect(category, clickedEffectButton);
    if (!entry) {
        return false;
    }
    return ApplyRoutines(sound, undo, entry->routines, host);
}

bool ApplyRoutines(formats::SoundBuffer& sound, formats::SoundBuffer& undo,
                   std::span<const Routine> routines, EffectHost& host) {
    std::optional<WorkingBuffer> working = EnterWorkingBuffer(sound);
    if (!working) {
        host.ShowMemoryMessage();
        return false;
    }
    EffectContext context{*working, sound.sampleRate, host};
    for (const Routine routine : routines) {
        routine(context);
    }

    // The old undo block is only given up once the new sound exists, so a failure here
    // still leaves both buffers as they were.
    std::optional<std::vector<std::int16_t>> result = LeaveWorkingBuffer(*working);
    working.reset();
    if (!result) {
        host.ShowMemoryMessage();
        return false;
    }
    undo.samples = std::move(sound.samples);
    undo.hasBlock = sound.hasBlock;
    undo.sampleRate = sound.sampleRate;
    sound.Install(std::move(*result));
    return true;
}

void ExchangeSoundAndUndo(formats::SoundBuffer& sound, formats::SoundBuffer& undo) {
    std::swap(sound.samples, undo.samples);
    std::swap(sound.hasBlock, undo.hasBlock);
    std::swap(sound.sampleRate, undo.sampleRate);
}

}  // namespace marvolin::effects
