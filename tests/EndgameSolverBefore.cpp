#include "EndgameSolverBefore.h"

#include <algorithm>
#include <bit>

#include "engine/untBitBoard.h"
#include "engine/untEngineError.h"

namespace {

constexpr int kMaxScore = 64;
// Empty squares from which the table is used, and from which moves are sorted. These, the
// weights of the move order and the corner bonus were chosen by the positions searched on
// endgames of 20 empty squares from the training games.
constexpr int kTableEmpties = 8;
constexpr int kSortEmpties = 6;
// Empty squares from which the table is asked about every move's position before searching.
constexpr int kLookAheadEmpties = 10;
constexpr int kMaxMoves = 32;  // more legal moves than any position has
// How often a stop is looked for: every 1024 positions of the table's tier, a fraction of
// a millisecond apart.
constexpr uint64_t kStopCheckMask = 1023;

// The four quadrants of the board, for the parity order of the last empties.
constexpr uint64_t kQuadrants[4] = {0x000000000F0F0F0Full, 0x00000000F0F0F0F0ull,
                                    0x0F0F0F0F00000000ull, 0xF0F0F0F000000000ull};

// The empties of the quadrants holding an odd number of them.
inline uint64_t OddQuadrantEmpties(uint64_t empty) {
    uint64_t odd = 0;
    for (const uint64_t quadrant : kQuadrants)
        if (std::popcount(empty & quadrant) & 1) odd |= empty & quadrant;
    return odd;
}

// The squares next to a disc of b.
inline uint64_t Neighbours(uint64_t b) {
    return WithNeighbourIn<1>(b) | WithNeighbourIn<-1>(b) | WithNeighbourIn<10>(b) |
           WithNeighbourIn<-10>(b) | WithNeighbourIn<11>(b) | WithNeighbourIn<-11>(b) |
           WithNeighbourIn<9>(b) | WithNeighbourIn<-9>(b);
}

// Taking a corner counts as this many fewer replies in the fastest-first order.
constexpr int kCornerBonus = 3;

// The fastest-first key of a move: the opponent's replies after it, a corner reply counting
// double, and then the empty squares next to the mover's discs (where the opponent may
// find replies later). Smaller is tried first.
inline int ReplyKey(uint64_t ownAfter, uint64_t opponentAfter) {
    const uint64_t replies = LegalMovesOf(opponentAfter, ownAfter);
    const uint64_t empty = ~(ownAfter | opponentAfter);
    return 4 * (std::popcount(replies) + std::popcount(replies & kCorners)) +
           std::popcount(Neighbours(ownAfter) & empty);
}

struct TMove {
    uint64_t square = 0;
    uint64_t flips = 0;
    int key = 0;
};

// The legal moves in fastest-first order, with a move known to be good (bit index, or -1)
// first. Returns their number.
int SortedMoves(uint64_t own, uint64_t opponent, uint64_t legal, int firstBit,
                TMove (&moves)[kMaxMoves]) {
    int count = 0;
    for (uint64_t rest = legal; rest != 0; rest &= rest - 1) {
        TMove& m = moves[count++];
        m.square = rest & (~rest + 1);
        m.flips = FlipsOf(own, opponent, std::countr_zero(m.square));
        m.key = std::countr_zero(m.square) == firstBit
                    ? -1
                    : ReplyKey(own | m.flips | m.square, opponent & ~m.flips) -
                          ((m.square & kCorners) ? kCornerBonus : 0);
    }
    std::sort(moves, moves + count, [](const TMove& a, const TMove& b) { return a.key < b.key; });
    return count;
}

uint64_t TableHash(uint64_t own, uint64_t opponent) {
    uint64_t h = own * 0x9E3779B97F4A7C15ull ^ std::rotl(opponent * 0xC2B2AE3D27D4EB4Full, 31);
    return h ^ (h >> 29);
}

}  // namespace

TEndgameSolverBefore::TEndgameSolverBefore(int tableBits)
    : table_(std::size_t{1} << tableBits), tableMask_((uint64_t{1} << tableBits) - 1) {}

