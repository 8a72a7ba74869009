#pragma once

#include <cstdint>
#include <optional>

namespace marvolin::effects {

// The program-wide pseudo-random generator: 15-bit values 0..32767 from the linear
// congruence seed = seed x 214013 + 2531011 (mod 2^32). Seeded from the clock at start-up;
// some effects reseed it to repeat their draws.
void SeedRandom(std::uint32_t seed);
int NextRandom();

// Seeds the generator with the current time in seconds, or with the override when one is set.
void SeedRandomFromClock();

// A fixed value that SeedRandomFromClock uses instead of the clock, so that a run can be
// repeated (the command line's --seed); nullopt goes back to the clock.
void OverrideClockSeed(std::optional<std::uint32_t> seed);

}  // namespace marvolin::effects
