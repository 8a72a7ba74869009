#include "effects/drifting_delay_flanger.h"

#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

#include "effects/normalize_peak.h"
#include "effects/progress_tick.h"
#include "effects/routine_block.h"

namespace marvolin::effects {
namespace {

constexpr std::uint16_t kBaseDelayMs = 0;
constexpr std::uint16_t kSweepRateDeciHz = 50;
constexpr std::uint16_t kDepthDeciMs = 5;
constexpr float kTenth = 0.1f;  // also the gain of both the sound and its copy
constexpr float kPerMillisecond = 0.001f;
constexpr float kHalf = 0.5f;
constexpr float kRise = 2.0f;
constexpr float kFall = -2.0f;
constexpr float kOne = 1.0f;

}  // namespace

FlangerSweep::FlangerSweep(std::uint32_t sampleRate) : rate_(sampleRate) {
    const float rate = static_cast<float>(sampleRate);
    period_ =
        static_cast<std::uint32_t>(double(rate) / (double(kSweepRateDeciHz) * double(kTenth)));
    halfPeriod_ = period_ / 2;
    halfPeriodExact_ = double(period_) * double(kHalf);
    depthMs_ = static_cast<float>(double(kDepthDeciMs) * double(kTenth));
    baseOffset_ =
        static_cast<std::int64_t>(double(kBaseDelayMs) * double(rate) * double(kPerMillisecond));
}

std::optional<std::int64_t> FlangerSweep::OffsetAt(std::uint32_t i) const {
    float sweep;
    if (i < halfPeriod_) {
        sweep = static_cast<float>(double(i) / halfPeriodExact_ * double(kRise) - double(kOne));
    } else {
        sweep = static_cast<float>(
            (double(i) - halfPeriodExact_) / halfPeriodExact_ * double(kFall) + double(kOne));
    }
    const double offset =
        double(rate_) * double(depthMs_) * double(sweep) * double(kPerMillisecond);
    if (!(std::fabs(offset) < 0x1p53)) {
        return std::nullopt;  // 0 / 0 or infinite: there is no period to sweep over
    }
    return static_cast<std::int64_t>(offset) + baseOffset_;
}

void RunDriftingDelayFlanger(EffectContext& context, ProgressShare progress) {
    const std::vector<float>& input = context.working.samples;
    const std::uint32_t n = context.working.sampleCount();
    std::optional<std::vector<float>> output = TakeRoutineBlock(context.host, n);
    if (!output) {
        return;
    }
    std::vector<float>& out = *output;
    const FlangerSweep sweep(context.sampleRate);

    ProgressTick tick(context.host, n / progress.span, progress.firstPercent);
    for (std::uint32_t i = 0; i < n; ++i) {
        // The copy is silent wherever it would be read from outside the sound.
        float copy = 0.0f;
        if (const std::optional<std::int64_t> offset = sweep.OffsetAt(i)) {
            const std::int64_t source = std::int64_t{i} - *offset;
            if (source >= 0 && source < std::int64_t{n}) {
                copy = input[static_cast<std::size_t>(source)];
            }
        }
        out[i] =
            static_cast<float>(double(input[i]) * double(kTenth) + double(copy) * double(kTenth));
        tick.Tick();
    }

    NormalizePeak(out);
    context.working.samples = std::move(out);
}

}  // namespace marvolin::effects
