#pragma once

// Perfect play in the endgame.
//
// TEndgameSolver finds the exact final disc difference of a position under perfect play by
// both sides, searching every line to the end of the game. It works on two 64-bit sets, the
// discs of the side to move and those of its opponent, laid out as TBitBoard lays them out
// (square 10 * x + y is bit 8 * (x - 1) + (y - 1)).
//
// The search is a negamax alpha-beta in three tiers by the number of empty squares:
// - Far from the end, every node looks in a transposition table (pairs of entries; a new
//   position replaces the one nearer the end) for bounds and a best move found before, and
//   for a move whose position is already known to be good enough. It tries the known best
//   move first and the others "fastest first" (the moves that leave the opponent the fewest
//   replies, a corner reply counting double, corners of its own early), and searches all but
//   the first with a null window, re-searching only a move that proves better.
// - Nearer the end the moves are still sorted by the opponent's replies, without the table.
// - In the last few empties no move list is built: the empty squares are tried directly,
//   first those in a quadrant with an odd number of empties (parity: the side that fills
//   an odd region last gets the last disc there), and the last square is counted without
//   playing it.
//
// Scores count the discs on the board at the end, with the empty squares of a game that
// ends early (a wipe-out, or both sides without a move) given to the winner; the
// tournament convention, and the one of the endgame problems the solver is checked on.
//
// A solver keeps no global state: each thread uses a solver object of its own. The table
// is allocated once, with the object, and kept between calls (its entries are exact facts
// about positions, so they stay valid for any later position).

#include <atomic>
#include <cstdint>
#include <vector>

struct TEndgameResult {
    int score = 0;     // final disc difference for the side to move, empties to the winner
    uint8_t move = 0;  // a best square (engine square number); 0 when the side must pass
};

class TEndgameSolver {
public:
    static constexpr int kDefaultTableBits = 20;  // 2^20 entries of 24 bytes: 24 MiB

    explicit TEndgameSolver(int tableBits = kDefaultTableBits);

    // The exact value of the position with `own` to move. Throws EEngineError when the two
    // sets overlap.
    TEndgameResult Solve(uint64_t own, uint64_t opponent);

    // Lets another thread stop a Solve in progress: once *stop is true, Solve throws
    // ESearchStopped within a few milliseconds. The table keeps only what was proved, so the
    // solver may go on being used afterwards. nullptr (the default) never stops.
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
