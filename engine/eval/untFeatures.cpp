// Edge and frontier features: small measurements of a board that the evaluations combine
// with their own weights.
#include "engine/eval/untFeatures.h"

#include "engine/eval/untEvalSquares.h"

namespace {

// Where a square lies, for the frontier count of its disc.
enum class TSquareSide : uint8_t { Corner, LeftOrRightEdge, TopOrBottomEdge, Inner };

constexpr TSquareSide SideOf(int square) {
    const int x = square / 10, y = square % 10;
    const bool onColumnEdge = x == 1 || x == 8, onRowEdge = y == 1 || y == 8;
    if (onColumnEdge && onRowEdge) return TSquareSide::Corner;
    if (onColumnEdge) return TSquareSide::LeftOrRightEdge;
    if (onRowEdge) return TSquareSide::TopOrBottomEdge;
    return TSquareSide::Inner;
}

constexpr int kNeighbourSteps[8] = {-11, -10, -9, -1, 1, 9, 10, 11};

constexpr Features::TCornerEdges kCornerEdges[4] = {
    {TEdge::ColumnH, TEdge::Row1, false, true},   // h1
    {TEdge::ColumnH, TEdge::Row8, true, true},    // h8
    {TEdge::ColumnA, TEdge::Row1, false, false},  // a1
    {TEdge::ColumnA, TEdge::Row8, true, false},   // a8
};

}  // namespace

namespace Features {

const TCornerEdges& CornerEdges(TCorner corner) {
    return kCornerEdges[static_cast<int>(corner)];
}

TEdgeLine LineOf(const uint8_t* cells, TEdge edge) {
    TEdgeLine line;
    for (int i = 0; i < 8; ++i)
        line[i] = cells[EdgeSquares(edge)[i]];
    return line;
}

uint8_t OpenNeighbours(const uint8_t* cells, uint8_t square) {
    const uint8_t opponent = OpponentOf(cells[square]);
    // A disc on an edge is open along the edge only: an empty neighbour there, or an
    // opponent's disc, can let the opponent turn it.
    auto openAlongEdge = [&](int step) {
        uint8_t open = 0;
        for (const int neighbour : {square - step, square + step}) {
            const uint8_t content = cells[neighbour];
            if (content == EMPTY || content == opponent) ++open;
        }
        return open;
    };
    switch (SideOf(square)) {
        case TSquareSide::Corner:
            return 0;
        case TSquareSide::LeftOrRightEdge:
            return openAlongEdge(10);
        case TSquareSide::TopOrBottomEdge:
            return openAlongEdge(1);
        case TSquareSide::Inner:
            break;
    }
    uint8_t empties = 0;
    for (const int step : kNeighbourSteps)
        if (cells[square + step] == EMPTY) ++empties;
    return empties;
}

uint8_t Exposure(const TEdgeLine& line, uint8_t colour) {
    const uint8_t opponent = OpponentOf(colour);
    if (line[0] != EMPTY && line[7] != EMPTY) return 0;
    // A run of the colour starting next to a corner the colour does not hold, closed by an
    // opponent's disc: the opponent can take that corner by turning the run.
    auto exposedFrom = [&](int corner, int step) {
        if (line[corner] == colour) return false;
        int i = corner + step;
        if (line[i] != colour) return false;
        while (i + step >= 0 && i + step <= 7 && line[i + step] == colour)
            i += step;
        const int closer = i + step;
        return closer >= 0 && closer <= 7 && line[closer] == opponent;
    };
    return exposedFrom(0, +1) || exposedFrom(7, -1) ? 1 : 0;
}

uint8_t FullCount(const TEdgeLine& line, uint8_t colour) {
    uint8_t count = 0;
    for (const uint8_t content : line) {
        if (content == EMPTY) return 0;
        if (content == colour) ++count;
    }
    return count;
}

uint8_t RunFromEnd(const TEdgeLine& line, bool fromL8) {
    const int start = fromL8 ? 7 : 0, step = fromL8 ? -1 : 1;
    const uint8_t colour = line[start];
    if (colour == EMPTY) return 0;
    uint8_t run = 0;
    for (int i = start; i >= 0 && i <= 7 && line[i] == colour; i += step)
        ++run;
    return run;
}

uint8_t CornerExposure(const uint8_t* cells, TEdge edge, uint8_t colour) {
    return Exposure(LineOf(cells, edge), colour);
}

uint8_t FullEdgeCount(const uint8_t* cells, TEdge edge, uint8_t colour) {
    return FullCount(LineOf(cells, edge), colour);
}

uint8_t CornerRun(const uint8_t* cells, TCorner corner, uint8_t colour) {
    if (cells[CornerRegion(corner).corner] != colour) return 0;
    const TCornerEdges& edges = CornerEdges(corner);
    return static_cast<uint8_t>(RunFromEnd(LineOf(cells, edges.first), edges.firstFromL8) +
                                RunFromEnd(LineOf(cells, edges.second), edges.secondFromL8) - 1);
}

}  // namespace Features

uint8_t TKyokumen::OpenNeighbours(uint8_t square) const {
    return Features::OpenNeighbours(CurrentBoard->Cells, square);
}

uint8_t TKyokumen::CornerExposure(TEdge edge, uint8_t colour) const {
    return Features::CornerExposure(CurrentBoard->Cells, edge, colour);
}

uint8_t TKyokumen::CornerRun(TCorner corner, uint8_t colour) const {
    return Features::CornerRun(CurrentBoard->Cells, corner, colour);
}

uint8_t TKyokumen::FullEdgeCount(TEdge edge, uint8_t colour) const {
    return Features::FullEdgeCount(CurrentBoard->Cells, edge, colour);
}
