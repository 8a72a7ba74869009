#pragma once

#include <cstdint>

namespace marvolin::effects {

// The part of the effect's progress display that one routine of a chain shows: it counts on
// from `firstPercent` (its first call shows firstPercent + 1) over about `span` percent.
// A routine that runs alone shows the whole range.
struct ProgressShare {
    std::uint32_t firstPercent;
    std::uint32_t span;
};

inline constexpr ProgressShare kWholeProgress{1, 100};
inline constexpr ProgressShare kFirstHalfOfProgress{1, 50};
inline constexpr ProgressShare kSecondHalfOfProgress{51, 50};

}  // namespace marvolin::effects
