// The game's computer player for other Othello programs: a front end, a tournament manager or
// another engine talks to it over the NBoard protocol or GTP on standard input and output.
//
// Usage: tolvaney-engine [--player game | advice] [--level 1-4] [--type A-D]
//                        [--nboard | --gtp] [--seed S]
//   The player is the game's computer player, at the level and thinking type of the new-game
//   dialog (default 上級, C), or the advice's search. The protocol is NBoard when the first
//   line is "nboard", GTP otherwise, unless one is named. Every game's random draws are
//   seeded from the clock, as in the game, or with S.
//
// Standard input is read on a thread of its own, so that a hint gives way to the next line
// the front end sends, and to the end of the input. A move is given up only once nobody reads
// the answers: the front end has gone.
#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "advice/untAdviceWeights.h"
#include "engine/eval/untPatterns.h"
#include "protocol/untGtpProtocol.h"
#include "protocol/untLineQueue.h"
#include "protocol/untNBoardProtocol.h"
#include "protocol/untProtocolWords.h"
#include "tools/untMatch.h"
#include "tools/untResourceFolder.h"
#include "tools/untToolArgs.h"

namespace {

const char* const kTool = "tolvaney-engine";
const char* const kUsage =
    "usage: tolvaney-engine [--player game | advice] [--level 1-4] [--type A-D]\n"
    "                       [--nboard | --gtp] [--seed S]\n"
    "Plays Tolvaney's computer player over the NBoard protocol or GTP on standard input\n"
    "and output: NBoard when the first line is \"nboard\", GTP otherwise, unless one is named.\n"
    "  --player: game, the game's computer player at its level and type (the default), or\n"
    "            advice, the strongest it has: the advice's search (the evaluation and\n"
    "            search of the analysis and the hint), exact in the endgame\n"
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
        args, {{"--player",
                [&](const std::string& flag, const std::string& value) {
                    if (value != "game" && value != "advice")
                        throw EBadInput(flag + " needs game or advice, not '" + value + "'");
                    options.session.player =
                        value == "advice" ? TEnginePlayer::Advice : TEnginePlayer::Game;
                }},
               {"--level", WholeNumberInto(options.session.gameLevel, 1, 4)},
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
    // The advice's evaluation, where the shipped data has it; without it the hints and the
    // advice's player estimate with the pattern values.
    const std::filesystem::path advice = resources / ADVICE_WEIGHTS_FILE;
    if (std::filesystem::exists(advice))
        options.advice = ReadInput([&] { return TAdviceWeights::Load(advice.string()); });
}

// The answers' pipe as poll told it: its reading end was closed (a terminal: it hung up).
bool AnswersUnread(const pollfd& answers) {
    return answers.revents & (POLLERR | POLLHUP | POLLNVAL);
}

// Somebody still reads the answers.
bool AnswersAreRead() {
    pollfd answers{STDOUT_FILENO, POLLOUT, 0};
    return std::cout && !(::poll(&answers, 1, 0) == 1 && AnswersUnread(answers));
}

// True from the moment nobody reads the answers any more: the front end has gone, and a move
// it asked for is wanted no more. Watched on a thread of its own, let go as the reading one
// is: asked for no event, poll returns only once the answers are unread.
const std::atomic<bool>& WatchForAnswersUnread() {
    static std::atomic<bool> unread = false;
    std::thread([] {
        pollfd answers{STDOUT_FILENO, 0, 0};
        int ready;
        while ((ready = ::poll(&answers, 1, -1)) < 0 && errno == EINTR) {
        }
        if (ready == 1 && AnswersUnread(answers)) unread = true;
    }).detach();
    return unread;
}

// Answers the lines of the queue, the line that chose the protocol first, until quit or the
// end of the input. Once the input has ended, a line left over is answered only while somebody
// reads the answers: a front end that closed both pipes gets no search run for it.
template <typename Protocol>
void Serve(Protocol& protocol, TLineQueue& lines, const std::optional<std::string>& first) {
    if (first && !protocol.HandleLine(*first, std::cout)) return;
    while (const std::optional<std::string> line = lines.Pop()) {
        if (lines.Ended() && !AnswersAreRead()) return;
        if (!protocol.HandleLine(*line, std::cout)) return;
    }
}

void Run(const TEngineOptions& options) {
    // A front end gone is seen as a failed write, not as a signal that kills the engine.
    std::signal(SIGPIPE, SIG_IGN);
    const std::shared_ptr<TLineQueue> lines = ReadLinesInBackground(std::cin);
    TSessionOptions session = options.session;
    session.stopHint = &lines->Waiting();
    session.stopMove = &WatchForAnswersUnread();
    TProtocol protocol = options.protocol;
    std::optional<std::string> first;
    if (protocol == TProtocol::Detect) {
        while ((first = lines->Pop()) && Words(*first).empty()) {
        }
        if (!first) return;  // nothing but blank lines
        protocol = Words(*first)[0] == "nboard" ? TProtocol::NBoard : TProtocol::Gtp;
    }
    if (protocol == TProtocol::NBoard) {
        TNBoardProtocol nboard(session);
        Serve(nboard, *lines, first);
    } else {
        TGtpProtocol gtp(session);
        Serve(gtp, *lines, first);
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
