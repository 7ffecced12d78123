// The hand-written evaluation of thinking type B, in floating point: discs and their
// exposure, the four edges valued by a rule list, corners and the squares next to them,
// and the moves played on the searched line.
//
// It reads the bit sets: the exposure of all discs is counted direction by direction on
// whole sets, the edges and corners are table lookups by their codes, and the rule list of
// the edges is a table by edge code built once. The sum is taken in the order of the steps,
// each step adding its own sum at once, since in floating point the order of the additions
// shows in the last bit.
#include <array>

#include "engine/eval/untEvalSquares.h"
#include "engine/eval/untEvalTables.h"
#include "engine/search/untEdgeRules.h"
#include "engine/untBitBoard.h"

namespace {

// The rule list, written for white from square 0 of the edge; each row stands for itself,
// the edge read from the other corner, and both with the colours exchanged.
struct TEdgeShape {
    const char* picture;
    double value;
};
constexpr TEdgeShape kEdgeShapes[] = {
    // Discs anchored on a corner are stable: the longer the run, the better.
    {"O.......", 1.2},
    {"OO......", 4.22},
    {"OOO.....", 4.33},
    {"OOOO....", 4.44},
    {"OOOOO...", 4.55},
    {"OOOOOO..", 4.66},
    {"OOOOOOO.", 4.77},
    {"OOOOOOOO", 8.0},
    {"O......O", 2.5},
    {"OO.....O", 5.1},
    {"OO....OO", 8.5},
    {"OOO...OO", 8.7},
    // Discs in the middle of an otherwise empty edge: safe while they stay balanced.
    {"..O.....", 0.5},
    {"...O....", 0.3},
    {"..OO....", 0.8},
    {"...OO...", 0.6},
    {"..OOO...", 1.0},
    {"..OOOO..", 6.0},
    {"..O..O..", 3.32},
    {"..O.O...", 0.7},
    // A C square beside an empty corner hands the corner over; a gap next to one's own
    // corner or C square invites a wedge.
    {".O......", -12.0},
    {".OO.....", -6.0},
    {".OOO....", -4.0},
    {".OOOO...", -3.0},
    {".OOOOO..", -2.0},
    {".OOOOOO.", 8.66},
    {".O....O.", -14.0},
    {".O.O....", -8.0},
    {"O.O.....", -8.0},
    {".O..O...", -6.5},
    // Edges shared with the opponent: a disc that the opponent can take through to a
    // corner, or one caught beside the opponent's corner.
    {".OX.....", -10.0},
    {"XO......", -2.0},
    {".OOX....", -9.0},
    {".OOOOOX.", -12.0},
    {"XOOOOOO.", -12.0},
    {"O.X.....", 1.0},
    {"OX.X....", 3.0},
};

// The five-disc runs from a C square (squares 1-5 or 2-6) that the run counters count.
constexpr uint32_t kWhiteRunLow = 62, kWhiteRunHigh = 124;
constexpr uint32_t kBlackRunLow = 62000, kBlackRunHigh = 124000;
constexpr uint32_t kFullWhite = 255, kFullBlack = 255000;
constexpr uint32_t kInnerSixWhite = 126, kInnerSixBlack = 126000;

uint32_t WhiteMask(uint32_t index) {
    return index % 1000;
}
uint32_t BlackMask(uint32_t index) {
    return index / 1000;
}

uint32_t Reversed(uint32_t mask) {
    uint32_t reversed = 0;
    for (int i = 0; i < 8; ++i)
        if (mask & (1u << i)) reversed |= 1u << (7 - i);
    return reversed;
}

std::vector<TEdgeRule> ExpandRules() {
    std::vector<TEdgeRule> rules;
    for (const TEdgeShape& shape : kEdgeShapes) {
        const uint32_t index = EdgeIndexOf(shape.picture);
        const uint32_t variants[4] = {index, MirroredEdgeIndex(index),
                                      ColourSwappedEdgeIndex(index),
                                      MirroredEdgeIndex(ColourSwappedEdgeIndex(index))};
        for (int i = 0; i < 4; ++i) {
            bool seen = false;
            for (int j = 0; j < i; ++j)
                seen = seen || variants[j] == variants[i];
            if (!seen) rules.push_back({variants[i], i < 2 ? shape.value : -shape.value});
        }
    }
    return rules;
}

// The rule values by base-3 code of the edge (digit 1 white, 2 black), 0 where no rule
// names the edge, with what EdgeValue does to some edges on their own: a full edge and the
// six inner squares count more before move 31, and the five-disc runs from a C square are
// counted.
struct TEdgeTable {
    std::array<double, 6561> value{};
    std::array<double, 6561> early{};  // the value before move 31
    std::array<int8_t, 6561> run{};    // +1 a white five-disc run, -1 a black one
    // Square i of the edge is the digit of 3^i, a white disc digit 1 and a black one 2.
    static int CodeOf(uint32_t white, uint32_t black) {
        return LineCode(white, black, kBase3HighFirst);
    }
    static int CodeOfIndex(uint32_t index) { return CodeOf(WhiteMask(index), BlackMask(index)); }
};

const TEdgeTable kEdgeTable = [] {
    TEdgeTable t;
    for (const TEdgeRule& rule : EdgeRules())
        t.value[t.CodeOfIndex(rule.index)] = rule.value;
    t.early = t.value;
    t.early[t.CodeOfIndex(kFullWhite)] = 16.0;
    t.early[t.CodeOfIndex(kFullBlack)] = -16.0;
    t.early[t.CodeOfIndex(kInnerSixWhite)] = 16.88;
    t.early[t.CodeOfIndex(kInnerSixBlack)] = -16.88;
    for (const uint32_t index : {kWhiteRunLow, kWhiteRunHigh})
        t.run[t.CodeOfIndex(index)] = 1;
    for (const uint32_t index : {kBlackRunLow, kBlackRunHigh})
        t.run[t.CodeOfIndex(index)] = -1;
    return t;
}();

// EdgeValue of an edge given by its code. An edge is one whose white and black discs
// share no square; anything else only reads the table.
double EdgeValueOf(TKyokumen& k, int code, bool isEdge) {
    const TEdgeTable& t = kEdgeTable;
    double value = isEdge && k.MoveNumber < 31 ? t.early[code] : t.value[code];
    const int run = isEdge ? t.run[code] : 0;
    // Five-disc runs from a C square weaken their owner, the more of them the worse; the
    // count carries over to the edges evaluated after them.
    if (run > 0) ++k.EdgeRunsWhite;
    if (run < 0) ++k.EdgeRunsBlack;
    if (k.EdgeRunsWhite != 0 || k.EdgeRunsBlack != 0) {
        if (k.EdgeRunsWhite == 1) value -= 1.5;
        if (k.EdgeRunsWhite == 2) value -= 5.0;
        if (k.EdgeRunsWhite >= 3) value -= 10.0;
        if (k.EdgeRunsBlack == 1) value += 1.75;
        if (k.EdgeRunsBlack == 2) value += 5.25;
        if (k.EdgeRunsBlack >= 3) value += 10.0;
    }
    if (k.MoveNumber < 41 && run != 0) value = run > 0 ? 4.75 : -4.75;
    return value;
}

double CornerBlockWeight(int mv) {
    return mv <= 29 ? 32 : mv <= 39 ? 10 : mv <= 49 ? 5 : 0;
}
double CSquareMoveWeight(int mv) {
    return mv <= 19 ? 16 : mv <= 23 ? 2 : 0;
}
double XSquareMoveWeight(int mv) {
    return mv <= 29 ? 10 : mv <= 39 ? 4 : mv <= 45 ? 2 : 0;
}
double CornerCWeight(int mv) {
    return mv <= 29 ? 0 : mv <= 35 ? 3 : mv <= 39 ? 6 : mv <= 49 ? 9 : mv <= 55 ? 3 : 0;
}

int SignOf(uint8_t content) {
    return content == WHITE ? 1 : content == BLACK ? -1 : 0;
}

// Corners and X squares are never counted as exposed.
constexpr uint64_t kNeverExposed = kCorners | MaskOf(22) | MaskOf(27) | MaskOf(72) | MaskOf(77);

// The exposure part of the disc count, for all discs at once: white discs lose half their
// Exposure (rounded down, disc by disc), black discs give their whole Exposure, and every
// empty square gives up its EmptyPull.
double ExposureBalance(const TBitBoard& bits) {
    const uint64_t empty = bits.Empty();
    const uint64_t white = bits.white & ~kNeverExposed, black = bits.black & ~kNeverExposed;
    const uint64_t openToWhite = empty | bits.black, openToBlack = empty | bits.white;
    // Direction by direction: the white discs with an open neighbour there, and the black
    // ones. A white disc loses half its count rounded down, so the white sum is halved
    // after taking off one for every white disc with an odd count.
    int whiteSum = 0, blackSum = 0;
    uint64_t whiteOdd = 0;
    auto direction = [&](uint64_t whiteOpen, uint64_t blackOpen) {
        whiteSum += std::popcount(whiteOpen & white);
        whiteOdd ^= whiteOpen & white;
        blackSum += std::popcount(blackOpen & black);
    };
    direction(WithNeighbourIn<1>(openToWhite), WithNeighbourIn<1>(openToBlack));
    direction(WithNeighbourIn<-1>(openToWhite), WithNeighbourIn<-1>(openToBlack));
    direction(WithNeighbourIn<10>(openToWhite), WithNeighbourIn<10>(openToBlack));
    direction(WithNeighbourIn<-10>(openToWhite), WithNeighbourIn<-10>(openToBlack));
    direction(WithNeighbourIn<11>(openToWhite), WithNeighbourIn<11>(openToBlack));
    direction(WithNeighbourIn<-11>(openToWhite), WithNeighbourIn<-11>(openToBlack));
    direction(WithNeighbourIn<9>(openToWhite), WithNeighbourIn<9>(openToBlack));
    direction(WithNeighbourIn<-9>(openToWhite), WithNeighbourIn<-9>(openToBlack));
    const int whiteHalves = (whiteSum - std::popcount(whiteOdd)) / 2;
    auto pull = [&](uint64_t discs) {
        return std::popcount(empty & WithNeighbourIn<1>(discs)) +
               std::popcount(empty & WithNeighbourIn<-1>(discs)) +
               std::popcount(empty & WithNeighbourIn<10>(discs)) +
               std::popcount(empty & WithNeighbourIn<-10>(discs));
    };
    return -whiteHalves + blackSum - (pull(bits.white) - pull(bits.black));
}

// The discs of the four edges, each as two bytes with square i of the edge in bit i, in the
// order they are weighed: row 1 from h1, column h from h1, column a from a1, row 8 from h8.
struct TEdgeDiscsB {
    uint32_t white, black;
};
std::array<TEdgeDiscsB, 4> EdgeDiscsB(const TBitBoard& bits) {
    const EvalTables::TEdgeBytes white = EvalTables::EdgeBytesOf(bits.white);
    const EvalTables::TEdgeBytes black = EvalTables::EdgeBytesOf(bits.black);
    return {{{white.row1, black.row1},
             {white.columnH, black.columnH},
             {white.columnA, black.columnA},
             {white.row8, black.row8}}};
}

// Corners played on the searched line.
double CornerMoves(const uint8_t* tejun, int mv) {
    const double corner = mv < 30 ? 30 : 5;
    const double byPly[6] = {0, corner, -corner, 3, -3, 2};
    double value = 0;
    for (int ply = 1; ply <= 5; ++ply)
        if (kIsCornerSquare[tejun[ply]]) value += byPly[ply];
    return value;
}

// Four in a row of one colour on a second line, early in the game.
int SecondLineFours(const TBitBoard& bits) {
    static constexpr uint64_t kFours[4] = {MaskOf(32) | MaskOf(42) | MaskOf(52) | MaskOf(62),
                                           MaskOf(23) | MaskOf(24) | MaskOf(25) | MaskOf(26),
                                           MaskOf(37) | MaskOf(47) | MaskOf(57) | MaskOf(67),
                                           MaskOf(73) | MaskOf(74) | MaskOf(75) | MaskOf(76)};
    int value = 0;
    for (const uint64_t four : kFours) {
        if ((bits.white & four) == four) value += 1;
        if ((bits.black & four) == four) value -= 1;
    }
    return value;
}

}  // namespace

