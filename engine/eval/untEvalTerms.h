#pragma once

#include <cstdint>

#include "engine/untKyokumen.h"

// The terms of the hand-tuned evaluations. Each term looks at the current snapshot (and,
// for the terms about the searched line, at Tejun) and returns its contribution from
// white's point of view for the weight it is given: positive favours white. A weight of
// 0 makes a term contribute nothing. The evaluations add the terms they use.
namespace EvalTerms {

// The discs of the position, counted once per evaluation.
struct TDiscCensus {
    uint8_t black = 0;
    uint8_t white = 0;
    int value = 0;  // white minus black, less each side's frontier when it was counted
};

// Counts the discs. With the frontier on, each disc's OpenNeighbours count against its
// owner: discs that touch empty squares give the opponent moves.
TDiscCensus TakeCensus(const TKyokumen& k, bool withFrontier);

// Random noise early in the game at the lower levels, so that the computer does not always
// play the same game: up to 6 before move 30 at levels 1 to 3, and up to lateBound - 1
// more before move 47 at level 2. Draws from the program-wide generator.
int Noise(int mv, int gameLevel, uint32_t lateBound);

// The disc balance at level 4: having more discs than the opponent costs the difference
// plus extra.
int DiscBalance(uint8_t blackCount, uint8_t whiteCount, int extra);

// Discs on the X square of an empty corner: they hand the corner to the opponent.
int XSquaresNextToEmptyCorners(const uint8_t* cells, int weight);
// The X square of an empty corner played on the searched line (odd plies are white's).
int XSquaresOnLine(const uint8_t* cells, const uint8_t* tejun, int weight);
// A corner played at ply 1..4 of the searched line, with a signed weight per ply.
int CornersOnLine(const uint8_t* tejun, const int16_t (&plyWeights)[5]);
// Corners held.
int CornersHeld(const uint8_t* cells, int weight);
// A C square of an empty corner played on the searched line.
int CSquaresOnLine(const uint8_t* cells, const uint8_t* tejun, int weight);
// The middle four of an edge reading x o o x: the outer two are easily attacked.
int SplitEdgeMiddles(const uint8_t* cells, int weight);
// A corner whose C square holds an opponent's disc, once per C square.
int CornersNextToOpponentC(const uint8_t* cells, int weight);
// A corner whose C square is still empty, once per C square.
int CornersNextToEmptyC(const uint8_t* cells, int weight);
// White discs on the squares around the centre: bad next to the edges, good on the
// diagonal squares c3, f3, c6 and f6. Black discs count nothing.
int InnerSquares(const uint8_t* cells, int weight);
// Discs on the middle four of the edges, early in the game.
int EdgeMiddles(const uint8_t* cells, int weight);
// An empty corner whose C squares and the next two squares along both edges are one colour.
int TrianglesAtEmptyCorners(const uint8_t* cells, int weight);
// An edge on which a colour's run lets the opponent take a corner.
int CornerExposures(const TKyokumen& k, int weight);
// Corner runs at every corner, and the discs on completely filled edges.
int CornerRunsAndFullEdges(const TKyokumen& k, int runWeight, int fullEdgeWeight);
// An empty corner with both C squares and the squares beyond them in one colour and the
// X square in the other: the X square is wedged in.
int WedgesAtEmptyCorners(const uint8_t* cells, int weight);
// A corner with both its C squares and its X square in one colour.
int CornerBlocks(const uint8_t* cells, int weight);
// L2..L7 of an edge in one colour with neither corner the opponent's.
int FilledEdges(const uint8_t* cells, int weight);
// A C square of an empty corner without the colour's disc beyond it.
int LoneCSquares(const uint8_t* cells, int weight);
// With few discs on the board a lone C square hardly matters below the top level.
inline int LoneCSquareWeight(int weight, int gameLevel, bool fewDiscs) {
    return gameLevel <= 3 && fewDiscs && weight != 0 ? 1 : weight;
}
// Five discs of one colour next to an empty square on an edge whose corners are empty.
int FivesOnOpenEdges(const uint8_t* cells, int weight);
// The middle four of an edge in one colour with L1, L2, L7 and L8 empty.
int FoursInEdgeMiddles(const uint8_t* cells, int weight);

// Alternatives of the two C-square rules, used by the type D evaluation.
// A corner with an opponent's disc on at least one of its C squares, once per corner.
int CornersNextToOpponentCOnce(const uint8_t* cells, int weight);
// An empty C square between a corner and the square beyond it, both of one colour.
int EmptyCSquaresInsideOwnEdge(const uint8_t* cells, int weight);

// The discs on the 28 edge squares.
struct TEdgeDiscs {
    uint8_t black = 0;
    uint8_t white = 0;
};
TEdgeDiscs CountEdgeDiscs(const uint8_t* cells);

// The discs of either colour on the four X squares.
int XSquareDiscs(const uint8_t* cells);
// The X square of an empty corner played at ply 1 while it is the only X-square disc on
// the board.
int LoneXSquareOnLine(const uint8_t* cells, const uint8_t* tejun, int weight);

// Adds to a 16-bit sum, wrapping as 16-bit arithmetic does.
inline void Add16(int16_t& sum, int term) {
    sum = static_cast<int16_t>(sum + term);
}

// The value of a finished sum: 0 becomes 1 (the searches mark a ply without a value by 0);
// a side without discs decides the game: 9999 when black has none, -9999 when white has
// none (tested last, so it wins when both have none).
template <typename Value>
Value FinalResult(Value value, uint8_t blackCount, uint8_t whiteCount) {
    if (value == 0) value = 1;
    if (blackCount == 0) value = 9999;
    if (whiteCount == 0) value = -9999;
    return value;
}

}  // namespace EvalTerms
