#include <cstdint>
#include <optional>
#include <vector>

#include "effects/progress_tick.h"
#include "effects/routine_block.h"
#include "effects/routines.h"

namespace marvolin::effects {

// Plays the sound backwards.
void RunReverser(EffectContext& context) {
    const std::vector<float>& input = context.working.samples;
    const std::uint32_t n = context.working.sampleCount();
    std::optional<std::vector<float>> output = TakeRoutineBlock(context.host, n);
    if (!output) {
        return;
    }
    ProgressTick tick(context.host, n / 100);
    for (std::uint32_t i = 0; i < n; ++i) {
        (*output)[i] = input[n - 1 - i];
        tick.Tick();
    }
    context.working.samples = std::move(*output);
}

}  // namespace marvolin::effects
