#pragma once

#include <array>
#include <cstdint>

#include "engine/eval/untEvalSquares.h"
#include "engine/eval/untEvalTerms.h"
#include "engine/eval/untEvalWeights.h"

// The edge and corner rules of the hand-tuned evaluations, read from tables instead of
// being worked out square by square.
//
// How it works and why it is fast: an edge, or the eight squares around a corner, is one of
// 3^8 = 6561 contents (its base-3 code). For every code a table holds the value of every
// rule about it at weight 1, one rule per byte lane of a small vector. A position's codes
// come straight from the bit sets (the edges and the corners' two arms are bytes of them),
// its features are the sum of eight table vectors, and an evaluation weighs them all at once
// with one vector of weights for its move number: a handful of vector instructions instead
// of a few hundred cell reads, comparisons and multiplications.

// Byte lanes of the edge features, summed over the four edges (row 1, column h, row 8,
// column a), at weight 1 and from white's point of view.
enum TEdgeLane : int {
    SPLIT_MIDDLE,  // the middle four reading x o o x
    MIDDLE_DISCS,  // discs on the middle four
    FILLED_EDGE,   // L2..L7 in one colour, neither corner the opponent's
    FIVES,         // five in a row beside an empty square, both corners empty
    FOUR_IN_MIDDLE,
    EXPOSED_RUNS,  // runs that hand a corner to the opponent
    FULL_EDGE,     // discs on a completely filled edge
    RUN_ENDS,      // the runs of discs from each corner along the edge, signed by owner
    EDGE_LANES
};

// Byte lanes of the corner features, summed over the four corners.
enum TCornerLane : int {
    X_SQUARE,  // a disc on the X square of an empty corner
    CORNER_HELD,
    OPPONENT_C,  // own corner beside an opponent's C square, per C square
    EMPTY_C,     // own corner beside an empty C square, per C square
    TRIANGLE,
    WEDGE,
    CORNER_BLOCK,
    LONE_C,
    OPPONENT_C_ONCE,  // type D: own corner beside at least one opponent's C square
    EMPTY_C_INSIDE,   // type D: an empty C square between own corner and own disc
    CORNER_LANES
};

using TByteLanes8 = int8_t __attribute__((vector_size(8)));
using TByteLanes16 = int8_t __attribute__((vector_size(16)));
using TWordLanes = int16_t __attribute__((vector_size(16)));

// Everything about the position's four edges and four corners that the evaluations weigh.
// The corner run of a corner (CornerRun of white less CornerRun of black) is the sum of its
// two edges' RUN_ENDS less CORNER_HELD.
struct TPositionFeatures {
    TByteLanes8 edges;     // by TEdgeLane
    TByteLanes16 corners;  // by TCornerLane
    int Edge(TEdgeLane lane) const { return edges[lane]; }
    int Corner(TCornerLane lane) const { return corners[lane]; }
};

namespace EvalTables {

// The features of every edge code (L1 the most significant digit) and of every corner
// region code (corner, X square, the C squares, the squares beyond them, the third squares).
extern const std::array<TByteLanes8, 6561> kEdgeTable;
extern const std::array<TByteLanes16, 6561> kCornerTable;

// A corner region's code in two parts, each a function of one edge's byte: the corner and
// its arm along its column (C square, the square beyond, the third square), and its arm
// along its row; the X square is added on its own. By corner, h1, h8, a1, a8.
struct TCornerArms {
    uint16_t column[256];
    uint16_t row[256];
};
extern const TCornerArms kCornerArms[4];

// The discs of the four edges, each as a byte: row 1 and row 8 with column h in bit 0,
// columns h and a with row 1 in bit 0.
struct TEdgeBytes {
    uint32_t row1, columnH, row8, columnA;
};
inline TEdgeBytes EdgeBytesOf(uint64_t discs) {
    return {RowByte(discs, 1), ColumnByte(discs, 1), RowByte(discs, 8), ColumnByte(discs, 8)};
}

// The code of corner c (h1, h8, a1, a8): its column is h for the first two, its row 1 for
// h1 and a1.
template <int c>
inline uint16_t CornerCode(const TEdgeBytes& black, const TEdgeBytes& white,
                           const TBitBoard& bits) {
    constexpr bool rowOne = c == 0 || c == 2, columnH = c <= 1;
    constexpr int xBit = BitOf(kCornerRegions[c].xSquare);
    constexpr int xWeight = 729;  // the X square is the second digit
    const TCornerArms& arms = kCornerArms[c];
    const uint32_t blackColumn = columnH ? black.columnH : black.columnA;
    const uint32_t whiteColumn = columnH ? white.columnH : white.columnA;
    const uint32_t blackRow = rowOne ? black.row1 : black.row8;
    const uint32_t whiteRow = rowOne ? white.row1 : white.row8;
    const int x =
        static_cast<int>((bits.black >> xBit) & 1) + 2 * static_cast<int>((bits.white >> xBit) & 1);
    return static_cast<uint16_t>(arms.column[blackColumn] + arms.row[blackRow] +
                                 2 * (arms.column[whiteColumn] + arms.row[whiteRow]) + x * xWeight);
}

}  // namespace EvalTables

