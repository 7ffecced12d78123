// The pattern evaluation of thinking type C: a few hand-tuned rules about corners and the
// X squares, plus the learned values of the 22 pattern instances for the game's stage.
// The sum is kept in 32 bits and the evaluation draws no random numbers.
#include "engine/eval/untEvalTerms.h"
#include "engine/eval/untEvalWeights.h"
#include "engine/eval/untPatterns.h"
#include "engine/untKyokumen.h"

int32_t TKyokumen::EvaluatePatterns() {
    using namespace EvalTerms;
    const int mv = MoveNumber;
    const TEvalWeights& w = EvaluatePatternsWeightsAt(mv);
    const uint8_t* cells = CurrentBoard->Cells;

    const TDiscCensus census = TakeCensus(*this, mv < 50);
    BlackCount = census.black;
    WhiteCount = census.white;
    int32_t v = census.value;
    // In the last moves only the discs count.
    if (mv >= 58) return FinalResult(v, BlackCount, WhiteCount);

    if (GameLevel == 4 && mv < 53) v += DiscBalance(BlackCount, WhiteCount, 1);
    v += CornersOnLine(Tejun, w.cornerOnLine);
    v += CornersHeld(cells, w.cornerHeld);
    v += XSquaresNextToEmptyCorners(cells, w.xSquareNextToEmptyCorner);
    v += XSquaresOnLine(cells, Tejun, w.xSquareOnLine);
    v += LoneXSquareOnLine(cells, Tejun, w.loneXSquareOnLine);
    v += CornerExposures(*this, w.cornerExposure);
    v += CornerRunsAndFullEdges(*this, w.cornerRun, w.fullEdge);

    const TPatternTable& table = *PatternWeights;
    const uint8_t stage = StageOf(mv);
    for (const TPatternInstance& instance : kPatternInstances)
        v += table[instance.kind][PatternIndex(instance)][stage];
    return FinalResult(v, BlackCount, WhiteCount);
}
