#include "protocol/untNBoardProtocol.h"

#include <algorithm>
#include <bit>
#include <chrono>
#include <cstdio>
#include <exception>

#include "engine/untEngineError.h"
#include "engine/untSquareNames.h"
#include "protocol/untGgf.h"
#include "protocol/untProtocolWords.h"

namespace {

constexpr int kProtocolVersion = 2;
constexpr int kMaxHints = 64;

// The midgame depth of each level (level 1 plays at random, as if it read one ply).
constexpr int kLevelDepths[] = {1, 2, 4, 5};

uint8_t LevelNearestDepth(int depth) {
    int best = 0;
    for (int level = 1; level < 4; ++level)
        if (std::abs(kLevelDepths[level] - depth) <= std::abs(kLevelDepths[best] - depth))
            best = level;
    return static_cast<uint8_t>(best + 1);
}

std::string Value(double discs) {
    char text[16];
    std::snprintf(text, sizeof text, "%.2f", discs);
    return text;
}

void Status(std::ostream& out, const std::string& text) {
    out << "status " << text << "\n" << std::flush;
}

}  // namespace

bool TNBoardProtocol::HandleLine(std::string_view line, std::ostream& out) {
    const std::vector<std::string_view> words = Words(line);
    if (words.empty()) return true;
    const std::string_view command = words[0];
    const std::string_view rest = AfterWords(line, 1);
    try {
        if (command == "quit") return false;
        if (command == "nboard") {
            if (rest != std::to_string(kProtocolVersion))
                Status(out, "this engine speaks version 2 of the protocol");
            out << "set myname " << session_.Name() << "\n";
        } else if (command == "set" && words.size() > 1) {
            const std::string_view setting = words[1];
            if (setting == "depth") SetDepth(AfterWords(line, 2), out);
            if (setting == "game") SetGame(AfterWords(line, 2), out);
            if (setting == "player") SetPlayer(AfterWords(line, 2), out);
        } else if (command == "move") {
            Move(rest, out);
        } else if (command == "hint") {
            Hint(rest, out);
        } else if (command == "go") {
            Go(out);
        } else if (command == "ping") {
            out << "pong" << (rest.empty() ? "" : " ") << rest << "\n";
        } else if (command == "learn") {
            out << "learned\n";
        }
    } catch (const std::exception& error) {
        Status(out, std::string("error: ") + error.what());
    }
    out << std::flush;
    return true;
}

void TNBoardProtocol::SetDepth(std::string_view depth, std::ostream& out) {
    const std::optional<int> plies = WholeNumberOf(depth);
    if (!plies || *plies < 1) {
        Status(out, "set depth needs a number of plies from 1, not '" + std::string(depth) + "'");
        return;
    }
    session_.Player().SetLevel(LevelNearestDepth(*plies));
    out << "set myname " << session_.Name() << "\n";
}

void TNBoardProtocol::SetPlayer(std::string_view player, std::ostream& out) {
    if (player == "game") {
        session_.SetPlayer(TEnginePlayer::Game);
    } else if (player == "advice") {
        session_.SetPlayer(TEnginePlayer::Advice);
    } else {
        Status(out, "set player needs game or advice, not '" + std::string(player) + "'");
        return;
    }
    out << "set myname " << session_.Name() << "\n";
}

void TNBoardProtocol::SetGame(std::string_view ggf, std::ostream& out) {
    std::string error;
    const std::optional<TGameState> game = ParseGgfGame(ggf, error);
    if (!game) {
        Status(out, "set game refused, the board is as it was: " + error);
        return;
    }
    session_.SetGame(*game);
}

void TNBoardProtocol::Move(std::string_view move, std::ostream& out) {
    const std::optional<uint8_t> square = ParseGgfMove(move);
    const std::string refused = square ? session_.PlayNext(*square) : "it is no square";
    if (!refused.empty())
        Status(out, "move " + std::string(move) + " refused, the board is as it was: " + refused);
}

void TNBoardProtocol::Hint(std::string_view count, std::ostream& out) {
    const std::optional<int> wanted = WholeNumberOf(count);
    if (!wanted || *wanted < 1) {
        Status(out, "hint needs a number of moves from 1, not '" + std::string(count) + "'");
        return;
    }
    const TGameState& game = session_.Game();
    if (game.LegalMoves(game.WhiteToMove()) == 0) {
        Status(out, game.Over() ? "the game is over" : "no legal move: the side to move passes");
        return;
    }
    const bool exact = session_.HintsExact();
    const int empties = std::popcount(game.Discs().Empty());
    Status(out, exact ? "solving " + std::to_string(empties) + " empty squares" : "searching");
    const auto start = std::chrono::steady_clock::now();
    std::vector<TMoveValue> values;
    try {
        values = session_.Hints([&](int done, int total) {
            const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
            Status(out, "solved " + std::to_string(done) + " of " + std::to_string(total) +
                            " moves, " + Value(seconds.count()) + " s");
        });
    } catch (const ESearchStopped&) {
        // The front end has moved on: the lines sent stand, and the next command runs now.
        Status(out, "");
        return;
    }
    const int shown = std::min({*wanted, kMaxHints, static_cast<int>(values.size())});
    for (int i = 0; i < shown; ++i)
        out << "search " << Upper(SquareName(values[i].square)) << " " << Value(values[i].value)
            << " 0 " << (exact ? "100%" : std::to_string(values[i].depth)) << "\n";
    Status(out, "");
}

void TNBoardProtocol::Go(std::ostream& out) {
    const TGameState& game = session_.Game();
    if (game.Over()) {
        Status(out, "go: the game is over");
        return;
    }
    if (game.MustPass()) {
        out << "=== PA\n";
        return;
    }
    Status(out, session_.Name() + " thinking");
    const auto start = std::chrono::steady_clock::now();
    const TComputerMove move = session_.ChooseMove();
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    out << "=== " << Upper(SquareName(move.square)) << "/" << Value(move.discs.value_or(0)) << "/"
        << Value(seconds.count()) << "\n";
    Status(out, "");
}
