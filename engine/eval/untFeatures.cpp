// Edge and frontier features: small measurements of the current snapshot that the
// evaluations combine with their own weights.
#include "engine/eval/untEvalSquares.h"
#include "engine/untKyokumen.h"

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

}  // namespace

uint8_t TKyokumen::OpenNeighbours(uint8_t square) const {
    const uint8_t* cells = CurrentBoard->Cells;
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

uint8_t TKyokumen::CornerExposure(TEdge edge, uint8_t colour) const {
    const uint8_t* cells = CurrentBoard->Cells;
    const uint8_t(&line)[8] = EdgeSquares(edge);
    const uint8_t opponent = OpponentOf(colour);
    if (cells[line[0]] != EMPTY && cells[line[7]] != EMPTY) return 0;
    // A run of the colour starting next to a corner the colour does not hold, closed by an
    // opponent's disc: the opponent can take that corner by turning the run.
    auto exposedFrom = [&](int corner, int step) {
        if (cells[line[corner]] == colour) return false;
        int i = corner + step;
        if (cells[line[i]] != colour) return false;
        while (i + step >= 0 && i + step <= 7 && cells[line[i + step]] == colour)
            i += step;
        const int closer = i + step;
        return closer >= 0 && closer <= 7 && cells[line[closer]] == opponent;
    };
    return exposedFrom(0, +1) || exposedFrom(7, -1) ? 1 : 0;
}

uint8_t TKyokumen::CornerRun(TCorner corner, uint8_t colour) const {
    const uint8_t* cells = CurrentBoard->Cells;
    const TCornerRegion& region = CornerRegion(corner);
    if (cells[region.corner] != colour) return 0;
    uint8_t run = 1;  // the corner itself, counted once for both edges
    for (const int step : region.runSteps)
        for (int square = region.corner + step; cells[square] == colour; square += step)
            ++run;
    return run;
}

uint8_t TKyokumen::FullEdgeCount(TEdge edge, uint8_t colour) const {
    const uint8_t* cells = CurrentBoard->Cells;
    uint8_t count = 0;
    for (const uint8_t square : EdgeSquares(edge)) {
        if (cells[square] == EMPTY) return 0;
        if (cells[square] == colour) ++count;
    }
    return count;
}
