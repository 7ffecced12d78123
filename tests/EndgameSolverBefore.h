#pragma once

// The exact endgame solver as it stood before its faster search: the same negamax
// alpha-beta on two 64-bit sets (a transposition table with a null-window search and
// fastest-first order far from the end, sorted moves nearer the end, parity order in the last
// five empties), kept unchanged as the yardstick the engine's solver is compared with, for
// values in the tests and for speed in the benchmark.

#include <atomic>
#include <cstdint>
#include <vector>

#include "engine/search/untEndgameSolver.h"

class TEndgameSolverBefore {
public:
    static constexpr int kDefaultTableBits = 20;  // 2^20 entries of 24 bytes: 24 MiB

    explicit TEndgameSolverBefore(int tableBits = kDefaultTableBits);

    // The exact value of the position with `own` to move. Throws EEngineError when the two
    // sets overlap.
    TEndgameResult Solve(uint64_t own, uint64_t opponent);

    // Once *stop is true, Solve throws ESearchStopped; the table keeps only what was proved.
    void StopWhen(const std::atomic<bool>* stop) { stop_ = stop; }

    // Forgets every position the table holds.
    void Clear();

    // Positions visited since the object was made.
    uint64_t Nodes() const { return nodes_; }

private:
    struct TEntry {
        uint64_t own = 0, opponent = 0;
        int8_t lower = 0, upper = 0;  // bounds on the score; lower == upper when exact
        uint8_t move = 0;             // bit index of the best move + 1, 0 = none
        uint8_t empties = 0;          // 0 marks an unused entry
    };

    int Search(uint64_t own, uint64_t opponent, int alpha, int beta);
    int SearchWithTable(uint64_t own, uint64_t opponent, int alpha, int beta, int* bestBit);
    int SearchSorted(uint64_t own, uint64_t opponent, int alpha, int beta);
    int SearchParity(uint64_t own, uint64_t opponent, int alpha, int beta);
    int LastSquare(uint64_t own, uint64_t opponent);

    TEntry* Find(uint64_t own, uint64_t opponent);  // the position's entry, if it has one
    void Store(uint64_t own, uint64_t opponent, int alpha, int beta, int score, int bestBit);

    void ThrowIfStopped() const;

    std::vector<TEntry> table_;
    const std::atomic<bool>* stop_ = nullptr;
    uint64_t tableMask_ = 0;
    uint64_t nodes_ = 0;
};
