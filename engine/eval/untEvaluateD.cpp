// The evaluation of thinking type D: the rules of the hand-tuned evaluation with other
// weights, a disc balance that also looks at the edges, and its own C-square rules. Like
// the hand-tuned one it is summed in signed 16-bit arithmetic.
#include "engine/eval/untEvalTables.h"
#include "engine/eval/untEvalWeights.h"
#include "engine/untKyokumen.h"

int16_t TKyokumen::EvaluateD() {
    using namespace EvalTerms;
    const int mv = MoveNumber;
    const TEvalWeights& w = EvaluateDWeightsAt(mv);
    const uint8_t* cells = CurrentBoard->Cells;
    const TBitBoard bits = CurrentBits();

    const TDiscCensus census = TakeCensus(bits, GameLevel >= 3 && mv < 50);
    BlackCount = census.black;
    WhiteCount = census.white;
    int16_t v = static_cast<int16_t>(census.value);
    if (mv >= 60) return FinalResult(v, BlackCount, WhiteCount);

    const TPositionFeatures f = PositionFeaturesOf(cells, bits);
    const TLineFeatures line = LineFeaturesOf(cells, Tejun);
    const bool fewDiscs = BlackCount < 3 || WhiteCount < 3;
    Add16(v, Noise(mv, GameLevel, 22));
    if (GameLevel == 4 && mv < 55) {
        Add16(v, DiscBalance(BlackCount, WhiteCount, 0));
        // Fewer edge discs than the opponent (counted before move 50): each is a liability.
        const TEdgeDiscs edges = mv < 50 ? CountEdgeDiscs(bits) : TEdgeDiscs{};
        if (edges.black < edges.white) Add16(v, -edges.black);
    }
    Add16(v, w.xSquareNextToEmptyCorner * f.xSquaresNextToEmptyCorners);
    Add16(v, w.xSquareOnLine * line.xSquares);
    Add16(v, CornersOnLine(Tejun, w.cornerOnLine));
    Add16(v, w.cornerHeld * f.cornersHeld);
    Add16(v, (fewDiscs ? 0 : w.cSquareOnLine) * line.cSquares);
    Add16(v, w.splitEdgeMiddle * f.splitMiddles);
    Add16(v, w.cornerNextToOpponentC * f.opponentCSquaresOnce);
    Add16(v, w.cornerNextToEmptyC * f.emptyCSquaresInsideOwnEdge);
    Add16(v, (GameLevel == 4 ? 0 : w.earlyEdgeMiddle) * f.middleDiscs);
    Add16(v, w.cornerExposure * f.exposedRuns);
    if (mv >= 59) return FinalResult(v, BlackCount, WhiteCount);

    Add16(v, w.cornerRun * f.cornerRuns + w.fullEdge * f.fullEdges);
    Add16(v, w.wedge * f.wedges);
    Add16(v, w.cornerBlock * f.cornerBlocks);
    Add16(v, LoneCSquareWeight(w.loneCSquare, GameLevel, fewDiscs) * f.loneCSquares);
    Add16(v, w.fourInEdgeMiddle * f.foursInMiddle);
    Add16(v, w.filledEdge * f.filledEdges);
    Add16(v, w.fiveOnEdge * f.fivesOnOpenEdges);
    return FinalResult(v, BlackCount, WhiteCount);
}
