// The pattern evaluation of thinking type C: a few hand-tuned rules about corners and the
// X squares, plus the learned values of the 22 pattern instances for the game's stage.
// The sum is kept in 32 bits, wrapping at its limits, and the evaluation draws no random
// numbers.
#include <utility>

#include "engine/eval/untEvalTables.h"
#include "engine/eval/untEvalWeights.h"
#include "engine/eval/untPatterns.h"
#include "engine/untKyokumen.h"

int32_t TKyokumen::EvaluatePatterns() {
    return EvaluatePatterns(PatternIndexesOf(CurrentBits()));
}

int32_t TKyokumen::EvaluatePatterns(const TPatternIndexes& indexes) {
    using namespace EvalTerms;
    const int mv = MoveNumber;
    const TBitBoard bits = CurrentBits();

    const TDiscCensus census = TakeCensus(bits, mv < 50);
    BlackCount = census.black;
    WhiteCount = census.white;
    int32_t v = census.value;
    // In the last moves only the discs count.
    if (mv >= FIRST_DISCS_ONLY_MOVE) return FinalResult(v, BlackCount, WhiteCount);

    // The 22 lookups come first, written out so that each index is read from its lane
    // directly: the table is large, and the hand-tuned terms are worked out while its values
    // arrive. Their sum wraps round in 32 bits, so the order of the additions does not matter.
    const TPatternTable& table = *PatternWeights;
    const uint8_t stage = StageOf(mv);
    int32_t patterns = 0;
    [&]<std::size_t... I>(std::index_sequence<I...>) {
        (Add32(patterns, table[kPatternInstances[I].kind][indexes.lanes[I / 8][I % 8]][stage]),
         ...);
    }
    (std::make_index_sequence<kPatternInstances.size()>{});

    const TEvalWeights& w = EvaluatePatternsWeightsAt(mv);
    const TLineFeatures line = LineFeaturesOf(bits, Tejun);
    if (GameLevel == 4 && mv < 53) v += DiscBalance(BlackCount, WhiteCount, 1);
    v += WeightedSum(PositionFeaturesOf(bits), EvaluatePatternsFeatureWeightsAt(mv));
    v += CornersOnLine(Tejun, w.cornerOnLine);
    v += w.xSquareOnLine * line.xSquares;
    v += LoneXSquareOnLine(bits, Tejun, w.loneXSquareOnLine);
    Add32(v, patterns);
    return FinalResult(v, BlackCount, WhiteCount);
}
