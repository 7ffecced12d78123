#include "engine/eval/untEvalTerms.h"

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

int CornersOnLine(const uint8_t* tejun, const int16_t (&plyWeights)[5]) {
    int value = 0;
    for (int ply = 1; ply <= 4; ++ply)
        if (IsCornerSquare(tejun[ply])) value += plyWeights[ply];
    return value;
}

int LoneXSquareOnLine(const uint8_t* cells, const TBitBoard& bits, const uint8_t* tejun,
                      int weight) {
    if (weight == 0 || XSquareDiscs(bits) != 1) return 0;
    int value = 0;
    for (const TCornerRegion& r : kCornerRegions)
        if (cells[r.corner] == EMPTY && tejun[1] == r.xSquare) value -= weight;
    return value;
}

// --- All discs.

namespace {

// The sum of OpenNeighbours over one colour's discs. Inner discs count their empty
// neighbours; discs on an edge (corners aside) count the one neighbour off the edge's line
// that is on the board, if it is empty or the opponent's.
int OpenNeighbourSum(uint64_t own, uint64_t opponent) {
    const uint64_t empty = ~(own | opponent);
    const uint64_t inner = own & kInner;
    // For an inner square every neighbour is on the board, so plain shifts never wrap into
    // a square that matters.
    int open = std::popcount(inner & (empty >> 1)) + std::popcount(inner & (empty << 1)) +
               std::popcount(inner & (empty >> 8)) + std::popcount(inner & (empty << 8)) +
               std::popcount(inner & (empty >> 9)) + std::popcount(inner & (empty << 9)) +
               std::popcount(inner & (empty >> 7)) + std::popcount(inner & (empty << 7));
    const uint64_t openOrOpponent = empty | opponent;
    const uint64_t edges = own & ~kCorners;
    open += std::popcount(edges & kColumnH & (openOrOpponent >> 8));  // h: the neighbour in g
    open += std::popcount(edges & kColumnA & (openOrOpponent << 8));  // a: the neighbour in b
    open += std::popcount(edges & kRow1 & (openOrOpponent >> 1));     // row 1: the one in row 2
    open += std::popcount(edges & kRow8 & (openOrOpponent << 1));     // row 8: the one in row 7
    return open;
}

constexpr uint64_t kBadInnerSquares = MaskOf(SquareOf("g3")) | MaskOf(SquareOf("g6")) |
                                      MaskOf(SquareOf("b3")) | MaskOf(SquareOf("b6")) |
                                      MaskOf(SquareOf("f2")) | MaskOf(SquareOf("f7")) |
                                      MaskOf(SquareOf("c2")) | MaskOf(SquareOf("c7"));
constexpr uint64_t kGoodInnerSquares = MaskOf(SquareOf("f3")) | MaskOf(SquareOf("f6")) |
                                       MaskOf(SquareOf("c3")) | MaskOf(SquareOf("c6"));
constexpr uint64_t kXSquares = MaskOf(SquareOf("b2")) | MaskOf(SquareOf("g2")) |
                               MaskOf(SquareOf("b7")) | MaskOf(SquareOf("g7"));

}  // namespace

int FrontierBalance(const TBitBoard& bits) {
    return OpenNeighbourSum(bits.black, bits.white) - OpenNeighbourSum(bits.white, bits.black);
}

TDiscCensus TakeCensus(const TBitBoard& bits, bool withFrontier) {
    TDiscCensus census;
    census.black = static_cast<uint8_t>(std::popcount(bits.black));
    census.white = static_cast<uint8_t>(std::popcount(bits.white));
    census.value = census.white - census.black;
    if (withFrontier) census.value += FrontierBalance(bits);
    return census;
}

int InnerSquares(const TBitBoard& bits, int weight) {
    if (weight == 0) return 0;
    return weight * (std::popcount(bits.white & kGoodInnerSquares) -
                     std::popcount(bits.white & kBadInnerSquares));
}

TEdgeDiscs CountEdgeDiscs(const TBitBoard& bits) {
    return {static_cast<uint8_t>(std::popcount(bits.black & kBorder)),
            static_cast<uint8_t>(std::popcount(bits.white & kBorder))};
}

int XSquareDiscs(const TBitBoard& bits) {
    return std::popcount((bits.black | bits.white) & kXSquares);
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

}  // namespace EvalTerms
