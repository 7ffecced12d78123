#include "engine/search/untEndgameSolver.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>

#include "engine/untBitBoard.h"
#include "engine/untEngineError.h"

namespace {

constexpr int kMaxScore = 64;
// Empty squares from which the table is used and the moves are sorted; below, the last
// empties are searched without a move list.
constexpr int kTableEmpties = 7;
static_assert(kTableEmpties <= 7, "the last empties' code goes up to six");
// Empty squares from which the table is asked about every move's position before searching.
constexpr int kLookAheadEmpties = 9;
constexpr int kMaxMoves = 32;  // more legal moves than any position has
// How often a stop is looked for: every 1024 positions of the table's tier, a millisecond or
// two apart.
constexpr uint32_t kStopCheckInterval = 1024;
// A solve uses the table as if its size were 2^(empties + this) (at least 2^12, at most the
// whole table), and clears that part first: a small solve does not pay for clearing a large
// table, and a table that mostly stays in the caches is faster than a larger one that finds
// a few more positions again.
constexpr int kTableBitsOverEmpties = -4;
constexpr int kMinTableBits = 12;
// A table size of 2^bits is 2^(bits - this) buckets of three positions.
constexpr int kBucketBitsBelow = 2;

// The four quadrants of the board, for the parity order of the last empties.
constexpr uint64_t kQuadrants[4] = {0x000000000F0F0F0Full, 0x00000000F0F0F0F0ull,
                                    0x0F0F0F0F00000000ull, 0xF0F0F0F000000000ull};

// The squares next to a disc of b.
constexpr uint64_t Neighbours(uint64_t b) {
    return WithNeighbourIn<1>(b) | WithNeighbourIn<-1>(b) | WithNeighbourIn<10>(b) |
           WithNeighbourIn<-10>(b) | WithNeighbourIn<11>(b) | WithNeighbourIn<-11>(b) |
           WithNeighbourIn<9>(b) | WithNeighbourIn<-9>(b);
}

// The squares next to each square: a move turns discs only if one of them is the opponent's.
inline constexpr std::array<uint64_t, 64> kNeighboursOf = [] {
    std::array<uint64_t, 64> neighbours{};
    for (int bit = 0; bit < 64; ++bit)
        neighbours[bit] = Neighbours(uint64_t{1} << bit);
    return neighbours;
}();

// Empty squares from which the fastest-first order also weighs where replies may come later.
constexpr int kFrontierEmpties = 10;
// Taking a corner counts as this many fewer replies in the fastest-first order.
constexpr int kCornerBonus = 3;
// From this many empty squares on, an estimate (when the solver has one) adds to the
// fastest-first key, weighted by this much per disc the move's position looks worse for the
// opponent (one reply weighs 4). Far from the end the estimate saves more than it costs:
// measured on positions of real games, it leaves a third of the nodes at 22 empties.
constexpr int kEstimatedOrderEmpties = 14;
constexpr int kEstimateWeight = 3;
// A move's position with at least the first number of empty squares is estimated one ply
// deep (the best of the opponent's replies), with at least the second (near the root of a
// deep solve, where a node is worth most) three plies deep, which leaves a fifth fewer nodes
// at 24 empties.
constexpr int kShallowEstimateEmpties = 16;
constexpr int kDeepEstimateEmpties = 22;
constexpr int kDeepEstimatePlies = 3;

// The fastest-first key of a move: the opponent's replies after it, a corner reply counting
// double, and far from the end the empty squares next to the mover's discs (where the
// opponent may find replies later). Smaller is tried first.
inline int ReplyKey(uint64_t ownAfter, uint64_t opponentAfter) {
    const uint64_t replies = LegalMovesOf(opponentAfter, ownAfter);
    const uint64_t empty = ~(ownAfter | opponentAfter);
    const int key = 4 * (std::popcount(replies) + std::popcount(replies & kCorners));
    if (std::popcount(empty) < kFrontierEmpties) return key;
    return key + std::popcount(Neighbours(ownAfter) & empty);
}

struct TMove {  // left uninitialised: move lists are filled before they are read
    uint64_t square;
    uint64_t flips;
    int key;
};

// The moves in fastest-first order; returns their number. The lists are short: an insertion
// sort is the fastest. Each position after a move is shown to `visit` as soon as it is
// known, so that its table entry can be fetched ahead of its search.
template <typename Visit, typename Key>
int SortedMoves(uint64_t own, uint64_t opponent, uint64_t legal, TMove (&moves)[kMaxMoves],
                Visit visit, Key key) {
    if ((legal & (legal - 1)) == 0) {  // a single move needs no key
        moves[0].square = legal;
        moves[0].flips = FlipsOf(own, opponent, std::countr_zero(legal));
        visit(opponent & ~moves[0].flips, own | moves[0].flips | legal);
        return 1;
    }
    int count = 0;
    for (uint64_t rest = legal; rest != 0; rest &= rest - 1) {
        TMove m;
        m.square = rest & (~rest + 1);
        m.flips = FlipsOf(own, opponent, std::countr_zero(m.square));
        visit(opponent & ~m.flips, own | m.flips | m.square);
        m.key = key(own | m.flips | m.square, opponent & ~m.flips, m.square);
        int i = count++;
        for (; i > 0 && moves[i - 1].key > m.key; --i)
            moves[i] = moves[i - 1];
        moves[i] = m;
    }
    return count;
}

// The squares whose whole line along a direction (both ways) is full.
template <int Step>
inline uint64_t FullAlong(uint64_t occupied) {
    uint64_t open = ~occupied;
    for (int i = 0; i < 7; ++i)
        open |= WithNeighbourIn<Step>(open) | WithNeighbourIn<-Step>(open);
    return ~open;
}

// The squares where a disc cannot be outflanked along a direction: its line is full, or
// a neighbour along it is the edge of the board or a disc that can never turn.
template <int Step>
inline uint64_t SafeAlong(uint64_t full, uint64_t stable) {
    constexpr uint64_t kEdge = ~(WithNeighbourIn<Step>(~0ull) & WithNeighbourIn<-Step>(~0ull));
    return full | kEdge | WithNeighbourIn<Step>(stable) | WithNeighbourIn<-Step>(stable);
}

// The discs of `mine` that no move can ever turn: safe along all four directions, grown
// from the corners and the full lines until nothing more is found.
inline uint64_t StableDiscs(uint64_t mine, uint64_t occupied) {
    const uint64_t alongColumn = FullAlong<1>(occupied), alongRow = FullAlong<10>(occupied);
    const uint64_t diagonal = FullAlong<11>(occupied), antiDiagonal = FullAlong<9>(occupied);
    uint64_t stable = 0;
    for (;;) {
        const uint64_t grown = mine & SafeAlong<1>(alongColumn, stable) &
                               SafeAlong<10>(alongRow, stable) & SafeAlong<11>(diagonal, stable) &
                               SafeAlong<9>(antiDiagonal, stable);
        if (grown == stable) return stable;
        stable = grown;
    }
}

// Whether the opponent's stable discs hold the score at or below alpha, and that bound. Only
// worth looking at when the opponent has discs enough, and alpha is high for the empties
// (with many empties few discs are stable).
inline bool StabilityCuts(uint64_t own, uint64_t opponent, int alpha, int empties, int* bound) {
    if (64 - 2 * std::popcount(opponent) > alpha || alpha < 2 * empties - 4) return false;
    *bound = 64 - 2 * std::popcount(StableDiscs(opponent, own | opponent));
    return *bound <= alpha;
}

uint64_t TableHash(uint64_t own, uint64_t opponent) {
    uint64_t h = own * 0x9E3779B97F4A7C15ull ^ std::rotl(opponent * 0xC2B2AE3D27D4EB4Full, 31);
    return h ^ (h >> 29);
}

// The discs that a move on the one empty square turns along a line through it, for each
// place of the square on the line (0 to 7) and each set of the mover's discs on the line:
// every other square of the full board is the opponent's, so a run of them turns when a
// disc of the mover's closes it.
inline constexpr std::array<std::array<uint8_t, 256>, 8> kLastFlipsOnLine = [] {
    std::array<std::array<uint8_t, 256>, 8> counts{};
    for (int place = 0; place < 8; ++place)
        for (int mine = 0; mine < 256; ++mine)
            for (const int step : {-1, 1}) {
                int k = place + step, run = 0;
                for (; k >= 0 && k < 8 && !(mine >> k & 1); k += step)
                    ++run;
                if (k >= 0 && k < 8) counts[place][mine] += static_cast<uint8_t>(run);
            }
    return counts;
}();

// The two diagonals through each square. Their squares lie in different columns and rows,
// so a multiplication gathers a diagonal into one byte, a row to a bit.
inline constexpr std::array<std::array<uint64_t, 2>, 64> kDiagonalsOf = [] {
    std::array<std::array<uint64_t, 2>, 64> diagonals{};
    for (int bit = 0; bit < 64; ++bit)
        for (int k = -7; k <= 7; ++k) {
            const int column = bit / 8 + k, up = bit % 8 + k, down = bit % 8 - k;
            if (column < 0 || column > 7) continue;
            if (up >= 0 && up < 8) diagonals[bit][0] |= uint64_t{1} << (8 * column + up);
            if (down >= 0 && down < 8) diagonals[bit][1] |= uint64_t{1} << (8 * column + down);
        }
    return diagonals;
}();

// The discs turned by a move of the side with `mine` on the only empty square, at the bit.
inline int LastFlipCount(uint64_t mine, int bit) {
    const int column = bit >> 3, row = bit & 7;
    const uint32_t alongColumn = (mine >> (8 * column)) & 0xFF;
    const uint32_t alongRow = (((mine >> row) & kRow1) * 0x0102040810204080ull) >> 56;
    const uint32_t diagonalUp = ((mine & kDiagonalsOf[bit][0]) * kRow1) >> 56;
    const uint32_t diagonalDown = ((mine & kDiagonalsOf[bit][1]) * kRow1) >> 56;
    return kLastFlipsOnLine[row][alongColumn] + kLastFlipsOnLine[column][alongRow] +
           kLastFlipsOnLine[row][diagonalUp] + kLastFlipsOnLine[row][diagonalDown];
}

// One empty square left, at the bit: count the discs after whoever can play it, without
// playing it.
inline int LastSquare(uint64_t own, uint64_t opponent, int bit) {
    const int ownDiscs = std::popcount(own);
    if (const int flips = LastFlipCount(own, bit)) return 2 * (ownDiscs + flips + 1) - 64;
    if (const int flips = LastFlipCount(opponent, bit)) return 2 * (ownDiscs - flips) - 64;
    return FinalScore(own, opponent);
}

// The squares diagonally next to the corners, which give a corner away while it is empty.
constexpr uint64_t kXSquares = MaskOf(22) | MaskOf(27) | MaskOf(72) | MaskOf(77);

// The last empties are tried in this order: in the odd quadrants first, and within the
// odd and the even ones the squares diagonally next to the corners last.
inline std::array<uint64_t, 4> InParityOrder(uint64_t empty, uint64_t odd) {
    return {empty & odd & ~kXSquares, empty & odd & kXSquares, empty & ~odd & ~kXSquares,
            empty & ~odd & kXSquares};
}

// The quadrant of a square as a bit of a parity set: bit q is set when quadrant q holds an
// odd number of empties.
constexpr int QuadrantBit(int bit) {
    return 1 << ((bit >> 5) << 1 | (bit >> 2 & 1));
}

inline int ParityOf(uint64_t empty) {
    int parity = 0;
    for (int q = 0; q < 4; ++q)
        parity |= (std::popcount(empty & kQuadrants[q]) & 1) << q;
    return parity;
}

// The squares of the quadrants of each parity set.
inline constexpr std::array<uint64_t, 16> kSquaresOfParity = [] {
    std::array<uint64_t, 16> squares{};
    for (int parity = 0; parity < 16; ++parity)
        for (int q = 0; q < 4; ++q)
            if (parity >> q & 1) squares[parity] |= kQuadrants[q];
    return squares;
}();

// The last two empties: the side to move plays one and the last square is counted, or it
// passes and the opponent does so.
inline int SearchTwo(uint64_t own, uint64_t opponent, int alpha, int beta, int first, int second,
                     uint64_t& nodes) {
    ++nodes;
    int best = -kMaxScore - 1;
    if (kNeighboursOf[first] & opponent) {
        if (const uint64_t flips = FlipsOf(own, opponent, first)) {
            best = -LastSquare(opponent & ~flips, own | flips | uint64_t{1} << first, second);
            if (best >= beta) return best;
        }
    }
    if (kNeighboursOf[second] & opponent) {
        if (const uint64_t flips = FlipsOf(own, opponent, second))
            return std::max(
                best, -LastSquare(opponent & ~flips, own | flips | uint64_t{1} << second, first));
    }
    if (best > -kMaxScore - 1) return best;
    // A pass: the opponent plays, and the score is the lower of its two choices.
    int worst = kMaxScore + 1;
    if (kNeighboursOf[first] & own) {
        if (const uint64_t flips = FlipsOf(opponent, own, first)) {
            worst = LastSquare(own & ~flips, opponent | flips | uint64_t{1} << first, second);
            if (worst <= alpha) return worst;
        }
    }
    if (kNeighboursOf[second] & own) {
        if (const uint64_t flips = FlipsOf(opponent, own, second))
            return std::min(
                worst, LastSquare(own & ~flips, opponent | flips | uint64_t{1} << second, first));
    }
    if (worst < kMaxScore + 1) return worst;
    return FinalScore(own, opponent);
}

// The last three empties, given in the order to try them; `Passed` when the opponent has
// just passed, so that a second pass ends the game.
template <bool Passed = false>
int SearchLastThree(uint64_t own, uint64_t opponent, int alpha, int beta,
                    const uint8_t (&squares)[3], uint64_t& nodes) {
    ++nodes;
    int best = -kMaxScore - 1;
    for (int i = 0; i < 3; ++i) {
        const int bit = squares[i];
        if ((kNeighboursOf[bit] & opponent) == 0) continue;
        const uint64_t flips = FlipsOf(own, opponent, bit);
        if (flips == 0) continue;
        // The other two, in their order.
        const int first = squares[i == 0 ? 1 : 0], second = squares[i == 2 ? 1 : 2];
        const int score = -SearchTwo(opponent & ~flips, own | flips | uint64_t{1} << bit, -beta,
                                     -alpha, first, second, nodes);
        if (score > best) {
            best = score;
            if (score > alpha) alpha = score;
            if (alpha >= beta) return best;
        }
    }
    if (best > -kMaxScore - 1) return best;
    if constexpr (Passed) {
        return FinalScore(own, opponent);
    } else {
        return -SearchLastThree<true>(opponent, own, -beta, -alpha, squares, nodes);
    }
}

// Three empties: the list in parity order.
inline int SearchThree(uint64_t own, uint64_t opponent, int alpha, int beta, int parity,
                       uint64_t& nodes) {
    uint8_t squares[3];
    int count = 0;
    for (const uint64_t group : InParityOrder(~(own | opponent), kSquaresOfParity[parity]))
        for (uint64_t rest = group; rest != 0; rest &= rest - 1)
            squares[count++] = static_cast<uint8_t>(std::countr_zero(rest));
    return SearchLastThree(own, opponent, alpha, beta, squares, nodes);
}

// From four empties to the last tier's limit: no move list, the empty squares tried
// directly in parity order (the side that fills an odd region last gets the last disc
// there).
template <int N>
int SearchShallow(uint64_t own, uint64_t opponent, int alpha, int beta, int parity,
                  uint64_t& nodes) {
    ++nodes;
    const uint64_t empty = ~(own | opponent);
    if (int stableBound; StabilityCuts(own, opponent, alpha, N, &stableBound)) return stableBound;
    int best = -kMaxScore - 1;
    for (const uint64_t group : InParityOrder(empty, kSquaresOfParity[parity])) {
        for (uint64_t rest = group; rest != 0; rest &= rest - 1) {
            const int bit = std::countr_zero(rest);
            if ((kNeighboursOf[bit] & opponent) == 0) continue;
            const uint64_t flips = FlipsOf(own, opponent, bit);
            if (flips == 0) continue;
            const uint64_t ownAfter = own | flips | uint64_t{1} << bit;
            const uint64_t opponentAfter = opponent & ~flips;
            const int parityAfter = parity ^ QuadrantBit(bit);
            int score;
            if constexpr (N == 4) {
                score = -SearchThree(opponentAfter, ownAfter, -beta, -alpha, parityAfter, nodes);
            } else {
                score = -SearchShallow<N - 1>(opponentAfter, ownAfter, -beta, -alpha, parityAfter,
                                              nodes);
            }
            if (score > best) {
                best = score;
                if (score > alpha) alpha = score;
                if (alpha >= beta) return best;
            }
        }
    }
    if (best > -kMaxScore - 1) return best;
    if (LegalMovesOf(opponent, own) == 0) return FinalScore(own, opponent);
    return -SearchShallow<N>(opponent, own, -beta, -alpha, parity, nodes);
}

}  // namespace

