#include "effects/swept_resonator.h"

#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

#include "effects/normalize_peak.h"
#include "effects/progress_tick.h"
#include "effects/routine_block.h"
#include "effects/two_core_runs.h"
#include "platform/allocation.h"

namespace marvolin::effects {
namespace {

// An earlier output larger than this in magnitude feeds the next sample as +limit: the
// magnitude is capped, the sign dropped.
constexpr double kFeedbackLimit = 100000.0;

double LimitFeedback(double y) {
    return std::fabs(y) > kFeedbackLimit ? kFeedbackLimit : y;
}

}  // namespace

void RunSweptResonator(EffectContext& context, const ResonatorRecord& resonator) {
    if (context.sampleRate == 0) {  // 0 Hz has no frequencies
        return;
    }
    const std::vector<float>& input = context.working.samples;
    const std::uint32_t count = context.working.sampleCount();
    std::optional<std::vector<float>> output = TakeRoutineBlock(context.host, count);
    if (!output) {
        return;
    }
    const double p = ResonatorPoleRadius(resonator.bandwidth, context.sampleRate);
    const double g = 1.0 - p;
    const double c2 = -(p * p);
    const auto radiansPerHertz = static_cast<double>(RadiansPerHertz(context.sampleRate));
    const ResonatorSweep sweep(resonator, count, context.sampleRate);
    const bool sweeping = resonator.shape != SweepShape::kFixed;
    double c1 =
        2.0 * p * std::cos(static_cast<double>(resonator.centreFrequency) * radiansPerHertz);

    // Every sample's feedback coefficient depends on its index alone, so a sweeping effect
    // works them all out first, on both cores. Without memory for that table they are worked
    // out one by one as the filter goes.
    auto coefficientAt = [&](std::uint32_t i) {
        return 2.0 * p * std::cos(sweep.CentreAt(i) * radiansPerHertz);
    };
    std::optional<std::vector<double>> coefficients;
    if (sweeping && count >= kWorthASecondCore) {
        coefficients = platform::AllocateBlock<double>(count);
    }
    if (coefficients) {
        ForEachOnTwoCores(count, [&](std::size_t begin, std::size_t end) {
            for (std::size_t i = begin; i < end; ++i) {
                (*coefficients)[i] = coefficientAt(static_cast<std::uint32_t>(i));
            }
        });
    }

    ProgressTick tick(context.host, count / 100);
    double x1 = 0.0;
    double x2 = 0.0;
    double y1 = 0.0;
    double y2 = 0.0;
    for (std::uint32_t i = 0; i < count; ++i) {
        if (coefficients) {
            c1 = (*coefficients)[i];
        } else if (sweeping) {
            c1 = coefficientAt(i);
        }
        y1 = LimitFeedback(y1);
        y2 = LimitFeedback(y2);
        const double x = input[i];
        const double y = g * (x - p * x2) + c2 * y2 + c1 * y1;
        (*output)[i] = static_cast<float>(y);
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        tick.Tick();
    }
    NormalizePeak(*output);
    context.working.samples = std::move(*output);
}

}  // namespace marvolin::effects
