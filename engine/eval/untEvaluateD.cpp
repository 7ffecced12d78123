// The evaluation of thinking type D: the rules of the hand-tuned evaluation with other
// weights, a disc balance that also looks at the edges, and its own C-square rules. Like
// the hand-tuned one it is summed in signed 16-bit arithmetic, where the grouping of the
// terms does not matter, and weighs its edge and corner rules all at once.
#include "engine/eval/untEvalTables.h"
#include "engine/eval/untEvalWeights.h"
#include "engine/untKyokumen.h"

int16_t TKyokumen::EvaluateD() {
    using namespace EvalTerms;
    const int mv = MoveNumber;
    const TBitBoard bits = CurrentBits();

    const TDiscCensus census = TakeCensus(bits, GameLevel >= 3 && mv < 50);
    BlackCount = census.black;
    WhiteCount = census.white;
    int16_t v = static_cast<int16_t>(census.value);
    if (mv >= 60) return FinalResult(v, BlackCount, WhiteCount);

    const TEvalWeights& w = EvaluateDWeightsAt(mv);
    const TLineFeatures line = LineFeaturesOf(bits, Tejun);
    const bool fewDiscs = BlackCount < 3 || WhiteCount < 3;
    Add16(v, Noise(mv, GameLevel, 22, Generator));
    if (GameLevel == 4 && mv < 55) {
        Add16(v, DiscBalance(BlackCount, WhiteCount, 0));
        // Fewer edge discs than the opponent (counted before move 50): each is a liability.
        const TEdgeDiscs edges = mv < 50 ? CountEdgeDiscs(bits) : TEdgeDiscs{};
        if (edges.black < edges.white) Add16(v, -edges.black);
    }

    TFeatureWeights weights = EvaluateDFeatureWeightsAt(mv);
    if (GameLevel == 4) weights.edge[MIDDLE_DISCS] = 0;
    int16_t& loneC = weights.corner[LONE_C];
    loneC = static_cast<int16_t>(LoneCSquareWeight(loneC, GameLevel, fewDiscs));
    Add16(v, WeightedSum(PositionFeaturesOf(bits), weights));

    Add16(v, w.xSquareOnLine * line.xSquares);
    Add16(v, CornersOnLine(Tejun, w.cornerOnLine));
    Add16(v, (fewDiscs ? 0 : w.cSquareOnLine) * line.cSquares);
    return FinalResult(v, BlackCount, WhiteCount);
}
