#include "advice/untAdviceSearch.h"

#include <algorithm>
#include <bit>

#include "engine/untBitBoard.h"
#include "engine/untEngineError.h"

namespace {

constexpr int kUnits = TAdviceWeights::kUnitsPerDisc;
constexpr int kInfinity = 65 * kUnits;
constexpr int kStopCheckInterval = 4096;
// From this many plies left, moves are ordered by the evaluation of where they lead; nearer
// the leaves by the opponent's replies, which is cheaper.
constexpr int kEvaluationOrderDepth = 6;

// The symmetries on TBitBoard's layout, where each byte is a column (h first) and bit k of
// a byte is row k + 1: a byte swap mirrors the files, a bit reversal within each byte the
// ranks, and the transpose exchanges files and ranks.
uint64_t MirrorRanks(uint64_t b) {
    b = (b >> 1 & 0x5555555555555555ull) | (b & 0x5555555555555555ull) << 1;
    b = (b >> 2 & 0x3333333333333333ull) | (b & 0x3333333333333333ull) << 2;
    return (b >> 4 & 0x0F0F0F0F0F0F0F0Full) | (b & 0x0F0F0F0F0F0F0F0Full) << 4;
}
uint64_t Transpose(uint64_t b) {
    uint64_t t = (b ^ (b >> 7)) & 0x00AA00AA00AA00AAull;
    b ^= t ^ (t << 7);
    t = (b ^ (b >> 14)) & 0x0000CCCC0000CCCCull;
    b ^= t ^ (t << 14);
    t = (b ^ (b >> 28)) & 0x00000000F0F0F0F0ull;
    return b ^ t ^ (t << 28);
}

int FinalValue(uint64_t own, uint64_t opponent) {
    return FinalScore(own, opponent) * kUnits;
}

}  // namespace

// Symmetry bits: 4 transposes first, then 1 mirrors the files and 2 the ranks.
uint64_t ImageOf(uint64_t discs, int symmetry) {
    if (symmetry & 4) discs = Transpose(discs);
    if (symmetry & 1) discs = __builtin_bswap64(discs);
    if (symmetry & 2) discs = MirrorRanks(discs);
    return discs;
}

int ImageOfBit(int bit, int symmetry) {
    return std::countr_zero(ImageOf(uint64_t{1} << bit, symmetry));
}

int InverseSymmetry(int symmetry) {
    // A transpose followed by mirrors is undone by the mirrors exchanged, then the transpose.
    if (!(symmetry & 4)) return symmetry;
    return 4 | (symmetry & 1) << 1 | (symmetry & 2) >> 1;
}

int CanonicalSymmetry(uint64_t own, uint64_t opponent) {
    int best = 0;
    uint64_t bestOwn = own, bestOpponent = opponent;
    for (int symmetry = 1; symmetry < 8; ++symmetry) {
        const uint64_t o = ImageOf(own, symmetry), p = ImageOf(opponent, symmetry);
        if (o < bestOwn || (o == bestOwn && p < bestOpponent)) {
            best = symmetry;
            bestOwn = o;
            bestOpponent = p;
        }
    }
    return best;
}

TAdviceSearch::TAdviceSearch(std::shared_ptr<const TAdviceWeights> weights, int tableBits)
    : weights_(std::move(weights)),
      table_(std::size_t{1} << tableBits),
      tableMask_((uint64_t{1} << tableBits) - 1) {}

void TAdviceSearch::CountNode() {
    if (++nodes_ % kStopCheckInterval == 0 && stop_ && stop_->load(std::memory_order_relaxed))
        throw ESearchStopped();
}

TAdviceSearch::TEntry& TAdviceSearch::EntryOf(uint64_t own, uint64_t opponent) {
    uint64_t h =
        own * 0x9E3779B97F4A7C15ull ^ (opponent + 0x632BE59BD9B4E019ull) * 0xC2B2AE3D27D4EB4Full;
    h ^= h >> 29;
    return table_[h & tableMask_];
}

int TAdviceSearch::OrderMoves(uint64_t own, uint64_t opponent, uint64_t moves, int depth,
                              int firstBit, int* bits) const {
    int keys[64];
    int count = 0;
    for (uint64_t left = moves; left; left &= left - 1) {
        const int bit = std::countr_zero(left);
        const uint64_t changed = FlipsOf(own, opponent, bit) | uint64_t{1} << bit;
        const uint64_t newOwn = own | changed, newOpponent = opponent & ~changed;
        int key;
        if (bit == firstBit) {
            key = -4 * kInfinity;
        } else if (depth >= kEvaluationOrderDepth) {
            key = weights_->Evaluate(newOpponent, newOwn);
        } else {
            const uint64_t replies = LegalMovesOf(newOpponent, newOwn);
            key = std::popcount(replies) + std::popcount(replies & kCorners);
        }
        int i = count++;
        for (; i > 0 && keys[i - 1] > key; --i) {
            keys[i] = keys[i - 1];
            bits[i] = bits[i - 1];
        }
        keys[i] = key;
        bits[i] = bit;
    }
    return count;
}

