#include "engine/untHashTable.h"

#include "engine/untRandom.h"

namespace {

// Each 16-bit part of a random number is drawn below 65535, not 65536.
constexpr uint32_t kPartBound = 65535;

uint64_t DrawKeyNumber() {
    const uint64_t r1 = Random(kPartBound), r2 = Random(kPartBound);
    const uint64_t r3 = Random(kPartBound), r4 = Random(kPartBound);
    return (r1 << 48) | (r2 << 32) | (r3 << 16) | r4;
}

}  // namespace

THashTable::THashTable() {
    for (int cell = 11; cell <= 88; ++cell)
        for (int colour = 0; colour <= 2; ++colour)
            Keys[colour][cell] = DrawKeyNumber();
}
