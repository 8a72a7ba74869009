#include "effects/random_generator.h"

#include <ctime>

namespace marvolin::effects {
namespace {
std::uint32_t state = 1;
std::optional<std::uint32_t> clockSeedOverride;
}  // namespace

void SeedRandom(std::uint32_t seed) {
    state = seed;
}

int NextRandom() {
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFF);
}

void SeedRandomFromClock() {
    SeedRandom(clockSeedOverride.value_or(static_cast<std::uint32_t>(std::time(nullptr))));
}

void OverrideClockSeed(std::optional<std::uint32_t> seed) {
    clockSeedOverride = seed;
}

}  // namespace marvolin::effects
