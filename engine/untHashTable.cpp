#include "engine/untHashTable.h"

#include "engine/untRandom.h"

namespace {

// Each 16-bit part of a random number is drawn below 65535, not 65536.
constexpr uint32_t kPartBound = 65535;

uint64_t DrawKeyNumber(TRandom& generator) {
    const uint64_t r1 = generator.Below(kPartBound), r2 = generator.Below(kPartBound);
    const uint64_t r3 = generator.Below(kPartBound), r4 = generator.Below(kPartBound);
    return (r1 << 48) | (r2 << 32) | (r3 << 16) | r4;
}

}  // namespace

THashTable::THashTable() : THashTable(ProgramRandom()) {}

THashTable::THashTable(TRandom& generator) {
    for (int cell = 11; cell <= 88; ++cell)
        for (int colour = 0; colour <= 2; ++colour)
            Keys[colour][cell] = DrawKeyNumber(generator);
}
