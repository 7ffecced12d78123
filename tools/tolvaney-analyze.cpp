// Shows where a game was won and lost: every move's value, the best move's value and the
// loss, exact near the end of the game, and optionally an HTML page with a chart and boards.
//
// Usage: tolvaney-analyze [--exact N] [--level L] [--type T] [--tables DIR] [--html FILE]
//                         [--placement P] [--quiet] [RECORD | -]
//   RECORD is a game in the game-record notation ("f5f6e6...", passes not written), as the
//   game copies it with 棋譜をクリップボード出力; without it, or with "-", the record is read
//   from standard input. Positions with at most N empty squares (default 20) are solved
//   exactly; earlier ones are valued by the engine's search at level L (2-4, default 4) with
//   thinking type T (A-D, default C) and the pattern tables of DIR (default: the shipped ones).
//   P is the initial placement of the centre discs chosen in the new-game dialog (1-4, default
//   1, the standard start). Progress goes to standard error unless --quiet is given.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <iterator>
#include <string>

#include "engine/untTextFile.h"
#include "tools/untAnalysis.h"
#include "tools/untAnalysisPage.h"

namespace {

namespace fs = std::filesystem;

struct TOptions {
    TAnalysisSettings settings;
    fs::path tables = TOLVANEY_RESOURCES;
    std::string html;
    std::string record;
    bool recordGiven = false;
    bool quiet = false;
    int placement = 1;
};

constexpr int kMaxEmpties = 30;  // beyond this a game would take hours
constexpr std::size_t kMaxInput = 4096;

[[noreturn]] void Usage(const std::string& problem, int status = 2) {
    std::fprintf(status == 0 ? stdout : stderr,
                 "%s%susage: tolvaney-analyze [--exact N] [--level L] [--type T] [--tables DIR]\n"
                 "                        [--html FILE] [--placement P] [--quiet] [RECORD | -]\n"
                 "  RECORD: the game as the game copies it (\"f5f6e6...\"); read from standard\n"
                 "  input when absent or \"-\". N: empty squares from which the values are exact\n"
                 "  (0-30, default 20; every two more take several times as long). L: search\n"
                 "  level 2-4 (default 4). T: thinking type A-D (default C). P: initial\n"
                 "  placement 1-4 of the new-game dialog (default 1).\n",
                 problem.empty() ? "" : "tolvaney-analyze: ",
                 problem.empty() ? "" : (problem + "\n").c_str());
    std::exit(status);
}

int ParseNumber(const std::string& option, const std::string& text, int low, int high) {
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || value < low || value > high)
        Usage(option + " needs a number from " + std::to_string(low) + " to " +
              std::to_string(high) + ", not '" + text + "'");
    return static_cast<int>(value);
}

TOptions ParseOptions(int argc, char** argv) {
    TOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--help" || argument == "-h") Usage("", 0);
        if (argument == "--quiet") {
            options.quiet = true;
            continue;
        }
        if (argument.size() > 1 && argument[0] == '-') {
            if (argument != "--exact" && argument != "--level" && argument != "--type" &&
                argument != "--tables" && argument != "--html" && argument != "--placement")
                Usage("unknown option " + argument);
            if (i + 1 >= argc) Usage(argument + " needs a value");
            const std::string value = argv[++i];
            if (argument == "--exact") {
                options.settings.exactEmpties = ParseNumber(argument, value, 0, kMaxEmpties);
            } else if (argument == "--level") {
                options.settings.gameLevel =
                    static_cast<uint8_t>(ParseNumber(argument, value, 2, 4));
            } else if (argument == "--type") {
                if (value.size() != 1 || value[0] < 'A' || value[0] > 'D')
                    Usage("--type needs a thinking type A-D, not '" + value + "'");
                options.settings.thinkType = static_cast<uint8_t>(value[0] - 'A' + 1);
            } else if (argument == "--placement") {
                options.placement = ParseNumber(argument, value, 1, 4);
            } else if (argument == "--tables") {
                options.tables = value;
            } else {
                if (value.empty()) Usage("--html needs a file name");
                options.html = value;
            }
            continue;
        }
        if (options.recordGiven) Usage("more than one record given: '" + argument + "'");
        options.recordGiven = argument != "-";
        options.record = argument;
    }
    if (!options.recordGiven) {
        // A record is at most 120 characters; anything much longer is not one.
        std::istreambuf_iterator<char> input(std::cin), end;
        options.record.clear();
        for (; input != end && options.record.size() <= kMaxInput; ++input)
            options.record += *input;
        if (options.record.size() > kMaxInput)
            Usage("standard input holds more than " + std::to_string(kMaxInput) +
                  " characters: not a game record");
    }
    return options;
}

}  // namespace

int main(int argc, char** argv) {
    TOptions options = ParseOptions(argc, argv);
    std::string error;
    std::optional<std::vector<TRecordMove>> moves =
        ReplayRecord(options.record, error, options.placement);
    if (!moves) {
        std::fprintf(stderr, "tolvaney-analyze: bad record: %s\n", error.c_str());
        return 1;
    }
    try {
        if (options.settings.thinkType == 3)
            options.settings.tables = LoadPatternTables(options.tables);
        const bool showProgress = !options.quiet;
        const TGameAnalysis analysis =
            AnalyseGame(std::move(*moves), options.settings, [&](int done, int total) {
                if (showProgress)
                    std::fprintf(stderr, "\ranalysing move %d of %d%s", done, total,
                                 done == total ? "\n" : "");
            });
        if (!options.html.empty()) WriteFileAtomically(options.html, AnalysisPage(analysis));
        std::fputs(AnalysisReport(analysis).c_str(), stdout);
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "tolvaney-analyze: %s\n", failure.what());
        return 1;
    }
    return 0;
}