TEndgameSolver::TEndgameSolver(int tableBits)
    : table_(new TBucket[std::size_t{1} << std::max(tableBits - kBucketBitsBelow, 0)]),
      tableBits_(tableBits) {}

void TEndgameSolver::Clear() {
    cleared_ = 0;
}

void TEndgameSolver::PrepareTable(int empties) {
    const int bits = std::min(std::max(empties + kTableBitsOverEmpties, kMinTableBits), tableBits_);
    const std::size_t size =
        std::max(std::size_t{1} << std::max(bits - kBucketBitsBelow, 0), cleared_);
    std::fill(table_.get() + cleared_, table_.get() + size, TBucket{});
    cleared_ = size;
    tableMask_ = size - 1;
}

TEndgameResult TEndgameSolver::Solve(uint64_t own, uint64_t opponent) {
    if (own & opponent) throw EEngineError("Solve: the two sides' discs overlap");
    ThrowIfStopped();
    PrepareTable(64 - std::popcount(own | opponent));
    TEndgameResult result;
    if (LegalMovesOf(own, opponent) == 0) {
        // A pass, or the end of the game; the search scores both.
        result.score = Search(own, opponent, -kMaxScore, kMaxScore);
        return result;
    }
    // A series of searches with the narrowest window round a guess (MTD): scores are even,
    // so the window (guess - 1, guess + 1) proves the score equal to the guess, or bounds it
    // from below or above, and the bound found is the next guess. The table carries each
    // search's work over to the next. A search that proves a lower bound also finds a move
    // that reaches it, so the series goes on until one has proved the final lower bound. The
    // first guess is the estimate's (a draw without one), held within the bounds the table
    // already knows.
    int lower = -kMaxScore, upper = kMaxScore, bestBit = -1;
    if (const TBounds* known = Find(own, opponent)) {
        lower = known->lower;
        upper = known->upper;
    }
    int guess = std::clamp(FirstGuess(own, opponent), lower, upper);
    do {
        int moveBit = -1;
        const int score = SearchWithTable(own, opponent, guess - 1, guess + 1, &moveBit);
        if (score < guess) {
            upper = score;
        } else {
            lower = score;
            bestBit = moveBit;
            if (score == guess) upper = score;
        }
        guess = score;
    } while (lower < upper || bestBit < 0);
    result.score = lower;
    result.move = static_cast<uint8_t>(SquareOfBit(FirstBestMove(own, opponent, lower, bestBit)));
    return result;
}

