#include "effects/room_reverberator.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

#include "effects/milliseconds.h"
#include "effects/normalize_peak.h"
#include "effects/progress_tick.h"
#include "effects/room_acoustics.h"
#include "effects/room_filters.h"
#include "effects/routine_block.h"

namespace marvolin::effects {
namespace {

// Feedback comb filters of the late reverberation; the coefficient is interpolated between
// its values at 25 kHz and 50 kHz by the sample rate (and extrapolated beyond).
struct CombFilter {
    std::uint32_t delayMs;
    float coefficientAt25kHz;
    float coefficientAt50kHz;
};

constexpr std::array<CombFilter, 6> kCombFilters = {{
    {50, 0.24f, 0.46f},
    {56, 0.26f, 0.48f},
    {61, 0.28f, 0.50f},
    {68, 0.29f, 0.52f},
    {72, 0.30f, 0.53f},
    {78, 0.32f, 0.55f},
}};

constexpr float kPerHertz = 0.00004f;  // 1 / 25000 Hz
constexpr std::uint32_t kAllPassDelayMs = 6;

// The early reflections are added in this order.
constexpr std::array<SoundPath, kSoundPathCount> kEarlyOrder = {kDirectPath, kWallY0, kWallYWidth,
                                                                kWallXLength, kWallX0};

// Steps are computed in 64 bits so that long sounds do not wrap them; the result fits. A
// share of half the display takes twice as many samples per percent.
std::uint32_t ProgressStep(std::uint64_t samples, std::uint64_t percentOfSamples,
                           ProgressShare progress) {
    const std::uint64_t step = samples * percentOfSamples / 100 * (100 / progress.span);
    return static_cast<std::uint32_t>(
        std::min<std::uint64_t>(step, std::numeric_limits<std::uint32_t>::max()));
}

// The direct sound and the four reflections, each the whole input scaled and delayed.
void AddEarlyReflections(const std::vector<float>& input, const RoomResponse& room,
                         std::vector<float>& early, ProgressTick& tick) {
    for (const SoundPath path : kEarlyOrder) {
        float* const target = early.data() + room.delays[path];
        const double gain = room.gains[path];
        ForEachRunWithTicks(tick, input.size(), [&](std::size_t begin, std::size_t end) {
            for (std::size_t i = begin; i < end; ++i) {
                target[i] = static_cast<float>(double(target[i]) + gain * double(input[i]));
            }
        });
    }
}

}  // namespace

void RunRoomReverberator(EffectContext& context, const RoomRecord& room, ProgressShare progress) {
    const std::uint32_t rate = context.sampleRate;
    const RoomResponse response = ComputeRoomResponse(room, rate);
    const std::vector<float>& input = context.working.samples;
    const std::uint64_t count = input.size();
    const std::uint64_t earlyLength =
        count + *std::max_element(response.delays.begin(), response.delays.end());
    const std::uint64_t lateLength = earlyLength + response.tail;

    // A sound counts its samples in 32 bits: a longer result is refused before any work.
    if (lateLength > std::numeric_limits<std::uint32_t>::max()) {
        context.host.ShowMemoryMessage();
        return;
    }
    std::optional<std::vector<float>> early =
        TakeRoutineBlock(context.host, static_cast<std::size_t>(earlyLength));
    if (!early) {
        return;
    }
    ProgressTick tick(context.host, ProgressStep(count, 10, progress));
    AddEarlyReflections(input, response, *early, tick);

    std::optional<std::vector<float>> late =
        TakeRoutineBlock(context.host, static_cast<std::size_t>(lateLength));
    if (!late) {
        return;
    }
    tick.Restart(ProgressStep(lateLength, 12, progress));
    for (const CombFilter& comb : kCombFilters) {
        const double c25 = comb.coefficientAt25kHz;
        const double c50 = comb.coefficientAt50kHz;
        const double g1 = (c50 - c25) * double(rate) * double(kPerHertz) - c50 + 2.0 * c25;
        const double g2 = (1.0 - g1) * response.feedbackScale;
        std::optional<std::vector<float>> line = TakeRoutineBlock(context.host, late->size());
        if (!line) {
            return;
        }
        RunCombFilter(*early, MillisecondsToSamples(rate, comb.delayMs), g1, g2, *line, *late,
                      tick);
    }
    early.reset();
    NormalizePeak(*late);

    std::optional<std::vector<float>> output = TakeRoutineBlock(context.host, late->size());
    if (!output) {
        return;
    }
    RunAllPass(*late, MillisecondsToSamples(rate, kAllPassDelayMs), *output);
    late.reset();
    NormalizePeak(*output);
    context.working.samples = std::move(*output);
}

}  // namespace marvolin::effects
