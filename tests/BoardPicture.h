#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>

#include "ReferenceBoard.h"
#include "engine/untKyokumen.h"

// Positions for tests, drawn as pictures: eight rows from row 1 (the top) to row 8, each
// with the columns a to h from left to right; 'X' is black, 'O' white, '.' or '-' empty.
using TPicture = std::array<std::string_view, 8>;

// Puts the picture on the game board (walls stay) and sets MoveNumber; the engine is left
// at stack level 1 with black to move.
void SetGameBoard(TKyokumen& k, const TPicture& rows, int moveNumber);

// Reads a position line of the data files: 64 characters a1..h1, a2..h2, ..., a8..h8.
void SetGameBoardFromLine(TKyokumen& k, std::string_view cells64, int moveNumber);

// Puts a reference board on the game board.
void SetGameBoard(TKyokumen& k, const TReferenceBoard& board, int moveNumber);

// The discs of a reference board as bit sets, and a reference board (black to move) with the
// discs of bit sets.
TBitBoard BitsOf(const TReferenceBoard& board);
TReferenceBoard ReferenceBoardOf(const TBitBoard& bits);

// The current snapshot as a plain reference board.
TReferenceBoard ReferenceOf(const TKyokumen& k);

// The current snapshot as a picture, for failure messages.
std::string PictureOf(const TKyokumen& k);

// A fresh engine with the generator seeded, so that its keys are repeatable.
std::unique_ptr<TKyokumen> NewEngine(uint32_t seed = 1);

// The shipped pattern values, read once and shared, so that type C plays as in the game.
std::shared_ptr<TPatternTable> ShippedPatternValues();
