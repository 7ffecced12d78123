#include "engine/eval/untEvalTables.h"

#include <array>

#include "engine/eval/untEvalSquares.h"

namespace {

using namespace EvalTerms;

constexpr int kCodes = 6561;

struct TEdgeFeatures {
    int8_t splitMiddle, middleDiscs, filled, fives, four, exposed, full;
    uint8_t runFromL1, runFromL8;
};

struct TCornerFeatures {
    int8_t xSquare, held, opponentC, emptyC, triangle, wedge, block, loneC, opponentCOnce,
        emptyCInside;
};

// The eight contents of a code, the first one the most significant base-3 digit.
std::array<uint8_t, 8> Digits(int code) {
    std::array<uint8_t, 8> digits;
    for (int i = 7; i >= 0; --i, code /= 3)
        digits[i] = static_cast<uint8_t>(code % 3);
    return digits;
}

std::array<TEdgeFeatures, kCodes> BuildEdgeTable() {
    std::array<TEdgeFeatures, kCodes> table;
    for (int code = 0; code < kCodes; ++code) {
        const TEdgeLine line = Digits(code);
        table[code] = {
            static_cast<int8_t>(SplitMiddle(line)),  static_cast<int8_t>(MiddleDiscs(line)),
            static_cast<int8_t>(FilledEdge(line)),   static_cast<int8_t>(FivesOnOpenEdge(line)),
            static_cast<int8_t>(FourInMiddle(line)), static_cast<int8_t>(ExposedRuns(line)),
            static_cast<int8_t>(FullEdge(line)),     Features::RunFromEnd(line, false),
            Features::RunFromEnd(line, true)};
    }
    return table;
}

std::array<TCornerFeatures, kCodes> BuildCornerTable() {
    std::array<TCornerFeatures, kCodes> table;
    for (int code = 0; code < kCodes; ++code) {
        const std::array<uint8_t, 8> d = Digits(code);
        const TCornerContents r{d[0], d[1], {d[2], d[3]}, {d[4], d[5]}, {d[6], d[7]}};
        table[code] = {static_cast<int8_t>(XSquareNextToEmptyCorner(r)),
                       static_cast<int8_t>(CornerHeld(r)),
                       static_cast<int8_t>(OpponentCSquares(r)),
                       static_cast<int8_t>(EmptyCSquares(r)),
                       static_cast<int8_t>(Triangle(r)),
                       static_cast<int8_t>(Wedge(r)),
                       static_cast<int8_t>(CornerBlock(r)),
                       static_cast<int8_t>(LoneCSquares(r)),
                       static_cast<int8_t>(OpponentCSquaresOnce(r)),
                       static_cast<int8_t>(EmptyCSquaresInsideOwnEdge(r))};
    }
    return table;
}

const std::array<TEdgeFeatures, kCodes> kEdgeTable = BuildEdgeTable();
const std::array<TCornerFeatures, kCodes> kCornerTable = BuildCornerTable();

int CodeOf(const uint8_t* cells, const uint8_t (&squares)[8]) {
    int code = 0;
    for (const uint8_t square : squares)
        code = 3 * code + cells[square];
    return code;
}

// The squares of a corner region in the order of its code's digits.
struct TRegionSquares {
    uint8_t squares[8];
};
constexpr std::array<TRegionSquares, 4> kRegionSquares = [] {
    std::array<TRegionSquares, 4> regions{};
    for (int i = 0; i < 4; ++i) {
        const TCornerRegion& r = kCornerRegions[i];
        regions[i] = {{r.corner, r.xSquare, r.cSquares[0], r.cSquares[1], r.beyondC[0],
                       r.beyondC[1], r.thirds[0], r.thirds[1]}};
    }
    return regions;
}();

// What a square is on the searched line: the X square or a C square of a corner.
enum class TLineRole : uint8_t { None, XSquare, CSquare };
struct TSquareRole {
    TLineRole role = TLineRole::None;
    uint8_t corner = 0;  // the corner's square
};
constexpr std::array<TSquareRole, 256> kSquareRoles = [] {
    std::array<TSquareRole, 256> roles{};
    for (const TCornerRegion& r : kCornerRegions) {
        roles[r.xSquare] = {TLineRole::XSquare, r.corner};
        roles[r.cSquares[0]] = {TLineRole::CSquare, r.corner};
        roles[r.cSquares[1]] = {TLineRole::CSquare, r.corner};
    }
    return roles;
}();

}  // namespace

