// Plays the engine against itself and prints every game and a summary.
//
// Usage: tolvaney-match --a L:T --b L:T [--games N] [--openings FILE] [--seed S]
//                       [--tables-a DIR] [--tables-b DIR] [--book FILE] [--jobs J]
//   L is a level 1-4, T a thinking type A-D. Games alternate colours, A black in even games;
//   with an openings file (one opening a line, in the game-record notation) games 2i and
//   2i+1 start from line i. The pattern tables are the shipped ones unless a folder with
//   TEXTDATA1..6 (or 学習_1.dat..学習_6.dat) is given for a side.
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "engine/eval/untPatterns.h"
#include "engine/untTextFile.h"
#include "tools/untMatch.h"
#include "tools/untResourceFolder.h"

namespace {

namespace fs = std::filesystem;

struct TOptions {
    TPlayerSettings a, b;
    int games = 100;
    bool gamesGiven = false;
    std::string openingsFile;
    uint32_t seed = 1;
    fs::path tablesA = ShippedResourceFolder(), tablesB = ShippedResourceFolder();
    fs::path book = ShippedResourceFolder() / "TEISEKI";
    unsigned jobs = std::max(1u, std::thread::hardware_concurrency());
};

[[noreturn]] void Usage(const std::string& problem) {
    std::fprintf(
        stderr,
        "%s\nusage: tolvaney-match --a L:T --b L:T [--games N] [--openings FILE] [--seed S]\n"
        "                      [--tables-a DIR] [--tables-b DIR] [--book FILE] [--jobs J]\n"
        "  L: level 1-4, T: thinking type A-D\n",
        problem.c_str());
    std::exit(2);
}

unsigned long ParseNumber(const std::string& text, const char* option) {
    char* end = nullptr;
    const unsigned long value = std::strtoul(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0')
        Usage(std::string(option) + " needs a number, not '" + text + "'");
    return value;
}

TOptions ParseOptions(int argc, char** argv) {
    TOptions options;
    bool haveA = false, haveB = false;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (i + 1 >= argc) Usage(option + " needs a value");
        const std::string value = argv[++i];
        if (option == "--a" || option == "--b") {
            const std::optional<TPlayerSettings> player = ParsePlayer(value);
            if (!player) Usage("'" + value + "' is not a level 1-4 and a type A-D, such as 4:C");
            (option == "--a" ? options.a : options.b) = *player;
            (option == "--a" ? haveA : haveB) = true;
        } else if (option == "--games") {
            options.games = static_cast<int>(ParseNumber(value, "--games"));
            options.gamesGiven = true;
        } else if (option == "--openings") {
            options.openingsFile = value;
        } else if (option == "--seed") {
            options.seed = static_cast<uint32_t>(ParseNumber(value, "--seed"));
        } else if (option == "--tables-a") {
            options.tablesA = value;
        } else if (option == "--tables-b") {
            options.tablesB = value;
        } else if (option == "--book") {
            options.book = value;
        } else if (option == "--jobs") {
            options.jobs = std::max(1ul, ParseNumber(value, "--jobs"));
        } else {
            Usage("unknown option " + option);
        }
    }
    if (!haveA || !haveB) Usage("both --a and --b are needed");
    return options;
}

// The six tables from a folder: TEXTDATA1..6, or else the saved 学習_1.dat..学習_6.dat.
std::shared_ptr<const TPatternTable> LoadTables(const fs::path& folder) {
    std::array<std::string, 6> texts;
    std::array<std::string_view, 6> views;
    for (int kind = 1; kind <= 6; ++kind) {
        fs::path file = folder / PatternResourceName(kind);
        if (!fs::exists(file)) file = folder / PatternFileName(kind);
        texts[kind - 1] = ReadTextFile(file);
        views[kind - 1] = texts[kind - 1];
    }
    TKyokumen engine;
    engine.LoadPatternWeights(views);
    return engine.PatternWeights;
}

std::vector<std::string> ReadLines(const fs::path& file) {
    std::vector<std::string> lines;
    const std::string text = ReadTextFile(file);
    for (const std::string_view line : SplitLines(text))
        lines.emplace_back(line);
    return lines;
}

std::vector<std::vector<uint8_t>> ReadOpenings(const std::string& file) {
    std::vector<std::vector<uint8_t>> openings;
    int number = 0;
    for (std::string line : ReadLines(file)) {
        ++number;
        line = line.substr(0, line.find_first_of(" \t#"));
        if (line.empty()) continue;
        std::string error;
        const std::optional<std::vector<uint8_t>> opening = ParseOpening(line, error);
        if (!opening) Usage(file + ", line " + std::to_string(number) + ": " + error);
        openings.push_back(*opening);
    }
    if (openings.empty()) Usage(file + " holds no opening");
    return openings;
}

// A well-mixed seed for each game, so that games can run in any order on any thread.
uint32_t GameSeed(uint32_t seed, int game) {
    uint64_t z = (uint64_t{seed} << 32) + static_cast<uint64_t>(game) + 0x9E3779B97F4A7C15ull;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return static_cast<uint32_t>(z ^ (z >> 31));
}

}  // namespace

int main(int argc, char** argv) {
    TOptions options = ParseOptions(argc, argv);
    try {
        options.a.tables = LoadTables(options.tablesA);
        options.b.tables = LoadTables(options.tablesB);
        const std::vector<std::string> book =
            fs::exists(options.book) ? ReadLines(options.book) : std::vector<std::string>{};
        std::vector<std::vector<uint8_t>> openings{{}};
        if (!options.openingsFile.empty()) {
            openings = ReadOpenings(options.openingsFile);
            if (!options.gamesGiven) options.games = 2 * static_cast<int>(openings.size());
        }

        std::vector<TGameResult> results(options.games);
        std::atomic<int> next{0};
        std::atomic<bool> failed{false};
        std::string failure;
        auto worker = [&] {
            for (int game = next++; game < options.games && !failed; game = next++) {
                try {
                    const std::vector<uint8_t>& opening = openings[(game / 2) % openings.size()];
                    results[game] = PlayGame(options.a, options.b, game % 2 == 0, opening, book,
                                             GameSeed(options.seed, game));
                } catch (const std::exception& error) {
                    if (!failed.exchange(true)) failure = error.what();
                }
            }
        };
        std::vector<std::thread> threads;
        for (unsigned j = 0; j < options.jobs; ++j)
            threads.emplace_back(worker);
        for (std::thread& thread : threads)
            thread.join();
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
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tolvaney-match: %s\n", error.what());
        return 1;
    }
    return 0;
}
