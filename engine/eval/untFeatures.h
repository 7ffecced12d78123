#pragma once

#include <array>
#include <cstdint>

#include "engine/untKyokumen.h"

// Edge and frontier features of a board, as plain functions of its cells or of one edge's
// contents; the TKyokumen operations of the same names apply them to the current snapshot.
namespace Features {

// The contents of an edge's squares L1..L8.
using TEdgeLine = std::array<uint8_t, 8>;
TEdgeLine LineOf(const uint8_t* cells, TEdge edge);

// How exposed the disc on a square is: 0 on a corner; on another edge square, whether its
// neighbour off the edge's line is empty or the opponent's; inside, its empty neighbours.
uint8_t OpenNeighbours(const uint8_t* cells, uint8_t square);

// 1 when a run of the colour next to an edge's corner (not the colour's own corner) is
// closed by an opponent's disc, so that the opponent can take the corner; both corners of
// the edge occupied give 0.
uint8_t Exposure(const TEdgeLine& line, uint8_t colour);
// The colour's discs on a completely filled edge, 0 while any square of it is empty.
uint8_t FullCount(const TEdgeLine& line, uint8_t colour);
// The run of discs of the end square's colour from one end of the edge (0 if it is empty).
uint8_t RunFromEnd(const TEdgeLine& line, bool fromL8);

// A corner's two edges (its column, then its row), and whether the corner is the L8 end
// of each.
struct TCornerEdges {
    TEdge first, second;
    bool firstFromL8, secondFromL8;
};
const TCornerEdges& CornerEdges(TCorner corner);

uint8_t CornerExposure(const uint8_t* cells, TEdge edge, uint8_t colour);
uint8_t FullEdgeCount(const uint8_t* cells, TEdge edge, uint8_t colour);
// The colour's discs along both edges from a corner it holds, the corner counted once.
uint8_t CornerRun(const uint8_t* cells, TCorner corner, uint8_t colour);

}  // namespace Features
