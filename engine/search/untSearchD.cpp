// Thinking type D: the minimax on EvaluateD with two additions. Leaves before move 55
// weigh how many moves each side had along the line (having few moves is bad), and before
// move 50 a table of position keys lets a node return a value remembered from an earlier
// visit, or an earlier computer move, without being searched again.
#include "engine/search/untSearch.h"

namespace {

constexpr int kMobilityCap = 10;
constexpr int kLastCountedMove = 53;  // moves are counted up to this move number
constexpr int kLastMobilityLeaf = 54;
constexpr int kLastKeyedMove = 49;

// The change of a leaf value for a side that had m moves at one ply (m negative for black).
int MobilityTerm(int m) {
    switch (m) {
        case 1:
            return -5;
        case 2:
            return -3;
        case 3:
            return -2;
        case 4:
            return -1;
        case -1:
            return 5;
        case -2:
            return 3;
        case -3:
            return 2;
        case -4:
            return 1;
    }
    return 0;
}

class TSearchDRules : public TIntegerRules {
public:
    using TIntegerRules::TIntegerRules;

    void EnterPly(int d) {
        TIntegerRules::EnterPly(d);
        k_.PlyMobility[d] = 0;
    }

    Value Leaf(int d) {
        int16_t v = k_.EvaluateD();
        if (k_.MoveNumber > kLastMobilityLeaf || v == WIPE_OUT || v == -WIPE_OUT) return v;
        for (int p = 1; p <= std::min(d - 1, 4); ++p) {
            const int m = k_.PlyMobility[p], n = k_.PlyMobility[p + 1];
            int term = MobilityTerm(m);
            if (m > -n) term += 1;
            if (m < -n) term -= 1;
            v = static_cast<int16_t>(v + term);
        }
        return v == 0 ? 1 : v;
    }

    // The node will look its key up before each move: the table is large, so the entry is
    // fetched now, while the moves are found.
    void WillExpand(int) { __builtin_prefetch(&KeyTableEntry()); }

    void CountMobility(int d, uint64_t legal) {
        if (k_.MoveNumber > kLastCountedMove) return;
        const int count = MovesUpTo(legal, kMobilityCap);
        k_.PlyMobility[d] = static_cast<int8_t>(k_.WhiteToMove ? count : -count);
    }

    // The root's key is computed from scratch, and the root is remembered with its static
    // value.
    void PrepareRoot() {
        THashTable& hash = k_.CurrentBoard->Hash;
        hash.Key = 0;
        hash.EndValue = k_.Evaluate();
        hash.ValueState = 0;
        for (int square = 11; square <= 88; ++square)
            hash.Toggle(k_.CurrentBoard->Cells[square], static_cast<uint8_t>(square));
        RememberKey();
    }

    // A position seen before with a final value on the cutting side of the parent's bound
    // is not searched again.
    bool Remembers(int d, Value& v) {
        const THashTable& hash = k_.CurrentBoard->Hash;
        if (d <= 1 || k_.MoveNumber > kLastKeyedMove || !KeyIsRemembered() || hash.ValueState != 0)
            return false;
        const bool cuts =
            k_.WhiteToMove ? hash.EndValue > k_.PlyMin[d - 1] : hash.EndValue < k_.PlyMax[d - 1];
        if (cuts) v = static_cast<int16_t>(hash.EndValue);
        return cuts;
    }

    // A better child after the first is remembered as a running maximum or minimum.
    void Update(int d, Value v) {
        if (v > k_.PlyMax[d]) {
            k_.PlyMax[d] = static_cast<int16_t>(v);
            Store(v, 2);
        }
        if (v < k_.PlyMin[d]) {
            k_.PlyMin[d] = static_cast<int16_t>(v);
            Store(v, 1);
        }
    }

    bool PruningOn(int d) const { return LatePruningOn(k_, d); }

    Value GameOver() {
        k_.EvaluateD();  // recounts the discs
        return FinishedGameScore<Value>(k_);
    }

    void Leave(Value v) { Store(v, 0); }

    void UpdateRoot() { ImproveRoot('D'); }

private:
    uint64_t& KeyTableEntry() { return k_.KeyTable[k_.CurrentBoard->Hash.Key & 0xFFFF]; }
    bool KeyIsRemembered() { return KeyTableEntry() == k_.CurrentBoard->Hash.Key; }
    void RememberKey() { KeyTableEntry() = k_.CurrentBoard->Hash.Key; }

    void Store(Value v, uint8_t state) {
        RememberKey();
        k_.CurrentBoard->Hash.EndValue = v;
        k_.CurrentBoard->Hash.ValueState = state;
    }
};

}  // namespace

int16_t TKyokumen::SearchD() {
    return static_cast<int16_t>(TSearch<TSearchDRules>(*this).Run());
}
