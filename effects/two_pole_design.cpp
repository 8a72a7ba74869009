#include "effects/two_pole_design.h"

#include <cmath>

namespace marvolin::effects {
namespace {

// One float step below the float nearest 2 pi (6.2831855f): the filters' output depends on
// it, so it must not be "corrected" or shared with the other turn constants.
constexpr float kTwoPi = 6.2831850f;
constexpr float kSmallestBeta = 0.00000001f;
constexpr float kLargestBeta = 0.5f;

}  // namespace

TwoPoleCoefficients DesignTwoPole(TwoPoleType type, std::uint16_t frequency,
                                  std::uint16_t bandwidth, std::uint32_t sampleRate) {
    const double f = frequency;
    const double w = f / static_cast<double>(sampleRate) * static_cast<double>(kTwoPi);
    const double t = w / (2.0 * f / static_cast<double>(bandwidth));
    const double k = (2.0 * std::tan(t) / std::sin(w)) * std::sin(w);

    TwoPoleCoefficients c{};
    c.beta = static_cast<float>(0.5 * (1.0 - 0.5 * k) / (1.0 + 0.5 * k));
    if (!(c.beta > 0.0f)) {
        c.beta = kSmallestBeta;
    }
    if (c.beta >= kLargestBeta) {
        c.beta = kLargestBeta;
    }
    const double beta = c.beta;
    c.gamma = static_cast<float>((0.5 + beta) * std::cos(w));
    const double gamma = c.gamma;
    switch (type) {
        case TwoPoleType::kLowPass:
            c.alpha = static_cast<float>((0.5 + beta - gamma) / 4.0);
            c.b1 = 2.0f;
            c.b2 = 1.0f;
            break;
        case TwoPoleType::kHighPass:
            c.alpha = static_cast<float>((0.5 + beta + gamma) / 4.0);
            c.b1 = -2.0f;
            c.b2 = 1.0f;
            break;
        case TwoPoleType::kBandPass:
            c.alpha = static_cast<float>((0.5 - beta) / 2.0);
            c.b1 = 0.0f;
            c.b2 = -1.0f;
            break;
        case TwoPoleType::kBandStop:
            c.alpha = static_cast<float>((0.5 + beta) / 2.0);
            c.b1 = static_cast<float>(-2.0 * std::cos(w));
            c.b2 = 1.0f;
            break;
    }
    return c;
}

}  // namespace marvolin::effects