int TEndgameSolver::MoveKey(uint64_t ownAfter, uint64_t opponentAfter, uint64_t square,
                            int empties) const {
    int key = ReplyKey(ownAfter, opponentAfter) - ((square & kCorners) ? kCornerBonus : 0);
    if (ordering_ == nullptr || empties < kEstimatedOrderEmpties) return key;
    const int depth = empties - 1 >= kDeepEstimateEmpties      ? kDeepEstimatePlies
                      : empties - 1 >= kShallowEstimateEmpties ? 1
                                                               : 0;
    return key +
           Estimate(opponentAfter, ownAfter, depth) * kEstimateWeight / ordering_->UnitsPerDisc();
}

int TEndgameSolver::FirstBestMove(uint64_t own, uint64_t opponent, int score, int foundBit) {
    const int empties = 64 - std::popcount(own | opponent);
    TMove moves[kMaxMoves];
    const int count = SortedMoves(
        own, opponent, LegalMovesOf(own, opponent), moves, [](uint64_t, uint64_t) {},
        [&](uint64_t o, uint64_t p, uint64_t square) { return MoveKey(o, p, square, empties); });
    for (int i = 0; i < count; ++i) {
        const int bit = std::countr_zero(moves[i].square);
        if (bit == foundBit) break;
        // Scores are even: a window round the score tells whether the move reaches it.
        if (-Search(opponent & ~moves[i].flips, own | moves[i].flips | moves[i].square, -score - 1,
                    -score + 1) >= score)
            return bit;
    }
    return foundBit;
}

