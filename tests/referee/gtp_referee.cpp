// gtp_referee BLACK_COMMAND WHITE_COMMAND [GAMES]
//
// Plays two GTP Othello engines against each other and referees every move on its own board
// (TKyokumen). Each command runs under /bin/sh -c. An engine is asked for a move only when it
// has one; a side without a legal move passes silently, and the other engine is told nothing.
// The game fails (exit 1) when an engine passes while it has a move, names an occupied or
// unreachable square or no square at all, answers with an error, is silent for a minute or
// dies. A finished game must leave at most 64 discs, one more for every move after the
// centre four, and each engine's final_score must count it as the referee does. From the second
// game on the engines take turns with black.
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <stdexcept>
#include <string>

#include "engine/untBitBoard.h"
#include "engine/untKyokumen.h"
#include "engine/untSquareNames.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kAnswerTime = std::chrono::seconds(60);  // for each answer

struct TEngine {
    std::string name;  // the program's file name, for the messages
    pid_t pid = -1;
    int toEngine = -1, fromEngine = -1;
    std::string unread;  // what the engine wrote beyond the last answer
};

std::string ProgramName(const std::string& command) {
    const std::string program = command.substr(0, command.find(' '));
    return program.substr(program.rfind('/') + 1);
}

TEngine StartEngine(const std::string& command) {
    int in[2], out[2];
    if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0)
        throw std::runtime_error("no pipe for " + command);
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(in[0], STDIN_FILENO);
        dup2(out[1], STDOUT_FILENO);
        execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(in[0]);
    close(out[1]);
    if (pid < 0) throw std::runtime_error("cannot start " + command);
    return {ProgramName(command), pid, in[1], out[0], ""};
}

// Closes the engine's pipes, which ends a well-behaved engine, and waits for it.
void StopEngine(TEngine& engine, bool force) {
    close(engine.toEngine);
    close(engine.fromEngine);
    if (force) kill(engine.pid, SIGKILL);
    waitpid(engine.pid, nullptr, 0);
}

std::string ReadLine(TEngine& engine, const std::string& command, Clock::time_point deadline) {
    size_t end;
    while ((end = engine.unread.find('\n')) == std::string::npos) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        pollfd ready{engine.fromEngine, POLLIN, 0};
        if (left <= 0 || poll(&ready, 1, static_cast<int>(left)) == 0)
            throw std::runtime_error(engine.name + " gave no answer to " + command + " in time");
        char chunk[4096];
        const ssize_t got = read(engine.fromEngine, chunk, sizeof chunk);
        if (got <= 0) throw std::runtime_error(engine.name + " died before answering " + command);
        engine.unread.append(chunk, static_cast<size_t>(got));
    }
    std::string line = engine.unread.substr(0, end);
    engine.unread.erase(0, end + 1);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

// Sends one GTP command and returns the text of its "= ..." answer (the first line).
std::string Ask(TEngine& engine, const std::string& command) {
    const std::string text = command + "\n";
    if (write(engine.toEngine, text.data(), text.size()) != static_cast<ssize_t>(text.size()))
        throw std::runtime_error(engine.name + " is gone; it cannot take " + command);
    const Clock::time_point deadline = Clock::now() + kAnswerTime;
    std::string first;
    while (first.empty())  // blank lines before the answer are allowed
        first = ReadLine(engine, command, deadline);
    for (std::string more = first; !more.empty();)  // the answer ends with an empty line
        more = ReadLine(engine, command, deadline);
    if (first[0] != '=')
        throw std::runtime_error(engine.name + " refused " + command + ": " + first);
    // "=[id] answer": the digits right after '=' are the command's id, not the answer (a
    // drawn game's score is "= 0").
    size_t textStart = 1;
    while (textStart < first.size() && std::isdigit(static_cast<unsigned char>(first[textStart])))
        ++textStart;
    textStart = first.find_first_not_of(" \t", textStart);
    return textStart == std::string::npos ? "" : first.substr(textStart);
}

// A disc difference as GTP's final_score gives it: "B+12", "W+2" or "0".
std::string ScoreText(int difference) {
    if (difference == 0) return "0";
    return (difference > 0 ? "B+" : "W+") + std::to_string(std::abs(difference));
}

