#pragma once

// How the computer searches.
//
// All four thinking types run the same depth-limited minimax over the engine's own stack
// of snapshots. Values are always seen from white's (the computer's) side: a node where
// white is to move takes its largest child value, a node where black is to move its
// smallest. The squares are tried in the corner-first order and every legal one is
// played on a freshly pushed snapshot; there is no move list, no iterative deepening and
// no clock. A node knows only its parent's bounds (PlyMax and PlyMin of the ply above):
// once the parent has a finished child, a black node stops as soon as one of its children
// is worse for white than the parent's best, and a white node as soon as one is better than
// the parent's worst. 0 marks a ply without a value yet, so no node ever returns 0.
//
// A side without a move passes and the other side is searched at the same ply; that node
// was not reached by the parent's choice, so it never prunes against the parent's bound.
// Two passes in a row, or a side without discs, end the game: the node scores the disc
// difference (white minus black), or WIPE_OUT / -WIPE_OUT for a wipe-out. Every computer move is
// bounded by NODE_LIMIT generated positions: past it, every node that is not a leaf
// returns -1 at once and the best root move found so far stands.
//
// The types differ in their leaf evaluation and a few rules, which a rules class supplies:
// A and C (Evaluate, EvaluatePatterns), D (EvaluateD with mobility terms and a table of
// position keys) and B (EvaluateB in floating point with mobility terms).
//
// Why it is fast, with every result as the square-by-square search gives it: the search
// works on the snapshots' bit sets. A node finds all its legal squares at once and visits
// their bits in the corner-first order; a move turns its discs with a few bit operations
// per direction. Nothing in the search reads a snapshot's cells, so a move writes only
// the snapshot's bits, key and markers, and a leaf, which is only evaluated, only its
// bits; what MakeMove would have left in each snapshot is written once at the end of the
// search, from the last position played there. Type C keeps its 22 pattern indexes move by move
// along the line, and type D fetches its key table entry while the node's moves are being found.

#include <cstdint>
#include <cstring>
#include <string>
#include <type_traits>

#include "engine/untBitBoard.h"
#include "engine/untKyokumen.h"

// The depth the computer's move choice searches to: by level in the midgame (2, 4 or 5
// plies for levels 2 to 4, 2 in the first moves), 6 plies from move 40, 8 from move 48
// and to the end of the game from move 50. moveNumber is the number of moves played.
int SearchDepth(uint8_t gameLevel, int moveNumber);

// What a node's value of 0 becomes: 0 marks a ply without a value, so a real value of 0
// is raised to the smallest value above it that the search uses.
template <typename Value>
constexpr Value NonZeroOfZero() {
    if constexpr (std::is_floating_point_v<Value>)
        return 0.5;
    else
        return 1;
}

// The score of a finished game: the disc difference white minus black, -WIPE_OUT when white
// has no disc, WIPE_OUT when black has none; a draw scores 1 (0 means "no value yet").
template <typename Value>
Value FinishedGameScore(const TKyokumen& k) {
    Value v = static_cast<Value>(k.WhiteCount - k.BlackCount);
    if (k.WhiteCount == 0) v = -WIPE_OUT;
    if (k.BlackCount == 0) v = WIPE_OUT;
    return v == 0 ? NonZeroOfZero<Value>() : v;
}

// The text every search writes at a root improvement: level, best value, the line most
// recently searched, the type, and whether the search reads to the end of the game.
std::string RootComment(const TKyokumen& k, const std::string& value, char type);

// The number of legal moves, up to a cap.
inline int MovesUpTo(uint64_t legalMoves, int cap) {
    return std::min(std::popcount(legalMoves), cap);
}

// The squares the side to move may play on the current snapshot.
inline uint64_t LegalMovesOf(const TKyokumen& k) {
    const TBitBoard bits = k.CurrentBits();
    return k.WhiteToMove ? LegalMovesOf(bits.white, bits.black)
                         : LegalMovesOf(bits.black, bits.white);
}

// The bounds of the integer searches A, C and D: the 16-bit PlyMax and PlyMin. A child's
// value is compared at its full width and stored as its low 16 bits.
class TIntegerRules {
public:
    using Value = int32_t;
    static constexpr Value kCutOff = -1;

    explicit TIntegerRules(TKyokumen& k) : k_(k) {}

