// How close the analysis's estimates come to the exact value, and what a whole game's
// analysis costs, for the advice's search and for the engine's own search (the way the
// estimates were made before), in the same run.
//
// The positions come from the tournament games of 1977-2019 that the advice's training
// leaves out (every 20th game, from the first): one position a game, after move 36, 37 or 38
// in turn (22 to 24 empty squares), solved exactly by the endgame solver.
//
// Run: build/bench/bench_advice_accuracy [--positions N] [--games N] [--depths 6,8,10]
//      [--advice FILE] [--exact-cache FILE]
// Printed for each way of estimating: the mean absolute error against the exact value, its
// standard deviation and the largest, in discs, and the CPU time per position; then the CPU
// time of a whole game's analysis at the window's settings (exact from 20 empty squares).
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "advice/untAdviceSearch.h"
#include "analysis/untAnalysis.h"
#include "engine/eval/untPatterns.h"
#include "engine/search/untEndgameSolver.h"
#include "engine/untSquareNames.h"

namespace {

constexpr int kHoldOutEvery = 20;  // the training leaves out every 20th game

struct TPosition {
    TDiscs discs;
    bool white = false;
    int exact = 0;
};

double CpuSeconds() {
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

std::vector<std::string> HeldOutGames(const std::string& file, std::size_t count) {
    std::ifstream in(file);
    std::vector<std::string> games;
    std::string line;
    for (int number = 0; std::getline(in, line) && games.size() < count; ++number)
        if (number % kHoldOutEvery == 0) games.push_back(line.substr(0, line.find(' ')));
    return games;
}

std::vector<TPosition> Positions(const std::vector<std::string>& games) {
    std::vector<TPosition> positions;
    for (std::size_t g = 0; g < games.size(); ++g) {
        std::string error;
        const auto moves = ReplayRecord(games[g], error);
        const std::size_t at = 36 + g % 3;  // the position after move 36, 37 or 38
        if (!moves || moves->size() <= at) continue;
        const TRecordMove& move = (*moves)[at];
        if (std::popcount(move.before.Empty()) < 22) continue;  // a pass ran ahead
        positions.push_back({move.before, move.white, 0});
    }
    return positions;
}

void SolveAll(std::vector<TPosition>& positions, const std::string& cacheFile) {
    std::map<std::string, int> cache;
    if (!cacheFile.empty()) {
        std::ifstream in(cacheFile);
        std::string key;
        int value;
        while (in >> key >> value)
            cache[key] = value;
    }
    TEndgameSolver solver;
    std::ofstream out;
    if (!cacheFile.empty()) out.open(cacheFile, std::ios::app);
    for (TPosition& p : positions) {
        const uint64_t own = p.white ? p.discs.white : p.discs.black;
        const uint64_t other = p.white ? p.discs.black : p.discs.white;
        const std::string key = std::to_string(own) + ":" + std::to_string(other);
        if (const auto found = cache.find(key); found != cache.end()) {
            p.exact = found->second;
            continue;
        }
        p.exact = solver.Solve(own, other).score;
        if (out) out << key << ' ' << p.exact << std::endl;
    }
}

struct TErrors {
    double sum = 0, signedSum = 0, squares = 0, worst = 0, seconds = 0;
    int count = 0;
    void Add(double error) {
        sum += std::abs(error);
        signedSum += error;
        squares += error * error;
        worst = std::max(worst, std::abs(error));
        ++count;
    }
    void Print(const std::string& name) const {
        const double mean = sum / count;
        std::printf(
            "%-34s  mean %5.2f  spread %5.2f  worst %5.1f  bias %+5.2f  %7.3f s a position\n",
            name.c_str(), mean, std::sqrt(squares / count - mean * mean), worst, signedSum / count,
            seconds / count);
    }
};

TErrors Measure(const std::vector<TPosition>& positions, const TAnalysisSettings& settings) {
    TErrors errors;
    for (const TPosition& p : positions) {
        const double start = CpuSeconds();
        const TPositionValue value = ValuePosition(p.discs, p.white, settings);
        errors.seconds += CpuSeconds() - start;
        errors.Add(value.value - p.exact);
    }
    return errors;
}

TErrors MeasureAdviceDepth(const std::vector<TPosition>& positions,
                           const std::shared_ptr<const TAdviceWeights>& weights, int depth) {
    TErrors errors;
    for (const TPosition& p : positions) {
        TAdviceSearch search(weights);
        const double start = CpuSeconds();
        const uint64_t own = p.white ? p.discs.white : p.discs.black;
        const uint64_t other = p.white ? p.discs.black : p.discs.white;
        const TAdviceMove best = search.Best(own, other, depth);
        errors.seconds += CpuSeconds() - start;
        errors.Add(AdviceEstimate(best.value, best.shallower) - p.exact);
    }
    return errors;
}

double GameSeconds(const std::vector<std::string>& games, const TAnalysisSettings& settings) {
    const double start = CpuSeconds();
    for (const std::string& game : games) {
        std::string error;
        AnalyseGame(*ReplayRecord(game, error), settings);
    }
    return (CpuSeconds() - start) / games.size();
}

}  // namespace

int main(int argc, char** argv) {
    std::size_t positionCount = 60, gameCount = 10;
    std::string adviceFile = std::string(TOLVANEY_RESOURCES) + "/" + ADVICE_WEIGHTS_FILE;
    std::string cacheFile;
    std::vector<int> depths;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string flag = argv[i], value = argv[i + 1];
        if (flag == "--positions") positionCount = std::stoul(value);
        if (flag == "--games") gameCount = std::stoul(value);
        if (flag == "--advice") adviceFile = value;
        if (flag == "--exact-cache") cacheFile = value;
        if (flag == "--depths") {
            std::istringstream list(value);
            for (std::string d; std::getline(list, d, ',');)
                depths.push_back(std::stoi(d));
        }
    }
    const std::string gamesFile = TOLVANEY_DATA "/games-1977-2019.txt";
    std::vector<TPosition> positions = Positions(HeldOutGames(gamesFile, positionCount * 2));
    positions.resize(std::min(positions.size(), positionCount));
    std::printf("%zu positions with 22 to 24 empty squares; solving...\n", positions.size());
    std::fflush(stdout);
    SolveAll(positions, cacheFile);

    TAnalysisSettings before;
    before.exactEmpties = 0;
    before.tables = LoadPatternTables(TOLVANEY_RESOURCES);
    TAnalysisSettings after = before;
    after.advice = TAdviceWeights::Load(adviceFile);
    Measure(positions, before).Print("engine's search (before)");
    Measure(positions, after).Print("advice's search");
    for (const int depth : depths)
        MeasureAdviceDepth(positions, after.advice, depth)
            .Print("advice, " + std::to_string(depth) + " plies, fresh table");

    const std::vector<std::string> games = HeldOutGames(gamesFile, gameCount);
    before.exactEmpties = after.exactEmpties = 20;
    std::printf(
        "whole game, exact from 20 empties: before %.2f s, advice %.2f s (CPU, %zu games)\n",
        GameSeconds(games, before), GameSeconds(games, after), games.size());
}
