// The weights of the three hand-tuned evaluations, one function each, with the terms in
// the same order so that the variants read side by side. A term a variant does not use
// keeps weight 0.
#include "engine/eval/untEvalWeights.h"

#include <algorithm>

namespace {

constexpr int16_t SixtyMinus(int mv) {
    return static_cast<int16_t>(60 - mv);
}

// The hand-tuned evaluation of thinking type A.
constexpr TEvalWeights EvaluateBands(int mv) {
    TEvalWeights w;
    w.xSquareNextToEmptyCorner = mv <= 53 ? static_cast<int16_t>((60 - mv) / 2) : 0;
    w.xSquareOnLine = ByMove(mv, {{29, 16}, {39, 10}, {49, 7}, {53, 3}});
    if (mv < 55) {
        const int16_t corner = mv <= 41 ? 20 : 4;
        w.cornerOnLine[1] = corner;
        w.cornerOnLine[2] = static_cast<int16_t>(-corner);
        w.cornerOnLine[3] = -3;
        w.cornerOnLine[4] = -3;
    }
    w.cornerHeld = mv <= 56 ? SixtyMinus(mv) : 0;
    w.cSquareOnLine = ByMove(mv, {{19, 6}, {25, 3}});
    w.splitEdgeMiddle = ByMove(mv, {{39, 4}});
    w.cornerNextToOpponentC = ByMove(mv, {{29, 0}, {35, 4}, {39, 8}, {49, 16}, {56, 6}});
    w.cornerNextToEmptyC = ByMove(mv, {{29, 0}, {35, 4}, {39, 6}, {49, 12}, {56, 4}});
    w.innerSquare = ByMove(mv, {{49, 2}});
    w.earlyEdgeMiddle = ByMove(mv, {{13, 16}, {17, 8}, {21, 4}, {25, 2}, {29, 1}});
    w.triangle = ByMove(mv, {{49, 5}});
    w.cornerExposure = mv < 57 ? static_cast<int16_t>(75 - mv) : 0;
    w.cornerRun = ByMove(mv, {{56, 2}, {LAST_MOVE, 1}});
    w.fullEdge = 1;
    w.wedge = ByMove(mv, {{39, 6}, {49, 16}});
    w.cornerBlock = ByMove(mv, {{29, 16}, {39, 4}});
    w.filledEdge = ByMove(mv, {{35, 30}, {49, 3}});
    w.loneCSquare = ByMove(mv, {{29, 30}, {39, 10}, {45, 6}, {49, 3}});
    w.fiveOnEdge = ByMove(mv, {{29, 0}, {39, 4}});
    w.fourInEdgeMiddle = ByMove(mv, {{39, 8}, {49, 2}});
    return w;
}

// The pattern evaluation of thinking type C: few rules, the patterns do the rest.
constexpr TEvalWeights EvaluatePatternsBands(int mv) {
    TEvalWeights w;
    w.xSquareNextToEmptyCorner = mv <= 53 ? SixtyMinus(mv) : 0;
    w.xSquareOnLine = ByMove(mv, {{29, 32}, {39, 4}});
    w.loneXSquareOnLine = ByMove(mv, {{49, 6}});
    if (mv < 55) {
        const int16_t corner = mv <= 41 ? 32 : 5;
        w.cornerOnLine[1] = corner;
        w.cornerOnLine[2] = static_cast<int16_t>(-corner);
        w.cornerOnLine[3] = 2;
        w.cornerOnLine[4] = -4;
    }
    w.cornerHeld = mv >= 21 && mv <= 55 ? SixtyMinus(mv) : 0;
    w.cornerExposure = mv < 56 ? static_cast<int16_t>(75 - mv) : 0;
    w.cornerRun = 5;
    w.fullEdge = 1;
    return w;
}

// The evaluation of thinking type D: the rules of type A, retuned.
constexpr TEvalWeights EvaluateDBands(int mv) {
    TEvalWeights w;
    w.xSquareNextToEmptyCorner = mv <= 53 ? static_cast<int16_t>((60 - mv) / 2) : 0;
    w.xSquareOnLine = ByMove(mv, {{29, 20}, {39, 8}, {49, 4}, {54, 2}});
    if (mv < 50) {
        const int16_t corner = mv <= 39 ? 16 : 5;
        w.cornerOnLine[1] = corner;
        w.cornerOnLine[2] = static_cast<int16_t>(-corner);
        w.cornerOnLine[3] = -3;
        w.cornerOnLine[4] = -3;
    }
    w.cornerHeld = mv <= 58 ? SixtyMinus(mv) : 0;
    w.cSquareOnLine = ByMove(mv, {{19, 8}, {26, 2}});
    w.splitEdgeMiddle = ByMove(mv, {{39, 4}});
    w.cornerNextToOpponentC = ByMove(mv, {{29, 2}, {35, 8}, {39, 12}, {49, 16}, {53, 8}});
    w.cornerNextToEmptyC = ByMove(mv, {{29, 0}, {39, 4}, {49, 6}, {53, 4}});
    w.earlyEdgeMiddle =
        ByMove(mv, {{13, 12}, {17, 6}, {21, 5}, {25, 4}, {29, 3}, {34, 2}, {39, 1}});
    w.cornerExposure = mv < 50 ? static_cast<int16_t>(75 - mv) : 0;
    w.cornerRun = ByMove(mv, {{49, 5}, {58, 1}});
    w.wedge = ByMove(mv, {{49, 16}});
    w.cornerBlock = ByMove(mv, {{29, 12}, {39, 7}, {49, 4}});
    w.filledEdge = ByMove(mv, {{29, 30}, {39, 5}, {49, 3}});
    w.loneCSquare = ByMove(mv, {{29, 30}, {39, 10}, {45, 6}, {49, 3}});
    w.fiveOnEdge = ByMove(mv, {{35, 0}, {39, 2}, {49, 5}});
    w.fourInEdgeMiddle = ByMove(mv, {{29, 3}, {39, 4}, {49, 6}});
    return w;
}

template <typename Bands>
constexpr std::array<TEvalWeights, LAST_MOVE + 1> MakeWeightTable(Bands bands) {
    std::array<TEvalWeights, LAST_MOVE + 1> table{};
    for (int mv = 0; mv <= LAST_MOVE; ++mv)
        table[mv] = bands(mv);
    return table;
}

}  // namespace

namespace EvalWeightTables {

constinit const std::array<TEvalWeights, LAST_MOVE + 1> kEvaluate = MakeWeightTable(EvaluateBands);
constinit const std::array<TEvalWeights, LAST_MOVE + 1> kEvaluatePatterns =
    MakeWeightTable(EvaluatePatternsBands);
constinit const std::array<TEvalWeights, LAST_MOVE + 1> kEvaluateD =
    MakeWeightTable(EvaluateDBands);

}  // namespace EvalWeightTables