    void EnterPly(int d) { k_.PlyMax[d] = k_.PlyMin[d] = 0; }
    Value Max(int d) const { return k_.PlyMax[d]; }
    Value Min(int d) const { return k_.PlyMin[d]; }
    void SetFirst(int d, Value v) { k_.PlyMax[d] = k_.PlyMin[d] = static_cast<int16_t>(v); }
    void Update(int d, Value v) {
        if (v > k_.PlyMax[d]) k_.PlyMax[d] = static_cast<int16_t>(v);
        if (v < k_.PlyMin[d]) k_.PlyMin[d] = static_cast<int16_t>(v);
    }
    // A move at ply d is the line's square d; the line below it starts afresh.
    void RecordMove(int d, uint8_t square) {
        k_.Tejun[d + 1] = 0;
        k_.Tejun[d] = square;
    }
    bool Skips(int, uint8_t) const { return false; }
    void WillExpand(int) {}
    bool Remembers(int, Value&) { return false; }
    void CountMobility(int, uint64_t) {}
    void PrepareRoot() {}
    void Leave(Value) {}
    // From move 57 on every node is searched in full.
    bool PruningOn(int) const { return k_.MoveNumber <= 56; }

protected:
    // The root's best value so far has improved: the move, its value and the comment.
    bool ImproveRoot(char type) {
        if (k_.PlyMax[1] <= k_.BestValue) return false;
        k_.ChosenMove = k_.Tejun[1];
        k_.BestValue = k_.PlyMax[1];
        k_.ThinkComment = RootComment(k_, std::to_string(k_.PlyMax[1]), type);
        return true;
    }

    TKyokumen& k_;
};

// The search may switch pruning off near the end of the game (types B and D): deeper than
// 8 plies from move 58 on, and everywhere when the search from the root reads to the end.
inline bool LatePruningOn(const TKyokumen& k, int d) {
    const int mv = k.MoveNumber;
    return !(mv > 57 && d > 8) && !(mv > 52 && (60 - mv) + d < 9);
}

template <class Rules>
class TSearch {
public:
    using Value = typename Rules::Value;

    explicit TSearch(TKyokumen& k) : k_(k), rules_(k) {}

    // Searches from the current position and leaves every snapshot as a search that plays
    // each of its moves in full would.
    Value Run() {
        const Value v = Node();
        WriteSnapshots();
        return v;
    }

    // Searches the node at the next ply and returns its value.
    Value Node() {
        TKyokumen& k = k_;
        const int d = ++k.SearchPly;
        rules_.EnterPly(d);
        if (d > k.MaxPly || k.MoveNumber == 60) return rules_.Leaf(d);
        if (k.EvalCount > NODE_LIMIT) return Rules::kCutOff;
        rules_.WillExpand(d);
        // The node's legal squares, found all at once; they are tried in the corner-first order.
        const uint64_t legal = LegalMovesOf(k);
        rules_.CountMobility(d, legal);
        if (d == 1) rules_.PrepareRoot();

        bool hasChild = false, remembered = false;
        Value v = 0;
        // The children are leaves when they are beyond the depth limit or end the game.
        const bool leavesBelow = d >= k.MaxPly || k.MoveNumber + 1 == 60;
        ForEachInCornerFirstOrder(legal, [&](int bit) {
            const uint8_t square = kSquareOfBit[bit];
            if (rules_.Skips(d, square)) return true;
            if (rules_.Remembers(d, v)) {
                remembered = true;
                return false;
            }
            const Value child = leavesBelow ? LeafChild(d, square) : Child(d, square);
            if (hasChild) {
                rules_.Update(d, child);
            } else {
                rules_.SetFirst(d, child);
                hasChild = true;
            }
            if (MayPrune(d) && Cuts(d, child)) return false;
            if (d == 1) rules_.UpdateRoot();
            return true;
        });
        if (remembered) return v;

        if (hasChild) {
            v = k.WhiteToMove ? rules_.Max(d) : rules_.Min(d);
        } else {
            if (k.CurrentBoard->Passed == 1) return rules_.GameOver();
            k.CountDiscs();
            if (k.BlackCount == 0 || k.WhiteCount == 0) return FinishedGameScore<Value>(k);
            v = Pass();
        }
        if (v == 0) v = NonZeroOfZero<Value>();
        rules_.Leave(v);
        return v;
    }

private:
    // Plays a move of the search as MakeMove plays it, the snapshot's cells aside: its bit
    // sets, key (the new colour of every changed disc toggled in) and markers are written
    // now, since the search reads them; nothing in the search reads the cells, which
    // WriteSnapshots writes once at the end from the bits. This saves copying and writing
    // the cells at every move.
    void Play(uint8_t square) {
        TKyokumen& k = k_;
        const uint8_t mover = k.MoverColour();
        const uint64_t changed = k.MakeMoveOnBits(square);
        const int level = k.StackDepth - 1;
        TBoard_Data& child = *k.CurrentBoard;
        child.Hash.Key = child.Hash.KeyAfter(k.Boards[level - 1].Hash.Key, changed, mover);
        child.Hash.ValueState = 0;
        child.Passed = 0;
        played_[level] = {true, false};
    }

