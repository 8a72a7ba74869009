#include "effects/amplitude_modulator.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "effects/normalize_peak.h"
#include "effects/progress_tick.h"
#include "effects/routine_block.h"
#include "effects/two_core_runs.h"

namespace marvolin::effects {
namespace {

// output[j] = gain(j) x input[j], the product in double precision stored as a float. Each
// gain depends on j alone, so the two halves of the sound are worked on side by side.
template <typename Gain>
void Modulate(const std::vector<float>& input, std::vector<float>& output, ProgressTick& tick,
              Gain gain) {
    ForEachRunWithTicksOnTwoCores(tick, input.size(), [&](std::size_t begin, std::size_t end) {
        for (std::size_t j = begin; j < end; ++j) {
            const double g = gain(static_cast<std::uint32_t>(j));
            output[j] = static_cast<float>(g * static_cast<double>(input[j]));
        }
    });
}

void ApplyGainCurve(GainCurve curve, const std::vector<float>& input, std::uint32_t sampleRate,
                    std::vector<float>& output, ProgressTick& tick) {
    const std::uint32_t n = static_cast<std::uint32_t>(input.size());
    const double count = static_cast<double>(static_cast<float>(n));
    const double rate = static_cast<double>(sampleRate);
    switch (curve) {
        case GainCurve::kFadeIn:
            Modulate(input, output, tick, [&](std::uint32_t j) { return double(j) / count; });
            break;
        case GainCurve::kFadeOut:
            Modulate(input, output, tick, [&](std::uint32_t j) { return double(n - j) / count; });
            break;
        case GainCurve::kBellCurve:
            // 6.2831855f is the float nearest 2 pi (elsewhere 6.2831850f is used on purpose).
            Modulate(input, output, tick, [&](std::uint32_t j) {
                return 1.0 - std::cos(double(j) / count * double(6.2831855f));
            });
            break;
        case GainCurve::kPercussive: {
            const double e7 = std::exp(7.0);
            Modulate(input, output, tick,
                     [&](std::uint32_t j) { return std::exp(double(n - j) / count * 7.0) / e7; });
            break;
        }
        case GainCurve::kTremolos:
            Modulate(input, output, tick, [&](std::uint32_t j) {
                return (std::sin(double(j) / rate * double(62.831856f)) + 1.0) * double(0.02f);
            });
            break;
        case GainCurve::kAndroid:
            Modulate(input, output, tick, [&](std::uint32_t j) {
                return std::sin(double(j) / rate * double(1256.6371f));
            });
            break;
        case GainCurve::kCyborg:
            Modulate(input, output, tick, [&](std::uint32_t j) {
                return std::sin(double(j) / rate * double(314.15927f));
            });
            break;
        case GainCurve::kHoarse:
            Modulate(input, output, tick, [&](std::uint32_t j) {
                return (std::sin(double(j) / rate * double(314.15927f)) + 1.0) * 0.5;
            });
            break;
    }
}

}  // namespace

void RunAmplitudeModulator(EffectContext& context, GainCurve curve) {
    const std::vector<float>& input = context.working.samples;
    std::optional<std::vector<float>> output = TakeRoutineBlock(context.host, input.size());
    if (!output) {
        return;
    }
    ProgressTick tick(context.host, context.working.sampleCount() / 100);
    ApplyGainCurve(curve, input, context.sampleRate, *output, tick);
    NormalizePeak(*output);
    context.working.samples = std::move(*output);
}

}  // namespace marvolin::effects
