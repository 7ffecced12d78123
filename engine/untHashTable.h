#pragma once

#include <bit>
#include <cstdint>

#include "engine/untBitBoard.h"
#include "engine/untRandom.h"

// The position key of one snapshot: a 64-bit key kept up to date by exclusive-or with one
// random number per colour and square, plus the value slot the searches keep with it.
class THashTable {
public:
    // Draws the random numbers for the cells 11..88 from the generator (the program-wide
    // one by default); the entries of the other cells stay 0.
    THashTable();
    explicit THashTable(TRandom& generator);

    // Key := Key xor Keys[colour][square]; the wall code (and any other non-colour)
    // leaves the key unchanged.
    void Toggle(uint8_t colour, uint8_t square) {
        if (colour > 2 || square > 100) return;
        Key ^= Keys[colour][square];
    }

    // A key after the squares of a bit set (the placed and the turned discs of a move) all
    // took the colour: Keys[colour] of each toggled into it.
    uint64_t KeyAfter(uint64_t key, uint64_t squares, uint8_t colour) const {
        for (; squares != 0; squares &= squares - 1)
            key ^= Keys[colour][kSquareOfBit[std::countr_zero(squares)]];
        return key;
    }

    uint64_t Keys[3][101] = {};  // one random number per colour plane (empty, black, white)
    uint64_t Key = 0;            // the position key of the owning snapshot
    int32_t EndValue = 0;        // a value the searches store with the position
    uint8_t ValueState = 0;      // 0 final value, 1 running minimum, 2 running maximum
};
