// The exact endgame solver: the known values of classic endgame problems, a plain minimax
// over many random endgames (with passes), the solver as it stood before its faster search
// over many more, hand-made passes, early ends and wipe-outs, best moves that keep the value,
// stops from another thread, and two solvers on two threads.
#include <gtest/gtest.h>

#include <atomic>
#include <bit>
#include <fstream>
#include <sstream>
#include <thread>

#include "BoardPicture.h"
#include "EndgameSolverBefore.h"
#include "ReferenceSearch.h"
#include "engine/search/untEndgameSolver.h"
#include "engine/untBitBoard.h"
#include "engine/untEngineError.h"
#include "engine/untRandom.h"

namespace {

struct TSides {
    uint64_t own = 0;
    uint64_t opponent = 0;
};

struct TProblem {
    TSides sides;
    int score = 0;
    std::string line;
};

// The side to move's and the opponent's discs of a reference board.
TSides SidesOf(const TReferenceBoard& board) {
    const TBitBoard bits = BitsOf(board);
    return board.toMove == 1 ? TSides{bits.black, bits.white} : TSides{bits.white, bits.black};
}

std::vector<TProblem> Problems() {
    std::ifstream in(std::string(TOLVANEY_TEST_DATA) + "/endgame-problems.txt");
    std::vector<TProblem> problems;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        std::string cells, side;
        TProblem problem;
        fields >> cells >> side >> problem.score;
        auto k = NewEngine();
        SetGameBoardFromLine(*k, cells, 0);
        const TBitBoard bits = BitsOf(k->Boards[0].Cells);
        problem.sides =
            side == "X" ? TSides{bits.black, bits.white} : TSides{bits.white, bits.black};
        problem.line = line;
        problems.push_back(problem);
    }
    return problems;
}

// Perfect play by plain minimax: every move, no pruning, no table.
int PlainValue(const TReferenceBoard& board, int colour) {
    const std::vector<int> moves = board.LegalSquares(colour);
    if (moves.empty()) {
        if (board.LegalSquares(3 - colour).empty()) return FinalDifference(board, colour);
        return -PlainValue(board, 3 - colour);
    }
    int best = -65;
    for (const int square : moves) {
        TReferenceBoard child = board;
        child.Play(TReferenceBoard::ColumnOf(square), TReferenceBoard::RowOf(square), colour);
        best = std::max(best, -PlainValue(child, 3 - colour));
    }
    return best;
}

// The position after the side to move plays the square, as the reference board plays it,
// seen from the other side, which moves next.
TSides After(const TSides& sides, uint8_t square) {
    TReferenceBoard board = ReferenceBoardOf({sides.own, sides.opponent});
    board.Play(TReferenceBoard::ColumnOf(square), TReferenceBoard::RowOf(square), 1);
    board.toMove = 2;
    return SidesOf(board);
}

TEST(EndgameSolver, SolvesTheClassicProblemsWithAMoveThatKeepsTheValue) {
    const std::vector<TProblem> problems = Problems();
    ASSERT_GE(problems.size(), 20u);
    TEndgameSolver solver(16);
    for (const TProblem& problem : problems) {
        const TEndgameResult result = solver.Solve(problem.sides.own, problem.sides.opponent);
        EXPECT_EQ(result.score, problem.score) << problem.line;
        ASSERT_NE(result.move, 0) << problem.line;
        const TSides after = After(problem.sides, result.move);
        EXPECT_EQ(-solver.Solve(after.own, after.opponent).score, problem.score)
            << problem.line << " after " << int(result.move);
    }
}

TEST(EndgameSolver, TheTableKeptFromOneSolveLeavesTheNextExact) {
    // After a position is solved, the table holds bounds on the positions after its moves;
    // solving those next (as the analysis does, move after move) must still give exact values,
    // and the same best move as a solver that remembers nothing.
    const std::vector<TProblem> problems = Problems();
    TEndgameSolver warm(16), fresh(16);
    for (std::size_t i = 0; i < problems.size(); i += 3) {
        const TSides& sides = problems[i].sides;
        warm.Solve(sides.own, sides.opponent);
        for (uint64_t rest = LegalMovesOf(sides.own, sides.opponent); rest; rest &= rest - 1) {
            const int bit = std::countr_zero(rest);
            const uint8_t square = kSquareOfBit[bit];
            const TSides after = After(sides, square);
            fresh.Clear();
            const TEndgameResult expected = fresh.Solve(after.own, after.opponent);
            const TEndgameResult result = warm.Solve(after.own, after.opponent);
            ASSERT_EQ(result.score, expected.score) << problems[i].line << " after " << int(square);
            EXPECT_EQ(result.move, expected.move) << problems[i].line << " after " << int(square);
            if (result.move == 0) continue;
            const TSides next = After(after, result.move);
            fresh.Clear();
            EXPECT_EQ(-fresh.Solve(next.own, next.opponent).score, expected.score)
                << problems[i].line << " after " << int(square) << ", " << int(result.move);
        }
    }
}