int TEndgameSolver::Estimate(uint64_t own, uint64_t opponent, int depth, int alpha,
                             int beta) const {
    if (depth == 0) return ordering_->Evaluate(own, opponent);
    uint64_t legal = LegalMovesOf(own, opponent);
    if (legal == 0) {
        if (LegalMovesOf(opponent, own) == 0)
            return FinalScore(own, opponent) * ordering_->UnitsPerDisc();
        return -Estimate(opponent, own, depth, -beta, -alpha);
    }
    // The move's key needs the value, not a bound, so a caller gives the whole window; within
    // the search a reply that cannot change the value is cut off.
    int best = -kEstimateBound;
    for (; legal != 0; legal &= legal - 1) {
        const int bit = std::countr_zero(legal);
        const uint64_t flips = FlipsOf(own, opponent, bit);
        best = std::max(best, -Estimate(opponent & ~flips, own | flips | uint64_t{1} << bit,
                                        depth - 1, -beta, -std::max(alpha, best)));
        if (best >= beta) break;
    }
    return best;
}

int TEndgameSolver::FirstGuess(uint64_t own, uint64_t opponent) const {
    if (ordering_ == nullptr) return 0;  // a draw
    // Scores are even: the estimate in discs, rounded to the nearest even number.
    const double discs =
        static_cast<double>(ordering_->Evaluate(own, opponent)) / ordering_->UnitsPerDisc();
    return 2 * static_cast<int>(std::lround(discs / 2));
}

