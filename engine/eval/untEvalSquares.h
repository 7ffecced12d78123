#pragma once

#include <array>
#include <cstdint>

#include "engine/untKyokumen.h"
#include "engine/untSquareNames.h"

// Board regions the evaluations talk about, written in square names.

// The four edges, L1..L8 from one corner to the next, in the order the evaluations visit them.
inline constexpr uint8_t kEdgeSquares[4][8] = {
    {SquareOf("a1"), SquareOf("b1"), SquareOf("c1"), SquareOf("d1"), SquareOf("e1"), SquareOf("f1"),
     SquareOf("g1"), SquareOf("h1")},
    {SquareOf("h1"), SquareOf("h2"), SquareOf("h3"), SquareOf("h4"), SquareOf("h5"), SquareOf("h6"),
     SquareOf("h7"), SquareOf("h8")},
    {SquareOf("a8"), SquareOf("b8"), SquareOf("c8"), SquareOf("d8"), SquareOf("e8"), SquareOf("f8"),
     SquareOf("g8"), SquareOf("h8")},
    {SquareOf("a1"), SquareOf("a2"), SquareOf("a3"), SquareOf("a4"), SquareOf("a5"), SquareOf("a6"),
     SquareOf("a7"), SquareOf("a8")},
};

inline constexpr const uint8_t (&EdgeSquares(TEdge edge))[8] {
    return kEdgeSquares[static_cast<int>(edge)];
}

inline constexpr TEdge kAllEdges[4] = {TEdge::Row1, TEdge::ColumnH, TEdge::Row8, TEdge::ColumnA};
inline constexpr TCorner kAllCorners[4] = {TCorner::H1, TCorner::H8, TCorner::A1, TCorner::A8};

// The squares around one corner. The C squares are its neighbours on the two edges, the
// squares beyond them the next ones along the same edges, the third squares the ones after
// those; the X square is its diagonal neighbour.
struct TCornerRegion {
    uint8_t corner;
    uint8_t xSquare;
    uint8_t cSquares[2];
    uint8_t beyondC[2];  // beyondC[i] lies beyond cSquares[i]
    uint8_t thirds[2];   // thirds[i] lies beyond beyondC[i]
    int8_t runSteps[2];  // index steps along the corner's two edges, for corner runs
};

// In the order h1, h8, a1, a8. Each corner's first edge is its column (h or a), the second
// its row (1 or 8).
inline constexpr TCornerRegion kCornerRegions[4] = {
    {SquareOf("h1"),
     SquareOf("g2"),
     {SquareOf("h2"), SquareOf("g1")},
     {SquareOf("h3"), SquareOf("f1")},
     {SquareOf("h4"), SquareOf("e1")},
     {+1, +10}},
    {SquareOf("h8"),
     SquareOf("g7"),
     {SquareOf("h7"), SquareOf("g8")},
     {SquareOf("h6"), SquareOf("f8")},
     {SquareOf("h5"), SquareOf("e8")},
     {-1, +10}},
    {SquareOf("a1"),
     SquareOf("b2"),
     {SquareOf("a2"), SquareOf("b1")},
     {SquareOf("a3"), SquareOf("c1")},
     {SquareOf("a4"), SquareOf("d1")},
     {+1, -10}},
    {SquareOf("a8"),
     SquareOf("b7"),
     {SquareOf("a7"), SquareOf("b8")},
     {SquareOf("a6"), SquareOf("c8")},
     {SquareOf("a5"), SquareOf("d8")},
     {-1, -10}},
};

inline constexpr const TCornerRegion& CornerRegion(TCorner corner) {
    return kCornerRegions[static_cast<int>(corner)];
}

inline constexpr bool IsCornerSquare(int square) {
    return square == SquareOf("h1") || square == SquareOf("h8") || square == SquareOf("a1") ||
           square == SquareOf("a8");
}

// IsCornerSquare for any cell number, as a table for the leaves of the searches.
inline constexpr std::array<uint8_t, 256> kIsCornerSquare = [] {
    std::array<uint8_t, 256> isCorner{};
    for (int square = 0; square < 256; ++square)
        isCorner[square] = IsCornerSquare(square);
    return isCorner;
}();

inline constexpr uint8_t OpponentOf(uint8_t colour) {
    return colour == WHITE ? BLACK : WHITE;
}
