// Thinking types A and C: the plain minimax on the hand-tuned evaluation (A) or on the
// pattern evaluation (C). They differ only in the leaf evaluation and the type letter.
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

}  // namespace

int16_t TKyokumen::SearchA() {
    return static_cast<int16_t>(TSearch<TPlainRules<&TKyokumen::Evaluate, 'A'>>(*this).Node());
}

int32_t TKyokumen::SearchC() {
    return TSearch<TPlainRules<&TKyokumen::EvaluatePatterns, 'C'>>(*this).Node();
}
