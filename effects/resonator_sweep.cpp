#include "effects/resonator_sweep.h"

#include <cmath>

namespace marvolin::effects {
namespace {

// Deliberately not a matching pair: kPi is one float step below the float nearest pi
// (3.1415927f), kTwoPi is the float nearest 2 pi. Unifying them changes the output.
constexpr float kPi = 3.1415925f;
constexpr float kTwoPi = 6.2831855f;
constexpr float kTenHertzInRadians = 62.831856f;
constexpr float kPercent = 0.01f;
constexpr double kGlideExponent = 7.0;

}  // namespace

double ResonatorPoleRadius(std::uint32_t bandwidth, std::uint32_t sampleRate) {
    return std::exp(-static_cast<double>(kPi) * static_cast<double>(bandwidth) /
                    static_cast<double>(sampleRate));
}

float RadiansPerHertz(std::uint32_t sampleRate) {
    return static_cast<float>(static_cast<double>(kTwoPi) / static_cast<double>(sampleRate));
}

ResonatorSweep::ResonatorSweep(const ResonatorRecord& record, std::uint32_t count,
                               std::uint32_t sampleRate)
    : record_(record),
      count_(count),
      sampleRate_(sampleRate),
      // The depth times the centre is an unsigned 32-bit product.
      amplitude_(
          static_cast<float>(static_cast<double>(record.sweepDepth * record.centreFrequency) *
                             static_cast<double>(kPercent))) {}

double ResonatorSweep::CentreAt(std::uint32_t index) const {
    const double centre = record_.centreFrequency;
    const double amplitude = amplitude_;
    const double i = index;
    const double n = count_;
    double frequency = centre;
    switch (record_.shape) {
        case SweepShape::kFixed:
            break;
        case SweepShape::kFallingFromTop:
            frequency = centre + amplitude * std::exp(kGlideExponent * (n - i) / n) /
                                     std::exp(kGlideExponent);
            break;
        case SweepShape::kRisingToTop:
            frequency =
                centre + amplitude * std::exp(kGlideExponent * i / n) / std::exp(kGlideExponent);
            break;
        case SweepShape::kTenHertzWobble:
            frequency = centre + amplitude * std::sin(static_cast<double>(kTenHertzInRadians) * i /
                                                      static_cast<double>(sampleRate_));
            break;
    }
    return frequency < 0.0 ? 0.0 : frequency;
}

}  // namespace marvolin::effects
