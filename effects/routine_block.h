#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

#include "effects/effect_context.h"
#include "platform/allocation.h"

namespace marvolin::effects {

// A zero-filled float block for a routine's output or scratch memory. When it cannot be had,
// the memory message is shown and the routine is expected to return at once, leaving the
// working buffer as it is (blocks it already took are freed with their vectors).
// A sound counts its samples in 32 bits, so a longer block is refused the same way.
inline std::optional<std::vector<float>> TakeRoutineBlock(EffectHost& host, std::size_t count) {
    if (count > std::numeric_limits<std::uint32_t>::max()) {
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
