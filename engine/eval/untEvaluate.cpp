// The hand-tuned evaluation: fixed rules about discs, corners, the squares around them and
// the edges, with weights that change as the game goes on. The value is from white's
// (the computer's) point of view and is summed in signed 16-bit arithmetic; as every term
// is added modulo 2^16, the terms may be added in any grouping. The edge and corner rules
// are weighed all at once (untEvalTables), the rest term by term.
#include "engine/eval/untEvalTables.h"
#include "engine/eval/untEvalWeights.h"
#include "engine/untKyokumen.h"

int16_t TKyokumen::Evaluate() {
    using namespace EvalTerms;
    const int mv = MoveNumber;
    const TBitBoard bits = CurrentBits();

    const TDiscCensus census = TakeCensus(bits, GameLevel >= 3 && mv < 50);
    BlackCount = census.black;
    WhiteCount = census.white;
    int16_t v = static_cast<int16_t>(census.value);
    if (mv >= 60) return FinalResult(v, BlackCount, WhiteCount);

    const TEvalWeights& w = EvaluateWeightsAt(mv);
    const TLineFeatures line = LineFeaturesOf(bits, Tejun);
    const bool fewDiscs = BlackCount < 3 || WhiteCount < 3;
    Add16(v, Noise(mv, GameLevel, 22, Generator));
    if (GameLevel == 4 && mv < 55) Add16(v, DiscBalance(BlackCount, WhiteCount, 1));

    TFeatureWeights weights = EvaluateFeatureWeightsAt(mv);
    // At the top level the edge middles count for little, whatever the stage.
    int16_t& middle = weights.edge[MIDDLE_DISCS];
    if (GameLevel == 4 && middle != 0) middle = 1;
    int16_t& loneC = weights.corner[LONE_C];
    loneC = static_cast<int16_t>(LoneCSquareWeight(loneC, GameLevel, fewDiscs));
    Add16(v, WeightedSum(PositionFeaturesOf(bits), weights));

    Add16(v, w.xSquareOnLine * line.xSquares);
    Add16(v, CornersOnLine(Tejun, w.cornerOnLine));
    Add16(v, (fewDiscs ? 0 : w.cSquareOnLine) * line.cSquares);
    Add16(v, InnerSquares(bits, w.innerSquare));
    return FinalResult(v, BlackCount, WhiteCount);
}
