// The hot paths of the engine allocate nothing: legality tests, moves, undo, the
// evaluation and the endgame solver work on fixed-size data only. This program counts every
// allocation made through operator new, so it is a test executable of its own.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "engine/search/untEndgameSolver.h"
#include "engine/untBitBoard.h"
#include "engine/untKyokumen.h"
#include "engine/untRandom.h"

namespace {
std::atomic<long> gAllocations{0};
}  // namespace

// None of the replacements is inlined: inlined, a malloc or free call paired with the
// library's own operator new or delete looks like a mismatch to the compiler's checks.
[[gnu::noinline]] void* operator new(std::size_t size) {
    ++gAllocations;
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
[[gnu::noinline]] void operator delete(void* p) noexcept {
    std::free(p);
}
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace {

// Squares the side to move may play, in the searches' order.
int LegalSquares(const TKyokumen& k, uint8_t (&legal)[64]) {
    int count = 0;
    for (int i = 1; i <= 64; ++i)
        if (k.IsLegal(k.CornerFirstOrder[i])) legal[count++] = k.CornerFirstOrder[i];
    return count;
}

// The squares of the side to move, after a pass when it has none; 0 when the game is over.
int MoverSquares(TKyokumen& k, uint8_t (&legal)[64]) {
    const int count = LegalSquares(k, legal);
    if (count > 0) return count;
    k.SwitchSide();
    return LegalSquares(k, legal);
}

// Walks random lines as deep as the stack allows from the start position, the way a
// search does, evaluating every position with every evaluation; then plays one whole game
// move by move with Commit. Returns the number of moves made.
int PlayRandomLinesAndAGame(TKyokumen& k, int lines) {
    TKyokumen::CopyCells(k.Boards[0], k.Boards[TAKE_BACK_BOARD]);
    k.SavedMoveNumber = k.MoveNumber;
    uint8_t legal[64];
    int moves = 0;
    for (int line = 0; line < lines; ++line) {
        k.RestoreTakeBack();
        k.WhiteToMove = false;
        int depth = 0;
        while (depth < STACK_LEVELS - 1) {
            const int count = MoverSquares(k, legal);
            if (count == 0) break;
            // The searches' leaves: a move on the bit sets alone and every evaluation.
            const uint8_t square = legal[Random(count)];
            k.MakeMoveOnBits(square);
            k.Evaluate();
            k.EvaluateD();
            k.EvaluatePatterns();
            k.EvaluateB();
            k.UndoMove();
            k.MakeMove(square);
            ++depth;
            ++moves;
            k.Evaluate();
            k.HasLegalMove();
            k.SwitchSide();
        }
        while (depth-- > 0)
            k.UndoMove();
    }
    k.RestoreTakeBack();
    k.WhiteToMove = false;
    for (;;) {
        const int count = MoverSquares(k, legal);
        if (count == 0) break;
        k.MakeMove(legal[Random(count)]);
        k.Commit();
        ++moves;
        k.CheckBlackOut();
        k.CheckWhiteOut();
        k.SwitchSide();
    }
    return moves;
}

TEST(HotPaths, MovesUndoLegalityAndEvaluationAllocateNothing) {
    RandSeed(8);
    for (uint8_t level = 1; level <= 4; ++level) {
        const long beforeEngine = gAllocations.load();
        auto k = std::make_unique<TKyokumen>();
        ASSERT_GT(gAllocations.load(), beforeEngine) << "the counter sees allocations";
        k->GameLevel = level;
        const long before = gAllocations.load();
        const int moves = PlayRandomLinesAndAGame(*k, 50);
        EXPECT_EQ(gAllocations.load() - before, 0) << "level " << int(level);
        EXPECT_GT(moves, 500);
    }
}

// Random games played to 14 empty squares, solved exactly: the solver's table was allocated
// with it, and solving allocates nothing more.
TEST(HotPaths, SolvingAnEndgameAllocatesNothing) {
    RandSeed(9);
    TEndgameSolver solver(12);
    for (int game = 0; game < 5; ++game) {
        TKyokumen k;
        uint8_t legal[64];
        k.WhiteToMove = false;
        while (k.MoveNumber < 46) {
            const int count = MoverSquares(k, legal);
            if (count == 0) break;
            k.MakeMove(legal[Random(count)]);
            k.Commit();
            k.SwitchSide();
        }
        const TBitBoard bits = BitsOf(k.Boards[0].Cells);
        const long before = gAllocations.load();
        const TEndgameResult result = k.WhiteToMove ? solver.Solve(bits.white, bits.black)
                                                    : solver.Solve(bits.black, bits.white);
        EXPECT_EQ(gAllocations.load() - before, 0) << "game " << game;
        EXPECT_LE(std::abs(result.score), 64);
    }
}

}  // namespace
