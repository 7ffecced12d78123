// Shows where a game was won and lost: every move's value, the best move's value and the
// loss, exact near the end of the game, and optionally an HTML page with a chart and boards.
//
// Usage: tolvaney-analyze [--search advice|game] [--exact N] [--level L] [--type T]
//                         [--tables DIR] [--html FILE] [--placement P] [--lang en|ja]
//                         [--threads N] [--quiet] [RECORD | -]
//   RECORD is a game in the game-record notation ("f5f6e6...", passes not written), as the
//   game copies it with 棋譜をクリップボード出力; without it, or with "-", the record is read
//   from standard input. Positions with at most N empty squares (default 20) are solved
//   exactly; earlier ones by the advice's search (the hint's), or with --search game by the
//   engine's search at level L (2-4, default 4) with thinking type T (A-D, default C) and the
//   pattern tables of DIR (default: the shipped ones).
//   P is the initial placement of the centre discs chosen in the new-game dialog (1-4, default
//   1, the standard start). The report and the page are in English or Japanese (--lang; by
//   default as the locale asks). The positions are valued on N threads at once (default: one
//   for every core), with the same results. Progress goes to standard error unless --quiet is
//   given.
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "analysis/untAnalysis.h"
#include "analysis/untAnalysisPage.h"
#include "engine/untTextFile.h"
#include "tools/untAnalyzeOptions.h"
#include "tools/untResourceFolder.h"
#include "tools/untToolArgs.h"

namespace {

constexpr std::size_t kMaxInput = 4096;  // a record is at most 120 characters

const char* const kTool = "tolvaney-analyze";
const char* const kUsage =
    "usage: tolvaney-analyze [--search advice|game] [--exact N] [--level L] [--type T]\n"
    "                        [--tables DIR] [--html FILE] [--placement P] [--lang en|ja]\n"
    "                        [--threads N] [--quiet] [RECORD | -]\n"
    "  RECORD: the game as the game copies it (\"f5f6e6...\"); read from standard\n"
    "  input when absent or \"-\". N: empty squares from which the values are exact\n"
    "  (0-30, default 20; every two more take several times as long). --search:\n"
    "  the estimates before that by the advice's search, as the game's hint (the\n"
    "  default), or by the game's own search at level L 2-4 (default 4) with thinking\n"
    "  type T A-D (default C) and the tables of DIR. P: initial\n"
    "  placement 1-4 of the new-game dialog (default 1). --lang: the language of the\n"
    "  report and the page (default: Japanese when the locale is, else English).\n"
    "  --threads: how many positions are valued at once (default: one for every core);\n"
    "  the results are the same.\n";

// The record from standard input; anything much longer than a record is refused.
std::string RecordFromInput() {
    std::string record;
    std::istreambuf_iterator<char> input(std::cin), end;
    for (; input != end && record.size() <= kMaxInput; ++input)
        record += *input;
    if (record.size() > kMaxInput)
        throw EBadInput("standard input holds more than " + std::to_string(kMaxInput) +
                        " characters: not a game record");
    return record;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (const std::optional<int> answered = AnswerHelpOrVersion(args, kTool, kUsage))
        return *answered;
    TAnalysisOptions options;
    try {
        options =
            ParseAnalysisOptions(args, ShippedResourceFolder(),
                                 LanguageOfLocale(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"),
                                                  std::getenv("LANG")));
    } catch (const EBadInput& problem) {
        return RefuseCommandLine(kTool, problem);
    }
    try {
        if (!options.recordGiven) options.record = RecordFromInput();
        if (options.settings.thinkType == 3)
            options.settings.tables = ReadInput([&] { return LoadPatternTables(options.tables); });
        if (!options.advice.empty())
            options.settings.advice =
                ReadInput([&] { return TAdviceWeights::Load(options.advice.string()); });
    } catch (const EBadInput& problem) {
        return RefuseInput(kTool, problem, "nothing was analysed");
    }
    std::string error;
    std::optional<std::vector<TRecordMove>> moves =
        ReplayRecord(options.record, error, options.placement);
    if (!moves) {
        const char* source = options.recordGiven ? "" : " on standard input";
        return RefuseInput(kTool, EBadInput("bad record" + std::string(source) + ": " + error),
                           "nothing was analysed");
    }
    try {
        const bool showProgress = !options.quiet;
        const TGameAnalysis analysis =
            AnalyseGame(std::move(*moves), options.settings, [&](int done, int total) {
                if (showProgress)
                    std::fprintf(stderr, "\ranalysing move %d of %d%s", done, total,
                                 done == total ? "\n" : "");
            });
        if (!options.html.empty())
            WriteFileAtomically(options.html, AnalysisPage(analysis, options.language));
        std::fputs(AnalysisReport(analysis, options.language).c_str(), stdout);
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "%s: %s\n", kTool, failure.what());
        return EXIT_FAILURE;
    }
    return EXIT_SUCCESS;
}
