// The hand-tuned evaluation: fixed rules about discs, corners, the squares around them and
// the edges, with weights that change as the game goes on. The value is from white's
// (the computer's) point of view and is summed in signed 16-bit arithmetic.
#include "engine/eval/untEvalTerms.h"
#include "engine/eval/untEvalWeights.h"
#include "engine/untKyokumen.h"

namespace {

constexpr TEvalWeights EvaluateWeightsAt(int mv) {
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
    w.cornerHeld = mv <= 56 ? static_cast<int16_t>(60 - mv) : 0;
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

constexpr auto kEvaluateWeights = MakeWeightTable(EvaluateWeightsAt);

// Adds to a 16-bit sum, wrapping as 16-bit arithmetic does.
void Add(int16_t& sum, int term) {
    sum = static_cast<int16_t>(sum + term);
}

}  // namespace

int16_t TKyokumen::Evaluate() {
    using namespace EvalTerms;
    const int mv = MoveNumber;
    const TEvalWeights& w = WeightsAtMove(kEvaluateWeights, mv);
    const uint8_t* cells = CurrentBoard->Cells;

    const TDiscCensus census = TakeCensus(*this, GameLevel >= 3 && mv < 50);
    BlackCount = census.black;
    WhiteCount = census.white;
    int16_t v = static_cast<int16_t>(census.value);
    if (mv >= 60) return FinalResult(v, BlackCount, WhiteCount);

    Add(v, Noise(mv, GameLevel, 22));
    if (GameLevel == 4 && mv < 55) Add(v, DiscBalance(BlackCount, WhiteCount, 1));
    Add(v, XSquaresNextToEmptyCorners(cells, w.xSquareNextToEmptyCorner));
    Add(v, XSquaresOnLine(cells, Tejun, w.xSquareOnLine));
    Add(v, CornersOnLine(Tejun, w.cornerOnLine));
    Add(v, CornersHeld(cells, w.cornerHeld));
    const bool fewDiscs = BlackCount < 3 || WhiteCount < 3;
    Add(v, CSquaresOnLine(cells, Tejun, fewDiscs ? 0 : w.cSquareOnLine));
    Add(v, SplitEdgeMiddles(cells, w.splitEdgeMiddle));
    Add(v, CornersNextToOpponentC(cells, w.cornerNextToOpponentC));
    Add(v, CornersNextToEmptyC(cells, w.cornerNextToEmptyC));
    Add(v, InnerSquares(cells, w.innerSquare));
    // At the top level the edge middles count for little, whatever the stage.
    Add(v, EdgeMiddles(cells, GameLevel == 4 && w.earlyEdgeMiddle != 0 ? 1 : w.earlyEdgeMiddle));
    Add(v, TrianglesAtEmptyCorners(cells, w.triangle));
    Add(v, CornerExposures(*this, w.cornerExposure));
    if (mv >= 59) return FinalResult(v, BlackCount, WhiteCount);

    Add(v, CornerRunsAndFullEdges(*this, w.cornerRun, w.fullEdge));
    Add(v, WedgesAtEmptyCorners(cells, w.wedge));
    Add(v, CornerBlocks(cells, w.cornerBlock));
    Add(v, FilledEdges(cells, w.filledEdge));
    // With few discs on the board a lone C square hardly matters below the top level.
    const int loneC = GameLevel <= 3 && fewDiscs && w.loneCSquare != 0 ? 1 : w.loneCSquare;
    Add(v, LoneCSquares(cells, loneC));
    Add(v, FivesOnOpenEdges(cells, w.fiveOnEdge));
    Add(v, FoursInEdgeMiddles(cells, w.fourInEdgeMiddle));
    return FinalResult(v, BlackCount, WhiteCount);
}