struct TGame {
    TEngine players[2];  // black, white
    TKyokumen board;
    std::string record;
};

bool SideCanMove(TKyokumen& board, bool white) {
    board.WhiteToMove = white;
    return board.HasLegalMove();
}

// Asks the side to move for its move and checks it on the referee's board.
uint8_t LegalMoveOf(TGame& game, bool white) {
    const std::string colour = white ? "white" : "black";
    TEngine& mover = game.players[white];
    std::string vertex = Ask(mover, "genmove " + colour);
    for (char& c : vertex)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const std::string blame = colour + " " + mover.name + " answered \"" + vertex + "\": ";
    if (vertex == "pass") throw std::runtime_error(blame + "a pass while it has a legal move");
    const std::optional<uint8_t> square = SquareFromName(vertex);
    if (!square) throw std::runtime_error(blame + "not a square");
    game.board.WhiteToMove = white;
    if (!game.board.IsLegal(*square)) throw std::runtime_error(blame + "an illegal move");
    return *square;
}

void PlayGame(TGame& game) {
    for (TEngine& engine : game.players) {
        Ask(engine, "boardsize 8");
        Ask(engine, "clear_board");
    }
    for (bool white = false;; white = !white) {
        if (!SideCanMove(game.board, white)) {
            if (!SideCanMove(game.board, !white)) break;
            white = !white;  // a pass: the other side moves on, and no engine is told
        }
        const uint8_t square = LegalMoveOf(game, white);
        game.board.MakeMove(square);
        game.board.Commit();
        game.record += SquareName(square);
        std::string vertex = SquareName(square);
        vertex[0] = static_cast<char>(std::toupper(vertex[0]));
        Ask(game.players[!white], std::string("play ") + (white ? "white " : "black ") + vertex);
    }
    game.board.CountDiscs();
    const size_t discs = game.board.BlackCount + game.board.WhiteCount;
    if (discs > 64 || discs != 4 + game.record.size() / 2)
        throw std::runtime_error("the finished board holds " + std::to_string(discs) +
                                 " discs after " + std::to_string(game.record.size() / 2) +
                                 " moves");
    // Each engine's own count of the finished game must be the referee's: the empty squares
    // of a game that ends early given to the winner, or left out.
    const int black = game.board.BlackCount, white = game.board.WhiteCount;
    const std::string score = ScoreText(FinalDiscDifference(black, white));
    for (TEngine& engine : game.players) {
        const std::string counted = Ask(engine, "final_score");
        if (counted != score && counted != ScoreText(black - white))
            throw std::runtime_error(engine.name + " counts the game " + counted + ", not " +
                                     score);
        Ask(engine, "quit");
    }
}

}  // namespace

int main(int argc, char** argv) {
    const int games = argc == 4 ? std::atoi(argv[3]) : 2;
    if (argc < 3 || argc > 4 || games < 1) {
        std::fprintf(stderr, "usage: gtp_referee BLACK_COMMAND WHITE_COMMAND [GAMES]\n");
        return 2;
    }
    std::signal(SIGPIPE, SIG_IGN);  // a dead engine shows as a failed write instead
    for (int number = 1; number <= games; ++number) {
        const bool swapped = number % 2 == 0;
        TGame game;
        try {
            game.players[0] = StartEngine(argv[swapped ? 2 : 1]);
            game.players[1] = StartEngine(argv[swapped ? 1 : 2]);
            PlayGame(game);
        } catch (const std::exception& failure) {
            std::printf("game %d: FAILED: %s\n  game so far: %s\n", number, failure.what(),
                        game.record.empty() ? "(no move yet)" : game.record.c_str());
            for (TEngine& engine : game.players)
                if (engine.pid > 0) StopEngine(engine, true);
            return 1;
        }
        for (TEngine& engine : game.players)
            StopEngine(engine, false);
        std::printf("game %d: black %s %d - %d white %s  %s\n", number,
                    game.players[0].name.c_str(), game.board.BlackCount, game.board.WhiteCount,
                    game.players[1].name.c_str(), game.record.c_str());
    }
    return 0;
}
