// The exact solver's speed far from the end, with and without the estimate that orders its
// moves there, on positions of 20 to 26 empty squares from real games
// (games-1977-2019.txt, the games the advice's training left out: every 20th), solved in the
// same run, the two alternating which goes first. Each position is solved by a fresh solver
// with its default table, as one solve of a position pays for it. The two scores must be
// equal on every position; a difference stops the run with exit status 1.
//
// Run: build/bench/bench_exact_solver [--games FILE] [--from E] [--to E] [--positions N]
//                                      [--ordered-only]
// --ordered-only solves with the estimate alone, to compare builds of the ordered solver.
// Prints, per number of empty squares, the positions, the nodes and the CPU seconds of each
// solver, and their ratios (plain over ordered: above 1 is a gain).
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

#include "advice/untAdviceOrdering.h"
#include "analysis/untAnalysis.h"
#include "engine/search/untEndgameSolver.h"

namespace {

constexpr int kHoldOutEvery = 20;  // the advice's training leaves out every 20th game

struct TPosition {
    uint64_t own, opponent;
    int empties;
};

struct TTotals {
    int positions = 0;
    uint64_t nodes[2] = {};
    double seconds[2] = {};
};

double CpuSeconds() {
    timespec now;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + now.tv_nsec * 1e-9;
}

[[noreturn]] void Fail(const std::string& message) {
    std::fprintf(stderr, "FAILED: %s\n", message.c_str());
    std::exit(1);
}

// Up to `count` positions of each number of empties from `from` to `to`, with the side to
// move able to move, at most one of each number from a game.
std::vector<TPosition> GamePositions(const std::string& path, int from, int to, int count) {
    std::ifstream in(path);
    if (!in) Fail("cannot read " + path);
    std::vector<int> found(65, 0);
    std::vector<TPosition> positions;
    std::string line;
    for (int number = 0; std::getline(in, line); ++number) {
        if (number % kHoldOutEvery != 0) continue;
        std::string error;
        const auto moves = ReplayRecord(line.substr(0, line.find(' ')), error);
        if (!moves) Fail("game line " + std::to_string(number + 1) + ": " + error);
        for (const TRecordMove& move : *moves) {
            const int empties = std::popcount(move.before.Empty());
            if (empties < from || empties > to || found[empties] >= count) continue;
            const uint64_t own = move.white ? move.before.white : move.before.black;
            const uint64_t opponent = move.white ? move.before.black : move.before.white;
            positions.push_back({own, opponent, empties});
            ++found[empties];
        }
        if (std::all_of(found.begin() + from, found.begin() + to + 1,
                        [&](int n) { return n >= count; }))
            break;
    }
    return positions;
}

}  // namespace

int main(int argc, char** argv) {
    std::string games = TOLVANEY_GAMES;
    int from = 20, to = 26, count = 4;
    bool orderedOnly = false;
    for (int i = 1; i < argc; ++i) {
        const std::string flag = argv[i];
        if (flag == "--ordered-only") {
            orderedOnly = true;
            continue;
        }
        if (++i >= argc) Fail("no value after " + flag);
        const std::string value = argv[i];
        if (flag == "--games")
            games = value;
        else if (flag == "--from")
            from = std::atoi(value.c_str());
        else if (flag == "--to")
            to = std::atoi(value.c_str());
        else if (flag == "--positions")
            count = std::atoi(value.c_str());
        else
            Fail("unknown flag " + flag);
    }
    if (from < 1 || to > 40 || from > to || count < 1) Fail("bad range or count");
    const TAdviceOrdering ordering(
        TAdviceWeights::Load(std::string(TOLVANEY_RESOURCES) + "/" + ADVICE_WEIGHTS_FILE));
    std::vector<TTotals> totals(65);
    const std::vector<TPosition> positions = GamePositions(games, from, to, count);
    for (std::size_t n = 0; n < positions.size(); ++n) {
        const TPosition& p = positions[n];
        int scores[2] = {};
        uint64_t nodes[2] = {};
        double seconds[2] = {};
        for (int turn = orderedOnly ? 1 : 0; turn < 2; ++turn) {
            // 0 plain, 1 ordered; alone, the ordered one
            const int which = orderedOnly ? 1 : (turn + static_cast<int>(n)) % 2;
            TEndgameSolver solver;
            if (which == 1) solver.OrderWith(&ordering);
            const double start = CpuSeconds();
            scores[which] = solver.Solve(p.own, p.opponent).score;
            seconds[which] = CpuSeconds() - start;
            nodes[which] = solver.Nodes();
            totals[p.empties].seconds[which] += seconds[which];
            totals[p.empties].nodes[which] += nodes[which];
        }
        if (orderedOnly) {
            std::printf("%2d empties: score %+3d, %12llu nodes, %8.2f s\n", p.empties, scores[1],
                        static_cast<unsigned long long>(nodes[1]), seconds[1]);
        } else if (scores[0] != scores[1])
            Fail("position " + std::to_string(n) + ": " + std::to_string(scores[0]) + " plain, " +
                 std::to_string(scores[1]) + " ordered");
        ++totals[p.empties].positions;
        std::fflush(stdout);
    }
    std::printf(
        "empties  positions    nodes plain  nodes ordered  ratio   cpu plain s  "
        "cpu ordered s  ratio\n");
    for (int e = from; e <= to; ++e) {
        const TTotals& t = totals[e];
        if (t.positions == 0) continue;
        std::printf("%7d  %9d  %13llu  %13llu  %5.2f  %12.2f  %13.2f  %5.2f\n", e, t.positions,
                    static_cast<unsigned long long>(t.nodes[0]),
                    static_cast<unsigned long long>(t.nodes[1]),
                    static_cast<double>(t.nodes[0]) / static_cast<double>(t.nodes[1]), t.seconds[0],
                    t.seconds[1], t.seconds[0] / t.seconds[1]);
    }
    return 0;
}
