#pragma once

#include <span>

namespace marvolin::effects {

// The natural cubic spline through the points (i, y[i]), i = 0 .. n-1, n >= 2: the
// abscissae are the sample indices, so every interval has width 1 and the interval that
// holds a position is found directly instead of by search.

// Fills `secondDerivatives` (n floats, zero at both ends) by the tridiagonal sweep, using
// `scratch` (n - 1 floats) for the forward pass. Both tables hold single-precision values.
void SetUpNaturalSpline(std::span<const float> y, std::span<float> scratch,
                        std::span<float> secondDerivatives);

// The spline's value at `position` (>= 0); positions past n - 1 continue the last
// interval's cubic.
double EvaluateNaturalSpline(std::span<const float> y, std::span<const float> secondDerivatives,
                             double position);

}  // namespace marvolin::effects
