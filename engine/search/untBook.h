#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The opening book: lines of moves from the start of the game (each beginning with f5),
// and comment lines beginning with "//". The computer follows the first line that
// continues the game so far. Games that open elsewhere than f5 are read through the
// board symmetry that takes their first move to f5, and the answer is taken back.

// The book's answer to the game in the record (entry n is the square of move n, 0 where
// none was played), or 0 when no line continues the game. Throws EEngineError when the
// continuation of the matching line is not a square name.
uint8_t FindBookMove(const std::vector<std::string>& bookLines, const uint8_t (&gameRecord)[61]);

// The symmetry chosen by the first move, applied to a square (its own inverse).
uint8_t BookSymmetry(uint8_t firstMove, uint8_t square);