void TEndgameSolver::ThrowIfStopped() const {
    if (stop_ && stop_->load(std::memory_order_relaxed)) throw ESearchStopped();
}

int TEndgameSolver::Search(uint64_t own, uint64_t opponent, int alpha, int beta) {
    const int empties = 64 - std::popcount(own | opponent);
    if (empties >= kTableEmpties) return SearchWithTable(own, opponent, alpha, beta, nullptr);
    return SearchLastEmpties(own, opponent, alpha, beta);
}

TEndgameSolver::TBucket& TEndgameSolver::BucketOf(uint64_t own, uint64_t opponent) {
    return table_[TableHash(own, opponent) & tableMask_];
}

TEndgameSolver::TBounds* TEndgameSolver::Find(uint64_t own, uint64_t opponent) {
    // The three places compared without a branch each (an unused place holds no discs at
    // all, which no position searched has).
    TBucket& bucket = BucketOf(own, opponent);
    int place = -1;
    for (int i = 0; i < 3; ++i)
        place = (bucket.own[i] == own) & (bucket.opponent[i] == opponent) ? i : place;
    return place >= 0 ? &bucket.bounds[place] : nullptr;
}

void TEndgameSolver::Store(uint64_t own, uint64_t opponent, int alpha, int beta, int score,
                           int bestBit) {
    TBounds* entry = Find(own, opponent);
    if (entry == nullptr) {
        // A new position takes the place of the one of the bucket nearest the end, which is
        // the cheapest to find again.
        TBucket& bucket = BucketOf(own, opponent);
        int place = 0;
        for (int i = 1; i < 3; ++i)
            if (bucket.bounds[i].empties < bucket.bounds[place].empties) place = i;
        bucket.own[place] = own;
        bucket.opponent[place] = opponent;
        entry = &bucket.bounds[place];
        *entry = TBounds{-kMaxScore, kMaxScore, 0,
                         static_cast<uint8_t>(64 - std::popcount(own | opponent))};
    }
    // A score at or below the window is an upper bound, at or above it a lower bound.
    if (score < beta) entry->upper = static_cast<int8_t>(std::min<int>(entry->upper, score));
    if (score > alpha) entry->lower = static_cast<int8_t>(std::max<int>(entry->lower, score));
    if (bestBit >= 0) entry->move = static_cast<uint8_t>(bestBit + 1);
}