void TEndgameSolverBefore::Clear() {
    std::fill(table_.begin(), table_.end(), TEntry{});
}

TEndgameResult TEndgameSolverBefore::Solve(uint64_t own, uint64_t opponent) {
    if (own & opponent) throw EEngineError("Solve: the two sides' discs overlap");
    TEndgameResult result;
    if (LegalMovesOf(own, opponent) == 0) {
        // A pass, or the end of the game; the search scores both.
        result.score = Search(own, opponent, -kMaxScore, kMaxScore);
        return result;
    }
    int bestBit = -1;
    result.score = SearchWithTable(own, opponent, -kMaxScore, kMaxScore, &bestBit);
    result.move = static_cast<uint8_t>(SquareOfBit(bestBit));
    return result;
}

void TEndgameSolverBefore::ThrowIfStopped() const {
    if (stop_ && stop_->load(std::memory_order_relaxed)) throw ESearchStopped();
}

int TEndgameSolverBefore::Search(uint64_t own, uint64_t opponent, int alpha, int beta) {
    const int empties = 64 - std::popcount(own | opponent);
    if (empties >= kTableEmpties) return SearchWithTable(own, opponent, alpha, beta, nullptr);
    if (empties >= kSortEmpties) return SearchSorted(own, opponent, alpha, beta);
    return SearchParity(own, opponent, alpha, beta);
}

TEndgameSolverBefore::TEntry* TEndgameSolverBefore::Find(uint64_t own, uint64_t opponent) {
    const std::size_t index = TableHash(own, opponent) & tableMask_ & ~std::size_t{1};
    for (std::size_t i = index; i <= index + 1; ++i) {
        TEntry& entry = table_[i];
        if (entry.empties != 0 && entry.own == own && entry.opponent == opponent) return &entry;
    }
    return nullptr;
}

void TEndgameSolverBefore::Store(uint64_t own, uint64_t opponent, int alpha, int beta, int score,
                                 int bestBit) {
    TEntry* entry = Find(own, opponent);
    if (entry == nullptr) {
        // A new position takes the place of the one of the pair nearer the end, which is
        // cheaper to find again.
        const std::size_t index = TableHash(own, opponent) & tableMask_ & ~std::size_t{1};
        entry = &table_[table_[index].empties <= table_[index + 1].empties ? index : index + 1];
        *entry =
            TEntry{own,       opponent, -kMaxScore,
                   kMaxScore, 0,        static_cast<uint8_t>(64 - std::popcount(own | opponent))};
    }
    // A score at or below the window is an upper bound, at or above it a lower bound.
    if (score < beta) entry->upper = static_cast<int8_t>(std::min<int>(entry->upper, score));
    if (score > alpha) entry->lower = static_cast<int8_t>(std::max<int>(entry->lower, score));
    if (bestBit >= 0) entry->move = static_cast<uint8_t>(bestBit + 1);
}

