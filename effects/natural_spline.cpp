#include "effects/natural_spline.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace marvolin::effects {
namespace {

constexpr float kOneSixth = 0.16666667f;

}  // namespace

void SetUpNaturalSpline(std::span<const float> y, std::span<float> scratch,
                        std::span<float> secondDerivatives) {
    const std::size_t n = y.size();
    // With unit spacing the general algorithm's ratio (a[i] - a[i-1]) / (a[i+1] - a[i-1]) is
    // 0.5 and the slopes divide by 1; both exact.
    constexpr double sig = 0.5;
    secondDerivatives[0] = 0.0f;
    scratch[0] = 0.0f;
    double p = 2.0;
    bool settled = false;
    float u = 0.0f;
    for (std::size_t i = 1; i + 1 < n; ++i) {
        // The factors y2[i] of this pass depend only on i and reach a fixed float within a
        // few samples; from then on p stays the same.
        if (!settled) {
            p = sig * static_cast<double>(secondDerivatives[i - 1]) + 2.0;
            secondDerivatives[i] = static_cast<float>((sig - 1.0) / p);
            settled = secondDerivatives[i] == secondDerivatives[i - 1];
        } else {
            secondDerivatives[i] = secondDerivatives[i - 1];
        }
        // The difference of slopes is stored as a float before it is used again.
        const auto slopeChange =
            static_cast<float>((static_cast<double>(y[i + 1]) - static_cast<double>(y[i])) -
                               (static_cast<double>(y[i]) - static_cast<double>(y[i - 1])));
        // (6 d / 2 - sig u) / p, with numerator and denominator doubled: scaling by 2 is exact,
        // so the quotient is the same and one multiplication leaves this serial chain.
        u = static_cast<float>((6.0 * static_cast<double>(slopeChange) - static_cast<double>(u)) /
                               (2.0 * p));
        scratch[i] = u;
    }
    secondDerivatives[n - 1] = 0.0f;
    float next = 0.0f;
    for (std::size_t i = n - 1; i-- > 0;) {
        next = static_cast<float>(static_cast<double>(secondDerivatives[i]) *
                                      static_cast<double>(next) +
                                  static_cast<double>(scratch[i]));
        secondDerivatives[i] = next;
    }
}

double EvaluateNaturalSpline(std::span<const float> y, std::span<const float> secondDerivatives,
                             double position) {
    // The interval [lo, lo + 1] a bisection over the abscissae would end with: the one that
    // holds the position, or the last one for positions at or past n - 1.
    const std::size_t last = y.size() - 1;
    const std::size_t lo = std::min(static_cast<std::size_t>(position), last - 1);
    const std::size_t hi = lo + 1;
    // The interval width is 1, so A and B need no division and w^2 is 1.
    const double a = static_cast<double>(hi) - position;
    const double b = position - static_cast<double>(lo);
    return a * static_cast<double>(y[lo]) + b * static_cast<double>(y[hi]) +
           ((a * a * a - a) * static_cast<double>(secondDerivatives[lo]) +
            (b * b * b - b) * static_cast<double>(secondDerivatives[hi])) *
               static_cast<double>(kOneSixth);
}

}  // namespace marvolin::effects
