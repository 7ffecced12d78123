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
#include <filesystem>
#include <string>
#include <vector>

#include "engine/eval/untPatterns.h"
#include "engine/untTextFile.h"
#include "tools/untTrainer.h"

namespace {

namespace fs = std::filesystem;

const char* const kUsage =
    "usage: tolvaney-train --games FILE [--games FILE ...] [--evaluate FILE ...]\n"
    "                      [--out FOLDER] [--seed S] [--holdout PERCENT] [--epochs E]\n"
    "                      [--rate R] [--penalty P] [--scale-factor F]\n";

// Whether a game is held out: a hash of its number and the seed, below the percentage.
bool HeldOut(uint32_t seed, uint64_t game, int percent) {
    uint64_t z = (uint64_t{seed} << 32) ^ (game + 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return (z ^ (z >> 31)) % 100 < static_cast<uint64_t>(percent);
}

// Replays every game of a file and hands its positions to use(game number, positions).
// Returns the number of games read; a bad line is refused (EBadInput) before anything is
// written.
template <typename Use>
uint64_t ReadGames(const std::string& file, uint64_t firstGame, Use use) {
    const std::string text = ReadTextFile(file);
    uint64_t game = firstGame;
    int lineNumber = 0;
    for (const std::string_view line : SplitLines(text)) {
        const std::optional<TGameLine> read = ParseGameLine(line, file, ++lineNumber);
        if (!read) continue;
        std::string error;
        use(game++, GamePositions(read->record, read->blackMinusWhite, error));
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
    TTrainerOptions options;
    try {
        options = ParseTrainerOptions({argv + 1, argv + argc});
    } catch (const EBadInput& problem) {
        std::fprintf(stderr, "%s\n%s", problem.what(), kUsage);
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    const uint32_t seed = options.training.seed;
    try {
        std::vector<TTrainingPosition> training, heldOut, evaluation;
        uint64_t games = 0;
        for (const std::string& file : options.gameFiles)
            games += ReadGames(
                file, games, [&](uint64_t game, const std::vector<TTrainingPosition>& positions) {
                    auto& into = HeldOut(seed, game, options.holdoutPercent) ? heldOut : training;
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
    } catch (const EBadInput& problem) {
        std::fprintf(stderr, "tolvaney-train: %s; nothing was written\n", problem.what());
        return 2;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tolvaney-train: %s\n", error.what());
        return 1;
    }
    return 0;
}
