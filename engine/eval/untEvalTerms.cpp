#include "engine/eval/untEvalTerms.h"

#include <array>

#include "engine/eval/untEvalSquares.h"
#include "engine/untRandom.h"

namespace EvalTerms {

namespace {

// +1 for a white disc, -1 for a black one, 0 for an empty square.
constexpr int SignOf(uint8_t content) {
    return content == WHITE ? 1 : content == BLACK ? -1 : 0;
}

bool AllHold(const uint8_t* contents, int count, uint8_t colour) {
    for (int i = 0; i < count; ++i)
        if (contents[i] != colour) return false;
    return true;
}

}  // namespace

TCornerContents CornerOf(const uint8_t* cells, TCorner corner) {
    const TCornerRegion& r = CornerRegion(corner);
    return {cells[r.corner],
            cells[r.xSquare],
            {cells[r.cSquares[0]], cells[r.cSquares[1]]},
            {cells[r.beyondC[0]], cells[r.beyondC[1]]},
            {cells[r.thirds[0]], cells[r.thirds[1]]}};
}

// --- One edge.

int SplitMiddle(const TEdgeLine& line) {
    const uint8_t l3 = line[2], l4 = line[3], l5 = line[4], l6 = line[5];
    if (l3 == WHITE && l4 == BLACK && l5 == BLACK && l6 == WHITE) return -1;
    if (l3 == BLACK && l4 == WHITE && l5 == WHITE && l6 == BLACK) return 1;
    return 0;
}

int MiddleDiscs(const TEdgeLine& line) {
    return SignOf(line[2]) + SignOf(line[3]) + SignOf(line[4]) + SignOf(line[5]);
}

int FilledEdge(const TEdgeLine& line) {
    const uint8_t l1 = line[0], l8 = line[7];
    int value = 0;
    if (AllHold(&line[1], 6, WHITE) && l1 != BLACK && l8 != BLACK) value += 1;
    if (AllHold(&line[1], 6, BLACK) && l1 != WHITE && l8 != WHITE) value -= 1;
    return value;
}

int FivesOnOpenEdge(const TEdgeLine& line) {
    if (line[0] != EMPTY || line[7] != EMPTY) return 0;
    int value = 0;
    for (const uint8_t colour : {WHITE, BLACK}) {
        const int sign = colour == WHITE ? -1 : 1;
        if (AllHold(&line[1], 5, colour) && line[6] == EMPTY) value += sign;
        if (AllHold(&line[2], 5, colour) && line[1] == EMPTY) value += sign;
    }
    return value;
}

int FourInMiddle(const TEdgeLine& line) {
    if (line[0] != EMPTY || line[1] != EMPTY || line[6] != EMPTY || line[7] != EMPTY) return 0;
    if (AllHold(&line[2], 4, WHITE)) return 1;
    if (AllHold(&line[2], 4, BLACK)) return -1;
    return 0;
}

int ExposedRuns(const TEdgeLine& line) {
    return Features::Exposure(line, BLACK) - Features::Exposure(line, WHITE);
}

int FullEdge(const TEdgeLine& line) {
    return Features::FullCount(line, WHITE) - Features::FullCount(line, BLACK);
}

// --- One corner.

int XSquareNextToEmptyCorner(const TCornerContents& r) {
    return r.corner == EMPTY ? -SignOf(r.x) : 0;
}

int CornerHeld(const TCornerContents& r) {
    return SignOf(r.corner);
}

int OpponentCSquares(const TCornerContents& r) {
    if (r.corner == EMPTY) return 0;
    const uint8_t opponent = OpponentOf(r.corner);
    return -SignOf(r.corner) * ((r.c[0] == opponent) + (r.c[1] == opponent));
}

int EmptyCSquares(const TCornerContents& r) {
    if (r.corner == EMPTY) return 0;
    return -SignOf(r.corner) * ((r.c[0] == EMPTY) + (r.c[1] == EMPTY));
}

int Triangle(const TCornerContents& r) {
    if (r.corner != EMPTY) return 0;
    const uint8_t six[6] = {r.c[0], r.beyond[0], r.third[0], r.c[1], r.beyond[1], r.third[1]};
    if (AllHold(six, 6, BLACK)) return -1;
    if (AllHold(six, 6, WHITE)) return 1;
    return 0;
}

int Wedge(const TCornerContents& r) {
    if (r.corner != EMPTY) return 0;
    const uint8_t four[4] = {r.c[0], r.c[1], r.beyond[0], r.beyond[1]};
    if (r.x == WHITE && AllHold(four, 4, BLACK)) return -1;
    if (r.x == BLACK && AllHold(four, 4, WHITE)) return 1;
    return 0;
}

int CornerBlock(const TCornerContents& r) {
    const uint8_t block[4] = {r.corner, r.c[0], r.c[1], r.x};
    if (AllHold(block, 4, WHITE)) return 1;
    if (AllHold(block, 4, BLACK)) return -1;
    return 0;
}

int LoneCSquares(const TCornerContents& r) {
    if (r.corner != EMPTY) return 0;
    int value = 0;
    for (int i = 0; i < 2; ++i) {
        if (r.c[i] == WHITE && r.beyond[i] != WHITE) value -= 1;
        if (r.c[i] == BLACK && r.beyond[i] != BLACK) value += 1;
    }
    return value;
}

int OpponentCSquaresOnce(const TCornerContents& r) {
    if (r.corner == EMPTY) return 0;
    const uint8_t opponent = OpponentOf(r.corner);
    return r.c[0] == opponent || r.c[1] == opponent ? -SignOf(r.corner) : 0;
}

int EmptyCSquaresInsideOwnEdge(const TCornerContents& r) {
    if (r.corner == EMPTY) return 0;
    int value = 0;
    for (int i = 0; i < 2; ++i)
        if (r.c[i] == EMPTY && r.beyond[i] == r.corner) value -= SignOf(r.corner);
    return value;
}

// --- The searched line.

}  // namespace EvalTerms
