#pragma once

#include <cstdint>

// The program-wide pseudo-random generator: a 32-bit linear congruential generator.
// The program seeds it from the clock at start-up and at every new game; tests seed it
// themselves so that their draws are repeatable.

// Seeds the generator from the clock.
void Randomize();

// Seeds the generator with a fixed value.
void RandSeed(uint32_t seed);

// A uniformly distributed integer r with 0 <= r < n (0 when n is 0).
uint32_t Random(uint32_t n);
