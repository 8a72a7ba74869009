#include "effects/two_pole_filter.h"

#include <cstdint>
#include <optional>
#include <vector>

#include "effects/normalize_peak.h"
#include "effects/progress_tick.h"
#include "effects/routine_block.h"

namespace marvolin::effects {

void RunTwoPoleFilter(EffectContext& context, const TwoPoleRecord& record) {
    if (context.sampleRate == 0) {  // 0 Hz has no frequencies
        return;
    }
    const std::vector<float>& input = context.working.samples;
    std::optional<std::vector<float>> output = TakeRoutineBlock(context.host, input.size());
    if (!output) {
        return;
    }
    const TwoPoleCoefficients c =
        DesignTwoPole(record.type, record.frequency, record.bandwidth, context.sampleRate);
    const double alpha = c.alpha;
    const double beta = c.beta;
    const double gamma = c.gamma;
    const double b1 = c.b1;
    const double b2 = c.b2;

    ProgressTick tick(context.host, context.working.sampleCount() / 100);
    float x1 = 0.0f;
    float x2 = 0.0f;
    float y1 = 0.0f;
    float y2 = 0.0f;
    for (std::size_t i = 0; i < input.size(); ++i) {
        const float x = input[i];
        const auto y = static_cast<float>(
            2.0 * (alpha * (static_cast<double>(x) + b1 * static_cast<double>(x1) +
                            b2 * static_cast<double>(x2)) +
                   gamma * static_cast<double>(y1) - beta * static_cast<double>(y2)));
        (*output)[i] = y;
        y2 = y1;
        y1 = y;
        x2 = x1;
        x1 = x;
        tick.Tick();
    }
    NormalizePeak(*output);
    context.working.samples = std::move(*output);
}

}  // namespace marvolin::effects
