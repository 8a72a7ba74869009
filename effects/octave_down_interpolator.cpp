#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

#include "effects/progress_tick.h"
#include "effects/routine_block.h"
#include "effects/routines.h"

namespace marvolin::effects {
namespace {
constexpr float kHalf = 0.5f;
}  // namespace

// Doubles the length by putting the mean of each sample and the next after it: half as fast,
// an octave down. The last sample has no next one and is followed by silence.
void RunOctaveDownInterpolator(EffectContext& context) {
    const std::vector<float>& input = context.working.samples;
    const std::uint32_t n = context.working.sampleCount();
    // A sound counts its samples in 32 bits: twice a count this long could not be one.
    if (n > std::numeric_limits<std::uint32_t>::max() / 2) {
        context.host.ShowMemoryMessage();
        return;
    }
    std::optional<std::vector<float>> output = TakeRoutineBlock(context.host, 2 * std::size_t{n});
    if (!output) {
        return;
    }
    std::vector<float>& out = *output;
    ProgressTick tick(context.host, n / 100);
    for (std::uint32_t i = 0; i < n; ++i) {
        const std::size_t at = 2 * std::size_t{i};
        out[at] = input[i];
        if (i + 1 < n) {
            out[at + 1] =
                static_cast<float>((double(input[i]) + double(input[i + 1])) * double(kHalf));
        }  // the block is zero-filled, so the very last sample stays 0
        tick.Tick();
    }
    context.working.samples = std::move(out);
}

}  // namespace marvolin::effects
