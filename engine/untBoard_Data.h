#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/untBitBoard.h"
#include "engine/untHashTable.h"

// Colour codes, one byte per board cell.
inline constexpr uint8_t EMPTY = 0;
inline constexpr uint8_t BLACK = 1;  // the human, who always moves first
inline constexpr uint8_t WHITE = 2;  // the computer
inline constexpr uint8_t WALL = 99;  // border cell of the 10 x 10 grid

// The board is a 10 x 10 grid of cells 0..99 plus cell 100, which no scan reaches.
inline constexpr int CELL_COUNT = 101;

// One position snapshot of the engine's stack.
//
// Cells are what everyone reads and writes: the window, the learning commands and the
// tests. Bits hold the same discs as two 64-bit sets for the searches and evaluations,
// which work on whole sets at once; the moves keep them (MakeMove, and MakeMoveOnBits,
// which writes nothing else), on the snapshots they play on (Boards[1] and up). The game
// board's bits are not kept, since its cells are written from outside;
// TKyokumen::CurrentBits reads them from the cells there.
class TBoard_Data {
public:
    TBoard_Data() = default;  // all cells empty, not passed, a fresh key table
    explicit TBoard_Data(TRandom& generator) : Hash(generator) {}  // its keys drawn from it

    uint8_t Cells[CELL_COUNT] = {};  // the board, colour codes
    uint8_t Passed = 0;              // 1 when the side to move on this snapshot passes
    THashTable Hash;                 // position key and its random numbers
    TBitBoard Bits;                  // the discs of Cells as bit sets (see above)

    // Writes the 64 board cells from bit sets; the cells off the board are left as they are.
    void SetCellsFrom(const TBitBoard& bits) {
        for (int bit = 0; bit < 64; ++bit) {
            const uint64_t mask = uint64_t{1} << bit;
            Cells[kSquareOfBit[bit]] = (bits.black & mask)   ? BLACK
                                       : (bits.white & mask) ? WHITE
                                                             : EMPTY;
        }
    }
};

// Cells and Passed are copied together as one block.
static_assert(offsetof(TBoard_Data, Passed) == offsetof(TBoard_Data, Cells) + CELL_COUNT);
inline constexpr std::size_t SNAPSHOT_BLOCK_SIZE = CELL_COUNT + 1;