    // A leaf's move: a leaf is only evaluated, so even its key and markers, which nothing
    // reads, wait for WriteSnapshots; what it needs for them is noted.
    void PlayLeaf(uint8_t square) {
        TKyokumen& k = k_;
        const bool white = k.WhiteToMove;
        const uint64_t parentKey = k.CurrentBoard->Hash.Key;
        const uint64_t changed = k.MakeMoveOnBits(square);
        played_[k.StackDepth - 1] = {true, true, white, changed, parentKey};
    }

    // Every snapshot the search played on, as MakeMove would have left it: the cells of the
    // last position played there, from its bits (the cells off the board are the same in
    // every snapshot), and for a leaf its key and markers.
    void WriteSnapshots() {
        TKyokumen& k = k_;
        for (int level = 1; level < SNAPSHOTS; ++level) {
            const TPlayed& played = played_[level];
            if (!played.any) continue;
            TBoard_Data& snapshot = k.Boards[level];
            std::memcpy(snapshot.Cells, k.Boards[0].Cells, sizeof snapshot.Cells);
            snapshot.SetCellsFrom(snapshot.Bits);
            if (!played.leaf) continue;
            const uint8_t mover = played.white ? WHITE : BLACK;
            snapshot.Hash.Key = snapshot.Hash.KeyAfter(played.parentKey, played.changed, mover);
            snapshot.Hash.ValueState = 0;
            snapshot.Passed = 0;
        }
    }

    // Plays a move, searches the position after it for the other side, and takes it back.
    Value Child(int d, uint8_t square) {
        TKyokumen& k = k_;
        Play(square);
        ++k.EvalCount;
        rules_.RecordMove(d, square);
        k.SwitchSide();
        const Value v = Node();
        k.SwitchSide();
        --k.SearchPly;
        k.UndoMove();
        return v;
    }

    // A child that is a leaf: the same steps as Child and the leaf's Node.
    Value LeafChild(int d, uint8_t square) {
        TKyokumen& k = k_;
        PlayLeaf(square);
        ++k.EvalCount;
        rules_.RecordMove(d, square);
        k.SwitchSide();
        ++k.SearchPly;
        rules_.EnterPly(d + 1);
        const Value v = rules_.Leaf(d + 1);
        k.SwitchSide();
        --k.SearchPly;
        k.UndoMove();
        return v;
    }

    // The side to move has no move: the other side moves on the same snapshot, at the
    // same ply.
    Value Pass() {
        TKyokumen& k = k_;
        --k.SearchPly;
        k.CurrentBoard->Passed = 1;
        k.SwitchSide();
        const Value v = Node();
        k.SwitchSide();
        return v;
    }

    // Pruning needs a parent with a finished child and a node that the parent's choice
    // led to (not one reached by a pass); the rules may switch it off near the end.
    bool MayPrune(int d) const {
        return d > 1 && rules_.Max(d - 1) != 0 && rules_.Min(d - 1) != 0 &&
               k_.CurrentBoard->Passed == 0 && rules_.PruningOn(d);
    }

    bool Cuts(int d, Value v) const {
        return k_.WhiteToMove ? rules_.Min(d - 1) < v : rules_.Max(d - 1) > v;
    }

    // What the search last played into each snapshot: anything at all, and whether it was
    // a leaf, with the leaf's mover, changed discs and the key it was played from.
    struct TPlayed {
        bool any = false;
        bool leaf = false;
        bool white = false;
        uint64_t changed = 0;
        uint64_t parentKey = 0;
    };

    TKyokumen& k_;
    Rules rules_;
    TPlayed played_[SNAPSHOTS];
};
