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

// Values some routines keep from one run to the next.
struct RoutineMemory {
    bool vocoderHalf = false;
    std::uint32_t flangerProgressOffset = 0;
};

// Everything a processing routine reads and writes. `category` (0..7) and
// `clickedEffectButton` (the hotspot, 8..12) choose the routine's constants.
struct EffectContext {
    WorkingBuffer& working;
    std::uint32_t sampleRate;
    std::uint16_t category;
    std::uint16_t clickedEffectButton;
    EffectHost& host;
    RoutineMemory& memory;
};

using Routine = void (*)(EffectContext& context);

}  // namespace marvolin::effects
