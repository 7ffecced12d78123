#pragma once

#include <cstdint>

#include "engine/eval/untEvalTerms.h"

// The edge and corner rules of the hand-tuned evaluations, read from tables instead of
// being worked out square by square. An edge or a corner region has eight squares, so
// its contents are one of 3^8 = 6561 codes; the tables hold every rule's value (at
// weight 1) for every code, built once from the rules' definitions in EvalTerms.

// Everything about the position's four edges and four corners that the evaluations weigh,
// summed over the edges and corners, at weight 1 and from white's point of view.
struct TPositionFeatures {
    // Edges.
    int splitMiddles = 0;
    int middleDiscs = 0;
    int filledEdges = 0;
    int fivesOnOpenEdges = 0;
    int foursInMiddle = 0;
    int exposedRuns = 0;
    int fullEdges = 0;
    int cornerRuns = 0;  // CornerRun of white less CornerRun of black, over the corners
    // Corners.
    int xSquaresNextToEmptyCorners = 0;
    int cornersHeld = 0;
    int opponentCSquares = 0;
    int emptyCSquares = 0;
    int triangles = 0;
    int wedges = 0;
    int cornerBlocks = 0;
    int loneCSquares = 0;
    int opponentCSquaresOnce = 0;
    int emptyCSquaresInsideOwnEdge = 0;
};

TPositionFeatures PositionFeaturesOf(const uint8_t* cells, const TBitBoard& bits);
// Only the corner features (cornerRuns and the edge features stay 0).
TPositionFeatures CornerFeaturesOf(const uint8_t* cells);

// The X squares and C squares of empty corners played on the searched line (plies 1 to 5),
// at weight 1: each counts -1 when white played it and +1 when black did.
struct TLineFeatures {
    int xSquares = 0;
    int cSquares = 0;
    int cSquaresOfAnyCorner = 0;  // C squares whether their corner is empty or not
};

TLineFeatures LineFeaturesOf(const uint8_t* cells, const uint8_t* tejun);