uint32_t EdgeIndexOf(const char* picture) {
    uint32_t index = 0;
    for (int i = 0; i < 8; ++i) {
        if (picture[i] == 'O') index += 1u << i;
        if (picture[i] == 'X') index += 1000u << i;
    }
    return index;
}

uint32_t MirroredEdgeIndex(uint32_t index) {
    return Reversed(WhiteMask(index)) + 1000 * Reversed(BlackMask(index));
}

uint32_t ColourSwappedEdgeIndex(uint32_t index) {
    return BlackMask(index) + 1000 * WhiteMask(index);
}

const std::vector<TEdgeRule>& EdgeRules() {
    static const std::vector<TEdgeRule> rules = ExpandRules();
    return rules;
}

double TKyokumen::EdgeValue(uint32_t edgeIndex) {
    const uint32_t white = WhiteMask(edgeIndex), black = BlackMask(edgeIndex);
    const bool isEdge = white < 256 && black < 256 && (white & black) == 0;
    return EdgeValueOf(*this, kEdgeTable.CodeOf(white & 0xFF, black & 0xFF), isEdge);
}

uint8_t TKyokumen::Exposure(uint8_t square) const {
    if (IsCornerSquare(square)) return 0;
    for (const TCornerRegion& r : kCornerRegions)
        if (square == r.xSquare) return 0;
    const uint8_t* cells = CurrentBoard->Cells;
    const uint8_t opponent = OpponentOf(cells[square]);
    uint8_t open = 0;
    for (const int step : {-11, -10, -9, -1, 1, 9, 10, 11}) {
        const uint8_t neighbour = cells[square + step];
        if (neighbour == EMPTY || neighbour == opponent) ++open;
    }
    return open;
}