int TEndgameSolver::SearchWithTable(uint64_t own, uint64_t opponent, int alpha, int beta,
                                    int* bestBitOut) {
    // The table is far bigger than the caches: its entries are fetched ahead of their use,
    // this position's while its moves are found, the next positions' while they are ordered.
    __builtin_prefetch(&BucketOf(own, opponent));
    const int empties = 64 - std::popcount(own | opponent);
    const bool childrenInTable = empties > kTableEmpties;
    ++nodes_;
    if (--untilStopCheck_ == 0) {
        untilStopCheck_ = kStopCheckInterval;
        ThrowIfStopped();
    }
    const uint64_t legal = LegalMovesOf(own, opponent);
    if (legal == 0) {
        if (LegalMovesOf(opponent, own) == 0) return FinalScore(own, opponent);
        return -Search(opponent, own, -beta, -alpha);
    }

    int knownBit = -1;
    if (const TBounds* found = Find(own, opponent)) {
        const TBounds& entry = *found;
        knownBit = entry.move - 1;
        if (bestBitOut == nullptr) {
            if (entry.lower >= beta) return entry.lower;
            if (entry.upper <= alpha) return entry.upper;
            if (entry.lower == entry.upper) return entry.lower;
            alpha = std::max<int>(alpha, entry.lower);
            beta = std::min<int>(beta, entry.upper);
        } else {
            // The root must find a best move too: its window keeps the score strictly inside,
            // so that a move which merely ties a bound is never taken for the best.
            alpha = std::max<int>(alpha, entry.lower - 1);
            beta = std::min<int>(beta, entry.upper + 1);
        }
    }

    // The opponent's discs that can never turn bound the score from above: when that bound
    // is no better than alpha, nothing here can be.
    int stableBound;
    if (bestBitOut == nullptr && StabilityCuts(own, opponent, alpha, empties, &stableBound))
        return stableBound;

    int best = -kMaxScore - 1;
    int bestBit = -1;
    const int windowAlpha = alpha;
    bool first = true;
    // Searches a move, the first with the whole window and the others with a null window
    // first (re-searched only when one proves better); true when it cuts.
    const auto tryMove = [&](int bit, uint64_t flips) {
        const uint64_t ownAfter = own | flips | uint64_t{1} << bit;
        const uint64_t opponentAfter = opponent & ~flips;
        int score;
        if (first) {
            score = -Search(opponentAfter, ownAfter, -beta, -alpha);
            first = false;
        } else {
            score = -Search(opponentAfter, ownAfter, -alpha - 1, -alpha);
            if (score > alpha && score < beta)
                score = -Search(opponentAfter, ownAfter, -beta, -score);
        }
        if (score > best) {
            best = score;
            bestBit = bit;
            if (score > alpha) alpha = score;
        }
        return alpha >= beta;
    };
    // The move the table knows to be best goes first, before the others are even ordered:
    // often it is all that is needed.
    uint64_t others = legal;
    bool cut = false;
    if (knownBit >= 0 && (legal >> knownBit & 1)) {
        others &= ~(uint64_t{1} << knownBit);
        cut = tryMove(knownBit, FlipsOf(own, opponent, knownBit));
    }
    if (!cut && others != 0) {
        TMove moves[kMaxMoves];
        const int count = SortedMoves(
            own, opponent, others, moves,
            [&](uint64_t o, uint64_t p) {
                if (childrenInTable) __builtin_prefetch(&BucketOf(o, p));
            },
            [&](uint64_t o, uint64_t p, uint64_t square) {
                return MoveKey(o, p, square, empties);
            });
        // A move whose position the table already knows to be good enough cuts at once.
        if (bestBitOut == nullptr && empties >= kLookAheadEmpties) {
            for (int i = 0; i < count; ++i) {
                const uint64_t ownAfter = own | moves[i].flips | moves[i].square;
                const uint64_t opponentAfter = opponent & ~moves[i].flips;
                const TBounds* child = Find(opponentAfter, ownAfter);
                if (child != nullptr && -child->upper >= beta) return -child->upper;
            }
        }
        for (int i = 0; i < count; ++i)
            if (tryMove(std::countr_zero(moves[i].square), moves[i].flips)) break;
    }
    Store(own, opponent, windowAlpha, beta, best, bestBit);
    if (bestBitOut != nullptr) *bestBitOut = bestBit;
    return best;
}

int TEndgameSolver::SearchLastEmpties(uint64_t own, uint64_t opponent, int alpha, int beta) {
    const uint64_t empty = ~(own | opponent);
    const int parity = ParityOf(empty);
    switch (std::popcount(empty)) {
        case 0:
            return FinalScore(own, opponent);
        case 1:
            ++nodes_;
            return LastSquare(own, opponent, std::countr_zero(empty));
        case 2:
            return SearchTwo(own, opponent, alpha, beta, std::countr_zero(empty),
                             63 - std::countl_zero(empty), nodes_);
        case 3:
            return SearchThree(own, opponent, alpha, beta, parity, nodes_);
        case 4:
            return SearchShallow<4>(own, opponent, alpha, beta, parity, nodes_);
        case 5:
            return SearchShallow<5>(own, opponent, alpha, beta, parity, nodes_);
        default:
            return SearchShallow<6>(own, opponent, alpha, beta, parity, nodes_);
    }
}