TEST(EndgameSolver, AgreesWithPlainMinimaxOnRandomEndgames) {
    RandSeed(20240611);
    TEndgameSolver solver(12);
    int passes = 0;
    for (int game = 0; game < 150; ++game) {
        const int empties = 4 + game % 5;
        TReferenceBoard board = TReferenceBoard::Standard();
        while (64 - board.Count(1) - board.Count(2) > empties && board.PlayRandomMove()) {
        }
        const TSides sides = SidesOf(board);
        const int expected = PlainValue(board, board.toMove);
        const TEndgameResult result = solver.Solve(sides.own, sides.opponent);
        ASSERT_EQ(result.score, expected) << "game " << game;
        // Also for the side not to move, as if it were its turn.
        TReferenceBoard other = board;
        other.toMove = 3 - board.toMove;
        const TSides swapped = SidesOf(other);
        ASSERT_EQ(solver.Solve(swapped.own, swapped.opponent).score,
                  PlainValue(other, other.toMove))
            << "game " << game << ", other side";
        if (board.LegalSquares(board.toMove).empty()) {
            EXPECT_EQ(result.move, 0);
            ++passes;
        }
    }
    // Random play leaves positions where the side to move must pass.
    EXPECT_GT(passes, 0);
}

// A seeded random game from the start, played until `empties` squares are left (or the
// game ends).
TReferenceBoard RandomEndgame(int empties) {
    TReferenceBoard board = TReferenceBoard::Standard();
    while (64 - board.Count(1) - board.Count(2) > empties && board.PlayRandomMove()) {
    }
    return board;
}

// An estimate that is no guide at all, up to 32 discs off either way: the moves it orders and
// the first guess it gives must leave the values exact all the same.
class TNoisyOrdering : public TEndgameOrdering {
public:
    int Evaluate(uint64_t own, uint64_t opponent) const override {
        return static_cast<int>((own * 0x9E3779B97F4A7C15ull ^ opponent) >> 57) - 64;
    }
    int UnitsPerDisc() const override { return 2; }
};

TEST(EndgameSolver, AgreesWithTheEarlierSolverAndPlaysAMoveThatKeepsTheValue) {
    RandSeed(20250301);
    TEndgameSolver plain(16), ordered(16);
    const TNoisyOrdering noise;
    ordered.OrderWith(&noise);
    TEndgameSolverBefore before(16);
    int moves = 0;
    for (int game = 0; game < 120; ++game) {
        TReferenceBoard board = RandomEndgame(10 + game % 7);
        TEndgameSolver& solver = game % 2 ? ordered : plain;
        // Both sides, each as if it were its turn.
        for (int side = 0; side < 2; ++side, board.toMove = 3 - board.toMove) {
            const TSides sides = SidesOf(board);
            const TEndgameResult expected = before.Solve(sides.own, sides.opponent);
            const TEndgameResult result = solver.Solve(sides.own, sides.opponent);
            ASSERT_EQ(result.score, expected.score) << "game " << game << ", side " << side;
            ASSERT_EQ(result.move == 0, expected.move == 0) << "game " << game;
            if (result.move == 0) continue;
            ++moves;
            // The next position, solved after this one as the analysis solves it, gets the
            // move a fresh solver finds, though the table knows much about it already.
            if (game % 4 < 2) {
                const TSides next = After(sides, result.move);
                TEndgameSolver fresh(12);
                if (&solver == &ordered) fresh.OrderWith(&noise);
                EXPECT_EQ(solver.Solve(next.own, next.opponent).move,
                          fresh.Solve(next.own, next.opponent).move)
                    << "game " << game << ", side " << side;
            }
            ASSERT_TRUE(LegalMovesOf(sides.own, sides.opponent) >> kBitOfSquare[result.move] & 1);
            const TSides after = After(sides, result.move);
            ASSERT_EQ(-before.Solve(after.own, after.opponent).score, expected.score)
                << "game " << game << ", side " << side << ", move " << int(result.move);
        }
    }
    EXPECT_GT(moves, 200);
    // Far enough from the end for the estimate to look a ply deep.
    for (int game = 0; game < 4; ++game) {
        const TSides sides = SidesOf(RandomEndgame(17));
        ASSERT_EQ(ordered.Solve(sides.own, sides.opponent).score,
                  plain.Solve(sides.own, sides.opponent).score)
            << "game " << game;
    }
}

