#pragma once

#include <cstdint>

namespace marvolin::effects {

// The program-wide pseudo-random generator: 15-bit values 0..32767 from the linear
// congruence seed = seed x 214013 + 2531011 (mod 2^32). Seeded from the clock at start-up;
// some effects reseed it to repeat their draws.
void SeedRandom(std::uint32_t seed);
int NextRandom();

}  // namespace marvolin::effects
