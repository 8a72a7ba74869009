#pragma once

#include <vector>

namespace marvolin::effects {

// Divides every sample by the largest magnitude, so the loudest becomes exactly 1.0; an
// all-zero buffer stays zero.
void NormalizePeak(std::vector<float>& samples);

}  // namespace marvolin::effects
