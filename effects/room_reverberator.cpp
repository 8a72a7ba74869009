#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

#include "effects/effect_categories.h"
#include "effects/progress_tick.h"
#include "effects/room_acoustics.h"
#include "effects/routine_block.h"
#include "effects/routines.h"

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
constexpr float kAllPassGain = 0.6f;
constexpr float kAllPassScale = 0.64f;

// The early reflections are added in this order.
constexpr std::array<SoundPath, kSoundPathCount> kEarlyOrder = {kDirectPath, kWallY0, kWallYWidth,
                                                                kWallXLength, kWallX0};

std::uint64_t MillisecondsToSamples(std::uint64_t milliseconds, std::uint32_t sampleRate) {
    return milliseconds * sampleRate / 1000;
}

// Steps are computed in 64 bits so that long sounds do not wrap them; the result fits.
std::uint32_t ProgressStep(std::uint64_t samples, std::uint64_t percentOfSamples, bool halved) {
    const std::uint64_t step = samples * percentOfSamples / 100 * (halved ? 2 : 1);
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

// Samples [0, count) of a stretch of a comb line no longer than its delay: every earlier line
// value it reads (earlier[k] = line[i - D - 1], earlier[k + 1] = line[i - D]) was written
// before the stretch, so the loop carries no dependence and can be vectorised.
template <bool kWithInput>
void CombStretch(const float* __restrict input, const float* __restrict earlier,
                 float* __restrict line, float* __restrict late, std::size_t count, double g1,
                 double g2) {
    for (std::size_t k = 0; k < count; ++k) {
        const double in = kWithInput ? double(input[k]) : 0.0;
        line[k] = static_cast<float>(in + g2 * (double(earlier[k + 1]) + g1 * double(earlier[k])));
        late[k] = static_cast<float>(double(late[k]) + double(line[k]));
    }
}

// line[i] = early[i - D] + g2 (line[i - D] + g1 line[i - D - 1]), with everything before the
// start (and the early signal past its end) counting as silence; each value is also added to
// the late sum. Before the delay the line stays silent and the late sum unchanged.
void RunCombFilter(const std::vector<float>& early, std::size_t delay, double g1, double g2,
                   std::vector<float>& line, std::vector<float>& late, ProgressTick& tick) {
    float* const y = line.data();
    // One sample at a time, reading whatever the line holds (zero where not yet written, as
    // for a delay of 0).
    auto single = [&](std::size_t i) {
        const std::size_t j = i - delay;
        const double input = j < early.size() ? double(early[j]) : 0.0;
        const double before = j > 0 ? double(y[j - 1]) : 0.0;
        y[i] = static_cast<float>(input + g2 * (double(y[j]) + g1 * before));
        late[i] = static_cast<float>(double(late[i]) + double(y[i]));
    };
    const std::size_t inputEnd = early.size() + delay;  // from here on early[i - D] is silence
    ForEachRunWithTicks(tick, line.size(), [&](std::size_t begin, std::size_t end) {
        std::size_t i = std::max(begin, delay);
        if (delay == 0) {
            for (; i < end; ++i) {
                single(i);
            }
            return;
        }
        if (i == delay && i < end) {
            single(i++);
        }
        while (i < end) {
            const std::size_t j = i - delay;
            std::size_t stop = std::min(end, i + delay);
            if (i < inputEnd) {
                stop = std::min(stop, inputEnd);
                CombStretch<true>(early.data() + j, y + j - 1, y + i, late.data() + i, stop - i, g1,
                                  g2);
            } else {
                CombStretch<false>(nullptr, y + j - 1, y + i, late.data() + i, stop - i, g1, g2);
            }
            i = stop;
        }
    });
}

// out[i] = 0.64 (late[i - A] + 0.6 out[i - A]) - 0.6 late[i], silence before the start.
void RunAllPass(const std::vector<float>& late, std::size_t delay, std::vector<float>& out) {
    const double gain = kAllPassGain;
    const double scale = kAllPassScale;
    float* const y = out.data();
    const float* const x = late.data();
    // Before the delay, and for a delay of 0, the delayed output is read as the block holds it.
    const std::size_t direct = delay == 0 ? out.size() : std::min(delay, out.size());
    for (std::size_t i = 0; i < direct; ++i) {
        const double delayedLate = i >= delay ? double(x[i - delay]) : 0.0;
        const double delayedOut = i >= delay ? double(y[i - delay]) : 0.0;
        y[i] = static_cast<float>(scale * (delayedLate + gain * delayedOut) - gain * double(x[i]));
    }
    // Stretches no longer than the delay read only outputs written before them.
    for (std::size_t begin = direct; begin < out.size(); begin += delay) {
        const std::size_t count = std::min(delay, out.size() - begin);
        const float* __restrict delayedLate = x + begin - delay;
        const float* __restrict delayedOut = y + begin - delay;
        const float* __restrict current = x + begin;
        float* __restrict target = y + begin;
        for (std::size_t k = 0; k < count; ++k) {
            target[k] =
                static_cast<float>(scale * (double(delayedLate[k]) + gain * double(delayedOut[k])) -
                                   gain * double(current[k]));
        }
    }
}

}  // namespace

// Places the sound in a room: the direct sound and four wall reflections, then six feedback
// comb filters and an all-pass section. The result is the reverberation alone, longer by the
// latest reflection and the reverberation tail, normalised to a peak of 1.0.
void RunRoomReverberator(EffectContext& context) {
    const RoomRecord* room = SelectRoom(context.category, context.clickedEffectButton);
    if (room == nullptr) {
        return;
    }
    const std::uint32_t rate = context.sampleRate;
    const RoomResponse response = ComputeRoomResponse(*room, rate);
    const std::vector<float>& input = context.working.samples;
    const std::uint64_t count = input.size();
    const std::uint64_t earlyLength =
        count + *std::max_element(response.delays.begin(), response.delays.end());
    const std::uint64_t lateLength = earlyLength + response.tail;
    // Cathedral and Tunnel run the echo generator next, which shows the second half.
    const bool halved = context.clickedEffectButton == EffectButton(2) ||
                        context.clickedEffectButton == EffectButton(5);

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
    ProgressTick tick(context.host, ProgressStep(count, 10, halved));
    AddEarlyReflections(input, response, *early, tick);

    std::optional<std::vector<float>> late =
        TakeRoutineBlock(context.host, static_cast<std::size_t>(lateLength));
    if (!late) {
        return;
    }
    tick.Restart(ProgressStep(lateLength, 12, halved));
    for (const CombFilter& comb : kCombFilters) {
        const double c25 = comb.coefficientAt25kHz;
        const double c50 = comb.coefficientAt50kHz;
        const double g1 = (c50 - c25) * double(rate) * double(kPerHertz) - c50 + 2.0 * c25;
        const double g2 = (1.0 - g1) * response.feedbackScale;
        std::optional<std::vector<float>> line = TakeRoutineBlock(context.host, late->size());
        if (!line) {
            return;
        }
        RunCombFilter(*early, MillisecondsToSamples(comb.delayMs, rate), g1, g2, *line, *late,
                      tick);
    }
    early.reset();
    NormalizePeak(*late);

    std::optional<std::vector<float>> output = TakeRoutineBlock(context.host, late->size());
    if (!output) {
        return;
    }
    RunAllPass(*late, MillisecondsToSamples(kAllPassDelayMs, rate), *output);
    late.reset();
    NormalizePeak(*output);
    context.working.samples = std::move(*output);
}

}  // namespace marvolin::effects
