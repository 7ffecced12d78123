#include "engine/eval/untEvalTerms.h"

#include "engine/eval/untEvalSquares.h"
#include "engine/untRandom.h"

namespace EvalTerms {

namespace {

// +1 for a white disc, -1 for a black one, 0 for an empty square.
constexpr int SignOf(uint8_t content) {
    return content == WHITE ? 1 : content == BLACK ? -1 : 0;
}

// The weight with the sign of a move's side: odd plies of the line are white's moves.
constexpr int ForPly(int ply, int weight) {
    return ply % 2 == 1 ? weight : -weight;
}

constexpr int kLinePlies = 5;  // the line terms look at plies 1 to 5

bool AllHold(const uint8_t* cells, const uint8_t* squares, int count, uint8_t colour) {
    for (int i = 0; i < count; ++i)
        if (cells[squares[i]] != colour) return false;
    return true;
}

}  // namespace

TDiscCensus TakeCensus(const TKyokumen& k, bool withFrontier) {
    const uint8_t* cells = k.CurrentBoard->Cells;
    TDiscCensus census;
    for (int square = 11; square <= 88; ++square) {
        const uint8_t content = cells[square];
        if (content == WHITE) {
            ++census.white;
            census.value += 1;
            if (withFrontier) census.value -= k.OpenNeighbours(static_cast<uint8_t>(square));
        } else if (content == BLACK) {
            ++census.black;
            census.value -= 1;
            if (withFrontier) census.value += k.OpenNeighbours(static_cast<uint8_t>(square));
        }
    }
    return census;
}

int Noise(int mv, int gameLevel, uint32_t lateBound) {
    int value = 0;
    if (mv < 30 && gameLevel <= 3) value += static_cast<int>(Random(7));
    if (mv < 47 && gameLevel == 2) value += static_cast<int>(Random(lateBound));
    return value;
}

int DiscBalance(uint8_t blackCount, uint8_t whiteCount, int extra) {
    const int difference = blackCount - whiteCount;
    if (difference < 0) return difference - extra;
    if (difference > 0) return difference + extra;
    return 0;
}

int XSquaresNextToEmptyCorners(const uint8_t* cells, int weight) {
    if (weight == 0) return 0;
    int value = 0;
    for (const TCornerRegion& r : kCornerRegions)
        if (cells[r.corner] == EMPTY) value -= weight * SignOf(cells[r.xSquare]);
    return value;
}

int XSquaresOnLine(const uint8_t* cells, const uint8_t* tejun, int weight) {
    if (weight == 0) return 0;
    int value = 0;
    for (const TCornerRegion& r : kCornerRegions) {
        if (cells[r.corner] != EMPTY) continue;
        for (int ply = 1; ply <= kLinePlies; ++ply)
            if (tejun[ply] == r.xSquare) value -= ForPly(ply, weight);
    }
    return value;
}

int CornersOnLine(const uint8_t* tejun, const int16_t (&plyWeights)[5]) {
    int value = 0;
    for (int ply = 1; ply <= 4; ++ply)
        if (IsCornerSquare(tejun[ply])) value += plyWeights[ply];
    return value;
}

int CornersHeld(const uint8_t* cells, int weight) {
    if (weight == 0) return 0;
    int value = 0;
    for (const TCornerRegion& r : kCornerRegions)
        value += weight * SignOf(cells[r.corner]);
    return value;
}

int CSquaresOnLine(const uint8_t* cells, const uint8_t* tejun, int weight) {
    if (weight == 0) return 0;
    int value = 0;
    for (const TCornerRegion& r : kCornerRegions) {
        if (cells[r.corner] != EMPTY) continue;
        for (int ply = 1; ply <= kLinePlies; ++ply)
            if (tejun[ply] == r.cSquares[0] || tejun[ply] == r.cSquares[1])
                value -= ForPly(ply, weight);
    }
    return value;
}

int SplitEdgeMiddles(const uint8_t* cells, int weight) {
    if (weight == 0) return 0;
    int value = 0;
    for (const auto& line : kEdgeSquares) {
        const uint8_t l3 = cells[line[2]], l4 = cells[line[3]], l5 = cells[line[4]],
                      l6 = cells[line[5]];
        if (l3 == WHITE && l4 == BLACK && l5 == BLACK && l6 == WHITE) value -= weight;
        if (l3 == BLACK && l4 == WHITE && l5 == WHITE && l6 == BLACK) value += weight;
    }
    return value;
}

int CornersNextToOpponentC(const uint8_t* cells, int weight) {
    if (weight == 0) return 0;
    int value = 0;
    for (const TCornerRegion& r : kCornerRegions) {
        const uint8_t corner = cells[r.corner];
        if (corner == EMPTY) continue;
        for (const uint8_t c : r.cSquares)
            if (cells[c] == OpponentOf(corner)) value -= weight * SignOf(corner);
    }
    return value;
}

int CornersNextToEmptyC(const uint8_t* cells, int weight) {
    if (weight == 0) return 0;
    int value = 0;
    for (const TCornerRegion& r : kCornerRegions) {
        const uint8_t corner = cells[r.corner];
        if (corner == EMPTY) continue;
        for (const uint8_t c : r.cSquares)
            if (cells[c] == EMPTY) value -= weight * SignOf(corner);
    }
    return value;
}

int InnerSquares(const uint8_t* cells, int weight) {
    static constexpr uint8_t kBad[] = {SquareOf("g3"), SquareOf("g6"), SquareOf("b3"),
                                       SquareOf("b6"), SquareOf("f2"), SquareOf("f7"),
                                       SquareOf("c2"), SquareOf("c7")};
    static constexpr uint8_t kGood[] = {SquareOf("f3"), SquareOf("f6"), SquareOf("c3"),
                                        SquareOf("c6")};
    if (weight == 0) return 0;
    int value = 0;
    for (const uint8_t square : kBad)
        if (cells[square] == WHITE) value -= weight;
    for (const uint8_t square : kGood)
        if (cells[square] == WHITE) value += weight;
    return value;
}

int EdgeMiddles(const uint8_t* cells, int weight) {
    if (weight == 0) return 0;
    int value = 0;
    for (const auto& line : kEdgeSquares)
        for (int i = 2; i <= 5; ++i)
            value += weight * SignOf(cells[line[i]]);
    return value;
}

int TrianglesAtEmptyCorners(const uint8_t* cells, int weight) {
    if (weight == 0) return 0;
    int value = 0;
    for (const TCornerRegion& r : kCornerRegions) {
        if (cells[r.corner] != EMPTY) continue;
        const uint8_t triangle[6] = {r.cSquares[0], r.beyondC[0], r.thirds[0],
                                     r.cSquares[1], r.beyondC[1], r.thirds[1]};
        if (AllHold(cells, triangle, 6, BLACK)) value -= weight;
        if (AllHold(cells, triangle, 6, WHITE)) value += weight;
    }
    return value;
}

int CornerExposures(const TKyokumen& k, int weight) {
    if (weight == 0) return 0;
    int value = 0;
    for (const TEdge edge : kAllEdges) {
        value -= weight * k.CornerExposure(edge, WHITE);
        value += weight * k.CornerExposure(edge, BLACK);
    }
    return value;
}

int CornerRunsAndFullEdges(const TKyokumen& k, int runWeight, int fullEdgeWeight) {
    int value = 0;
    if (runWeight != 0)
        for (const TCorner corner : kAllCorners)
            value += runWeight * (k.CornerRun(corner, WHITE) - k.CornerRun(corner, BLACK));
    if (fullEdgeWeight != 0)
        for (const TEdge edge : kAllEdges)
            value += fullEdgeWeight * (k.FullEdgeCount(edge, WHITE) - k.FullEdgeCount(edge, BLACK));
    return value;
}

int WedgesAtEmptyCorners(const uint8_t* cells, int weight) {
    if (weight == 0) return 0;
    int value = 0;
    for (const TCornerRegion& r : kCornerRegions) {
        if (cells[r.corner] != EMPTY) continue;
        const uint8_t edgeSquares[4] = {r.cSquares[0], r.cSquares[1], r.beyondC[0], r.beyondC[1]};
        const uint8_t x = cells[r.xSquare];
        if (x == WHITE && AllHold(cells, edgeSquares, 4, BLACK)) value -= weight;
        if (x == BLACK && AllHold(cells, edgeSquares, 4, WHITE)) value += weight;
    }
    return value;
}

int CornerBlocks(const uint8_t* cells, int weight) {
    if (weight == 0) return 0;
    int value = 0;
    for (const TCornerRegion& r : kCornerRegions) {
        const uint8_t block[4] = {r.corner, r.cSquares[0], r.cSquares[1], r.xSquare};
        if (AllHold(cells, block, 4, WHITE)) value += weight;
        if (AllHold(cells, block, 4, BLACK)) value -= weight;
    }
    return value;
}

int FilledEdges(const uint8_t* cells, int weight) {
    if (weight == 0) return 0;
    int value = 0;
    for (const auto& line : kEdgeSquares) {
        const uint8_t l1 = cells[line[0]], l8 = cells[line[7]];
        if (AllHold(cells, line + 1, 6, WHITE) && l1 != BLACK && l8 != BLACK) value += weight;
        if (AllHold(cells, line + 1, 6, BLACK) && l1 != WHITE && l8 != WHITE) value -= weight;
    }
    return value;
}

int LoneCSquares(const uint8_t* cells, int weight) {
    if (weight == 0) return 0;
    int value = 0;
    for (const TCornerRegion& r : kCornerRegions) {
        if (cells[r.corner] != EMPTY) continue;
        for (int i = 0; i < 2; ++i) {
            const uint8_t c = cells[r.cSquares[i]], beyond = cells[r.beyondC[i]];
            if (c == WHITE && beyond != WHITE) value -= weight;
            if (c == BLACK && beyond != BLACK) value += weight;
        }
    }
    return value;
}

int FivesOnOpenEdges(const uint8_t* cells, int weight) {
    if (weight == 0) return 0;
    int value = 0;
    for (const auto& line : kEdgeSquares) {
        if (cells[line[0]] != EMPTY || cells[line[7]] != EMPTY) continue;
        for (const uint8_t colour : {WHITE, BLACK}) {
            const int sign = colour == WHITE ? -1 : 1;
            if (AllHold(cells, line + 1, 5, colour) && cells[line[6]] == EMPTY)
                value += sign * weight;
            if (AllHold(cells, line + 2, 5, colour) && cells[line[1]] == EMPTY)
                value += sign * weight;
        }
    }
    return value;
}

int FoursInEdgeMiddles(const uint8_t* cells, int weight) {
    if (weight == 0) return 0;
    int value = 0;
    for (const auto& line : kEdgeSquares) {
        if (cells[line[0]] != EMPTY || cells[line[1]] != EMPTY || cells[line[6]] != EMPTY ||
            cells[line[7]] != EMPTY)
            continue;
        if (AllHold(cells, line + 2, 4, WHITE)) value += weight;
        if (AllHold(cells, line + 2, 4, BLACK)) value -= weight;
    }
    return value;
}

int CornersNextToOpponentCOnce(const uint8_t* cells, int weight) {
    if (weight == 0) return 0;
    int value = 0;
    for (const TCornerRegion& r : kCornerRegions) {
        const uint8_t corner = cells[r.corner];
        if (corner == EMPTY) continue;
        const uint8_t opponent = OpponentOf(corner);
        if (cells[r.cSquares[0]] == opponent || cells[r.cSquares[1]] == opponent)
            value -= weight * SignOf(corner);
    }
    return value;
}

int EmptyCSquaresInsideOwnEdge(const uint8_t* cells, int weight) {
    if (weight == 0) return 0;
    int value = 0;
    for (const TCornerRegion& r : kCornerRegions) {
        const uint8_t corner = cells[r.corner];
        if (corner == EMPTY) continue;
        for (int i = 0; i < 2; ++i)
            if (cells[r.cSquares[i]] == EMPTY && cells[r.beyondC[i]] == corner)
                value -= weight * SignOf(corner);
    }
    return value;
}

TEdgeDiscs CountEdgeDiscs(const uint8_t* cells) {
    TEdgeDiscs discs;
    auto count = [&](int square) {
        discs.black += cells[square] == BLACK;
        discs.white += cells[square] == WHITE;
    };
    // Rows 1 and 8 whole, then columns h and a without their corners.
    for (const uint8_t square : kEdgeSquares[static_cast<int>(TEdge::Row1)])
        count(square);
    for (const uint8_t square : kEdgeSquares[static_cast<int>(TEdge::Row8)])
        count(square);
    for (int i = 1; i <= 6; ++i) {
        count(kEdgeSquares[static_cast<int>(TEdge::ColumnH)][i]);
        count(kEdgeSquares[static_cast<int>(TEdge::ColumnA)][i]);
    }
    return discs;
}

int XSquareDiscs(const uint8_t* cells) {
    int discs = 0;
    for (const TCornerRegion& r : kCornerRegions)
        discs += cells[r.xSquare] != EMPTY;
    return discs;
}

int LoneXSquareOnLine(const uint8_t* cells, const uint8_t* tejun, int weight) {
    if (weight == 0 || XSquareDiscs(cells) != 1) return 0;
    int value = 0;
    for (const TCornerRegion& r : kCornerRegions)
        if (cells[r.corner] == EMPTY && tejun[1] == r.xSquare) value -= weight;
    return value;
}

}  // namespace EvalTerms
