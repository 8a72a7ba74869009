#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "effects/effect_context.h"
#include "formats/sound_buffer.h"
#include "platform/allocation.h"

namespace marvolin::effects {

// A zero-filled float block for a routine's output or scratch memory. When it cannot be had,
// the memory message is shown and the routine is expected to return at once, leaving the
// working buffer as it is (blocks it already took are freed with their vectors).
// No effect makes a sound longer than the program's longest sound (formats::kLongestSound),
// so a longer block is refused the same way: an echo of a sound whose file claims an absurd
// rate must not take gigabytes or minutes.
inline std::optional<std::vector<float>> TakeRoutineBlock(EffectHost& host, std::size_t count) {
    if (count > formats::kLongestSound) {
        host.ShowMemoryMessage();
        return std::nullopt;
    }
    auto block = platform::AllocateBlock<float>(count);
    if (!block) {
        host.ShowMemoryMessage();
    }
    return block;
}

}  // namespace marvolin::effects
