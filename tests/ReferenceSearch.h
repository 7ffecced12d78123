#pragma once

#include "ReferenceBoard.h"

// The exact outcome of a position under perfect play, by plain minimax to the end of the
// game with no pruning at all: the disc difference white minus black, 9999 when black has
// no disc left, -9999 when white has none, and 1 for a draw (the searches never use 0).
int ExactValue(const TReferenceBoard& board, int colourToMove);

// The final score of a finished game, as above.
int FinalScore(const TReferenceBoard& board);
