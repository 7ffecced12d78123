// The hand-tuned evaluation: fixed rules about discs, corners, the squares around them and
// the edges, with weights that change as the game goes on. The value is from white's
// (the computer's) point of view and is summed in signed 16-bit arithmetic.
#include "engine/eval/untEvalTables.h"
#include "engine/eval/untEvalWeights.h"
#include "engine/untKyokumen.h"

int16_t TKyokumen::Evaluate() {
    using namespace EvalTerms;
    const int mv = MoveNumber;
    const TEvalWeights& w = EvaluateWeightsAt(mv);
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
    if (GameLevel == 4 && mv < 55) Add16(v, DiscBalance(BlackCount, WhiteCount, 1));
    Add16(v, w.xSquareNextToEmptyCorner * f.xSquaresNextToEmptyCorners);
    Add16(v, w.xSquareOnLine * line.xSquares);
    Add16(v, CornersOnLine(Tejun, w.cornerOnLine));
    Add16(v, w.cornerHeld * f.cornersHeld);
    Add16(v, (fewDiscs ? 0 : w.cSquareOnLine) * line.cSquares);
    Add16(v, w.splitEdgeMiddle * f.splitMiddles);
    Add16(v, w.cornerNextToOpponentC * f.opponentCSquares);
    Add16(v, w.cornerNextToEmptyC * f.emptyCSquares);
    Add16(v, InnerSquares(bits, w.innerSquare));
    // At the top level the edge middles count for little, whatever the stage.
    Add16(v, (GameLevel == 4 && w.earlyEdgeMiddle != 0 ? 1 : w.earlyEdgeMiddle) * f.middleDiscs);
    Add16(v, w.triangle * f.triangles);
    Add16(v, w.cornerExposure * f.exposedRuns);
    if (mv >= 59) return FinalResult(v, BlackCount, WhiteCount);

    Add16(v, w.cornerRun * f.cornerRuns + w.fullEdge * f.fullEdges);
    Add16(v, w.wedge * f.wedges);
    Add16(v, w.cornerBlock * f.cornerBlocks);
    Add16(v, w.filledEdge * f.filledEdges);
    Add16(v, LoneCSquareWeight(w.loneCSquare, GameLevel, fewDiscs) * f.loneCSquares);
    Add16(v, w.fiveOnEdge * f.fivesOnOpenEdges);
    Add16(v, w.fourInEdgeMiddle * f.foursInMiddle);
    return FinalResult(v, BlackCount, WhiteCount);
}
