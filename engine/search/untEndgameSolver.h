#pragma once

// Perfect play in the endgame.
//
// TEndgameSolver finds the exact final disc difference of a position under perfect play by
// both sides, searching every line to the end of the game. It works on two 64-bit sets, the
// discs of the side to move and those of its opponent, laid out as TBitBoard lays them out
// (square 10 * x + y is bit 8 * (x - 1) + (y - 1)).
//
// The value is found by a series of searches with the narrowest window (MTD): scores are
// always even, so a search with the window (g - 1, g + 1) either proves the score to be g or
// bounds it from one side, and the bound is the next guess, starting from a draw (or an estimate).
// Each search is a negamax alpha-beta in two tiers by the number of empty squares:
// - From seven empties on, every node looks in a transposition table (three positions to a
//   cache line, a new position taking the place of the one nearest the end) for bounds and
//   a best move found before, and for a move whose position is already known to be good
//   enough. It tries the known best move first and the others "fastest first" (the moves
//   that leave the opponent the fewest replies, a corner reply counting double, and far
//   from the end the fewest squares to reply on later; corners of its own early). With an
//   estimate of positions (TEndgameOrdering), from fourteen empties on the moves whose
//   positions look worst for the opponent also go earlier, from seventeen on each is looked
//   at one ply deeper, from twenty-three on three plies deeper; the estimate of the position
//   is the first guess of the MTD.
// - In the last six empties no move list is built: the empty squares are tried directly,
//   first those in a quadrant with an odd number of empties (parity: the side that fills
//   an odd region last gets the last disc there), the squares diagonally next to corners
//   last within each group. The last two squares have code of their own, and the last one
//   is counted without playing it, with tables of the discs a move turns along each line.
// Both tiers cut off a node whose opponent already has stable discs (discs that can never
// turn: anchored on the edges or on full lines) enough to hold the score at or below alpha.
//
// Scores count the discs on the board at the end, with the empty squares of a game that
// ends early (a wipe-out, or both sides without a move) given to the winner; the
// tournament convention, and the one of the endgame problems the solver is checked on.
//
// A solver keeps no global state: each thread uses a solver object of its own. The table
// is allocated once, with the object, and kept between calls (its entries are exact facts
// about positions, so they stay valid for any later position). A solve clears only the
// part of the table its number of empties calls for, so a small solve stays cheap.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>

// An estimate of a position that orders the moves far from the end: the worse a move's
// position looks for the opponent, the earlier the move is tried. Any estimate serves (the
// values stay exact); a better one leaves less to search.
class TEndgameOrdering {
public:
    virtual ~TEndgameOrdering() = default;
    // The position's value for `own`, the side to move, in UnitsPerDisc() per disc.
    virtual int Evaluate(uint64_t own, uint64_t opponent) const = 0;
    virtual int UnitsPerDisc() const = 0;
};

struct TEndgameResult {
    int score = 0;  // final disc difference for the side to move, empties to the winner
    // A best square (engine square number), the first in the solver's order of the moves, which
    // depends on the position alone; 0 when the side must pass.
    uint8_t move = 0;
};

class TEndgameSolver {
public:
    // The table holds 2^(tableBits - 2) cache lines of three positions: 16 MiB by default.
    static constexpr int kDefaultTableBits = 20;

    explicit TEndgameSolver(int tableBits = kDefaultTableBits);

    // The exact value of the position with `own` to move. Throws EEngineError when the two
    // sets overlap.
    TEndgameResult Solve(uint64_t own, uint64_t opponent);

    // Lets another thread stop a Solve in progress: once *stop is true, Solve throws
    // ESearchStopped within a few milliseconds (at once when it is true as Solve starts). The
    // table keeps only what was proved, so the solver may go on being used afterwards.
    // nullptr (the default) never stops.
    void StopWhen(const std::atomic<bool>* stop) { stop_ = stop; }

    // Orders the moves far from the end by the estimate, which must outlive the solver's use
    // of it; nullptr (the default) orders them by the opponent's replies alone.
    void OrderWith(const TEndgameOrdering* ordering) { ordering_ = ordering; }

    // Forgets every position the table holds.
    void Clear();

    // Positions visited since the object was made.
    uint64_t Nodes() const { return nodes_; }

private:
    // What the table keeps about a position: bounds on its score and its best move.
    struct TBounds {
        int8_t lower, upper;  // lower == upper when exact
        uint8_t move;         // bit index of the best move + 1, 0 = none
        uint8_t empties;      // 0 marks an unused entry
    };
    // Three positions of the same hash in one cache line, so a look-up reads one line.
    struct alignas(64) TBucket {
        uint64_t own[3], opponent[3];
        TBounds bounds[3];
    };

    int Search(uint64_t own, uint64_t opponent, int alpha, int beta);
    int SearchWithTable(uint64_t own, uint64_t opponent, int alpha, int beta, int* bestBit);
    int SearchLastEmpties(uint64_t own, uint64_t opponent, int alpha, int beta);

    TBucket& BucketOf(uint64_t own, uint64_t opponent);
    TBounds* Find(uint64_t own, uint64_t opponent);  // the position's entry, if it has one
    void Store(uint64_t own, uint64_t opponent, int alpha, int beta, int score, int bestBit);

    int FirstGuess(uint64_t own, uint64_t opponent) const;  // of the score, before any search
    // The fastest-first key of a move (smaller first), with the estimate far from the end.
    int MoveKey(uint64_t ownAfter, uint64_t opponentAfter, uint64_t square, int empties) const;
    // Of the moves that reach the score, the first in the order of MoveKey, which depends on
    // the position alone: the same position gives the same move whatever the table holds.
    int FirstBestMove(uint64_t own, uint64_t opponent, int score, int foundBit);
    // The estimate's value for `own`, searched `depth` plies deep; alpha-beta within the
    // window, exact inside it.
    int Estimate(uint64_t own, uint64_t opponent, int depth, int alpha = -kEstimateBound,
                 int beta = kEstimateBound) const;
    static constexpr int kEstimateBound = 1 << 30;  // beyond any estimate
    void PrepareTable(int empties);                 // clears the part of the table a solve will use
    void ThrowIfStopped() const;

    std::unique_ptr<TBucket[]> table_;  // buckets from cleared_ on are not yet cleared
    int tableBits_ = 0;
    std::size_t cleared_ = 0;
    const std::atomic<bool>* stop_ = nullptr;
    const TEndgameOrdering* ordering_ = nullptr;
    uint32_t untilStopCheck_ = 1;  // positions of the table's tier until the next look at stop_
    uint64_t tableMask_ = 0;
    uint64_t nodes_ = 0;
};
