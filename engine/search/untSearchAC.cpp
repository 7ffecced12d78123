// Thinking types A and C: the plain minimax on the hand-tuned evaluation (A) or on the
// pattern evaluation (C). They differ in the leaf evaluation and the type letter; type C
// also keeps the pattern indexes of the line being searched, one set per ply, updated by
// each move's placed and turned discs, so that its leaves need not read 22 indexes off
// the board.
#include "engine/eval/untPatterns.h"
#include "engine/search/untSearch.h"

namespace {

template <auto Evaluation, char Type>
class TPlainRules : public TIntegerRules {
public:
    using TIntegerRules::TIntegerRules;

    Value Leaf(int) { return (k_.*Evaluation)(); }
    Value GameOver() {
        (k_.*Evaluation)();  // recounts the discs
        return FinishedGameScore<Value>(k_);
    }
    void UpdateRoot() {
        if (ImproveRoot(Type)) k_.ChosenValue = k_.PlyMax[1];
    }
};

// The pattern evaluation that reads the indexes off the board.
constexpr int32_t (TKyokumen::*kEvaluatePatterns)() = &TKyokumen::EvaluatePatterns;

class TPatternRules : public TPlainRules<kEvaluatePatterns, 'C'> {
public:
    // The search's first node is at the ply after the current one.
    explicit TPatternRules(TKyokumen& k) : TPlainRules(k), firstPly_(k.SearchPly + 1) {}

    void RecordMove(int d, uint8_t square) {
        TPlainRules::RecordMove(d, square);
        // In the last moves the evaluation counts discs only, here and below: no indexes.
        if (k_.MoveNumber >= FIRST_DISCS_ONLY_MOVE) return;
        const TBitBoard& child = k_.CurrentBoard->Bits;
        TPatternIndexes& indexes = indexes_[d + 1];
        // Below the first node the parent's indexes are known; the first node's position may
        // be the game board, whose bits are not kept, so its children are read in full.
        if (d == firstPly_) {
            indexes = PatternIndexesOf(child);
            return;
        }
        const TBitBoard& parent = k_.Boards[k_.StackDepth - 2].Bits;
        const uint64_t turned = (child.black ^ parent.black) & (child.white ^ parent.white);
        indexes = indexes_[d];
        UpdatePatternIndexes(indexes, kBitOfSquare[square], turned, k_.WhiteToMove);
    }

    Value Leaf(int d) {
        return d > firstPly_ ? k_.EvaluatePatterns(indexes_[d]) : k_.EvaluatePatterns();
    }

private:
    int firstPly_;
    TPatternIndexes indexes_[PLY_SLOTS + 1];
};

}  // namespace

int16_t TKyokumen::SearchA() {
    return static_cast<int16_t>(TSearch<TPlainRules<&TKyokumen::Evaluate, 'A'>>(*this).Run());
}

int32_t TKyokumen::SearchC() {
    return TSearch<TPatternRules>(*this).Run();
}
