// The speed of the exact endgame solver against the solver as it stood before its faster
// search (tests/EndgameSolverBefore), on the same positions in the same run, so that the
// ratio of the two rates holds even on a busy machine. Two sets: classic endgame problems
// with a given number of empty squares (20 by default) and a file of positions from games
// (14 empty squares). Each position is solved by a fresh solver with its default table, as
// a caller solving one position pays for it.
//
// Every value is checked before anything is timed: the two solvers must give the same score
// on every position (and a problem's known value), and the new solver's move must keep that
// score, which the old solver confirms. A difference stops the run with exit status 1.
//
// Run: build/bench/bench_endgame_solver [--repetitions N] [--problems FILE] [--empties N]
//      [--endgames FILE]
// A rate is positions solved per second; each figure is the median of the repetitions, the
// two solvers' passes alternating.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "EndgameSolverBefore.h"
#include "engine/search/untEndgameSolver.h"
#include "engine/untBitBoard.h"

namespace {

struct TPosition {
    uint64_t own = 0, opponent = 0;
    bool hasValue = false;
    int value = 0;
    std::string line;
};

[[noreturn]] void Fail(const std::string& message) {
    std::fprintf(stderr, "FAILED: %s\n", message.c_str());
    std::exit(1);
}

// Lines of 64 cells a1..h1, a2..h2, ... ('X' black, 'O' white, '-' empty), the side to move
// and, for problems, the known value; '#' starts a comment. Only positions with `empties`
// empty squares are kept (any number when negative).
std::vector<TPosition> ReadPositions(const std::string& path, int empties) {
    std::ifstream in(path);
    if (!in) Fail("cannot read " + path);
    std::vector<TPosition> positions;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        std::string cells, side;
        TPosition p;
        fields >> cells >> side;
        p.hasValue = static_cast<bool>(fields >> p.value);
        if (cells.size() != 64 || (side != "X" && side != "O")) Fail("bad line: " + line);
        uint64_t black = 0, white = 0;
        for (int i = 0; i < 64; ++i) {
            // Cell i is column i % 8 (a first) of row i / 8; column a is the highest byte.
            const uint64_t bit = uint64_t{1} << (8 * (7 - i % 8) + i / 8);
            if (cells[i] == 'X') black |= bit;
            if (cells[i] == 'O') white |= bit;
        }
        if (empties >= 0 && std::popcount(~(black | white)) != empties) continue;
        p.own = side == "X" ? black : white;
        p.opponent = side == "X" ? white : black;
        p.line = line;
        positions.push_back(p);
    }
    if (positions.empty()) Fail("no positions in " + path);
    return positions;
}

// The two solvers agree on every position, and the new one's move keeps the score.
void CheckValues(const std::vector<TPosition>& positions) {
    for (const TPosition& p : positions) {
        const TEndgameResult before = TEndgameSolverBefore().Solve(p.own, p.opponent);
        const TEndgameResult now = TEndgameSolver().Solve(p.own, p.opponent);
        if (now.score != before.score)
            Fail(p.line + ": score " + std::to_string(now.score) + ", before " +
                 std::to_string(before.score));
        if (p.hasValue && now.score != p.value)
            Fail(p.line + ": score " + std::to_string(now.score) + ", known value " +
                 std::to_string(p.value));
        if ((now.move == 0) != (before.move == 0)) Fail(p.line + ": a pass for only one solver");
        if (now.move == 0 || now.move == before.move) continue;
        const int bit = kBitOfSquare[now.move];
        const uint64_t flips = FlipsOf(p.own, p.opponent, bit);
        if (flips == 0) Fail(p.line + ": illegal move " + std::to_string(now.move));
        const uint64_t placed = flips | uint64_t{1} << bit;
        const int after = -TEndgameSolverBefore().Solve(p.opponent & ~flips, p.own | placed).score;
        if (after != now.score)
            Fail(p.line + ": move " + std::to_string(now.move) + " scores " +
                 std::to_string(after) + ", not " + std::to_string(now.score));
    }
}

struct TPass {
    double seconds = 0;
    double slowest = 0;
    uint64_t nodes = 0;
};

template <typename Solver>
TPass TimePass(const std::vector<TPosition>& positions) {
    TPass pass;
    int checksum = 0;
    for (const TPosition& p : positions) {
        const auto start = std::chrono::steady_clock::now();
        Solver solver;
        checksum += solver.Solve(p.own, p.opponent).score;
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        pass.seconds += seconds;
        pass.slowest = std::max(pass.slowest, seconds);
        pass.nodes += solver.Nodes();
    }
    if (checksum == 12345678) std::puts("");  // keeps the work from being optimised away
    return pass;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void Compare(const char* name, const std::vector<TPosition>& positions, int repetitions) {
    CheckValues(positions);
    std::vector<double> rates[2], means[2], slowest[2];
    uint64_t nodes[2] = {0, 0};
    for (int r = 0; r < repetitions; ++r) {
        for (int k = 0; k < 2; ++k) {
            const int which = (r + k) % 2;  // 0 before, 1 now; the order alternates
            const TPass pass = which == 0 ? TimePass<TEndgameSolverBefore>(positions)
                                          : TimePass<TEndgameSolver>(positions);
            rates[which].push_back(positions.size() / pass.seconds);
            means[which].push_back(pass.seconds / positions.size());
            slowest[which].push_back(pass.slowest);
            nodes[which] = pass.nodes;
        }
    }
    std::printf("%s: %zu positions, values equal on all\n", name, positions.size());
    const char* labels[2] = {"before", "now"};
    for (int which = 0; which < 2; ++which)
        std::printf("  %-6s %10.2f positions/s  mean %9.3f ms  slowest %9.3f ms  %7.2f Mnodes\n",
                    labels[which], Median(rates[which]), 1000 * Median(means[which]),
                    1000 * Median(slowest[which]), nodes[which] / 1e6);
    std::printf("  ratio  %10.2f x\n", Median(rates[1]) / Median(rates[0]));
}

}  // namespace

int main(int argc, char** argv) {
    int repetitions = 3;
    int empties = 20;
    std::string problems = std::string(TOLVANEY_HELDOUT) + "/ffo-positions.txt";
    std::string endgames = std::string(TOLVANEY_HELDOUT) + "/endgame-14.txt";
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (!std::strcmp(argv[i], "--repetitions") && hasValue) {
            repetitions = std::max(1, std::atoi(argv[++i]));
        } else if (!std::strcmp(argv[i], "--problems") && hasValue) {
            problems = argv[++i];
        } else if (!std::strcmp(argv[i], "--empties") && hasValue) {
            empties = std::atoi(argv[++i]);
        } else if (!std::strcmp(argv[i], "--endgames") && hasValue) {
            endgames = argv[++i];
        } else {
            std::fprintf(stderr,
                         "usage: %s [--repetitions N] [--problems FILE] [--empties N] "
                         "[--endgames FILE]\n",
                         argv[0]);
            return 2;
        }
    }
    const std::string problemsName = "problems with " + std::to_string(empties) + " empties";
    Compare(problemsName.c_str(), ReadPositions(problems, empties), repetitions);
    Compare("endgames", ReadPositions(endgames, -1), repetitions);
    return 0;
}
