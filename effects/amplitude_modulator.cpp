#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "effects/effect_categories.h"
#include "effects/progress_tick.h"
#include "effects/routine_block.h"
#include "effects/routines.h"
#include "effects/two_core_runs.h"

namespace marvolin::effects {
namespace {

enum class GainCurve {
    kFadeIn,      // linear ramp from 0 toward 1
    kFadeOut,     // linear ramp from 1 toward 0
    kBellCurve,   // raised cosine, 0 at both ends and 2 in the middle
    kPercussive,  // exponential decay from 1 to exp(-7)
    kTremolos,    // 10 Hz tremolo
    kAndroid,     // 200 Hz ring modulation
    kCyborg,      // 50 Hz ring modulation
    kHoarse,      // 50 Hz full-depth tremolo
};

std::optional<GainCurve> SelectGainCurve(std::uint16_t category, std::uint16_t button) {
    if (category == kVolumes) {
        switch (button) {
            case EffectButton(1):
                return GainCurve::kFadeIn;
            case EffectButton(2):
                return GainCurve::kFadeOut;
            case EffectButton(3):
                return GainCurve::kBellCurve;
            case EffectButton(4):
                return GainCurve::kPercussive;
            case EffectButton(5):
                return GainCurve::kTremolos;
            default:
                return std::nullopt;
        }
    }
    if (category == kRobots && button == EffectButton(1)) {
        return GainCurve::kAndroid;
    }
    if (category == kRobots && button == EffectButton(2)) {
        return GainCurve::kCyborg;
    }
    if (category == kDelirium && button == EffectButton(2)) {
        return GainCurve::kHoarse;
    }
    return std::nullopt;
}

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

// Multiplies the sound by the effect's gain curve, keeping its length, and normalises the peak.
void RunAmplitudeModulator(EffectContext& context) {
    const std::optional<GainCurve> curve =
        SelectGainCurve(context.category, context.clickedEffectButton);
    if (!curve) {
        return;
    }
    const std::vector<float>& input = context.working.samples;
    std::optional<std::vector<float>> output = TakeRoutineBlock(context.host, input.size());
    if (!output) {
        return;
    }
    ProgressTick tick(context.host, context.working.sampleCount() / 100);
    ApplyGainCurve(*curve, input, context.sampleRate, *output, tick);
    NormalizePeak(*output);
    context.working.samples = std::move(*output);
}

}  // namespace marvolin::effects