int TKyokumen::EmptyPull(uint8_t square) const {
    const uint8_t* cells = CurrentBoard->Cells;
    int pull = 0;
    for (const int step : {-10, -1, 1, 10})
        pull += SignOf(cells[square + step]);
    return pull;
}

double TKyokumen::EvaluateB() {
    const int mv = MoveNumber;
    const TBitBoard bits = CurrentBits();
    BlackCount = static_cast<uint8_t>(std::popcount(bits.black));
    WhiteCount = static_cast<uint8_t>(std::popcount(bits.white));

    // Discs, and how exposed each one is; empty squares pull towards the side around them.
    double v = WhiteCount - BlackCount;
    if (GameLevel > 2 && mv < 50) v += ExposureBalance(bits);
    if (mv < 55) v -= 20.0;
    if (mv < 60) {
        if (mv < 30 && GameLevel < 4) v += Generator.Below(7);
        if (mv < 47 && GameLevel == 2) v += Generator.Below(12);
        if (GameLevel == 4 && mv < 55) {
            if (WhiteCount > BlackCount) v -= WhiteCount - BlackCount + 1;
            if (BlackCount > WhiteCount) v += BlackCount - WhiteCount + 1;
        }
        if (mv < 57) {
            EdgeRunsWhite = EdgeRunsBlack = 0;
            for (const TEdgeDiscsB& edge : EdgeDiscsB(bits))
                v += EdgeValueOf(*this, kEdgeTable.CodeOf(edge.white, edge.black), true);
        }
        const TPositionFeatures f = PositionFeaturesOf(bits);
        const TLineFeatures line = LineFeaturesOf(bits, Tejun);
        v += CornerBlockWeight(mv) * f.Corner(CORNER_BLOCK);
        const bool fewDiscs = BlackCount < 3 || WhiteCount < 3;
        v += (fewDiscs ? 0 : CSquareMoveWeight(mv)) * line.cSquaresOfAnyCorner;
        v += (mv <= 49 ? (60 - mv) / 2 : 0) * f.Corner(X_SQUARE);
        v += XSquareMoveWeight(mv) * line.xSquares;
        v += CornerCWeight(mv) * f.Corner(OPPONENT_C);
        if (mv < 55) v += CornerMoves(Tejun, mv);
        v += (mv <= 55 ? 60 - mv : 0) * f.Corner(CORNER_HELD);
        if (mv < 33) v += SecondLineFours(bits);
        if (mv <= 49) v += EvalTerms::InnerSquares(bits, 2);
    }
    if (v == 0.0) v = 0.5;
    if (BlackCount == 0) v = WIPE_OUT;
    if (WhiteCount == 0) v = -WIPE_OUT;
    return v;
}
