#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "engine/untBitBoard.h"
#include "engine/untKyokumen.h"
#include "engine/untSquareNames.h"

// The pattern kinds: each has one table of values shared by all its instances.
enum TPatternKind : uint8_t { LINE3 = 1, LINE2 = 2, EDGE = 3, CORNER = 4, CENTER = 5, BLOCK = 6 };
inline constexpr int FIRST_PATTERN_KIND = LINE3;
inline constexpr int LAST_PATTERN_KIND = BLOCK;
inline constexpr int PATTERN_FILE_LINES = STAGES * PATTERN_INDICES;  // 19,683

// A pattern instance: an ordered list of squares, the first one the most significant digit
// of its base-3 index. CORNER instances have seven squares and leave the last digit 0:
// their eighth "square" is cell 100 of the grid, which is always empty.
struct TPatternInstance {
    TPatternKind kind;
    uint8_t squareCount;
    uint8_t squares[8];
};

inline constexpr uint8_t ALWAYS_EMPTY_CELL = 100;

namespace pattern_detail {
constexpr TPatternInstance Instance(TPatternKind kind, std::string_view names) {
    TPatternInstance instance{kind, static_cast<uint8_t>(names.size() / 2), {}};
    for (std::size_t i = 0; i < 8; ++i)
        instance.squares[i] =
            i < names.size() / 2 ? SquareOf(names.substr(2 * i, 2)) : ALWAYS_EMPTY_CELL;
    return instance;
}
}  // namespace pattern_detail

// The 22 instances, in the order the evaluation and learning visit them. The instances of
// one kind are images of each other under the board's symmetries, digit order included.
inline constexpr std::array<TPatternInstance, 22> kPatternInstances = [] {
    using pattern_detail::Instance;
    return std::array<TPatternInstance, 22>{{
        Instance(LINE3, "a3b3c3d3e3f3g3h3"),  // the third rows and columns
        Instance(LINE3, "a6b6c6d6e6f6g6h6"),
        Instance(LINE3, "f1f2f3f4f5f6f7f8"),
        Instance(LINE3, "c1c2c3c4c5c6c7c8"),
        Instance(LINE2, "a2b2c2d2e2f2g2h2"),  // the second rows and columns
        Instance(LINE2, "a7b7c7d7e7f7g7h7"),
        Instance(LINE2, "g1g2g3g4g5g6g7g8"),
        Instance(LINE2, "b1b2b3b4b5b6b7b8"),
        Instance(EDGE, "a1b1c1d1e1f1g1h1"),  // the edges, from corner to corner around
        Instance(EDGE, "h1h2h3h4h5h6h7h8"),
        Instance(EDGE, "h8g8f8e8d8c8b8a8"),
        Instance(EDGE, "a8a7a6a5a4a3a2a1"),
        Instance(CORNER, "a1b1c1a2b2a3c3"),  // a corner and the squares around it
        Instance(CORNER, "h1g1f1h2g2h3f3"),
        Instance(CORNER, "h8g8f8h7g7h6f6"),
        Instance(CORNER, "a8b8c8a7b7a6c6"),
        Instance(CENTER, "c4c5d4d5e4e5f4f5"),  // the blocks across the middle lines
        Instance(CENTER, "e3d3e4d4e5d5e6d6"),
        Instance(BLOCK, "c3d3c4d4c5d5c6d6"),  // the four halves of the central square
        Instance(BLOCK, "f3e3f4e4f5e5f6e6"),
        Instance(BLOCK, "c3c4d3d4e3e4f3f4"),
        Instance(BLOCK, "c6c5d6d5e6e5f6f5"),
    }};
}();

// The base-3 index of an instance on a board: the contents of its squares as digits.
inline uint16_t PatternIndexOf(const uint8_t* cells, const TPatternInstance& instance) {
    int index = 0;
    for (const uint8_t square : instance.squares)
        index = 3 * index + cells[square];
    return static_cast<uint16_t>(index);
}

