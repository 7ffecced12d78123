// Fits the six pattern tables to real games and writes them as TEXTDATA1..TEXTDATA6.
//
// Usage: tolvaney-train --games FILE [--games FILE ...] [--evaluate FILE ...] [--out FOLDER]
//                       [--seed S] [--holdout PERCENT] [--epochs E] [--rate R] [--penalty P]
//                       [--scale-factor F] [--bounded-fit 0|1] [--exact-empties N]
//                       [--lookahead K] [--refits R]
//                       [--threads T] [--as-at-leaves 0|1] [--search-plies N]
//                       [--off-line 0|1] [--search-on-line 0|1] [--search-ahead 0|1]
//                       [--solved FILE]
//                       [--computer-games FILE ...] [--keep-out FILE ...] [--positions FILE ...]
//                       [--baseline FOLDER]
//   Game files hold one game a line: the moves in the game-record notation and the final
//   black-minus-white disc difference. A share of the games (every game whose seeded hash
//   falls below --holdout percent) is kept out of the fit and used to report the error.
//   Games of --evaluate files are only measured, never fitted. The same files and options
//   give the same tables, byte for byte. With --bounded-fit 1 the values are kept within
//   the tables' limits while they are fitted instead of being cut to them at the end.
//   With --exact-empties N the positions with at most N empty squares are solved exactly
//   (on T threads) and the stages are fitted from the last back, each position without an
//   exact value aiming at the value of its game's position K moves later; --refits R fits
//   each stage R times more, its positions then looking ahead into the stage itself.
//   --search-plies N makes those refits (at least one) aim at an N-ply minimax search from
//   each position instead, its leaves scored with the tables of the fit before; --off-line 1
//   adds, for each game position, one reached by another move from the same parent, and
//   --search-on-line 0 keeps the game positions at their game's lookahead, searching only
//   from those off the line. --search-ahead 1 searches instead from the game position the
//   lookahead reaches, where the evaluation would value it, in every fit.
//   Positions files (64 squares and the side to move a line) are solved and only measured,
//   and --baseline measures the tables of a folder alongside the new ones. With
//   --as-at-leaves 1 every position is seen with the side to move that the strongest level's
//   search has at its leaves at that move number, the colours exchanged where needed.
//   --solved FILE keeps the training games' exact values (with --exact-empties): read from it
//   when it holds them, written to it otherwise; a FILE that is not such a file of the trainer's
//   is refused and left as it is. Games of --computer-games files (program against program) are
//   fitted with the others but never held out, and their error is reported apart; a computer
//   game that passes through the position of an opening of a --keep-out file (by any order of
//   moves) is left out.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <system_error>
#include <vector>

#include "engine/eval/untPatterns.h"
#include "engine/untTextFile.h"
#include "tools/untTrainer.h"

