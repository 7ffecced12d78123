#include "engine/eval/untEvalTables.h"

#include <algorithm>
#include <array>

#include "engine/eval/untEvalSquares.h"

namespace {

using namespace EvalTerms;

constexpr int kCodes = 6561;

// The eight contents of a code, the first one the most significant base-3 digit.
std::array<uint8_t, 8> Digits(int code) {
    std::array<uint8_t, 8> digits;
    for (int i = 7; i >= 0; --i, code /= 3)
        digits[i] = static_cast<uint8_t>(code % 3);
    return digits;
}

int SignOf(uint8_t content) {
    return content == WHITE ? 1 : content == BLACK ? -1 : 0;
}

// The edge features of every edge code (L1 the most significant digit).
std::array<TByteLanes8, kCodes> BuildEdgeTable() {
    std::array<TByteLanes8, kCodes> table;
    for (int code = 0; code < kCodes; ++code) {
        const TEdgeLine line = Digits(code);
        const int runEnds = SignOf(line[0]) * Features::RunFromEnd(line, false) +
                            SignOf(line[7]) * Features::RunFromEnd(line, true);
        table[code] = TByteLanes8{
            static_cast<int8_t>(SplitMiddle(line)),  static_cast<int8_t>(MiddleDiscs(line)),
            static_cast<int8_t>(FilledEdge(line)),   static_cast<int8_t>(FivesOnOpenEdge(line)),
            static_cast<int8_t>(FourInMiddle(line)), static_cast<int8_t>(ExposedRuns(line)),
            static_cast<int8_t>(FullEdge(line)),     static_cast<int8_t>(runEnds)};
    }
    return table;
}

// The corner features of every corner region code: corner, X square, the C squares, the
// squares beyond them, the third squares.
std::array<TByteLanes16, kCodes> BuildCornerTable() {
    std::array<TByteLanes16, kCodes> table;
    for (int code = 0; code < kCodes; ++code) {
        const std::array<uint8_t, 8> d = Digits(code);
        const TCornerContents r{d[0], d[1], {d[2], d[3]}, {d[4], d[5]}, {d[6], d[7]}};
        table[code] = TByteLanes16{static_cast<int8_t>(XSquareNextToEmptyCorner(r)),
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

constexpr int kPowers[8] = {2187, 729, 243, 81, 27, 9, 3, 1};  // digit weights, first to last

EvalTables::TCornerArms ArmsOf(int c) {
    const TCornerRegion& r = kCornerRegions[c];
    const bool rowOne = r.corner % 10 == 1, columnH = r.corner / 10 == 1;
    EvalTables::TCornerArms arms{};
    // Squares of the column arm by distance from the corner, with their digit weights.
    const int columnDigits[4] = {kPowers[0], kPowers[2], kPowers[4], kPowers[6]};
    const int rowDigits[4] = {0, kPowers[3], kPowers[5],
                              kPowers[7]};  // the corner is in the column
    for (int byte = 0; byte < 256; ++byte)
        for (int distance = 0; distance < 4; ++distance) {
            const int columnBit = rowOne ? distance : 7 - distance;  // rows from the corner
            const int rowBit = columnH ? distance : 7 - distance;    // columns from the corner
            if (byte & (1 << columnBit)) arms.column[byte] += columnDigits[distance];
            if (byte & (1 << rowBit)) arms.row[byte] += rowDigits[distance];
        }
    return arms;
}

}  // namespace

namespace EvalTables {

const std::array<TByteLanes8, kCodes> kEdgeTable = BuildEdgeTable();
const std::array<TByteLanes16, kCodes> kCornerTable = BuildCornerTable();
const TCornerArms kCornerArms[4] = {ArmsOf(0), ArmsOf(1), ArmsOf(2), ArmsOf(3)};

}  // namespace EvalTables

namespace {

// How the C squares next to an owned corner count: per C square (types A and B), or once
// per corner with type D's own rule for empty C squares.
enum class TCSquareRules { PerCSquare, OncePerCorner };

TFeatureWeights FeatureWeightsOf(const TEvalWeights& w, bool lateRules, TCSquareRules cRules) {
    const int16_t late = lateRules ? 1 : 0;
    TFeatureWeights f;
    f.edge[SPLIT_MIDDLE] = w.splitEdgeMiddle;
    f.edge[MIDDLE_DISCS] = w.earlyEdgeMiddle;
    f.edge[FILLED_EDGE] = static_cast<int16_t>(late * w.filledEdge);
    f.edge[FIVES] = static_cast<int16_t>(late * w.fiveOnEdge);
    f.edge[FOUR_IN_MIDDLE] = static_cast<int16_t>(late * w.fourInEdgeMiddle);
    f.edge[EXPOSED_RUNS] = w.cornerExposure;
    f.edge[FULL_EDGE] = static_cast<int16_t>(late * w.fullEdge);
    f.edge[RUN_ENDS] = static_cast<int16_t>(late * w.cornerRun);
    f.corner[X_SQUARE] = w.xSquareNextToEmptyCorner;
    // The corner run is RUN_ENDS less CORNER_HELD.
    f.corner[CORNER_HELD] = static_cast<int16_t>(w.cornerHeld - late * w.cornerRun);
    const bool perCSquare = cRules == TCSquareRules::PerCSquare;
    f.corner[perCSquare ? OPPONENT_C : OPPONENT_C_ONCE] = w.cornerNextToOpponentC;
    f.corner[perCSquare ? EMPTY_C : EMPTY_C_INSIDE] = w.cornerNextToEmptyC;
    f.corner[TRIANGLE] = w.triangle;
    f.corner[WEDGE] = static_cast<int16_t>(late * w.wedge);
    f.corner[CORNER_BLOCK] = static_cast<int16_t>(late * w.cornerBlock);
    f.corner[LONE_C] = static_cast<int16_t>(late * w.loneCSquare);
    return f;
}

constexpr int kLastLateMove = 58;  // the hand-tuned evaluations skip their late rules from 59

template <typename WeightsAt>
TFeatureWeightTable MakeFeatureWeightTable(WeightsAt weightsAt, TCSquareRules cRules) {
    TFeatureWeightTable table;
    for (int mv = 0; mv <= LAST_MOVE; ++mv)
        table[mv] = FeatureWeightsOf(weightsAt(mv), mv <= kLastLateMove, cRules);
    return table;
}

}  // namespace

namespace EvalTables {

const TFeatureWeightTable kEvaluateFeatureWeights =
    MakeFeatureWeightTable(EvaluateWeightsAt, TCSquareRules::PerCSquare);
const TFeatureWeightTable kEvaluatePatternsFeatureWeights =
    MakeFeatureWeightTable(EvaluatePatternsWeightsAt, TCSquareRules::PerCSquare);
const TFeatureWeightTable kEvaluateDFeatureWeights =
    MakeFeatureWeightTable(EvaluateDWeightsAt, TCSquareRules::OncePerCorner);

}  // namespace EvalTables
