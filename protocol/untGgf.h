#pragma once

// Othello games in the Generic Game Format, as the NBoard protocol sends them:
//   (;GM[Othello]PC[NBoard]...TY[8]BO[8 <64 squares, row 1 first> <side to move>]B[F5]W[F6/1.5];)
// Squares are '*' (black), 'O' (white) and '-' (empty); the side to move is '*' or 'O'.
// Moves are B[..] and W[..] in order, a square name with an optional "/value/time" after it,
// or PA for a pass. Other properties are read past.

#include <optional>
#include <string>
#include <string_view>

#include "player/untGameState.h"

// The game, or nothing with the reason in `error`: no board of size 8, a square or side that
// is not one, a move that is not a square name or not legal for its side.
std::optional<TGameState> ParseGgfGame(std::string_view text, std::string& error);

// A move as GGF and NBoard write it: a square name in either case, or PA (also "pass") for a
// pass; anything after a '/' is a value and a time, and is read past.
std::optional<uint8_t> ParseGgfMove(std::string_view text);
