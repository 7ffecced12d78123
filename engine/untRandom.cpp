#include "engine/untRandom.h"

#include <chrono>

namespace {

// One generator per thread: the program itself has only one, and tools that play games
// on several threads keep their draws independent and repeatable.
thread_local uint32_t gSeed = 0;

constexpr uint32_t kMultiplier = 134775813u;

}  // namespace

void Randomize() {
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count() ^
                       std::chrono::system_clock::now().time_since_epoch().count();
    gSeed = static_cast<uint32_t>(ticks ^ (ticks >> 32));
}

void RandSeed(uint32_t seed) {
    gSeed = seed;
}

uint32_t Random(uint32_t n) {
    gSeed = gSeed * kMultiplier + 1u;
    return static_cast<uint32_t>((static_cast<uint64_t>(gSeed) * n) >> 32);
}
