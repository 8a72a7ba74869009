#include "effects/normalize_peak.h"

#include <cmath>

namespace marvolin::effects {

void NormalizePeak(std::vector<float>& samples) {
    float peak = 0.0f;
    for (const float sample : samples) {
        const float magnitude = std::fabs(sample);
        if (magnitude > peak) {
            peak = magnitude;
        }
    }
    if (peak == 0.0f) {
        return;  // silence stays silence instead of becoming 0 / 0
    }
    for (float& sample : samples) {
        sample = static_cast<float>(static_cast<double>(sample) / static_cast<double>(peak));
    }
}

}  // namespace marvolin::effects