// The indexes of all 22 instances at once, in table order (22 entries), read from the bit
// sets: the instances that are whole rows or columns a byte at a time, the others square
// by square.
void AllPatternIndexes(const TBitBoard& bits, uint16_t* indexes);

// The indexes of the 22 instances of one position, in table order, as three vectors of
// eight 16-bit lanes (the last two lanes unused).
using TIndexLanes = uint16_t __attribute__((vector_size(16)));
struct TPatternIndexes {
    TIndexLanes lanes[3] = {};
    uint16_t operator[](int i) const { return lanes[i / 8][i % 8]; }
};
TPatternIndexes PatternIndexesOf(const TBitBoard& bits);

// For each square, the digit weight it has in each instance (0 where it is not in one), in
// the lanes of TPatternIndexes.
struct TSquareWeights {
    TIndexLanes lanes[3];
};
inline const std::array<TSquareWeights, 64> kSquareWeights = [] {
    std::array<TSquareWeights, 64> squares{};
    for (int i = 0; i < static_cast<int>(kPatternInstances.size()); ++i) {
        int power = 3 * 3 * 3 * 3 * 3 * 3 * 3;  // the first square's digit weight, 3^7
        for (const uint8_t square : kPatternInstances[i].squares) {
            if (square != ALWAYS_EMPTY_CELL)
                squares[BitOf(square)].lanes[i / 8][i % 8] = static_cast<uint16_t>(power);
            power /= 3;
        }
    }
    return squares;
}();

// The indexes after a move, from those before it: the placed disc adds its colour's digit
// to every instance it is in, and every turned disc changes its digit from the opponent's
// colour to the mover's, one up for white and one down for black (in 16-bit arithmetic).
// A move changes a few squares, each three vector additions, where reading 22 indexes off
// the board takes hundreds of steps.
inline void UpdatePatternIndexes(TPatternIndexes& indexes, int placedBit, uint64_t flips,
                                 bool white) {
    TIndexLanes turned[3] = {};
    for (; flips != 0; flips &= flips - 1) {
        const TSquareWeights& square = kSquareWeights[std::countr_zero(flips)];
        for (int j = 0; j < 3; ++j)
            turned[j] += square.lanes[j];
    }
    const TSquareWeights& placed = kSquareWeights[placedBit];
    if (white) {  // digit 2 placed, each turned digit 1 -> 2
        for (int j = 0; j < 3; ++j)
            indexes.lanes[j] += placed.lanes[j] + placed.lanes[j] + turned[j];
    } else {  // digit 1 placed, each turned digit 2 -> 1
        for (int j = 0; j < 3; ++j)
            indexes.lanes[j] += placed.lanes[j] - turned[j];
    }
}

// From this move number on the pattern evaluation counts the discs only.
inline constexpr int FIRST_DISCS_ONLY_MOVE = 58;

// The game stage of a move number: 0 up to move 20, 1 for moves 21 to 40, 2 from move 41.
constexpr uint8_t StageOf(int moveNumber) {
    return moveNumber <= 20 ? 0 : moveNumber <= 40 ? 1 : 2;
}

// The name of the shipped table of a kind ("TEXTDATA3") and of its saved file ("学習_3.dat").
std::string PatternResourceName(int kind);
std::string PatternFileName(int kind);

// One kind's table in the file format: 19,683 lines, stage by stage, CR LF after each.
std::string PatternTableText(const TPatternTable& table, int kind);
// Writes 学習_k.dat into the folder, replacing it whole or not at all; throws EEngineError.
void SavePatternTable(const TPatternTable& table, int kind,
                      const std::filesystem::path& folder = ".");

// The six tables of a folder: the shipped TEXTDATA1..6, or where a kind's is missing, the
// saved 学習_k.dat. Throws EEngineError naming a file that cannot be read or holds a bad
// entry.
std::shared_ptr<const TPatternTable> LoadPatternTables(const std::filesystem::path& folder);

// Copies kinds 1 to 6 (every index and stage) from one engine's table into another's: the
// values learned or edited during a run last into the next game.
void CarryPatternWeights(const TKyokumen& from, TKyokumen& to);
