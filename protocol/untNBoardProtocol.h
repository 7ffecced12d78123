#pragma once

// The NBoard protocol (version 2), the engine's side of it: one command a line on standard
// input, answers on standard output as soon as they are ready.
//
//   nboard 2          -> set myname Tolvaney-C4 (Tolvaney-Advice with the advice's player)
//   set depth N       -> the level whose midgame depth is nearest N; set myname ...
//   set player P      -> the game's computer player (game) or the advice's (advice); set myname
//   set contempt N    (read and ignored: the searches have no contempt for a draw)
//   set game GGF      the game so far (the board is not touched when it is malformed)
//   move F5[/v/t]     a move of the side to move, PA for a pass
//   hint N            -> one "search MOVE VALUE 0 DEPTH" line for each of the best N moves;
//                        the next line to arrive stops it, and it ends at once with status
//   go                -> === F5/VALUE/SECONDS, the move for the side to move; the board is
//                        not changed until the front end sends it back with move
//   ping N            -> pong N
//   learn             -> learned
//   quit
// Values are in discs, from the side to move, and never beyond 64; a hint's depth is 100%
// when its values are exact. Faults are told on a status line, and any other line is
// ignored, as the protocol asks.

#include <ostream>
#include <string>
#include <string_view>

#include "protocol/untEngineSession.h"

class TNBoardProtocol {
public:
    explicit TNBoardProtocol(const TSessionOptions& options) : session_(options) {}

    // Answers one line; false after quit.
    bool HandleLine(std::string_view line, std::ostream& out);

    const TEngineSession& Session() const { return session_; }

private:
    void SetDepth(std::string_view depth, std::ostream& out);
    void SetPlayer(std::string_view player, std::ostream& out);
    void SetGame(std::string_view ggf, std::ostream& out);
    void Move(std::string_view move, std::ostream& out);
    void Hint(std::string_view count, std::ostream& out);
    void Go(std::ostream& out);

    TEngineSession session_;
};
