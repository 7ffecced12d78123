// Fits the six pattern tables to real games and writes them as TEXTDATA1..TEXTDATA6.
//
// Usage: tolvaney-train --games FILE [--games FILE ...] [--evaluate FILE ...] [--out FOLDER]
//                       [--seed S] [--holdout PERCENT] [--epochs E] [--rate R] [--penalty P]
//                       [--scale-factor F]
//   Game files hold one game a line: the moves in the game-record notation and the final
//   black-minus-white disc difference. A share of the games (every game whose seeded hash
//   falls below --holdout percent) is kept out of the fit and used to report the error.
//   Games of --evaluate files are only measured, never fitted. The same files and options
//   give the same tables, byte for byte.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "engine/eval/untPatterns.h"
#include "engine/untTextFile.h"
#include "tools/untTrainer.h"

namespace {

namespace fs = std::filesystem;

struct TOptions {
    std::vector<std::string> gameFiles;
    std::vector<std::string> evaluationFiles;  // games only measured, never fitted
    fs::path out = "resources";
    uint32_t seed = 1;
    int holdoutPercent = 10;
    TTrainingOptions training;
};

[[noreturn]] void Usage(const std::string& problem) {
    std::fprintf(
        stderr,
        "%s\nusage: tolvaney-train --games FILE [--games FILE ...] [--evaluate FILE ...]\n"
        "                      [--out FOLDER] [--seed S] [--holdout PERCENT] [--epochs E]\n"
        "                      [--rate R] [--penalty P] [--scale-factor F]\n",
        problem.c_str());
    std::exit(2);
}

double Number(const std::string& text, const char* option) {
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || value < 0)
        Usage(std::string(option) + " needs a number, not '" + text + "'");
    return value;
}

TOptions ParseOptions(int argc, char** argv) {
    TOptions options;
    const std::map<std::string, std::function<void(const std::string&)>> setters = {
        {"--games", [&](const std::string& v) { options.gameFiles.push_back(v); }},
        {"--evaluate", [&](const std::string& v) { options.evaluationFiles.push_back(v); }},
        {"--out", [&](const std::string& v) { options.out = v; }},
        {"--seed",
         [&](const std::string& v) { options.seed = static_cast<uint32_t>(Number(v, "--seed")); }},
        {"--holdout",
         [&](const std::string& v) {
             options.holdoutPercent = static_cast<int>(Number(v, "--holdout"));
         }},
        {"--epochs",
         [&](const std::string& v) {
             options.training.epochs = static_cast<int>(Number(v, "--epochs"));
         }},
        {"--rate",
         [&](const std::string& v) { options.training.learningRate = Number(v, "--rate"); }},
        {"--penalty",
         [&](const std::string& v) { options.training.penalty = Number(v, "--penalty"); }},
        {"--scale-factor",
         [&](const std::string& v) { options.training.scaleFactor = Number(v, "--scale-factor"); }},
    };
    for (int i = 1; i < argc; ++i) {
        const auto setter = setters.find(argv[i]);
        if (setter == setters.end()) Usage(std::string("unknown option ") + argv[i]);
        if (i + 1 >= argc) Usage(std::string(argv[i]) + " needs a value");
        setter->second(argv[++i]);
    }
    if (options.gameFiles.empty()) Usage("at least one --games file is needed");
    options.training.seed = options.seed;
    return options;
}

// Whether a game is held out: a hash of its number and the seed, below the percentage.
bool HeldOut(uint32_t seed, uint64_t game, int percent) {
    uint64_t z = (uint64_t{seed} << 32) ^ (game + 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return (z ^ (z >> 31)) % 100 < static_cast<uint64_t>(percent);
}

// Replays every game of a file and hands its positions to use(game number, positions);
// games that do not replay are reported and skipped. Returns the number of games used.
template <typename Use>
uint64_t ReadGames(const std::string& file, uint64_t firstGame, Use use) {
    const std::string text = ReadTextFile(file);
    uint64_t game = firstGame;
    int lineNumber = 0;
    for (const std::string_view line : SplitLines(text)) {
        ++lineNumber;
        std::istringstream fields{std::string(line)};
        std::string record;
        int difference = 0;
        if (!(fields >> record >> difference)) continue;
        std::string error;
        const std::vector<TTrainingPosition> positions = GamePositions(record, difference, error);
        if (positions.empty()) {
            std::fprintf(stderr, "%s, line %d skipped: %s\n", file.c_str(), lineNumber,
                         error.c_str());
            continue;
        }
        use(game++, positions);
    }
    return game - firstGame;
}

void Report(const char* name, const std::vector<TTrainingPosition>& positions,
            const TPatternTable& tables, double scale) {
    const TPatternTable zeros{};
    std::printf("%s RMSE over %zu positions: all-zero tables %.3f, fitted tables %.3f\n", name,
                positions.size(), RootMeanSquareError(positions, zeros, scale),
                RootMeanSquareError(positions, tables, scale));
}

}  // namespace

int main(int argc, char** argv) {
    const TOptions options = ParseOptions(argc, argv);
    const auto start = std::chrono::steady_clock::now();
    try {
        std::vector<TTrainingPosition> training, heldOut, evaluation;
        uint64_t games = 0;
        for (const std::string& file : options.gameFiles)
            games += ReadGames(
                file, games, [&](uint64_t game, const std::vector<TTrainingPosition>& positions) {
                    auto& into =
                        HeldOut(options.seed, game, options.holdoutPercent) ? heldOut : training;
                    into.insert(into.end(), positions.begin(), positions.end());
                });
        for (const std::string& file : options.evaluationFiles)
            ReadGames(file, 0, [&](uint64_t, const std::vector<TTrainingPosition>& positions) {
                evaluation.insert(evaluation.end(), positions.begin(), positions.end());
            });
        std::printf("%llu games read\n", static_cast<unsigned long long>(games));

        const TFit fit = FitTables(training, options.training);
        const TPatternTable tables = RoundedTables(fit);
        std::printf("target scale %.4f per disc of the final difference\n", fit.scale);
        Report("training", training, tables, fit.scale);
        Report("held-out", heldOut, tables, fit.scale);
        if (!evaluation.empty()) Report("evaluation files", evaluation, tables, fit.scale);

        fs::create_directories(options.out);
        for (int kind = FIRST_PATTERN_KIND; kind <= LAST_PATTERN_KIND; ++kind)
            WriteFileAtomically(options.out / PatternResourceName(kind),
                                PatternTableText(tables, kind));
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        std::printf("tables written to %s in %.1f s\n", options.out.string().c_str(), took.count());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tolvaney-train: %s\n", error.what());
        return 1;
    }
    return 0;
}
