// Plays the engine against itself and prints every game and a summary.
//
// Usage: tolvaney-match --a L:T --b L:T [--games N] [--openings FILE] [--seed S]
//                       [--random-openings PLIES [--avoid FILE ...]]
//                       [--tables-a DIR] [--tables-b DIR] [--book FILE] [--jobs J]
//                       [--record FILE]
//   L is a level 1-4, T a thinking type A-D. Games alternate colours, A black in even games;
//   with an openings file (one opening a line, in the game-record notation) games 2i and
//   2i+1 start from line i. --random-openings makes one opening of PLIES random moves for
//   each pair of games instead, all different and drawn under the seed, none beginning or
//   begun by an opening of an --avoid file. The pattern tables are the shipped ones unless a
//   folder with TEXTDATA1..6 (or 学習_1.dat..学習_6.dat) is given for a side. --record
//   writes every game as a line of a games file ("<moves> <black minus white>"), the
//   trainer's input.
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "engine/eval/untPatterns.h"
#include "engine/untTextFile.h"
#include "tools/untMatch.h"
#include "tools/untResourceFolder.h"

namespace {

namespace fs = std::filesystem;

const char* const kUsage =
    "usage: tolvaney-match --a L:T --b L:T [--games N] [--openings FILE] [--seed S]\n"
    "                      [--random-openings PLIES [--avoid FILE ...]]\n"
    "                      [--tables-a DIR] [--tables-b DIR] [--book FILE] [--jobs J]\n"
    "                      [--record FILE]\n"
    "  L: level 1-4, T: thinking type A-D\n";

std::vector<std::string> ReadLines(const fs::path& file) {
    std::vector<std::string> lines;
    const std::string text = ReadTextFile(file);
    for (const std::string_view line : SplitLines(text))
        lines.emplace_back(line);
    return lines;
}

// A well-mixed seed for each game, so that games can run in any order on any thread.
uint32_t GameSeed(uint32_t seed, int game) {
    uint64_t z = (uint64_t{seed} << 32) + static_cast<uint64_t>(game) + 0x9E3779B97F4A7C15ull;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return static_cast<uint32_t>(z ^ (z >> 31));
}

// Runs the worker on as many threads as asked, the main thread among them. When the system
// gives fewer threads, the match goes on with those it got.
void RunOnThreads(unsigned jobs, const std::function<void()>& worker) {
    std::vector<std::thread> threads;
    for (unsigned j = 1; j < jobs; ++j) {
        try {
            threads.emplace_back(worker);
        } catch (const std::system_error& error) {
            std::fprintf(stderr, "tolvaney-match: %u of %u threads started (%s)\n", j, jobs,
                         error.what());
            break;
        }
    }
    worker();
    for (std::thread& thread : threads)
        thread.join();
}

}  // namespace

int main(int argc, char** argv) {
    TMatchOptions options;
    std::vector<std::vector<uint8_t>> openings{{}};
    try {
        options = ParseMatchOptions({argv + 1, argv + argc}, ShippedResourceFolder());
        if (!options.openingsFile.empty()) {
            openings = ParseOpenings(ReadTextFile(options.openingsFile), options.openingsFile);
            if (!options.gamesGiven)
                options.games = static_cast<int>(
                    std::min<int64_t>(2 * static_cast<int64_t>(openings.size()), MAX_MATCH_GAMES));
        } else if (options.randomOpeningPlies > 0) {
            std::vector<std::vector<uint8_t>> avoided;
            for (const std::string& file : options.avoidFiles) {
                const auto read = ParseOpenings(ReadTextFile(file), file);
                avoided.insert(avoided.end(), read.begin(), read.end());
            }
            openings = RandomOpenings((options.games + 1) / 2, options.randomOpeningPlies,
                                      options.seed, avoided);
        }
    } catch (const EBadInput& problem) {
        std::fprintf(stderr, "%s\n%s", problem.what(), kUsage);
        return 2;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tolvaney-match: %s\n", error.what());
        return 1;
    }
    try {
        options.a.tables = LoadPatternTables(options.tablesA);
        options.b.tables = LoadPatternTables(options.tablesB);
        const std::vector<std::string> book =
            fs::exists(options.book) ? ReadLines(options.book) : std::vector<std::string>{};

        std::vector<TGameResult> results(options.games);
        std::atomic<int> next{0};
        std::atomic<bool> failed{false};
        std::string failure;
        RunOnThreads(options.jobs, [&] {
            for (int game = next++; game < options.games && !failed; game = next++) {
                try {
                    const std::vector<uint8_t>& opening = openings[(game / 2) % openings.size()];
                    results[game] = PlayGame(options.a, options.b, game % 2 == 0, opening, book,
                                             GameSeed(options.seed, game));
                } catch (const std::exception& error) {
                    if (!failed.exchange(true)) failure = error.what();
                }
            }
        });
        if (failed) throw std::runtime_error(failure);

        std::printf("A = %s, B = %s, %d games, seed %u\n", options.a.Name().c_str(),
                    options.b.Name().c_str(), options.games, options.seed);
        for (int game = 0; game < options.games; ++game) {
            const TGameResult& r = results[game];
            std::printf("game %d: black %s %2d - %2d white %s  %s\n", game + 1,
                        r.aWasBlack ? "A" : "B", r.blackDiscs, r.whiteDiscs,
                        r.aWasBlack ? "B" : "A", r.record.c_str());
        }
        std::printf("%s\n", MatchSummary(results).c_str());
        if (!options.recordFile.empty()) {
            std::string lines;
            for (const TGameResult& r : results)
                lines += GameLine(r) + "\n";
            WriteFileAtomically(options.recordFile, lines);
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tolvaney-match: %s\n", error.what());
        return 1;
    }
    return 0;
}
