#pragma once

// The advice's search: how the analysis, the hint and the engine's hint read a position
// before the endgame solver can.
//
// A negamax alpha-beta to a fixed number of plies (a pass is not a ply) with the advice's
// evaluation at the leaves and the exact disc count where the game ends. It is built so that
// the same position always gets the same value and the same best move, whatever was searched
// before and in whatever orientation the position is met:
// - The searches fail hard: a search returns the exact value inside its window and the
//   window's edge outside it, which is a property of the position, the depth and the window
//   alone. The transposition table answers a node only with bounds proved at the same depth,
//   so what it remembers (from earlier positions of the same game too) saves time and never
//   changes an answer.
// - The root is searched in its canonical orientation (the least of its eight images), its
//   moves in the order of the previous, shallower iteration's values, ties by square; the
//   best move is the first of the highest value. The evaluation gives the eight images of a
//   position the same value by construction.
// Within the tree the move with the table's best move goes first, then the others by the
// evaluation of the position they lead to (far from the leaves) or by the opponent's number
// of replies (near them).

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "advice/untAdviceWeights.h"
#include "engine/untBitBoard.h"

struct TAdviceMove {
    int bit = -1;   // the move (TBitBoard's bit), -1 when the side to move has none
    int value = 0;  // for the side to move, in TAdviceWeights::kUnitsPerDisc per disc
    // The value one ply less deep. A search flatters the side that makes the last move of its
    // lines (it picks the evaluation's errors in its own favour), so values of an even and an
    // odd depth lean opposite ways, and their mean hardly at all.
    int shallower = 0;
};

// The search's estimate in discs of a position searched to two depths a ply apart (the mean
// of the two values), within the board's 64 discs (BoundedEstimate).
inline double AdviceEstimate(int deeper, int shallower) {
    return BoundedEstimate((deeper + shallower) / (2.0 * TAdviceWeights::kUnitsPerDisc));
}

class TAdviceSearch {
public:
    // The table holds 2^tableBits positions (32 bytes each).
    explicit TAdviceSearch(std::shared_ptr<const TAdviceWeights> weights, int tableBits = 18);

    // Once *stop is true, a search throws ESearchStopped within a few thousand positions.
    void StopWhen(const std::atomic<bool>* stop) { stop_ = stop; }

    // The value of the position for `own` to move, searched `depth` plies deep.
    int Value(uint64_t own, uint64_t opponent, int depth);
    // A best move and the value; the side to move must have a legal move.
    TAdviceMove Best(uint64_t own, uint64_t opponent, int depth);

    uint64_t Nodes() const { return nodes_; }
    const TAdviceWeights& Weights() const { return *weights_; }

private:
    struct TEntry {
        uint64_t own = 0, opponent = 0;
        int32_t lower = 0, upper = 0;  // bounds proved at `depth`
        int8_t depth = -1;             // -1: unused
        int8_t bestBit = -1;
    };

    int Search(uint64_t own, uint64_t opponent, int depth, int alpha, int beta);
    int OrderMoves(uint64_t own, uint64_t opponent, uint64_t moves, int depth, int firstBit,
                   int* bits) const;
    TEntry& EntryOf(uint64_t own, uint64_t opponent);
    void CountNode();

    std::shared_ptr<const TAdviceWeights> weights_;
    std::vector<TEntry> table_;
    uint64_t tableMask_ = 0;
    const std::atomic<bool>* stop_ = nullptr;
    uint64_t nodes_ = 0;
};

// The image of a position under one of the board's eight symmetries (0 is the identity),
// and the symmetry whose image is the least (by the two sets); `Image(bit)` maps a square.
uint64_t ImageOf(uint64_t discs, int symmetry);
int ImageOfBit(int bit, int symmetry);
int InverseSymmetry(int symmetry);
int CanonicalSymmetry(uint64_t own, uint64_t opponent);
