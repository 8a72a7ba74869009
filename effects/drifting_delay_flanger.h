#pragma once

#include <cstdint>
#include <optional>

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

}  // namespace marvolin::effects
