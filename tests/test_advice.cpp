// The advice's evaluation and search: equal values for a position's eight images, values
// that are plain minimax whatever the table remembers, and a weights file that reads back.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <random>

#include "advice/untAdviceSearch.h"
#include "advice/untAdviceWeights.h"
#include "analysis/untAnalysis.h"
#include "engine/untBitBoard.h"
#include "engine/untEngineError.h"
#include "tools/untAdviceTrainer.h"

namespace {

// Weights with every value drawn at random, so that no symmetry comes from the data.
std::shared_ptr<const TAdviceWeights> RandomWeights(uint32_t seed) {
    auto weights = std::make_shared<TAdviceWeights>();
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> value(-600, 600);
    for (int stage = 0; stage < TAdviceWeights::kStages; ++stage)
        for (int16_t& v : weights->Values(stage))
            v = static_cast<int16_t>(value(random));
    weights->Expand();
    return weights;
}

// A position of a random game from the start, with the side to move having a move.
TBitBoard RandomPosition(std::mt19937& random, int plies) {
    uint64_t own = MaskOf(45) | MaskOf(54), other = MaskOf(44) | MaskOf(55);
    for (int ply = 0; ply < plies; ++ply) {
        uint64_t moves = LegalMovesOf(own, other);
        if (!moves) {
            std::swap(own, other);
            moves = LegalMovesOf(own, other);
            if (!moves) break;
        }
        const int pick = static_cast<int>(random() % std::popcount(moves));
        for (int i = 0; i < pick; ++i)
            moves &= moves - 1;
        const int bit = std::countr_zero(moves);
        const uint64_t changed = FlipsOf(own, other, bit) | uint64_t{1} << bit;
        const uint64_t next = other & ~changed;
        other = own | changed;
        own = next;
    }
    if (!LegalMovesOf(own, other)) std::swap(own, other);
    return {own, other};  // black: the side to move
}

int Minimax(const TAdviceWeights& w, uint64_t own, uint64_t other, int depth) {
    const uint64_t moves = LegalMovesOf(own, other);
    if (!moves) {
        if (!LegalMovesOf(other, own))
            return FinalScore(own, other) * TAdviceWeights::kUnitsPerDisc;
        return -Minimax(w, other, own, depth);
    }
    if (depth == 0) return w.Evaluate(own, other);
    int best = -1000000;
    for (uint64_t left = moves; left; left &= left - 1) {
        const int bit = std::countr_zero(left);
        const uint64_t changed = FlipsOf(own, other, bit) | uint64_t{1} << bit;
        best = std::max(best, -Minimax(w, other & ~changed, own | changed, depth - 1));
    }
    return best;
}

}  // namespace

TEST(Advice, EveryImageOfAPositionGetsTheSameValueAndTheImageOfItsBestMove) {
    const auto weights = RandomWeights(7);
    TAnalysisSettings settings;
    settings.advice = weights;
    settings.adviceDepth = 3;
    settings.exactEmpties = 10;  // the last trials are solved
    std::mt19937 random(11);
    for (int trial = 0; trial < 28; ++trial) {
        const TBitBoard p = RandomPosition(random, 4 + trial * 2);
        const TPositionValue original = ValuePosition({p.black, p.white}, false, settings);
        for (int s = 1; s < 8; ++s) {
            const uint64_t own = ImageOf(p.black, s), other = ImageOf(p.white, s);
            ASSERT_EQ(weights->Evaluate(own, other), weights->Evaluate(p.black, p.white));
            ASSERT_EQ(ImageOf(ImageOf(p.black, s), InverseSymmetry(s)), p.black);
            const TPositionValue image = ValuePosition({own, other}, false, settings);
            ASSERT_EQ(image.value, original.value) << "trial " << trial << " symmetry " << s;
            ASSERT_EQ(kBitOfSquare[image.best], ImageOfBit(kBitOfSquare[original.best], s));
            const TMoveValue first = ValueMoves({own, other}, false, settings).front();
            ASSERT_EQ(first.square, image.best);  // the engine's hint names the same move
            ASSERT_EQ(first.value, image.value);
        }
    }
    // The four first moves are one move turned about the board.
    const TBitBoard start = RandomPosition(random, 0);
    std::vector<TMoveValue> first = ValueMoves({start.black, start.white}, false, settings);
    ASSERT_EQ(first.size(), 4u);
    for (const TMoveValue& m : first)
        EXPECT_EQ(m.value, first.front().value);
}

TEST(Advice, ValuesArePlainMinimaxWhateverTheTableRemembers) {
    const auto weights = RandomWeights(3);
    TAdviceSearch warm(weights, 10);  // small: positions share entries
    std::mt19937 random(5);
    for (int trial = 0; trial < 30; ++trial) {
        const TBitBoard p = RandomPosition(random, 10 + trial);
        const int depth = 1 + trial % 4;
        TAdviceSearch fresh(weights, 10);
        const int expected = Minimax(*weights, p.black, p.white, depth);
        ASSERT_EQ(warm.Value(p.black, p.white, depth), expected) << "trial " << trial;
        ASSERT_EQ(fresh.Best(p.black, p.white, depth).value, expected);
        ASSERT_EQ(warm.Best(p.black, p.white, depth).bit, fresh.Best(p.black, p.white, depth).bit);
    }
}

TEST(Advice, TheWeightsFileReadsBackAndAWrongOneIsRefused) {
    const auto weights = RandomWeights(9);
    const std::vector<char> bytes = weights->ToBytes();
    const auto back = TAdviceWeights::FromBytes(bytes, "memory");
    EXPECT_EQ(back->ToBytes(), bytes);
    std::mt19937 random(2);
    const TBitBoard p = RandomPosition(random, 30);
    EXPECT_EQ(back->Evaluate(p.black, p.white), weights->Evaluate(p.black, p.white));
    for (const std::size_t cut : {std::size_t{5}, bytes.size() - 1}) {
        const std::vector<char> shorter(bytes.begin(), bytes.begin() + cut);
        EXPECT_THROW(TAdviceWeights::FromBytes(shorter, "short"), EEngineError);
    }
    EXPECT_THROW(PositionsOfGames("f5d6c3d3c4f4\nf5f5 0\n", 0), EEngineError);
    EXPECT_EQ(PositionsOfGames("f5d6c3 4\nf5 0\n", 0).size(), 4u);
}
