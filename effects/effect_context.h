#pragma once

#include <cstdint>
#include <vector>

namespace marvolin::effects {

// What a processing routine needs of the window: the progress indicator and the memory
// message ("Not enough memory to apply effect !", caption "Error", warning icon).
class EffectHost {
  public:
    virtual ~EffectHost() = default;
    virtual void ShowProgress(std::uint32_t percent) = 0;
    virtual void ShowMemoryMessage() = 0;
};

// The 32-bit float copy of the sound that routines work on while an effect is applied.
struct WorkingBuffer {
    std::vector<float> samples;
    std::uint32_t sampleCount() const { return static_cast<std::uint32_t>(samples.size()); }
};

// What the window keeps for the effects from one click to the next: nothing at present, as
// every effect's recipe states all its routines need. Callers hold one and pass it on.
struct RoutineMemory {};

// Everything a processing routine reads and writes; its constants come from its recipe.
struct EffectContext {
    WorkingBuffer& working;
    std::uint32_t sampleRate;
    EffectHost& host;
};

using Routine = void (*)(EffectContext& context);

}  // namespace marvolin::effects
