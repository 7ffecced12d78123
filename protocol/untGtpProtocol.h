#pragma once

// The Go Text Protocol (version 2) as Othello front ends and engines speak it: a command a
// line, with an optional number before it that the answer repeats; "= answer" or
// "? message", each followed by an empty line.
//
// Squares are named as in the game record, a column letter a-h and a row digit 1-8 from the
// top, in either case; the engine answers in capitals. A side without a legal move passes:
// "play COLOUR pass" says so (also after the game's last move, where controllers send the
// closing passes), and a move of the other side says so too. genmove plays the engine's
// player's move: the game's computer player's or the advice's. Like other Othello
// engines it answers list_games with Othello and takes set_game Othello, which board-game
// front ends such as quarry send to find the engines for a game.

#include <ostream>
#include <string>
#include <string_view>

#include "protocol/untEngineSession.h"

class TGtpProtocol {
public:
    explicit TGtpProtocol(const TSessionOptions& options) : session_(options) {}

    // Answers one line; false after quit.
    bool HandleLine(std::string_view line, std::ostream& out);

    const TEngineSession& Session() const { return session_; }

    // The commands the engine knows, in the order list_commands gives them.
    static const std::vector<std::string_view>& Commands();

private:
    // The answer to a command, or an error (EGtpRefusal) with its message.
    std::string Answer(std::string_view command, const std::vector<std::string_view>& args);
    std::string Play(const std::vector<std::string_view>& args);
    std::string GenMove(const std::vector<std::string_view>& args);
    std::string ShowBoard() const;
    std::string FinalScoreText() const;

    TEngineSession session_;
};
