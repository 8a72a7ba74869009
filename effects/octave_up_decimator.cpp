#include <cstdint>
#include <optional>
#include <vector>

#include "effects/progress_tick.h"
#include "effects/routine_block.h"
#include "effects/routines.h"

namespace marvolin::effects {

// Keeps every second sample, without filtering: twice as fast, an octave up. An odd last
// sample is dropped.
void RunOctaveUpDecimator(EffectContext& context) {
    const std::vector<float>& input = context.working.samples;
    const std::uint32_t kept = context.working.sampleCount() / 2;
    std::optional<std::vector<float>> output = TakeRoutineBlock(context.host, kept);
    if (!output) {
        return;
    }
    ProgressTick tick(context.host, kept / 100);
    for (std::uint32_t i = 0; i < kept; ++i) {
        (*output)[i] = input[2 * std::size_t{i}];
        tick.Tick();
    }
    context.working.samples = std::move(*output);
}

}  // namespace marvolin::effects
