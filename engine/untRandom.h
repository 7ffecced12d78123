#pragma once

#include <cstdint>

// A pseudo-random generator: a 32-bit linear congruential generator whose whole state is
// one number, so that its owner can seed it, copy it and hand it to whoever draws.
//
// Every engine draws from the generator it was made with: its position keys when it is
// made, then the evaluation noise and the random moves of the lower levels. The game's
// window and single-threaded programs use the program-wide one (ProgramRandom); anything
// that plays or searches on a thread of its own gives its engines a generator of its own,
// so that its draws neither race with nor disturb anybody else's.
// A seed from the clock, different on every call.
uint32_t ClockSeed();

class TRandom {
public:
    explicit TRandom(uint32_t seed = 0) : seed_(seed) {}

    void Seed(uint32_t seed) { seed_ = seed; }
    uint32_t State() const { return seed_; }

    // A uniformly distributed integer r with 0 <= r < n (0 when n is 0).
    uint32_t Below(uint32_t n) {
        seed_ = seed_ * kMultiplier + 1u;
        return static_cast<uint32_t>((static_cast<uint64_t>(seed_) * n) >> 32);
    }

private:
    static constexpr uint32_t kMultiplier = 134775813u;
    uint32_t seed_;
};

// The program-wide generator, which the game's window seeds from the clock at start-up and
// at every new game. It belongs to the thread that first used it; reaching it from another
// thread throws EEngineError, since such draws would race with the owner's.
TRandom& ProgramRandom();

// The program-wide generator's operations under their short names.
void RandSeed(uint32_t seed);  // seeds it with a fixed value
uint32_t Random(uint32_t n);   // its next draw below n
