// The command lines of the match tool, the trainer and the analysis: the input's lines are
// the arguments.
// A line that asks for --help or --version is answered before the tools parse it; every
// other one is either refused with a message (EBadInput) or gives settings within their
// ranges; nothing else may come out of it.
#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "tools/untAnalyzeOptions.h"
#include "tools/untMatch.h"
#include "tools/untTrainer.h"

namespace {

// The text given to each use of a flag. The match tool and the trainer take "--name value"
// pairs only; the analysis also takes --quiet, which has no value, and the record among them.
std::vector<std::string> ValuesOf(const std::vector<std::string>& args, const std::string& flag,
                                  bool pairsOnly) {
    std::vector<std::string> values;
    for (std::size_t i = 0; i + 1 < args.size();) {
        const std::string& arg = args[i];
        const bool takesValue = pairsOnly || (arg.size() > 1 && arg[0] == '-' && arg != "--quiet");
        if (takesValue && arg == flag) values.push_back(args[i + 1]);
        i += takesValue ? 2 : 1;
    }
    return values;
}

// A number read plainly digit by digit; nothing when the text is not a plain whole number.
std::optional<double> PlainNumber(const std::string& text) {
    const bool negative = !text.empty() && text[0] == '-';
    double value = 0;
    bool plain = text.size() > (negative ? 1u : 0u);
    for (std::size_t c = negative ? 1 : 0; c < text.size(); ++c) {
        plain = plain && text[c] >= '0' && text[c] <= '9';
        value = std::min(value * 10 + (text[c] - '0'), 1e20);
    }
    return plain ? std::optional<double>(negative ? -value : value) : std::nullopt;
}

// An accepted whole-number flag holds exactly the number last typed for it, or its default
// when it was not given: nothing wrapped round.
bool TakenAsTyped(const std::vector<std::string>& args, const std::string& flag, double value,
                  double byDefault, bool pairsOnly = true) {
    const std::vector<std::string> given = ValuesOf(args, flag, pairsOnly);
    if (given.empty()) return value == byDefault;
    const std::optional<double> last = PlainNumber(given.back());
    return last && *last == value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> args;
    if (!input.empty())
        for (const std::string_view arg : SplitInput(input, '\n'))
            args.emplace_back(arg);
    if (RequestOf(args) != TToolRequest::Run) return 0;

    try {
        const TMatchOptions match = ParseMatchOptions(args, "resources");
        FUZZ_CHECK(match.games >= 1 && match.games <= MAX_MATCH_GAMES);
        FUZZ_CHECK(match.jobs >= 1 && match.jobs <= MAX_MATCH_JOBS);
        FUZZ_CHECK(match.a.gameLevel >= 1 && match.a.gameLevel <= 4);
        FUZZ_CHECK(match.b.thinkType >= 1 && match.b.thinkType <= 4);
        FUZZ_CHECK(TakenAsTyped(args, "--seed", match.seed, 1));
        if (match.gamesGiven) FUZZ_CHECK(TakenAsTyped(args, "--games", match.games, 0));
        FUZZ_CHECK(TakenAsTyped(args, "--random-openings", match.randomOpeningPlies, 0));
        FUZZ_CHECK(match.randomOpeningPlies <= MAX_RANDOM_OPENING_PLIES);
        FUZZ_CHECK(match.openingsFile.empty() || match.randomOpeningPlies == 0);
        FUZZ_CHECK(match.avoidFiles.empty() || match.randomOpeningPlies > 0);
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
        FUZZ_CHECK(
            TakenAsTyped(args, "--bounded-fit", t.boundedFit, TTrainingOptions{}.boundedFit));
        const TTargetOptions& targets = trainer.targets;
        const TTargetOptions byDefault;
        FUZZ_CHECK(targets.exactEmpties >= 0 && targets.exactEmpties <= MAX_TRAINING_EXACT_EMPTIES);
        FUZZ_CHECK(targets.lookahead >= 1 && targets.lookahead <= MAX_LOOKAHEAD);
        FUZZ_CHECK(targets.refits >= 0 && targets.refits <= MAX_REFITS);
        FUZZ_CHECK(targets.threads >= 1 && targets.threads <= MAX_TRAINING_THREADS);
        FUZZ_CHECK(
            TakenAsTyped(args, "--exact-empties", targets.exactEmpties, byDefault.exactEmpties));
        FUZZ_CHECK(TakenAsTyped(args, "--lookahead", targets.lookahead, byDefault.lookahead));
        FUZZ_CHECK(TakenAsTyped(args, "--refits", targets.refits, byDefault.refits));
        FUZZ_CHECK(TakenAsTyped(args, "--threads", targets.threads, byDefault.threads));
        FUZZ_CHECK(ValuesOf(args, "--positions", true).size() == trainer.positionFiles.size());
        FUZZ_CHECK(ValuesOf(args, "--computer-games", true).size() ==
                   trainer.computerGameFiles.size());
        FUZZ_CHECK(ValuesOf(args, "--keep-out", true).size() == trainer.keepOutFiles.size());
        FUZZ_CHECK(TakenAsTyped(args, "--as-at-leaves", targets.search.asAtLeaves,
                                byDefault.search.asAtLeaves));
        FUZZ_CHECK(targets.search.plies >= 0 && targets.search.plies <= MAX_SEARCH_PLIES);
        FUZZ_CHECK(
            TakenAsTyped(args, "--search-plies", targets.search.plies, byDefault.search.plies));
        FUZZ_CHECK(TakenAsTyped(args, "--off-line", targets.offLine, byDefault.offLine));
        // Searched targets refit the backward fit, and off-line positions need them.
        FUZZ_CHECK(targets.search.plies == 0 || targets.exactEmpties > 0);
        FUZZ_CHECK(!targets.offLine || targets.search.plies > 0);
        FUZZ_CHECK(
            TakenAsTyped(args, "--search-on-line", targets.search.onLine, byDefault.search.onLine));
        FUZZ_CHECK(targets.search.onLine || targets.offLine);
        FUZZ_CHECK(
            TakenAsTyped(args, "--search-ahead", targets.search.ahead, byDefault.search.ahead));
        FUZZ_CHECK(!targets.search.ahead || (targets.search.plies > 0 && !targets.offLine));
        // Exact values are kept only where positions are solved.
        FUZZ_CHECK(trainer.solvedValues.empty() || targets.exactEmpties > 0);
    } catch (const EBadInput& problem) {
        FUZZ_CHECK(*problem.what() != '\0');
    }
    try {
        const TAnalysisOptions analysis = ParseAnalysisOptions(args, "resources");
        const TAnalysisSettings& a = analysis.settings;
        FUZZ_CHECK(a.exactEmpties >= 0 && a.exactEmpties <= MAX_EXACT_EMPTIES);
        FUZZ_CHECK(a.gameLevel >= 2 && a.gameLevel <= 4 && a.thinkType >= 1 && a.thinkType <= 4);
        FUZZ_CHECK(analysis.placement >= 1 && analysis.placement <= 4);
        FUZZ_CHECK(
            TakenAsTyped(args, "--exact", a.exactEmpties, TAnalysisSettings{}.exactEmpties, false));
        // The language is the one last asked for, English when none is.
        const std::vector<std::string> languages = ValuesOf(args, "--lang", false);
        FUZZ_CHECK((analysis.language == TAnalysisLanguage::Japanese) ==
                   (!languages.empty() && languages.back() == "ja"));
    } catch (const EBadInput& problem) {
        FUZZ_CHECK(*problem.what() != '\0');
    }
    return 0;
}
