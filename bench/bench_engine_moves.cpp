// The time of the engine's move at each level and thinking type, as tolvaney-engine makes it
// for a front end: self-play games from balanced openings, the engine choosing every move of
// both sides (black's with the colours exchanged), each move timed on its own.
//
// Run: build/bench/bench_engine_moves [--games N]   (N games per level and type, default 8)
// Prints per level and type the mean, the 95th percentile and the slowest move in
// milliseconds, and the moves timed.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "engine/eval/untPatterns.h"
#include "engine/untTextFile.h"
#include "protocol/untEngineSession.h"
#include "tools/untMatch.h"

namespace {

// The first openings of the XOT set: eight balanced moves each.
std::vector<std::vector<uint8_t>> Openings(int count) {
    auto openings = ParseOpenings(ReadTextFile(TOLVANEY_OPENINGS), TOLVANEY_OPENINGS);
    openings.resize(std::min<std::size_t>(openings.size(), count));
    return openings;
}

std::vector<double> TimedMoves(TSessionOptions options,
                               const std::vector<std::vector<uint8_t>>& openings) {
    std::vector<double> milliseconds;
    TEngineSession session(options);
    for (const std::vector<uint8_t>& opening : openings) {
        TGameState game;
        for (const uint8_t square : opening)
            game.PlayNext(square);
        session.NewGame(game);
        while (!session.Game().Over()) {
            // A pass is no move to time.
            if (session.Game().MustPass()) session.Play(session.Game().WhiteToMove(), PASS);
            const auto start = std::chrono::steady_clock::now();
            session.PlayComputerMove();
            const std::chrono::duration<double, std::milli> took =
                std::chrono::steady_clock::now() - start;
            milliseconds.push_back(took.count());
        }
    }
    return milliseconds;
}

}  // namespace

int main(int argc, char** argv) {
    int games = 8;
    if (argc == 3 && std::strcmp(argv[1], "--games") == 0) games = std::max(1, std::atoi(argv[2]));
    TSessionOptions options;
    options.seed = 1;
    options.tables = LoadPatternTables(TOLVANEY_RESOURCES);
    const std::vector<std::vector<uint8_t>> openings = Openings(games);
    std::printf("level type   mean ms   95%% ms   slowest ms   moves\n");
    for (uint8_t level = 1; level <= 4; ++level) {
        for (uint8_t type = 1; type <= 4; ++type) {
            options.gameLevel = level;
            options.thinkType = type;
            std::vector<double> times = TimedMoves(options, openings);
            std::sort(times.begin(), times.end());
            double sum = 0;
            for (const double t : times)
                sum += t;
            std::printf("%5d    %c %9.3f %8.3f %12.3f %7zu\n", level, 'A' + type - 1,
                        sum / times.size(), times[times.size() * 95 / 100], times.back(),
                        times.size());
        }
    }
}
