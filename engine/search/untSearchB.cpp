// Thinking type B: the minimax in floating point on EvaluateB. Leaves before move 50
// weigh how many moves each side had along the line, counted before move 26; corner moves
// are not tried at ply 5 in the first 30 moves.
#include <cstdio>

#include "engine/eval/untEvalSquares.h"
#include "engine/search/untSearch.h"

namespace {

constexpr int kMobilityCap = 8;
constexpr int kLastCountedMove = 25;
constexpr int kLastMobilityLeaf = 49;

// The change of a leaf value for a side that had m moves at one ply (m negative for black).
double MobilityTerm(int m) {
    switch (m) {
        case 1:
            return -6;
        case 2:
            return -3.5;
        case 3:
            return -2.5;
        case 4:
            return -1;
        case -1:
            return 6;
        case -2:
            return 3.5;
        case -3:
            return 2.5;
        case -4:
            return 1;
    }
    return 0;
}

// Shortest form with up to 15 significant digits: 57, 12.3, -4.5.
std::string GeneralFormat(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.15g", value);
    return text;
}

class TSearchBRules {
public:
    using Value = double;
    static constexpr Value kCutOff = -1.0;

    explicit TSearchBRules(TKyokumen& k) : k_(k) {}

    void EnterPly(int d) {
        k_.PlyMaxReal[d] = k_.PlyMinReal[d] = 0.0;
        k_.PlyMobility[d] = 0;
    }
    Value Max(int d) const { return k_.PlyMaxReal[d]; }
    Value Min(int d) const { return k_.PlyMinReal[d]; }
    void SetFirst(int d, Value v) { k_.PlyMaxReal[d] = k_.PlyMinReal[d] = v; }
    void Update(int d, Value v) {
        if (v > k_.PlyMaxReal[d]) k_.PlyMaxReal[d] = v;
        if (v < k_.PlyMinReal[d]) k_.PlyMinReal[d] = v;
    }
    void RecordMove(int d, uint8_t square) { k_.Tejun[d] = square; }
    bool Skips(int d, uint8_t square) const {
        return d == 5 && k_.MoveNumber <= 30 && IsCornerSquare(square);
    }
    void WillExpand(int) {}
    bool Remembers(int, Value&) { return false; }
    void PrepareRoot() {}
    void Leave(Value) {}
    bool PruningOn(int d) const { return LatePruningOn(k_, d); }

    Value Leaf(int d) {
        double v = k_.EvaluateB();
        if (k_.MoveNumber > kLastMobilityLeaf || v == WIPE_OUT || v == -WIPE_OUT) return v;
        for (int p = 1; p <= std::min(d - 1, 4); ++p) {
            const int m = k_.PlyMobility[p], n = k_.PlyMobility[p + 1];
            v += MobilityTerm(m);
            if (p == d - 1) continue;
            if (m > -n) v += 0.3;
            if (m < -n) v -= 0.3;
        }
        return v == 0.0 ? 0.5 : v;
    }

    void CountMobility(int d, uint64_t legal) {
        if (k_.MoveNumber > kLastCountedMove) return;
        const int count = MovesUpTo(legal, kMobilityCap);
        k_.PlyMobility[d] = static_cast<int8_t>(k_.WhiteToMove ? count : -count);
    }

    Value GameOver() {
        k_.EvaluateB();  // recounts the discs
        return FinishedGameScore<Value>(k_);
    }

    void UpdateRoot() {
        if (k_.PlyMaxReal[1] <= k_.BestValueReal) return;
        k_.ChosenMove = k_.Tejun[1];
        k_.BestValueReal = k_.PlyMaxReal[1];
        k_.ThinkComment = RootComment(k_, GeneralFormat(k_.PlyMaxReal[1]), 'B');
    }

private:
    TKyokumen& k_;
};

}  // namespace

double TKyokumen::SearchB() {
    return TSearch<TSearchBRules>(*this).Run();
}