int TAdviceSearch::Search(uint64_t own, uint64_t opponent, int depth, int alpha, int beta) {
    CountNode();
    const uint64_t moves = LegalMovesOf(own, opponent);
    if (moves == 0) {
        if (LegalMovesOf(opponent, own) == 0)
            return std::clamp(FinalValue(own, opponent), alpha, beta);
        return -Search(opponent, own, depth, -beta, -alpha);
    }
    if (depth == 0) return std::clamp(weights_->Evaluate(own, opponent, moves), alpha, beta);

    TEntry& entry = EntryOf(own, opponent);
    int firstBit = -1;
    if (entry.own == own && entry.opponent == opponent && entry.depth >= 0) {
        firstBit = entry.bestBit;
        if (entry.depth == depth) {
            if (entry.lower >= beta) return beta;
            if (entry.upper <= alpha) return alpha;
            if (entry.lower == entry.upper) return entry.lower;
            alpha = std::max(alpha, entry.lower);
            beta = std::min(beta, entry.upper);
        }
    }

    int bits[64];
    const int count = OrderMoves(own, opponent, moves, depth, firstBit, bits);
    const int originalAlpha = alpha;
    int bestBit = bits[0];
    for (int i = 0; i < count; ++i) {
        const int bit = bits[i];
        const uint64_t changed = FlipsOf(own, opponent, bit) | uint64_t{1} << bit;
        const uint64_t newOwn = own | changed, newOpponent = opponent & ~changed;
        int value;
        if (i == 0) {
            value = -Search(newOpponent, newOwn, depth - 1, -beta, -alpha);
        } else {
            value = -Search(newOpponent, newOwn, depth - 1, -alpha - 1, -alpha);
            if (value > alpha && value < beta)
                value = -Search(newOpponent, newOwn, depth - 1, -beta, -alpha);
        }
        if (value > alpha) {
            alpha = value;
            bestBit = bit;
            if (alpha >= beta) break;
        }
    }
    // Fail hard: alpha is now the exact value, or a bound at one of the window's edges.
    TEntry& slot = EntryOf(own, opponent);
    if (slot.own != own || slot.opponent != opponent || slot.depth != depth) {
        slot = TEntry{own, opponent, -kInfinity, kInfinity, static_cast<int8_t>(depth), -1};
    }
    if (alpha >= beta) {
        slot.lower = std::max(slot.lower, beta);
    } else if (alpha <= originalAlpha) {
        slot.upper = std::min(slot.upper, originalAlpha);
    } else {
        slot.lower = slot.upper = alpha;
    }
    if (alpha > originalAlpha) slot.bestBit = static_cast<int8_t>(bestBit);
    return std::min(alpha, beta);
}

int TAdviceSearch::Value(uint64_t own, uint64_t opponent, int depth) {
    return Search(own, opponent, depth, -kInfinity, kInfinity);
}

TAdviceMove TAdviceSearch::Best(uint64_t own, uint64_t opponent, int depth) {
    const int symmetry = CanonicalSymmetry(own, opponent);
    const uint64_t o = ImageOf(own, symmetry), p = ImageOf(opponent, symmetry);
    const uint64_t moves = LegalMovesOf(o, p);
    if (moves == 0) throw EEngineError("TAdviceSearch::Best: the side to move has no move");
    struct TRootMove {
        int bit, value;
        uint64_t own, opponent;  // the position after it, the opponent to move
    };
    TRootMove root[64];
    int count = 0;
    for (uint64_t left = moves; left; left &= left - 1) {
        const int bit = std::countr_zero(left);
        const uint64_t changed = FlipsOf(o, p, bit) | uint64_t{1} << bit;
        root[count++] = {bit, 0, p & ~changed, o | changed};
    }
    // Iterative deepening, two plies a step up to the last two depths: each iteration orders
    // the moves by the values of the one before (stable, so ties keep the order of the
    // squares) and finds the first of the best.
    TAdviceMove best;
    int d = depth > 2 && depth % 2 == 0 ? 2 : 1;
    while (true) {
        std::stable_sort(root, root + count,
                         [](const TRootMove& a, const TRootMove& b) { return a.value > b.value; });
        int alpha = -kInfinity;
        for (int i = 0; i < count; ++i) {
            TRootMove& m = root[i];
            int value;
            if (i == 0) {
                value = -Search(m.own, m.opponent, d - 1, -kInfinity, kInfinity);
            } else {
                value = -Search(m.own, m.opponent, d - 1, -alpha - 1, -alpha);
                if (value > alpha) value = -Search(m.own, m.opponent, d - 1, -kInfinity, -alpha);
            }
            // Moves that fail low keep their bound (at most alpha) as their place in the next
            // order, which depends on the position alone.
            m.value = value;
            if (i == 0 || value > alpha) alpha = value;
        }
        if (d == depth) {
            best.bit = root[0].bit;
            for (int i = 0; i < count; ++i)
                if (root[i].value == alpha) {
                    best.bit = root[i].bit;
                    break;
                }
            best.value = alpha;
            break;
        }
        best.shallower = alpha;
        d += d + 2 < depth ? 2 : 1;
    }
    if (depth == 1) best.shallower = best.value;
    best.bit = ImageOfBit(best.bit, InverseSymmetry(symmetry));
    return best;
}
