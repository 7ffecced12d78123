// The evaluation of thinking type D: the rules of the hand-tuned evaluation with other
// weights, a disc balance that also looks at the edges, and its own C-square rules. Like
// the hand-tuned one it is summed in signed 16-bit arithmetic.
#include "engine/eval/untEvalTerms.h"
#include "engine/eval/untEvalWeights.h"
#include "engine/untKyokumen.h"

int16_t TKyokumen::EvaluateD() {
    using namespace EvalTerms;
    const int mv = MoveNumber;
    const TEvalWeights& w = EvaluateDWeightsAt(mv);
    const uint8_t* cells = CurrentBoard->Cells;

    const TDiscCensus census = TakeCensus(*this, GameLevel >= 3 && mv < 50);
    BlackCount = census.black;
    WhiteCount = census.white;
    const TEdgeDiscs edges = GameLevel == 4 && mv < 50 ? CountEdgeDiscs(cells) : TEdgeDiscs{};
    int16_t v = static_cast<int16_t>(census.value);
    if (mv >= 60) return FinalResult(v, BlackCount, WhiteCount);

    Add16(v, Noise(mv, GameLevel, 22));
    if (GameLevel == 4 && mv < 55) {
        Add16(v, DiscBalance(BlackCount, WhiteCount, 0));
        // Fewer edge discs than the opponent: each of them is a liability.
        if (edges.black < edges.white) Add16(v, -edges.black);
    }
    Add16(v, XSquaresNextToEmptyCorners(cells, w.xSquareNextToEmptyCorner));
    Add16(v, XSquaresOnLine(cells, Tejun, w.xSquareOnLine));
    Add16(v, CornersOnLine(Tejun, w.cornerOnLine));
    Add16(v, CornersHeld(cells, w.cornerHeld));
    const bool fewDiscs = BlackCount < 3 || WhiteCount < 3;
    Add16(v, CSquaresOnLine(cells, Tejun, fewDiscs ? 0 : w.cSquareOnLine));
    Add16(v, SplitEdgeMiddles(cells, w.splitEdgeMiddle));
    Add16(v, CornersNextToOpponentCOnce(cells, w.cornerNextToOpponentC));
    Add16(v, EmptyCSquaresInsideOwnEdge(cells, w.cornerNextToEmptyC));
    Add16(v, EdgeMiddles(cells, GameLevel == 4 ? 0 : w.earlyEdgeMiddle));
    Add16(v, CornerExposures(*this, w.cornerExposure));
    if (mv >= 59) return FinalResult(v, BlackCount, WhiteCount);

    Add16(v, CornerRunsAndFullEdges(*this, w.cornerRun, w.fullEdge));
    Add16(v, WedgesAtEmptyCorners(cells, w.wedge));
    Add16(v, CornerBlocks(cells, w.cornerBlock));
    Add16(v, LoneCSquares(cells, LoneCSquareWeight(w.loneCSquare, GameLevel, fewDiscs)));
    Add16(v, FoursInEdgeMiddles(cells, w.fourInEdgeMiddle));
    Add16(v, FilledEdges(cells, w.filledEdge));
    Add16(v, FivesOnOpenEdges(cells, w.fiveOnEdge));
    return FinalResult(v, BlackCount, WhiteCount);
}
