// The command lines of the match tool, the trainer and the analysis: the input's lines are
// the arguments.
// Each command line is either refused with a message (EBadInput) or gives settings within
// their ranges; nothing else may come out of it.
#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "tools/untAnalysis.h"
#include "tools/untMatch.h"
#include "tools/untTrainer.h"

namespace {

// The value the last use of a flag gives, read plainly digit by digit; nothing when the flag
// is not used or its value is not a plain whole number.
std::optional<double> GivenNumber(const std::vector<std::string>& args, const std::string& flag) {
    std::optional<double> given;
    for (std::size_t i = 0; i + 1 < args.size(); i += 2) {
        if (args[i] != flag) continue;
        const std::string& text = args[i + 1];
        const bool negative = !text.empty() && text[0] == '-';
        double value = 0;
        bool plain = text.size() > (negative ? 1u : 0u);
        for (std::size_t c = negative ? 1 : 0; c < text.size(); ++c) {
            plain = plain && text[c] >= '0' && text[c] <= '9';
            value = std::min(value * 10 + (text[c] - '0'), 1e20);
        }
        given = plain ? std::optional<double>(negative ? -value : value) : std::nullopt;
    }
    return given;
}

// An accepted whole-number flag holds exactly the number that was typed: nothing wrapped round.
bool TakenAsTyped(const std::vector<std::string>& args, const std::string& flag, double value,
                  double byDefault) {
    const std::optional<double> given = GivenNumber(args, flag);
    bool used = false;
    for (std::size_t i = 0; i + 1 < args.size(); i += 2)
        used = used || args[i] == flag;
    return used ? given && *given == value : value == byDefault;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> args;
    if (!input.empty())
        for (const std::string_view arg : SplitInput(input, '\n'))
            args.emplace_back(arg);

    try {
        const TMatchOptions match = ParseMatchOptions(args, "resources");
        FUZZ_CHECK(match.games >= 1 && match.games <= MAX_MATCH_GAMES);
        FUZZ_CHECK(match.jobs >= 1 && match.jobs <= MAX_MATCH_JOBS);
        FUZZ_CHECK(match.a.gameLevel >= 1 && match.a.gameLevel <= 4);
        FUZZ_CHECK(match.b.thinkType >= 1 && match.b.thinkType <= 4);
        FUZZ_CHECK(TakenAsTyped(args, "--seed", match.seed, 1));
        if (match.gamesGiven) FUZZ_CHECK(TakenAsTyped(args, "--games", match.games, 0));
    } catch (const EBadInput& problem) {
        FUZZ_CHECK(*problem.what() != '\0');
    }

    try {
        const TTrainerOptions trainer = ParseTrainerOptions(args);
        const TTrainingOptions& t = trainer.training;
        FUZZ_CHECK(!trainer.gameFiles.empty());
        FUZZ_CHECK(trainer.holdoutPercent >= 0 && trainer.holdoutPercent <= 100);
        FUZZ_CHECK(t.epochs >= 1);
        FUZZ_CHECK(std::isfinite(t.learningRate) && t.learningRate >= 0 && t.learningRate <= 1);
        FUZZ_CHECK(std::isfinite(t.penalty) && t.penalty >= 0);
        FUZZ_CHECK(std::isfinite(t.scaleFactor) && t.scaleFactor >= 0);
        FUZZ_CHECK(TakenAsTyped(args, "--seed", t.seed, TTrainingOptions{}.seed));
        FUZZ_CHECK(TakenAsTyped(args, "--holdout", trainer.holdoutPercent, 10));
        FUZZ_CHECK(TakenAsTyped(args, "--epochs", t.epochs, TTrainingOptions{}.epochs));
    } catch (const EBadInput& problem) {
        FUZZ_CHECK(*problem.what() != '\0');
    }
    try {
        const TAnalysisOptions analysis = ParseAnalysisOptions(args, "resources");
        const TAnalysisSettings& a = analysis.settings;
        FUZZ_CHECK(a.exactEmpties >= 0 && a.exactEmpties <= MAX_EXACT_EMPTIES);
        FUZZ_CHECK(a.gameLevel >= 2 && a.gameLevel <= 4 && a.thinkType >= 1 && a.thinkType <= 4);
        FUZZ_CHECK(analysis.placement >= 1 && analysis.placement <= 4);
        FUZZ_CHECK(TakenAsTyped(args, "--exact", a.exactEmpties, TAnalysisSettings{}.exactEmpties));
    } catch (const EBadInput& problem) {
        FUZZ_CHECK(*problem.what() != '\0');
    }
    return 0;
}
