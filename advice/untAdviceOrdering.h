#pragma once

#include <memory>

#include "advice/untAdviceWeights.h"
#include "engine/search/untEndgameSolver.h"

// The advice's evaluation as the exact solver's estimate: far from the end it orders the
// solver's moves and gives its first guess, which leaves about a third of the search at 22
// empty squares. The values stay exact.
class TAdviceOrdering : public TEndgameOrdering {
public:
    explicit TAdviceOrdering(std::shared_ptr<const TAdviceWeights> weights)
        : weights_(std::move(weights)) {}

    int Evaluate(uint64_t own, uint64_t opponent) const override {
        return weights_->Evaluate(own, opponent);
    }
    int UnitsPerDisc() const override { return TAdviceWeights::kUnitsPerDisc; }

private:
    std::shared_ptr<const TAdviceWeights> weights_;
};
