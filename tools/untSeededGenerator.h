#pragma once

#include <cstdint>

// A small random generator of our own, so that the trainer's shuffled order and the match
// tool's random openings are the same on every machine for the same seed.
class TSeededGenerator {
public:
    explicit TSeededGenerator(uint32_t seed) : state_(seed * 2654435761u + 1) {}
    // A whole number from 0 to n - 1.
    uint32_t Below(uint32_t n) {
        state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<uint32_t>(((state_ >> 32) * n) >> 32);
    }

private:
    uint64_t state_;
};
