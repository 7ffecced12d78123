// How steady the post-game analysis's estimates are: over the first games of a file, the
// value of every position for black before the exact part, searched as earlier versions did
// (the game's own depth, odd in the midgame) and with every search ending its lines with the
// valued position's side to move. Both ways run on the same games in the same run.
//
// Run: build/bench/bench_analysis_smoothness [--games N] [--file GAMES] [--level L]
//      [--exact E]
//   GAMES: lines "<moves> <difference>" (default: the held-out tournament games 2020-2025).
// Printed for each way:
//   step   the mean change of black's value from one estimated position to the next, in discs
//   lean   how far black's value at an estimated position lies from the mean of the positions
//          before and after it, towards the side not to move there (a zigzag leans one way),
//          in discs
//   join   the mean distance between the last estimated position's value and the first exact
//          one (the next position), in discs
//   same   the mean error of the last estimate of the first exact position (the value of the
//          move that reached it) against its exact value, in discs
//   time   seconds per game, the exact part included
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "analysis/untAnalysis.h"
#include "engine/eval/untPatterns.h"

namespace {

struct TFigures {
    double steps = 0;  // sum of |change| between consecutive estimated positions
    int stepCount = 0;
    double lean = 0;  // sum over the estimated positions between two estimated ones
    int leanCount = 0;
    double join = 0, same = 0;  // sums over the games with an exact part
    int joinCount = 0;
    double seconds = 0;
    int games = 0;
};

// The values for black of the positions before each move.
std::vector<double> BlackValues(const TGameAnalysis& analysis) {
    std::vector<double> values;
    for (const TMoveAnalysis& v : analysis.values)
        values.push_back(v.white ? -v.bestValue : v.bestValue);
    return values;
}

void Measure(const std::vector<TRecordMove>& moves, const TAnalysisSettings& settings,
             TFigures& figures) {
    const auto start = std::chrono::steady_clock::now();
    const TGameAnalysis analysis = AnalyseGame(moves, settings);
    figures.seconds +=
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    ++figures.games;
    const std::vector<double> values = BlackValues(analysis);
    const std::size_t estimated =
        analysis.exactFrom == 0 ? values.size() : static_cast<std::size_t>(analysis.exactFrom - 1);
    for (std::size_t i = 1; i < estimated; ++i) {
        figures.steps += std::abs(values[i] - values[i - 1]);
        ++figures.stepCount;
    }
    for (std::size_t i = 1; i + 1 < estimated; ++i) {
        const double away = values[i] - (values[i - 1] + values[i + 1]) / 2;
        figures.lean += analysis.values[i].white ? away : -away;
        ++figures.leanCount;
    }
    if (analysis.exactFrom > 1) {
        const TMoveAnalysis& last = analysis.values[estimated - 1];
        const double reached = last.white ? -last.playedValue : last.playedValue;
        figures.join += std::abs(values[estimated - 1] - values[estimated]);
        figures.same += std::abs(reached - values[estimated]);
        ++figures.joinCount;
    }
}

void Print(const char* name, const TFigures& f) {
    std::printf("%-26s %7.2f %7.2f %7.2f %7.2f %8.2f\n", name, f.steps / std::max(1, f.stepCount),
                f.lean / std::max(1, f.leanCount), f.join / std::max(1, f.joinCount),
                f.same / std::max(1, f.joinCount), f.seconds / std::max(1, f.games));
}

}  // namespace

int main(int argc, char** argv) {
    int games = 50;
    std::string file = TOLVANEY_HELDOUT "/games-2020-2025.txt";
    TAnalysisSettings settings;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string flag = argv[i];
        if (flag == "--games")
            games = std::atoi(argv[i + 1]);
        else if (flag == "--file")
            file = argv[i + 1];
        else if (flag == "--level")
            settings.gameLevel = static_cast<uint8_t>(std::atoi(argv[i + 1]));
        else if (flag == "--exact")
            settings.exactEmpties = std::atoi(argv[i + 1]);
        else {
            std::fprintf(stderr, "unknown option %s\n", flag.c_str());
            return 2;
        }
    }
    settings.tables = LoadPatternTables(TOLVANEY_RESOURCES);
    std::ifstream in(file);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", file.c_str());
        return 1;
    }
    TAnalysisSettings gameDepth = settings;
    gameDepth.parityAligned = false;
    TFigures before, after;
    std::string line;
    int read = 0;
    while (read < games && std::getline(in, line)) {
        std::string error;
        const auto moves = ReplayRecord(line.substr(0, line.find(' ')), error);
        if (!moves) {
            std::fprintf(stderr, "%s: %s\n", line.c_str(), error.c_str());
            return 1;
        }
        ++read;
        Measure(*moves, gameDepth, before);
        Measure(*moves, settings, after);
    }
    std::printf("%d games of %s, level %d, exact from %d empty squares\n", read, file.c_str(),
                settings.gameLevel, settings.exactEmpties);
    std::printf("%-26s %7s %7s %7s %7s %8s\n", "estimates", "step", "lean", "join", "same",
                "s/game");
    Print("game's depth (before)", before);
    Print("side to move at the ends", after);
    return 0;
}
