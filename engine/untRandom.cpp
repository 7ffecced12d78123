#include "engine/untRandom.h"

#include <chrono>
#include <thread>

#include "engine/untEngineError.h"

uint32_t ClockSeed() {
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count() ^
                       std::chrono::system_clock::now().time_since_epoch().count();
    return static_cast<uint32_t>(ticks ^ (ticks >> 32));
}

TRandom& ProgramRandom() {
    static TRandom generator;
    static const std::thread::id owner = std::this_thread::get_id();
    if (std::this_thread::get_id() != owner)
        throw EEngineError("the program-wide random generator was asked from another thread");
    return generator;
}

void RandSeed(uint32_t seed) {
    ProgramRandom().Seed(seed);
}

uint32_t Random(uint32_t n) {
    return ProgramRandom().Below(n);
}
