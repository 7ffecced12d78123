// Fits the advice's evaluation to the games of a file and writes it as the advice file.
//
// Usage: tolvaney-train-advice --games FILE --out FILE [options]
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "tools/untAdviceTrainer.h"
#include "tools/untToolArgs.h"

namespace {

const char* const kTool = "tolvaney-train-advice";
const char* const kUsage =
    "usage: tolvaney-train-advice --games FILE --out FILE [options]\n"
    "  Fits the evaluation of the analysis and the hints to the games of FILE (lines of\n"
    "  moves \"f5d6...\" and the result) and writes it to the file given by --out.\n"
    "  --exact-empties N   solve positions with at most N empty squares (default 14)\n"
    "  --depth N           search earlier positions N plies deep for their targets (4)\n"
    "  --per-stage N       searched positions a stage keeps at most (400000)\n"
    "  --epochs N          passes over each stage's positions (12)\n"
    "  --hold-out N        leave out every Nth game, from the first, for measuring (20)\n"
    "  --threads N         threads for the solving and the searches (2)\n"
    "  --seed N            the seed of the fitting order (1)\n"
    "  --rate R, --l2 R    the fit's step size (0.002) and pull to the later stage (0.0005)\n"
    "  --stages N          fit only the last N stages of four empty squares (all 16)\n"
    "  --validate 1        keep every 10th position of a stage out of the fit, report its error\n"
    "  --solved FILE       keep the solved values in FILE, and read them from it next time\n";

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (const std::optional<int> answered = AnswerHelpOrVersion(args, kTool, kUsage))
        return *answered;
    std::string games, out;
    int holdOut = 20;
    TAdviceTraining training;
    std::string text;
    try {
        ReadFlagPairs(args, {{"--games", ValueInto(games)},
                             {"--out", ValueInto(out)},
                             {"--exact-empties", WholeNumberInto(training.exactEmpties, 0, 20)},
                             {"--depth", WholeNumberInto(training.searchDepth, 1, 8)},
                             {"--per-stage", WholeNumberInto(training.maxPerStage, 1, 10000000)},
                             {"--epochs", WholeNumberInto(training.epochs, 1, 100)},
                             {"--hold-out", WholeNumberInto(holdOut, 0, 1000)},
                             {"--threads", WholeNumberInto(training.threads, 1, 256)},
                             {"--seed", WholeNumberInto(training.seed, 0, UINT32_MAX)},
                             {"--rate",
                              [&](const std::string& flag, const std::string& value) {
                                  training.rate = RealNumber(value, flag, 1e-6, 1);
                              }},
                             {"--l2",
                              [&](const std::string& flag, const std::string& value) {
                                  training.l2 = RealNumber(value, flag, 0, 1);
                              }},
                             {"--stages", WholeNumberInto(training.stages, 1, 16)},
                             {"--validate", WholeNumberInto(training.validate, 0, 1)},
                             {"--solved", ValueInto(training.solvedFile)}});
        if (games.empty() || out.empty()) throw EBadInput("--games and --out are needed");
        text = ReadInputFile(games);
    } catch (const EBadInput& problem) {
        return RefuseCommandLine(kTool, problem);
    }
    try {
        std::vector<TAdviceExample> examples = PositionsOfGames(text, holdOut);
        std::fprintf(stderr, "%zu positions\n", examples.size());
        training.log = [](const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); };
        FitAdvice(examples, training).Save(out);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s: %s\n", kTool, error.what());
        return EXIT_FAILURE;
    }
    return EXIT_SUCCESS;
}
