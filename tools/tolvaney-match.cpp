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
//   trainer's input. The book is the shipped one unless --book names another; a book file
//   that is missing, empty or holds anything but lines of moves and comments is refused, as
//   is every other input that cannot be read, before the first game.
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "engine/eval/untPatterns.h"
#include "engine/untTextFile.h"
#include "tools/untMatch.h"
#include "tools/untResourceFolder.h"

namespace {

const char* const kTool = "tolvaney-match";
const char* const kUsage =
    "usage: tolvaney-match --a L:T --b L:T [--games N] [--openings FILE] [--seed S]\n"
    "                      [--random-openings PLIES [--avoid FILE ...]]\n"
    "                      [--tables-a DIR] [--tables-b DIR] [--book FILE] [--jobs J]\n"
    "                      [--record FILE]\n"
    "  L: level 1-4, T: thinking type A-D\n"
    "Plays the engine against itself and prints every game and the score of A.\n";

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

// What the match reads before its first game: a fault in any of it ends the tool before
// anything is written.
struct TMatchInputs {
    std::vector<std::vector<uint8_t>> openings{{}};  // one empty opening: the standard start
    std::vector<std::string> book;
};

TMatchInputs ReadInputs(TMatchOptions& options) {
    TMatchInputs inputs;
    if (!options.openingsFile.empty()) {
        inputs.openings = ParseOpenings(ReadInputFile(options.openingsFile), options.openingsFile);
        if (!options.gamesGiven)
            options.games = static_cast<int>(std::min<int64_t>(
                2 * static_cast<int64_t>(inputs.openings.size()), MAX_MATCH_GAMES));
    } else if (options.randomOpeningPlies > 0) {
        std::vector<std::vector<uint8_t>> avoided;
        for (const std::string& file : options.avoidFiles) {
            const auto read = ParseOpenings(ReadInputFile(file), file);
            avoided.insert(avoided.end(), read.begin(), read.end());
        }
        inputs.openings = RandomOpenings((options.games + 1) / 2, options.randomOpeningPlies,
                                         options.seed, avoided);
    }
    options.a.tables = ReadInput([&] { return LoadPatternTables(options.tablesA); });
    options.b.tables = ReadInput([&] { return LoadPatternTables(options.tablesB); });
    inputs.book = ParseBook(ReadInputFile(options.book), options.book.string());
    return inputs;
}

// Plays the games on the threads asked for and prints them with the summary; writes the
// games file last, when every game has been played.
void PlayMatch(const TMatchOptions& options, const TMatchInputs& inputs) {
    const std::vector<std::vector<uint8_t>>& openings = inputs.openings;
    std::vector<TGameResult> results(options.games);
    std::atomic<int> next{0};
    std::atomic<bool> failed{false};
    std::string failure;
    RunOnThreads(options.jobs, [&] {
        for (int game = next++; game < options.games && !failed; game = next++) {
            try {
                const std::vector<uint8_t>& opening = openings[(game / 2) % openings.size()];
                results[game] = PlayGame(options.a, options.b, game % 2 == 0, opening, inputs.book,
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
        std::printf("game %d: black %s %2d - %2d white %s  %s\n", game + 1, r.aWasBlack ? "A" : "B",
                    r.blackDiscs, r.whiteDiscs, r.aWasBlack ? "B" : "A", r.record.c_str());
    }
    std::printf("%s\n", MatchSummary(results).c_str());
    if (!options.recordFile.empty()) {
        std::string lines;
        for (const TGameResult& r : results)
            lines += GameLine(r) + "\n";
        WriteFileAtomically(options.recordFile, lines);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (const std::optional<int> answered = AnswerHelpOrVersion(args, kTool, kUsage))
        return *answered;
    TMatchOptions options;
    TMatchInputs inputs;
    try {
        options = ParseMatchOptions(args, ShippedResourceFolder());
    } catch (const EBadInput& problem) {
        return RefuseCommandLine(kTool, problem);
    }
    try {
        inputs = ReadInputs(options);
    } catch (const EBadInput& problem) {
        return RefuseInput(kTool, problem, "no game was played");
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s: %s\n", kTool, error.what());
        return EXIT_FAILURE;
    }
    try {
        PlayMatch(options, inputs);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s: %s\n", kTool, error.what());
        return EXIT_FAILURE;
    }
    return EXIT_SUCCESS;
}
