#pragma once

#include <cstdint>

namespace marvolin::effects {

enum class TwoPoleType : std::uint16_t {
    kLowPass = 0,
    kHighPass = 1,
    kBandPass = 2,
    kBandStop = 3
};

// The coefficients of y = 2 (alpha (x + b1 x1 + b2 x2) + gamma y1 - beta y2).
struct TwoPoleCoefficients {
    float alpha;
    float beta;
    float gamma;
    float b1;
    float b2;
};

// Designs the filter for a corner (or centre) frequency and a bandwidth in hertz. beta is
// kept within 1e-8 .. 0.5, so the poles never leave the unit circle.
TwoPoleCoefficients DesignTwoPole(TwoPoleType type, std::uint16_t frequency,
                                  std::uint16_t bandwidth, std::uint32_t sampleRate);

}  // namespace marvolin::effects
