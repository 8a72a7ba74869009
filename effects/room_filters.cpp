#include "effects/room_filters.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace marvolin::effects {
namespace {

constexpr float kAllPassGain = 0.6f;
constexpr float kAllPassScale = 0.64f;

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

}  // namespace

// Before the delay the line stays silent and the late sum unchanged.
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

}  // namespace marvolin::effects
