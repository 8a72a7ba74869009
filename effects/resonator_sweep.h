#pragma once

#include <cstdint>

namespace marvolin::effects {

// How the swept resonator's centre frequency moves over the sound.
enum class SweepShape {
    kFixed,           // stays at the centre frequency
    kFallingFromTop,  // exponential glide from centre + amplitude down to the centre
    kRisingToTop,     // the same glide backwards
    kTenHertzWobble,  // sine around the centre, ten times a second, never below 0 Hz
};

struct ResonatorRecord {
    std::uint32_t centreFrequency;  // Hz
    std::uint32_t sweepDepth;       // percent of the centre frequency
    std::uint32_t bandwidth;        // Hz
    SweepShape shape;
};

// The pole radius for a bandwidth: e^(-pi bandwidth / rate).
double ResonatorPoleRadius(std::uint32_t bandwidth, std::uint32_t sampleRate);

// Radians per sample for one hertz, as a float.
float RadiansPerHertz(std::uint32_t sampleRate);

// The centre frequency in Hz at each sample of a sound of `count` samples.
class ResonatorSweep {
  public:
    ResonatorSweep(const ResonatorRecord& record, std::uint32_t count, std::uint32_t sampleRate);

    double CentreAt(std::uint32_t index) const;

  private:
    ResonatorRecord record_;
    std::uint32_t count_;
    std::uint32_t sampleRate_;
    float amplitude_;  // Hz
};

}  // namespace marvolin::effects
