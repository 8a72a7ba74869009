#pragma once

#include <cstddef>
#include <vector>

#include "effects/progress_tick.h"

namespace marvolin::effects {

// A feedback comb line of the late reverberation over `line.size()` samples:
// line[i] = early[i - D] + g2 (line[i - D] + g1 line[i - D - 1]), with everything before the
// start (and the early signal past its end) counting as silence; each value is also added to
// `late`. `line` must be zero-filled and `late` at least as long. Ticks once per sample.
void RunCombFilter(const std::vector<float>& early, std::size_t delay, double g1, double g2,
                   std::vector<float>& line, std::vector<float>& late, ProgressTick& tick);

// The all-pass section after the comb lines, over `out.size()` samples:
// out[i] = 0.64 (late[i - A] + 0.6 out[i - A]) - 0.6 late[i], silence before the start.
// `late` must be at least as long as `out`.
void RunAllPass(const std::vector<float>& late, std::size_t delay, std::vector<float>& out);

}  // namespace marvolin::effects