// Called at every leaf of a search, so defined here to be inlined.
inline TPositionFeatures PositionFeaturesOf(const TBitBoard& bits) {
    using namespace EvalTables;
    const TEdgeBytes black = EdgeBytesOf(bits.black), white = EdgeBytesOf(bits.white);
    TPositionFeatures f;
    f.edges = kEdgeTable[LineCode(black.row1, white.row1, kBase3HighFirst)] +
              kEdgeTable[LineCode(black.columnH, white.columnH, kBase3LowFirst)] +
              kEdgeTable[LineCode(black.row8, white.row8, kBase3HighFirst)] +
              kEdgeTable[LineCode(black.columnA, white.columnA, kBase3LowFirst)];
    f.corners = kCornerTable[CornerCode<0>(black, white, bits)] +
                kCornerTable[CornerCode<1>(black, white, bits)] +
                kCornerTable[CornerCode<2>(black, white, bits)] +
                kCornerTable[CornerCode<3>(black, white, bits)];
    return f;
}

// The weights of the lanes at one move number. A rule an evaluation does not use, or skips
// at that move number, has weight 0.
struct alignas(16) TFeatureWeights {
    int16_t edge[8] = {};
    int16_t corner[16] = {};
};
// The lane weights of each evaluation at every move number. The hand-tuned evaluations
// stop before their corner-run rules from move 59 on, so those rules have weight 0 there.
using TFeatureWeightTable = std::array<TFeatureWeights, LAST_MOVE + 1>;
namespace EvalTables {
extern const TFeatureWeightTable kEvaluateFeatureWeights;
extern const TFeatureWeightTable kEvaluatePatternsFeatureWeights;
extern const TFeatureWeightTable kEvaluateDFeatureWeights;
}  // namespace EvalTables

// The lane weights at a move number (outside 0..60 the nearest one).
inline const TFeatureWeights& EvaluateFeatureWeightsAt(int mv) {
    return EvalTables::kEvaluateFeatureWeights[WeightRowOf(mv)];
}
inline const TFeatureWeights& EvaluatePatternsFeatureWeightsAt(int mv) {
    return EvalTables::kEvaluatePatternsFeatureWeights[WeightRowOf(mv)];
}
inline const TFeatureWeights& EvaluateDFeatureWeightsAt(int mv) {
    return EvalTables::kEvaluateDFeatureWeights[WeightRowOf(mv)];
}

// The weighted sum of all features. Every lane product and the sum stay far inside 16 bits,
// so the result is exact.
inline int WeightedSum(const TPositionFeatures& f, const TFeatureWeights& w) {
    TWordLanes edgeWeights, cornerWeightsLow, cornerWeightsHigh;
    __builtin_memcpy(&edgeWeights, w.edge, sizeof edgeWeights);
    __builtin_memcpy(&cornerWeightsLow, w.corner, sizeof cornerWeightsLow);
    __builtin_memcpy(&cornerWeightsHigh, w.corner + 8, sizeof cornerWeightsHigh);
    const TByteLanes8 cornersLow =
        __builtin_shufflevector(f.corners, f.corners, 0, 1, 2, 3, 4, 5, 6, 7);
    const TByteLanes8 cornersHigh =
        __builtin_shufflevector(f.corners, f.corners, 8, 9, 10, 11, 12, 13, 14, 15);
    const TWordLanes products =
        __builtin_convertvector(f.edges, TWordLanes) * edgeWeights +
        __builtin_convertvector(cornersLow, TWordLanes) * cornerWeightsLow +
        __builtin_convertvector(cornersHigh, TWordLanes) * cornerWeightsHigh;
    int sum = 0;
    for (int lane = 0; lane < 8; ++lane)
        sum += products[lane];
    return sum;
}

// The X squares and C squares of empty corners played on the searched line (plies 1 to 5),
// at weight 1: each counts -1 when white played it and +1 when black did.
struct TLineFeatures {
    int xSquares = 0;
    int cSquares = 0;
    int cSquaresOfAnyCorner = 0;  // C squares whether their corner is empty or not
};

// What a square is on the searched line: the X square or a C square of a corner.
struct TSquareRole {
    int xSquare = 0;          // 1 for an X square
    int cSquare = 0;          // 1 for a C square
    uint64_t cornerMask = 0;  // its corner's square
};
inline constexpr std::array<TSquareRole, 256> kSquareRoles = [] {
    std::array<TSquareRole, 256> roles{};
    for (const TCornerRegion& r : kCornerRegions) {
        roles[r.xSquare] = {1, 0, MaskOf(r.corner)};
        roles[r.cSquares[0]] = {0, 1, MaskOf(r.corner)};
        roles[r.cSquares[1]] = {0, 1, MaskOf(r.corner)};
    }
    return roles;
}();

// Called at every leaf of a search, so defined here to be inlined.
inline TLineFeatures LineFeaturesOf(const TBitBoard& bits, const uint8_t* tejun) {
    const uint64_t empty = bits.Empty();
    TLineFeatures f;
    for (int ply = 1; ply <= 5; ++ply) {
        const TSquareRole& role = kSquareRoles[tejun[ply]];
        const int sign = ply % 2 == 1 ? -1 : 1;  // white's move costs white
        const int cornerEmpty = (empty & role.cornerMask) != 0;
        f.cSquaresOfAnyCorner += sign * role.cSquare;
        f.xSquares += sign * (role.xSquare & cornerEmpty);
        f.cSquares += sign * (role.cSquare & cornerEmpty);
    }
    return f;
}
