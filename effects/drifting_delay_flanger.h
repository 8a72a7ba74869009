#pragma once

#include <cstdint>
#include <optional>

#include "effects/effect_context.h"
#include "effects/progress_share.h"

namespace marvolin::effects {

// Where the flanger reads its copy of the sound. Over the first period the offset makes one
// triangle swing of plus and minus half a millisecond; the position is not wrapped, so after
// that it keeps falling and the copy runs further and further ahead.
class FlangerSweep {
  public:
    explicit FlangerSweep(std::uint32_t sampleRate);

    // Samples in one swing: one less than a fifth of a second at the usual rates, because the
    // single-precision tenth makes the divisor a little above 5.
    std::uint32_t period() const { return period_; }

    // How many samples before sample i the copy is read (negative: after it). nullopt at rates
    // of 5 Hz and below, where the period is 0 and the sweep is not a number.
    std::optional<std::int64_t> OffsetAt(std::uint32_t i) const;

  private:
    std::uint32_t rate_;
    std::uint32_t period_;
    std::uint32_t halfPeriod_;
    double halfPeriodExact_;
    float depthMs_;
    std::int64_t baseOffset_;
};

// Flanger runs the flanger three times, each run showing a third of the progress.
inline constexpr ProgressShare kFirstThirdOfProgress{1, 33};
inline constexpr ProgressShare kSecondThirdOfProgress{34, 33};
inline constexpr ProgressShare kLastThirdOfProgress{67, 33};

// Mixes the sound with a copy read at the swept offset, both at a tenth, and normalises it.
void RunDriftingDelayFlanger(EffectContext& context, ProgressShare progress);

}  // namespace marvolin::effects