TEST(EndgameSolver, AStopThrowsAndTheSameSolverThenSolvesExactly) {
    RandSeed(4242);
    const TReferenceBoard big = RandomEndgame(18);
    ASSERT_EQ(64 - big.Count(1) - big.Count(2), 18);
    const TSides sides = SidesOf(big);
    TEndgameSolver solver(18);
    std::atomic<bool> stop{true};
    solver.StopWhen(&stop);
    EXPECT_THROW(solver.Solve(sides.own, sides.opponent), ESearchStopped);

    // Stopped from another thread while it searches (a solve of 18 empties takes far longer
    // than the other thread needs to set the flag).
    stop = false;
    std::atomic<bool> started{false};
    std::thread stopper([&] {
        while (!started)
            std::this_thread::yield();
        stop = true;
    });
    started = true;
    EXPECT_THROW(solver.Solve(sides.own, sides.opponent), ESearchStopped);
    stopper.join();
    const uint64_t nodesWhenStopped = solver.Nodes();
    EXPECT_GT(nodesWhenStopped, 0u);

    // What the stopped searches left in the table must not change any later value.
    stop = false;
    TEndgameSolverBefore before(18);
    const TEndgameResult expected = before.Solve(sides.own, sides.opponent);
    const TEndgameResult result = solver.Solve(sides.own, sides.opponent);
    EXPECT_EQ(result.score, expected.score);
    const TSides after = After(sides, result.move);
    EXPECT_EQ(-before.Solve(after.own, after.opponent).score, expected.score);
    for (int game = 0; game < 6; ++game) {
        TReferenceBoard board = RandomEndgame(12 + game);
        const TSides other = SidesOf(board);
        EXPECT_EQ(solver.Solve(other.own, other.opponent).score,
                  before.Solve(other.own, other.opponent).score)
            << "game " << game;
    }
    EXPECT_GT(solver.Nodes(), nodesWhenStopped);
}

TEST(EndgameSolver, ScoresPassesWipeOutsAndFinishedGamesWithTheEmptiesToTheWinner) {
    struct TCase {
        TPicture picture;
        bool whiteToMove;
        int score;
        const char* what;
    };
    const TCase cases[] = {
        {{"XO......", "........", "........", "........", "........", "........", "........",
          "........"},
         false,
         64,
         "c1 takes white's last disc"},
        {{"XO......", "........", "........", "........", "........", "........", "........",
          "........"},
         true,
         -64,
         "white must pass and black wipes it out"},
        {{"X.......", "........", "........", "........", "........", "........", "........",
          ".......O"},
         true,
         0,
         "no move for either side: one disc each is a draw"},
        {{"XX......", "........", "........", "........", "........", "........", "........",
          ".......O"},
         false,
         62,
         "no move for either side: 2 to 1, the 61 empties to black"},
        {{"XX......", "........", "........", "........", "........", "........", "........",
          ".......O"},
         true,
         -62,
         "the same for white"},
    };
    TEndgameSolver solver(10);
    for (const TCase& c : cases) {
        auto k = NewEngine();
        SetGameBoard(*k, c.picture, 0);
        const TBitBoard bits = BitsOf(k->Boards[0].Cells);
        const TEndgameResult result = c.whiteToMove ? solver.Solve(bits.white, bits.black)
                                                    : solver.Solve(bits.black, bits.white);
        EXPECT_EQ(result.score, c.score) << c.what;
    }
    EXPECT_THROW(solver.Solve(1, 3), EEngineError);
}

TEST(EndgameSolver, TwoSolversOnTwoThreadsGiveTheValuesOfOne) {
    const std::vector<TProblem> problems = Problems();
    std::vector<int> scores[2];
    auto solveHalf = [&](int half) {
        TEndgameSolver solver(14);
        for (std::size_t i = half; i < problems.size(); i += 2)
            scores[half].push_back(
                solver.Solve(problems[i].sides.own, problems[i].sides.opponent).score);
    };
    std::thread first(solveHalf, 0), second(solveHalf, 1);
    first.join();
    second.join();
    for (std::size_t i = 0; i < problems.size(); ++i)
        EXPECT_EQ(scores[i % 2][i / 2], problems[i].score) << problems[i].line;
}

}  // namespace
