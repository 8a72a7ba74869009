#include "effects/noise_burst_generator.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

#include "effects/progress_tick.h"
#include "effects/random_generator.h"
#include "effects/routine_block.h"
#include "effects/routines.h"

namespace marvolin::effects {
namespace {

// The single-precision value nearest 1/16385: centred draws fall within -0.99994..0.99988.
constexpr float kRandomScale = 6.1031431e-5f;
constexpr float kWalkStep = 0.1f;

double DrawCentred() {
    return double(NextRandom() - 16384) * double(kRandomScale);
}

// Where a burst begins: anywhere that leaves room for the whole burst. A sound shorter than
// one burst has no such room, so its burst begins at the start of the sound. The start is
// drawn either way, so every burst takes its draws in the same order whatever the length.
std::uint64_t DrawBurstStart(std::uint32_t sampleCount, std::uint32_t burstLength) {
    const double random = DrawCentred();
    if (sampleCount <= burstLength) {
        return 0;
    }
    const float room = static_cast<float>(sampleCount - burstLength);
    return static_cast<std::uint64_t>(double(room) * std::fabs(random));
}

// One step of the random walk, drawn again until it stays within -1..1.
float NextWalkValue(float current) {
    for (;;) {
        const double next = DrawCentred() * double(kWalkStep) + double(current);
        if (next <= 1.0 && static_cast<float>(next) >= -1.0f) {
            return static_cast<float>(next);
        }
    }
}

}  // namespace

std::uint32_t JammingBurstLength(std::uint32_t sampleRate) {
    return sampleRate / 2;
}

std::uint16_t JammingBurstCount(std::uint32_t sampleCount, std::uint32_t burstLength) {
    if (burstLength == 0) {
        return 1;  // below 2 Hz the bursts are empty; one is enough to draw its start
    }
    const double bursts = std::trunc(double(sampleCount) / double(burstLength) * 0.5);
    const auto count = static_cast<std::uint16_t>(static_cast<std::uint64_t>(bursts));
    return count == 0 ? 1 : count;
}

void RunNoiseBurstGenerator(EffectContext& context) {
    SeedRandomFromClock();
    const std::vector<float>& input = context.working.samples;
    const std::uint32_t n = context.working.sampleCount();
    std::optional<std::vector<float>> output = TakeRoutineBlock(context.host, n);
    if (!output) {
        return;
    }
    std::ranges::copy(input, output->begin());

    const std::uint32_t burstLength = JammingBurstLength(context.sampleRate);
    const std::uint16_t burstCount = JammingBurstCount(n, burstLength);
    ProgressTick tick(context.host, (std::uint32_t{burstCount} * burstLength) / 100);

    for (std::uint16_t burst = 0; burst < burstCount; ++burst) {
        const std::uint64_t start = DrawBurstStart(n, burstLength);
        const std::uint64_t inside =
            start < n ? std::min<std::uint64_t>(burstLength, n - start) : 0;
        float walk = 0.0f;
        for (std::uint64_t j = 0; j < inside; ++j) {
            walk = NextWalkValue(walk);
            (*output)[start + j] = walk;
            tick.Tick();
        }
        // The part of the burst past the end is neither drawn nor written, but counts.
        tick.Advance(burstLength - inside);
    }

    context.working.samples = std::move(*output);
}

}  // namespace marvolin::effects
