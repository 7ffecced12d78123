#pragma once

#include <cstdint>

// The position key of one snapshot: a 64-bit key kept up to date by exclusive-or with one
// random number per colour and square, plus the value slot the searches keep with it.
class THashTable {
public:
    // Draws the random numbers for the cells 11..88 from the program-wide generator;
    // the entries of the other cells stay 0.
    THashTable();

    // Key := Key xor Keys[colour][square]; the wall code (and any other non-colour)
    // leaves the key unchanged.
    void Toggle(uint8_t colour, uint8_t square) {
        if (colour > 2 || square > 100) return;
        Key ^= Keys[colour][square];
    }

    uint64_t Keys[3][101] = {};  // one random number per colour plane (empty, black, white)
    uint64_t Key = 0;            // the position key of the owning snapshot
    int32_t EndValue = 0;        // a value the searches store with the position
    uint8_t ValueState = 0;      // 0 final value, 1 running minimum, 2 running maximum
};