int TEndgameSolverBefore::SearchWithTable(uint64_t own, uint64_t opponent, int alpha, int beta,
                                          int* bestBitOut) {
    ++nodes_;
    if ((nodes_ & kStopCheckMask) == 0) ThrowIfStopped();
    const uint64_t legal = LegalMovesOf(own, opponent);
    if (legal == 0) {
        if (LegalMovesOf(opponent, own) == 0) return FinalScore(own, opponent);
        return -Search(opponent, own, -beta, -alpha);
    }

    int knownBit = -1;
    if (const TEntry* found = Find(own, opponent)) {
        const TEntry& entry = *found;
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

    TMove moves[kMaxMoves];
    const int count = SortedMoves(own, opponent, legal, knownBit, moves);
    // A move whose position the table already knows to be good enough cuts at once.
    if (bestBitOut == nullptr && 64 - std::popcount(own | opponent) >= kLookAheadEmpties) {
        for (int i = 0; i < count; ++i) {
            const uint64_t ownAfter = own | moves[i].flips | moves[i].square;
            const uint64_t opponentAfter = opponent & ~moves[i].flips;
            const TEntry* child = Find(opponentAfter, ownAfter);
            if (child != nullptr && -child->upper >= beta) return -child->upper;
        }
    }
    int best = -kMaxScore - 1;
    int bestBit = -1;
    const int windowAlpha = alpha;
    for (int i = 0; i < count; ++i) {
        const uint64_t ownAfter = own | moves[i].flips | moves[i].square;
        const uint64_t opponentAfter = opponent & ~moves[i].flips;
        int score;
        if (i == 0) {
            score = -Search(opponentAfter, ownAfter, -beta, -alpha);
        } else {
            score = -Search(opponentAfter, ownAfter, -alpha - 1, -alpha);
            if (score > alpha && score < beta)
                score = -Search(opponentAfter, ownAfter, -beta, -score);
        }
        if (score > best) {
            best = score;
            bestBit = std::countr_zero(moves[i].square);
            if (score > alpha) alpha = score;
            if (alpha >= beta) break;
        }
    }
    Store(own, opponent, windowAlpha, beta, best, bestBit);
    if (bestBitOut != nullptr) *bestBitOut = bestBit;
    return best;
}

int TEndgameSolverBefore::SearchSorted(uint64_t own, uint64_t opponent, int alpha, int beta) {
    ++nodes_;
    const uint64_t legal = LegalMovesOf(own, opponent);
    if (legal == 0) {
        if (LegalMovesOf(opponent, own) == 0) return FinalScore(own, opponent);
        return -Search(opponent, own, -beta, -alpha);
    }
    TMove moves[kMaxMoves];
    const int count = SortedMoves(own, opponent, legal, -1, moves);
    int best = -kMaxScore - 1;
    for (int i = 0; i < count; ++i) {
        const int score = -Search(opponent & ~moves[i].flips,
                                  own | moves[i].flips | moves[i].square, -beta, -alpha);
        if (score > best) {
            best = score;
            if (score > alpha) alpha = score;
            if (alpha >= beta) break;
        }
    }
    return best;
}

int TEndgameSolverBefore::SearchParity(uint64_t own, uint64_t opponent, int alpha, int beta) {
    ++nodes_;
    const uint64_t empty = ~(own | opponent);
    if (std::popcount(empty) == 1) return LastSquare(own, opponent);
    // Only a square next to an opponent disc can turn one.
    const uint64_t candidates = empty & Neighbours(opponent);
    const uint64_t odd = OddQuadrantEmpties(empty) & candidates;
    int best = -kMaxScore - 1;
    bool moved = false;
    // The odd quadrants' empties first, then the others.
    for (const uint64_t group : {odd, candidates & ~odd}) {
        for (uint64_t rest = group; rest != 0; rest &= rest - 1) {
            const uint64_t square = rest & (~rest + 1);
            const uint64_t flips = FlipsOf(own, opponent, std::countr_zero(square));
            if (flips == 0) continue;
            moved = true;
            const int score = -SearchParity(opponent & ~flips, own | flips | square, -beta, -alpha);
            if (score > best) {
                best = score;
                if (score > alpha) alpha = score;
                if (alpha >= beta) return best;
            }
        }
    }
    if (moved) return best;
    if (LegalMovesOf(opponent, own) == 0) return FinalScore(own, opponent);
    return -SearchParity(opponent, own, -beta, -alpha);
}

// One empty square left: count the discs after whoever can play it, without playing it.
int TEndgameSolverBefore::LastSquare(uint64_t own, uint64_t opponent) {
    const uint64_t square = ~(own | opponent);
    const int ownDiscs = std::popcount(own);
    if (const uint64_t flips = FlipsOf(own, opponent, std::countr_zero(square))) {
        const int after = ownDiscs + std::popcount(flips) + 1;
        return 2 * after - 64;
    }
    if (const uint64_t flips = FlipsOf(opponent, own, std::countr_zero(square))) {
        const int after = ownDiscs - std::popcount(flips);
        return 2 * after - 64;
    }
    return FinalScore(own, opponent);
}
