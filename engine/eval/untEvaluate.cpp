// The hand-tuned evaluation: fixed rules about discs, corners, the squares around them and
// the edges, with weights that change as the game goes on. The value is from white's
// (the computer's) point of view and is summed in signed 16-bit arithmetic.
#include "engine/eval/untEvalTerms.h"
#include "engine/eval/untEvalWeights.h"
#include "engine/untKyokumen.h"

int16_t TKyokumen::Evaluate() {
    using namespace EvalTerms;
    const int mv = MoveNumber;
    const TEvalWeights& w = EvaluateWeightsAt(mv);
    const uint8_t* cells = CurrentBoard->Cells;

    const TDiscCensus census = TakeCensus(*this, GameLevel >= 3 && mv < 50);
    BlackCount = census.black;
    WhiteCount = census.white;
    int16_t v = static_cast<int16_t>(census.value);
    if (mv >= 60) return FinalResult(v, BlackCount, WhiteCount);

    Add16(v, Noise(mv, GameLevel, 22));
    if (GameLevel == 4 && mv < 55) Add16(v, DiscBalance(BlackCount, WhiteCount, 1));
    Add16(v, XSquaresNextToEmptyCorners(cells, w.xSquareNextToEmptyCorner));
    Add16(v, XSquaresOnLine(cells, Tejun, w.xSquareOnLine));
    Add16(v, CornersOnLine(Tejun, w.cornerOnLine));
    Add16(v, CornersHeld(cells, w.cornerHeld));
    const bool fewDiscs = BlackCount < 3 || WhiteCount < 3;
    Add16(v, CSquaresOnLine(cells, Tejun, fewDiscs ? 0 : w.cSquareOnLine));
    Add16(v, SplitEdgeMiddles(cells, w.splitEdgeMiddle));
    Add16(v, CornersNextToOpponentC(cells, w.cornerNextToOpponentC));
    Add16(v, CornersNextToEmptyC(cells, w.cornerNextToEmptyC));
    Add16(v, InnerSquares(cells, w.innerSquare));
    // At the top level the edge middles count for little, whatever the stage.
    Add16(v, EdgeMiddles(cells, GameLevel == 4 && w.earlyEdgeMiddle != 0 ? 1 : w.earlyEdgeMiddle));
    Add16(v, TrianglesAtEmptyCorners(cells, w.triangle));
    Add16(v, CornerExposures(*this, w.cornerExposure));
    if (mv >= 59) return FinalResult(v, BlackCount, WhiteCount);

    Add16(v, CornerRunsAndFullEdges(*this, w.cornerRun, w.fullEdge));
    Add16(v, WedgesAtEmptyCorners(cells, w.wedge));
    Add16(v, CornerBlocks(cells, w.cornerBlock));
    Add16(v, FilledEdges(cells, w.filledEdge));
    Add16(v, LoneCSquares(cells, LoneCSquareWeight(w.loneCSquare, GameLevel, fewDiscs)));
    Add16(v, FivesOnOpenEdges(cells, w.fiveOnEdge));
    Add16(v, FoursInEdgeMiddles(cells, w.fourInEdgeMiddle));
    return FinalResult(v, BlackCount, WhiteCount);
}
