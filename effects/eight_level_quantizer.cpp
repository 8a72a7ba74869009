#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

#include "effects/progress_tick.h"
#include "effects/routine_block.h"
#include "effects/routines.h"

namespace marvolin::effects {
namespace {

constexpr float kStepsPerUnit = 4.0f;
constexpr double kStepSize = 0.25;
constexpr float kHalfStep = 0.125f;

// Positive samples round up to the next step boundary and negative ones (and zero) down,
// then move half a step back toward zero: every level sits in the middle of its step.
float Quantize(float sample) {
    const double steps = double(sample) * double(kStepsPerUnit);
    if (sample > 0.0f) {
        return static_cast<float>(std::ceil(steps) * kStepSize - double(kHalfStep));
    }
    return static_cast<float>(std::floor(steps) * kStepSize + double(kHalfStep));
}

}  // namespace

void RunEightLevelQuantizer(EffectContext& context) {
    const std::vector<float>& input = context.working.samples;
    const std::uint32_t n = context.working.sampleCount();
    std::optional<std::vector<float>> output = TakeRoutineBlock(context.host, n);
    if (!output) {
        return;
    }
    ProgressTick tick(context.host, n / 100);
    for (std::uint32_t i = 0; i < n; ++i) {
        (*output)[i] = Quantize(input[i]);
        tick.Tick();
    }
    context.working.samples = std::move(*output);
}

}  // namespace marvolin::effects
