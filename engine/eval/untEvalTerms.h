#pragma once

#include <array>
#include <cstdint>

#include "engine/eval/untEvalSquares.h"
#include "engine/eval/untFeatures.h"
#include "engine/untBitBoard.h"
#include "engine/untKyokumen.h"
#include "engine/untRandom.h"
#include "engine/untSquareNames.h"

// The terms of the hand-tuned evaluations. Each term gives its contribution from white's
// point of view at weight 1 (positive favours white); the evaluations multiply it by their
// weight for the move number. The rules about one edge or one corner are defined here on
// that edge's or corner's contents; the evaluations read them from tables built from these
// definitions (untEvalTables).
namespace EvalTerms {

using Features::TEdgeLine;

// The contents of the squares around one corner.
struct TCornerContents {
    uint8_t corner, x;
    uint8_t c[2];       // the C squares: the column neighbour, then the row neighbour
    uint8_t beyond[2];  // the squares beyond them along the edges
    uint8_t third[2];   // the squares beyond those
};
TCornerContents CornerOf(const uint8_t* cells, TCorner corner);

// --- Rules about one edge (L1..L8 from one corner to the other).

// The middle four reading x o o x: the outer two are easily attacked.
int SplitMiddle(const TEdgeLine& line);
// Discs on the middle four, early in the game.
int MiddleDiscs(const TEdgeLine& line);
// L2..L7 in one colour with neither corner the opponent's.
int FilledEdge(const TEdgeLine& line);
// Five discs of one colour next to an empty square, with both corners empty: the owner
// is exposed to a wedge or a corner.
int FivesOnOpenEdge(const TEdgeLine& line);
// The middle four in one colour with L1, L2, L7 and L8 empty.
int FourInMiddle(const TEdgeLine& line);
// An edge on which a colour's run lets the opponent take a corner.
int ExposedRuns(const TEdgeLine& line);
// Discs on a completely filled edge.
int FullEdge(const TEdgeLine& line);

// --- Rules about one corner.

// A disc on the X square of an empty corner hands the corner to the opponent.
int XSquareNextToEmptyCorner(const TCornerContents& r);
// The corner held.
int CornerHeld(const TCornerContents& r);
// The corner with an opponent's disc on its C square, once per such C square.
int OpponentCSquares(const TCornerContents& r);
// The corner with an empty C square, once per such C square.
int EmptyCSquares(const TCornerContents& r);
// An empty corner whose C squares and the next two squares along both edges are one colour.
int Triangle(const TCornerContents& r);
// An empty corner with both C squares and the squares beyond them in one colour and the X
// square in the other: the X square is wedged in.
int Wedge(const TCornerContents& r);
// A corner with both its C squares and its X square in one colour.
int CornerBlock(const TCornerContents& r);
// A C square of an empty corner without the colour's disc beyond it.
int LoneCSquares(const TCornerContents& r);
// Type D: a corner with an opponent's disc on at least one C square, once per corner.
int OpponentCSquaresOnce(const TCornerContents& r);
// Type D: an empty C square between the corner and the square beyond it, both one colour.
int EmptyCSquaresInsideOwnEdge(const TCornerContents& r);

// --- Terms about the searched line: Tejun[p] is the square played at ply p, and odd plies
// are white's moves.

// A corner played at ply 1..4 of the line, with a signed weight per ply (defined below).
int CornersOnLine(const uint8_t* tejun, const int16_t (&plyWeights)[5]);
// The X square of an empty corner played at ply 1 while it is the only X-square disc on
// the board (defined below).
int LoneXSquareOnLine(const TBitBoard& bits, const uint8_t* tejun, int weight);

// --- Terms about all discs. They are called at every leaf of a search, so they are
// defined here, where the evaluations can inline them.

// The discs of the position, counted once per evaluation.
struct TDiscCensus {
    uint8_t black = 0;
    uint8_t white = 0;
    int value = 0;  // white minus black, less each side's frontier when it was counted
};

// The sum of OpenNeighbours over the black discs less the sum over the white ones. For the
// inner discs the number of empty neighbours of every square is added up at once, as four
// bit planes (a carry-save adder over the eight shifted sets of empty squares), and each
// colour weighs the planes by its discs. A disc on an edge (corners aside) counts the one
// neighbour off the edge's line that is on the board, if it is empty or the opponent's.
inline int FrontierBalance(const TBitBoard& bits) {
    const uint64_t empty = bits.Empty();
    // For an inner square every neighbour is on the board, so plain shifts never wrap into
    // a square that matters.
    const uint64_t n[8] = {empty >> 1, empty << 1, empty >> 8, empty << 8,
                           empty >> 9, empty << 9, empty >> 7, empty << 7};
    auto fullAdd = [](uint64_t a, uint64_t b, uint64_t c, uint64_t& carry) {
        const uint64_t ab = a ^ b;
        carry = (a & b) | (c & ab);
        return ab ^ c;
    };
    uint64_t c1, c2, c4;
    const uint64_t s1 = fullAdd(n[0], n[1], n[2], c1);
    const uint64_t s2 = fullAdd(n[3], n[4], n[5], c2);
    const uint64_t s3 = n[6] ^ n[7], c3 = n[6] & n[7];
    const uint64_t ones = fullAdd(s1, s2, s3, c4);
    uint64_t f1;
    const uint64_t t1 = fullAdd(c1, c2, c3, f1);
    const uint64_t twos = t1 ^ c4, f2 = t1 & c4;
    const uint64_t fours = f1 ^ f2, eights = f1 & f2;
    auto weigh = [&](uint64_t discs) {
        return std::popcount(ones & discs) + 2 * std::popcount(twos & discs) +
               4 * std::popcount(fours & discs) + 8 * std::popcount(eights & discs);
    };
    auto edgeOpen = [&](uint64_t own, uint64_t opponent) {
        const uint64_t openOrOpponent = empty | opponent;
        const uint64_t edges = own & ~kCorners;
        return std::popcount(edges & kColumnH & (openOrOpponent >> 8)) +
               std::popcount(edges & kColumnA & (openOrOpponent << 8)) +
               std::popcount(edges & kRow1 & (openOrOpponent >> 1)) +
               std::popcount(edges & kRow8 & (openOrOpponent << 1));
    };
    return weigh(bits.black & kInner) - weigh(bits.white & kInner) +
           edgeOpen(bits.black, bits.white) - edgeOpen(bits.white, bits.black);
}

// Counts the discs. With the frontier on, each disc's OpenNeighbours count against its
// owner: discs that touch empty squares give the opponent moves.
inline TDiscCensus TakeCensus(const TBitBoard& bits, bool withFrontier) {
    TDiscCensus census;
    census.black = static_cast<uint8_t>(std::popcount(bits.black));
    census.white = static_cast<uint8_t>(std::popcount(bits.white));
    census.value = census.white - census.black;
    if (withFrontier) census.value += FrontierBalance(bits);
    return census;
}

inline constexpr uint64_t kBadInnerSquares = MaskOf(SquareOf("g3")) | MaskOf(SquareOf("g6")) |
                                             MaskOf(SquareOf("b3")) | MaskOf(SquareOf("b6")) |
                                             MaskOf(SquareOf("f2")) | MaskOf(SquareOf("f7")) |
                                             MaskOf(SquareOf("c2")) | MaskOf(SquareOf("c7"));
inline constexpr uint64_t kGoodInnerSquares = MaskOf(SquareOf("f3")) | MaskOf(SquareOf("f6")) |
                                              MaskOf(SquareOf("c3")) | MaskOf(SquareOf("c6"));
inline constexpr uint64_t kXSquares = MaskOf(SquareOf("b2")) | MaskOf(SquareOf("g2")) |
                                      MaskOf(SquareOf("b7")) | MaskOf(SquareOf("g7"));

// White discs around the centre: bad on the squares next to the second lines (g3, g6, b3,
// b6, f2, f7, c2, c7), good on the diagonal squares c3, f3, c6 and f6. Black discs count
// nothing.
inline int InnerSquares(const TBitBoard& bits, int weight) {
    if (weight == 0) return 0;
    return weight * (std::popcount(bits.white & kGoodInnerSquares) -
                     std::popcount(bits.white & kBadInnerSquares));
}

// The discs on the 28 edge squares.
struct TEdgeDiscs {
    uint8_t black = 0;
    uint8_t white = 0;
};
inline TEdgeDiscs CountEdgeDiscs(const TBitBoard& bits) {
    return {static_cast<uint8_t>(std::popcount(bits.black & kBorder)),
            static_cast<uint8_t>(std::popcount(bits.white & kBorder))};
}

// The discs of either colour on the four X squares.
inline int XSquareDiscs(const TBitBoard& bits) {
    return std::popcount((bits.black | bits.white) & kXSquares);
}

// Random noise early in the game at the lower levels, so that the computer does not always
// play the same game: up to 6 before move 30 at levels 1 to 3, and up to lateBound - 1
// more before move 47 at level 2. Draws from the engine's generator.
inline int Noise(int mv, int gameLevel, uint32_t lateBound, TRandom& generator) {
    int value = 0;
    if (mv < 30 && gameLevel <= 3) value += static_cast<int>(generator.Below(7));
    if (mv < 47 && gameLevel == 2) value += static_cast<int>(generator.Below(lateBound));
    return value;
}

// The disc balance at level 4: having more discs than the opponent costs the difference
// plus extra.
inline int DiscBalance(uint8_t blackCount, uint8_t whiteCount, int extra) {
    const int difference = blackCount - whiteCount;
    if (difference < 0) return difference - extra;
    if (difference > 0) return difference + extra;
    return 0;
}

// With few discs on the board a lone C square hardly matters below the top level.
inline int LoneCSquareWeight(int weight, int gameLevel, bool fewDiscs) {
    return gameLevel <= 3 && fewDiscs && weight != 0 ? 1 : weight;
}

// Adds to a 16-bit sum, wrapping as 16-bit arithmetic does.
inline void Add16(int16_t& sum, int term) {
    sum = static_cast<int16_t>(sum + term);
}

// Adds to a 32-bit sum, wrapping as 32-bit arithmetic does: pattern values may be any
// 32-bit number (the editor stores what is typed), so their sum may pass the limits.
inline void Add32(int32_t& sum, int32_t term) {
    sum = static_cast<int32_t>(static_cast<uint32_t>(sum) + static_cast<uint32_t>(term));
}

// The value of a finished sum: 0 becomes 1 (the searches mark a ply without a value by 0);
// a side without discs decides the game: WIPE_OUT when black has none, -WIPE_OUT when white has
// none (tested last, so it wins when both have none).
template <typename Value>
Value FinalResult(Value value, uint8_t blackCount, uint8_t whiteCount) {
    if (value == 0) value = 1;
    if (blackCount == 0) value = WIPE_OUT;
    if (whiteCount == 0) value = -WIPE_OUT;
    return value;
}

// The line terms are called at every leaf of a search, so they are inlined too.
inline int CornersOnLine(const uint8_t* tejun, const int16_t (&plyWeights)[5]) {
    int value = 0;
    for (int ply = 1; ply <= 4; ++ply)
        value += kIsCornerSquare[tejun[ply]] * plyWeights[ply];
    return value;
}

inline int LoneXSquareOnLine(const TBitBoard& bits, const uint8_t* tejun, int weight) {
    if (weight == 0 || XSquareDiscs(bits) != 1) return 0;
    const uint64_t empty = bits.Empty();
    int value = 0;
    for (const TCornerRegion& r : kCornerRegions)
        if ((empty & MaskOf(r.corner)) != 0 && tejun[1] == r.xSquare) value -= weight;
    return value;
}

}  // namespace EvalTerms
