#include "effects/echo_generator.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "effects/milliseconds.h"
#include "effects/normalize_peak.h"
#include "effects/progress_tick.h"
#include "effects/routine_block.h"

namespace marvolin::effects {
namespace {

constexpr std::size_t kMaxTaps = 20;

struct Tap {
    std::uint64_t offset;  // in samples from the start of the output
    float gain;            // a whole number
};

// The delay from one tap to the next runs on a straight line from the first to the last delay
// (integer milliseconds, truncated); each tap sits that far after the previous one.
std::array<std::int32_t, kMaxTaps> TapDelays(const EchoRecord& record) {
    std::array<std::int32_t, kMaxTaps> delays{};
    const std::int32_t taps = record.tapCount;
    for (std::int32_t k = 0; k < taps; ++k) {
        delays[k] = taps == 1 ? record.firstDelay
                              : record.firstDelay +
                                    ((record.lastDelay - record.firstDelay) * k) / (taps - 1);
    }
    return delays;
}

// g[0] = dry gain up to g[N] = last gain, on a line or on an exponential curve that is steep
// at the loud end; tap k uses g[k + 1] truncated to a whole number.
std::array<float, kMaxTaps + 1> GainLine(const EchoRecord& record) {
    std::array<float, kMaxTaps + 1> line{};
    const std::int32_t taps = record.tapCount;
    const std::int32_t g0 = record.dryGain;
    const std::int32_t g1 = record.lastGain;
    if (record.curve == 0) {
        const float slope = static_cast<float>(double(g1 - g0) / double(taps));
        for (std::int32_t m = 0; m <= taps; ++m) {
            line[m] = static_cast<float>(double(g0) + double(m) * double(slope));
        }
        return line;
    }
    for (std::int32_t j = 0; j <= taps; ++j) {
        const double c = std::exp(4.0 * double(j) / double(taps)) / std::exp(4.0);
        if (g0 > g1) {
            line[taps - j] = static_cast<float>(double(g1) + double(g0 - g1) * c);
        } else {
            line[j] = static_cast<float>(double(g0) + double(g1 - g0) * c);
        }
    }
    return line;
}

// Dry copy, then each tap's scaled copy of the whole input added in order. Samples a tap
// would put past the end are dropped: the length sums the truncated delays, while the
// offsets truncate the running total.
void AddEchoes(const std::vector<float>& input, std::int16_t dryGain,
               const std::array<Tap, kMaxTaps>& taps, std::size_t tapCount,
               std::vector<float>& output, ProgressTick& tick, std::uint32_t step) {
    const std::size_t n = input.size();
    for (std::size_t i = 0; i < n; ++i) {
        output[i] = static_cast<float>(double(dryGain) * double(input[i]));
    }
    for (std::size_t k = 0; k < tapCount; ++k) {
        const Tap& tap = taps[k];
        const std::size_t room =
            tap.offset < output.size() ? output.size() - static_cast<std::size_t>(tap.offset) : 0;
        const std::size_t kept = std::min(n, room);
        float* const target = output.data() + (room > 0 ? tap.offset : 0);
        const double gain = tap.gain;
        tick.Restart(step);
        ForEachRunWithTicks(tick, n, [&](std::size_t begin, std::size_t end) {
            const std::size_t stop = std::min(end, kept);
            for (std::size_t i = begin; i < stop; ++i) {
                target[i] = static_cast<float>(double(target[i]) + gain * double(input[i]));
            }
        });
    }
}

}  // namespace

void RunEchoGenerator(EffectContext& context, const EchoRecord& record, ProgressShare progress) {
    const std::vector<float>& input = context.working.samples;
    const std::uint32_t n = context.working.sampleCount();
    const std::size_t tapCount = static_cast<std::size_t>(record.tapCount);
    const std::array<std::int32_t, kMaxTaps> delays = TapDelays(record);
    const std::array<float, kMaxTaps + 1> gains = GainLine(record);

    std::uint64_t length = n;
    std::uint32_t elapsedMs = 0;
    std::array<Tap, kMaxTaps> taps{};
    for (std::size_t k = 0; k < tapCount; ++k) {
        const auto delayMs = static_cast<std::uint32_t>(delays[k]);
        length += MillisecondsToSamples(context.sampleRate, delayMs);
        elapsedMs += delayMs;
        taps[k] = {MillisecondsToSamples(context.sampleRate, elapsedMs), std::trunc(gains[k + 1])};
    }

    std::optional<std::vector<float>> output =
        TakeRoutineBlock(context.host, static_cast<std::size_t>(length));
    if (!output) {
        return;
    }

    // Every tap is one pass over the sound, so the share's percents are spread over them all.
    const std::uint32_t step = static_cast<std::uint32_t>(tapCount) * (n / progress.span);
    ProgressTick tick(context.host, step, progress.firstPercent);

    AddEchoes(input, record.dryGain, taps, tapCount, *output, tick, step);
    NormalizePeak(*output);
    context.working.samples = std::move(*output);
}

}  // namespace marvolin::effects
