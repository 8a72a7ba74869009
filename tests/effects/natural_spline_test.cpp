#include "effects/natural_spline.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <vector>

namespace marvolin::effects {
namespace {

// The textbook natural spline over float abscissae a[i] = i: set-up by the tridiagonal
// sweep, evaluation by bisection, every division by the spacing kept.
struct TextbookSpline {
    explicit TextbookSpline(const std::vector<float>& ordinates)
        : y(ordinates), a(y.size()), y2(y.size()) {
        const std::size_t n = y.size();
        std::vector<float> u(n - 1);
        for (std::size_t i = 0; i < n; ++i) {
            a[i] = static_cast<float>(i);
        }
        for (std::size_t i = 1; i + 1 < n; ++i) {
            const double sig = (double(a[i]) - a[i - 1]) / (double(a[i + 1]) - a[i - 1]);
            const double p = sig * y2[i - 1] + 2.0;
            y2[i] = static_cast<float>((sig - 1.0) / p);
            u[i] = static_cast<float>((double(y[i + 1]) - y[i]) / (double(a[i + 1]) - a[i]) -
                                      (double(y[i]) - y[i - 1]) / (double(a[i]) - a[i - 1]));
            u[i] = static_cast<float>(
                (6.0 * u[i] / (double(a[i + 1]) - a[i - 1]) - sig * u[i - 1]) / p);
        }
        for (std::size_t i = n - 1; i-- > 0;) {
            y2[i] = static_cast<float>(double(y2[i]) * y2[i + 1] + u[i]);
        }
    }

    double At(float t) const {
        std::size_t lo = 0;
        std::size_t hi = y.size() - 1;
        while (hi - lo > 1) {
            const std::size_t mid = (lo + hi) >> 1;
            (t < a[mid] ? hi : lo) = mid;
        }
        const double w = double(a[hi]) - a[lo];
        const double A = (a[hi] - double(t)) / w;
        const double B = (double(t) - a[lo]) / w;
        return A * y[lo] + B * y[hi] +
               ((A * A * A - A) * y2[lo] + (B * B * B - B) * y2[hi]) * (w * w) *
                   static_cast<double>(0.16666667f);
    }

    std::vector<float> y, a, y2;
};

TEST(NaturalSplineTest, SameValuesAsTheTextbookAlgorithm) {
    for (const std::size_t n :
         {std::size_t{2}, std::size_t{3}, std::size_t{40}, std::size_t{5000}}) {
        SCOPED_TRACE(n);
        std::vector<float> y(n);
        for (std::size_t i = 0; i < n; ++i) {
            y[i] = static_cast<float>(std::sin(0.7 * double(i)) * std::pow(10.0, i % 7 - 3.0));
        }
        const TextbookSpline textbook(y);
        std::vector<float> scratch(n - 1);
        std::vector<float> y2(n);
        SetUpNaturalSpline(y, scratch, y2);
        ASSERT_EQ(y2, textbook.y2);
        // Knots, points inside intervals and the extrapolated stretch past the last knot.
        for (float t = 0.0f; t <= static_cast<float>(n) + 2.0f; t += 0.125f) {
            ASSERT_EQ(EvaluateNaturalSpline(y, y2, t), textbook.At(t)) << t;
        }
    }
}

}  // namespace
}  // namespace marvolin::effects
