// The game's computer player for other Othello programs: a front end, a tournament manager or
// another engine talks to it over the NBoard protocol or GTP on standard input and output.
//
// Usage: tolvaney-engine [--level 1-4] [--type A-D] [--nboard | --gtp] [--seed S]
//   The level and the thinking type are those of the new-game dialog (default 上級, C). The
//   protocol is NBoard when the first line is "nboard", GTP otherwise, unless one is named.
//   Every game's random draws are seeded from the clock, as in the game, or with S.
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "engine/eval/untPatterns.h"
#include "protocol/untGtpProtocol.h"
#include "protocol/untNBoardProtocol.h"
#include "protocol/untProtocolWords.h"
#include "tools/untMatch.h"
#include "tools/untResourceFolder.h"
#include "tools/untToolArgs.h"

namespace {

const char* const kTool = "tolvaney-engine";
const char* const kUsage =
    "usage: tolvaney-engine [--level 1-4] [--type A-D] [--nboard | --gtp] [--seed S]\n"
    "Plays Tolvaney's computer player over the NBoard protocol or GTP on standard input\n"
    "and output: NBoard when the first line is \"nboard\", GTP otherwise, unless one is named.\n"
    "  --level: 1 最弱 (random), 2 初級, 3 中級, 4 上級 (the default)\n"
    "  --type:  thinking type A, B, C (the default) or D\n"
    "  --seed:  every game's random draws from this seed instead of the clock\n";

enum class TProtocol { Detect, NBoard, Gtp };

struct TEngineOptions {
    TSessionOptions session;
    TProtocol protocol = TProtocol::Detect;
};

TEngineOptions ParseOptions(std::vector<std::string> args) {
    TEngineOptions options;
    const auto protocolFlag = [&](const std::string& flag, TProtocol protocol) {
        for (auto at = std::find(args.begin(), args.end(), flag); at != args.end();
             at = std::find(args.begin(), args.end(), flag)) {
            if (options.protocol != TProtocol::Detect && options.protocol != protocol)
                throw EBadInput("give --nboard or --gtp, not both");
            options.protocol = protocol;
            args.erase(at);
        }
    };
    protocolFlag("--nboard", TProtocol::NBoard);
    protocolFlag("--gtp", TProtocol::Gtp);
    ReadFlagPairs(
        args, {{"--level", WholeNumberInto(options.session.gameLevel, 1, 4)},
               {"--type",
                [&](const std::string& flag, const std::string& value) {
                    if (value.size() != 1 || value[0] < 'A' || value[0] > 'D')
                        throw EBadInput(flag + " needs a thinking type A-D, not '" + value + "'");
                    options.session.thinkType = static_cast<uint8_t>(value[0] - 'A' + 1);
                }},
               {"--seed", [&](const std::string& flag, const std::string& value) {
                    options.session.seed =
                        static_cast<uint32_t>(WholeNumber(value, flag, 0, UINT32_MAX));
                }}});
    return options;
}

void ReadShippedData(TSessionOptions& options) {
    const std::filesystem::path resources = ShippedResourceFolder();
    options.tables = ReadInput([&] { return LoadPatternTables(resources); });
    const std::filesystem::path book = resources / "TEISEKI";
    options.book = ParseBook(ReadInputFile(book), book.string());
}

// Answers the lines of standard input until quit or its end.
template <typename Protocol>
void Serve(Protocol& protocol, std::optional<std::string> first) {
    std::string line;
    if (first && !protocol.HandleLine(*first, std::cout)) return;
    while (std::getline(std::cin, line))
        if (!protocol.HandleLine(line, std::cout)) return;
}

void Run(const TEngineOptions& options) {
    TProtocol protocol = options.protocol;
    std::optional<std::string> first;
    if (protocol == TProtocol::Detect) {
        std::string line;
        while (std::getline(std::cin, line) && Words(line).empty()) {
        }
        const std::vector<std::string_view> words = Words(line);
        if (words.empty()) return;  // nothing but blank lines
        protocol = words[0] == "nboard" ? TProtocol::NBoard : TProtocol::Gtp;
        first = line;
    }
    if (protocol == TProtocol::NBoard) {
        TNBoardProtocol nboard(options.session);
        Serve(nboard, first);
    } else {
        TGtpProtocol gtp(options.session);
        Serve(gtp, first);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (const std::optional<int> answered = AnswerHelpOrVersion(args, kTool, kUsage))
        return *answered;
    TEngineOptions options;
    try {
        options = ParseOptions(args);
    } catch (const EBadInput& problem) {
        return RefuseCommandLine(kTool, problem);
    }
    try {
        ReadShippedData(options.session);
    } catch (const EBadInput& problem) {
        return RefuseInput(kTool, problem, "the engine did not start");
    }
    try {
        Run(options);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s: %s\n", kTool, error.what());
        return EXIT_FAILURE;
    }
    return EXIT_SUCCESS;
}