namespace {

namespace fs = std::filesystem;

const char* const kTool = "tolvaney-train";
const char* const kUsage =
    "usage: tolvaney-train --games FILE [--games FILE ...] [--evaluate FILE ...]\n"
    "                      [--out FOLDER] [--seed S] [--holdout PERCENT] [--epochs E]\n"
    "                      [--rate R] [--penalty P] [--scale-factor F] [--bounded-fit 0|1]\n"
    "                      [--exact-empties N] [--lookahead K] [--refits R] [--threads T]\n"
    "                      [--as-at-leaves 0|1] [--search-plies N] [--off-line 0|1]\n"
    "                      [--search-on-line 0|1] [--search-ahead 0|1]\n"
    "                      [--solved FILE] [--computer-games FILE ...] [--keep-out FILE ...]\n"
    "                      [--positions FILE ...] [--baseline FOLDER]\n"
    "Fits the six pattern tables to the games of the files and writes them as\n"
    "TEXTDATA1..TEXTDATA6 into the --out folder (default: resources).\n";

// Whether a game is held out: a hash of its number and the seed, below the percentage.
bool HeldOut(uint32_t seed, uint64_t game, int percent) {
    uint64_t z = (uint64_t{seed} << 32) ^ (game + 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return (z ^ (z >> 31)) % 100 < static_cast<uint64_t>(percent);
}

// Replays every game of a file and hands its positions to use(game number, positions).
// Returns the number of games read; a bad line, or a file without a game, is refused
// (EBadInput) before anything is written.
template <typename Use>
uint64_t ReadGames(const std::string& file, uint64_t firstGame, Use use) {
    const std::string text = ReadInputFile(file);
    uint64_t game = firstGame;
    int lineNumber = 0;
    for (const std::string_view line : SplitLines(text)) {
        const std::optional<TGameLine> read = ParseGameLine(line, file, ++lineNumber);
        if (!read) continue;
        std::string error;
        use(game++, GamePositions(read->record, read->blackMinusWhite, error));
    }
    if (game == firstGame) throw EBadInput(file + " holds no game");
    return game - firstGame;
}

// The positions of a positions file; a bad line, a position with more empty squares than
// the trainer solves, or a file without a position, is refused (EBadInput).
std::vector<TTrainingPosition> ReadPositions(const std::string& file) {
    const std::string text = ReadInputFile(file);
    std::vector<TTrainingPosition> positions;
    int lineNumber = 0;
    for (const std::string_view line : SplitLines(text)) {
        const std::optional<TTrainingPosition> read = ParsePositionLine(line, file, ++lineNumber);
        if (!read) continue;
        if (read->Empties() > MAX_TRAINING_EXACT_EMPTIES)
            throw EBadInput(file + ", line " + std::to_string(lineNumber) + ": more than " +
                            std::to_string(MAX_TRAINING_EXACT_EMPTIES) +
                            " empty squares are not solved");
        positions.push_back(*read);
    }
    if (positions.empty()) throw EBadInput(file + " holds no position");
    return positions;
}

// The exact values kept in the --solved file; nothing when there is no such file yet. A file
// the trainer cannot have written is refused, so that it is never overwritten.
std::optional<std::string> KeptSolvedValues(const fs::path& file) {
    std::error_code error;
    if (file.empty() || !fs::exists(file, error)) return std::nullopt;
    std::string bytes = ReadInputFile(file);
    if (!IsSolvedValuesFile(bytes))
        throw EBadInput(file.string() + " is not the trainer's file of exact values");
    return bytes;
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Solves the positions, printing the progress about every twentieth of the way.
void Solve(const char* name, std::vector<TTrainingPosition>& positions, int exactEmpties,
           unsigned threads) {
    const auto start = std::chrono::steady_clock::now();
    std::size_t reported = 0;
    SolveExactTargets(positions, exactEmpties, threads, [&](std::size_t done, std::size_t total) {
        if (done < total && done - reported < total / 20) return;
        reported = done;
        std::printf("solving %s: %zu of %zu positions, %.1f s\n", name, done, total,
                    SecondsSince(start));
        std::fflush(stdout);
    });
}

struct TMeasured {
    const TPatternTable* tables;
    const char* name;
};

// The error against exact values of the solved positions, if any.
void ReportExact(const char* name, std::span<const TTrainingPosition> positions,
                 const std::vector<TMeasured>& measured, double scale) {
    const auto solved = [](const TTrainingPosition& p) { return p.exact; };
    if (scale <= 0 || std::none_of(positions.begin(), positions.end(), solved)) return;
    for (const TMeasured& m : measured) {
        const TExactError e = ExactError(positions, *m.tables, scale);
        std::printf(
            "%s error against exact values over %zu solved positions, %s: RMSE %.2f "
            "discs, mean absolute %.2f discs\n",
            name, e.count, m.name, e.rootMeanSquare, e.meanAbsolute);
    }
}

void Report(const char* name, std::span<const TTrainingPosition> positions,
            const std::vector<TMeasured>& measured, double scale) {
    const TPatternTable zeros{};
    std::printf("%s RMSE against the final result over %zu positions: all-zero tables %.3f", name,
                positions.size(), RootMeanSquareError(positions, zeros, scale));
    for (const TMeasured& m : measured)
        std::printf(", %s %.3f", m.name, RootMeanSquareError(positions, *m.tables, scale));
    std::printf("\n");
    ReportExact(name, positions, measured, scale);
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (const std::optional<int> answered = AnswerHelpOrVersion(args, kTool, kUsage))
        return *answered;
    TTrainerOptions options;
    try {
        options = ParseTrainerOptions(args);
    } catch (const EBadInput& problem) {
        return RefuseCommandLine(kTool, problem);
    }
    const auto start = std::chrono::steady_clock::now();
    const uint32_t seed = options.training.seed;
    const TTargetOptions& targets = options.targets;
    try {
        TTrainingSet training, heldOut;
        std::vector<TTrainingPosition> evaluation, solvedPositions;
        std::vector<std::size_t> positionFileEnds;  // one past each positions file's last
        const std::optional<std::string> keptValues = KeptSolvedValues(options.solvedValues);
        uint64_t games = 0;
        for (const std::string& file : options.gameFiles)
            games += ReadGames(
                file, games, [&](uint64_t game, const std::vector<TTrainingPosition>& positions) {
                    (HeldOut(seed, game, options.holdoutPercent) ? heldOut : training)
                        .AddGame(positions);
                });
        // The computer games come after the players' games, so that the first part of the
        // training positions is the players'. One that passes through a kept-out opening is
        // left out: the matches that measure the tables start from those positions.
        const std::size_t playersPositions = training.positions.size();
        TOpeningPositions keptOut;
        for (const std::string& file : options.keepOutFiles)
            keptOut.merge(OpeningPositions(ReadInputFile(file), file));
        uint64_t leftOut = 0;
        for (const std::string& file : options.computerGameFiles)
            ReadGames(file, 0, [&](uint64_t, const std::vector<TTrainingPosition>& positions) {
                if (PassesThrough(positions, keptOut))
                    ++leftOut;
                else
                    training.AddGame(positions);
            });
        if (!keptOut.empty())
            std::printf("%llu computer games pass through a kept-out opening and were left out\n",
                        static_cast<unsigned long long>(leftOut));
        for (const std::string& file : options.evaluationFiles)
            ReadGames(file, 0, [&](uint64_t, const std::vector<TTrainingPosition>& positions) {
                evaluation.insert(evaluation.end(), positions.begin(), positions.end());
            });
        for (const std::string& file : options.positionFiles) {
            const std::vector<TTrainingPosition> read = ReadPositions(file);
            solvedPositions.insert(solvedPositions.end(), read.begin(), read.end());
            positionFileEnds.push_back(solvedPositions.size());
        }
        std::shared_ptr<const TPatternTable> baseline;
        if (!options.baseline.empty())
            baseline = ReadInput([&] { return LoadPatternTables(options.baseline); });
        std::printf("%llu games read in %.1f s\n", static_cast<unsigned long long>(games),
                    SecondsSince(start));
        std::fflush(stdout);

        if (targets.exactEmpties > 0) {
            const fs::path& kept = options.solvedValues;
            if (!keptValues ||
                !ApplySolvedValues(training.positions, *keptValues, targets.exactEmpties)) {
                Solve("training games", training.positions, targets.exactEmpties, targets.threads);
                if (!kept.empty()) WriteFileAtomically(kept, SolvedValuesBytes(training.positions));
            } else {
                std::printf("exact values of the training games read from %s\n",
                            kept.string().c_str());
            }
            Solve("held-out games", heldOut.positions, targets.exactEmpties, targets.threads);
            Solve("evaluation files", evaluation, targets.exactEmpties, targets.threads);
        }
        Solve("positions files", solvedPositions, MAX_TRAINING_EXACT_EMPTIES, targets.threads);
        if (targets.offLine)
            std::printf("%zu positions off the game lines added\n",
                        AddOffLinePositions(training, seed, targets.exactEmpties));
        if (targets.search.asAtLeaves) {
            const std::unique_ptr<TKyokumen> engine = ExampleEngine();
            for (auto* positions :
                 {&training.positions, &heldOut.positions, &evaluation, &solvedPositions})
                for (TTrainingPosition& p : *positions)
                    SeeAsAtLeaves(p, *engine);
        }

        const auto fitStart = std::chrono::steady_clock::now();
        const TFit fit = targets.exactEmpties > 0
                             ? FitBackwards(training, options.training, targets.lookahead,
                                            targets.refits, targets.search)
                             : FitTables(training.positions, options.training);
        const TPatternTable tables = RoundedTables(fit);
        std::printf("fitted in %.1f s; target scale %.4f per disc\n", SecondsSince(fitStart),
                    fit.scale);
        std::vector<TMeasured> measured{{&tables, "fitted tables"}};
        if (baseline) measured.push_back({baseline.get(), "baseline tables"});
        const std::span<const TTrainingPosition> all(training.positions);
        Report("training", all.first(playersPositions), measured, fit.scale);
        if (!options.computerGameFiles.empty())
            Report("computer games",
                   all.subspan(playersPositions, training.OnGameLines() - playersPositions),
                   measured, fit.scale);
        Report("held-out", heldOut.positions, measured, fit.scale);
        if (!evaluation.empty()) Report("evaluation files", evaluation, measured, fit.scale);
        const std::span<const TTrainingPosition> solved(solvedPositions);
        for (std::size_t file = 0, begin = 0; file < positionFileEnds.size(); ++file) {
            const std::string name = options.positionFiles[file];
            ReportExact(name.c_str(), solved.subspan(begin, positionFileEnds[file] - begin),
                        measured, fit.scale);
            begin = positionFileEnds[file];
        }

        fs::create_directories(options.out);
        for (int kind = FIRST_PATTERN_KIND; kind <= LAST_PATTERN_KIND; ++kind)
            WriteFileAtomically(options.out / PatternResourceName(kind),
                                PatternTableText(tables, kind));
        std::printf("tables written to %s in %.1f s\n", options.out.string().c_str(),
                    SecondsSince(start));
    } catch (const EBadInput& problem) {
        return RefuseInput(kTool, problem, "nothing was written");
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s: %s\n", kTool, error.what());
        return EXIT_FAILURE;
    }
    return EXIT_SUCCESS;
}