namespace {

const TCornerFeatures& AddCorner(TPositionFeatures& f, const uint8_t* cells, int c) {
    const TCornerFeatures& corner = kCornerTable[CodeOf(cells, kRegionSquares[c].squares)];
    f.xSquaresNextToEmptyCorners += corner.xSquare;
    f.cornersHeld += corner.held;
    f.opponentCSquares += corner.opponentC;
    f.emptyCSquares += corner.emptyC;
    f.triangles += corner.triangle;
    f.wedges += corner.wedge;
    f.cornerBlocks += corner.block;
    f.loneCSquares += corner.loneC;
    f.opponentCSquaresOnce += corner.opponentCOnce;
    f.emptyCSquaresInsideOwnEdge += corner.emptyCInside;
    return corner;
}

}  // namespace

TPositionFeatures CornerFeaturesOf(const uint8_t* cells) {
    TPositionFeatures f;
    for (int c = 0; c < 4; ++c)
        AddCorner(f, cells, c);
    return f;
}

// The codes of the four edges (row 1, column h, row 8, column a), L1 the first digit.
std::array<uint16_t, 4> EdgeCodes(const TBitBoard& bits) {
    return {LineCode(RowByte(bits.black, 1), RowByte(bits.white, 1), kBase3HighFirst),
            LineCode(ColumnByte(bits.black, 1), ColumnByte(bits.white, 1), kBase3LowFirst),
            LineCode(RowByte(bits.black, 8), RowByte(bits.white, 8), kBase3HighFirst),
            LineCode(ColumnByte(bits.black, 8), ColumnByte(bits.white, 8), kBase3LowFirst)};
}

TPositionFeatures PositionFeaturesOf(const uint8_t* cells, const TBitBoard& bits) {
    TPositionFeatures f;
    const TEdgeFeatures* edges[4];
    const std::array<uint16_t, 4> codes = EdgeCodes(bits);
    for (int e = 0; e < 4; ++e) {
        const TEdgeFeatures& edge = kEdgeTable[codes[e]];
        edges[e] = &edge;
        f.splitMiddles += edge.splitMiddle;
        f.middleDiscs += edge.middleDiscs;
        f.filledEdges += edge.filled;
        f.fivesOnOpenEdges += edge.fives;
        f.foursInMiddle += edge.four;
        f.exposedRuns += edge.exposed;
        f.fullEdges += edge.full;
    }
    for (int c = 0; c < 4; ++c) {
        const TCornerFeatures& corner = AddCorner(f, cells, c);
        // The corner's run along both its edges, the corner counted once.
        if (corner.held != 0) {
            const Features::TCornerEdges& two = Features::CornerEdges(kAllCorners[c]);
            const TEdgeFeatures& first = *edges[static_cast<int>(two.first)];
            const TEdgeFeatures& second = *edges[static_cast<int>(two.second)];
            const int run = (two.firstFromL8 ? first.runFromL8 : first.runFromL1) +
                            (two.secondFromL8 ? second.runFromL8 : second.runFromL1) - 1;
            f.cornerRuns += corner.held * run;
        }
    }
    return f;
}

TLineFeatures LineFeaturesOf(const uint8_t* cells, const uint8_t* tejun) {
    TLineFeatures f;
    for (int ply = 1; ply <= 5; ++ply) {
        const TSquareRole& role = kSquareRoles[tejun[ply]];
        if (role.role == TLineRole::None) continue;
        const int sign = ply % 2 == 1 ? -1 : 1;  // white's move costs white
        if (role.role == TLineRole::CSquare) f.cSquaresOfAnyCorner += sign;
        if (cells[role.corner] != EMPTY) continue;
        if (role.role == TLineRole::XSquare) f.xSquares += sign;
        if (role.role == TLineRole::CSquare) f.cSquares += sign;
    }
    return f;
}
