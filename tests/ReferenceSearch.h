#pragma once

#include "ReferenceBoard.h"
#include "engine/untKyokumen.h"

// The exact outcome of a position under perfect play, by plain minimax to the end of the
// game with no pruning at all: the disc difference white minus black, 9999 when black has
// no disc left, -9999 when white has none, and 1 for a draw (the searches never use 0).
int ExactValue(const TReferenceBoard& board, int colourToMove);

// The final score of a finished game, as above.
int FinalScore(const TReferenceBoard& board);
// The final disc difference for the colour as a game record counts it: the empty squares to
// the winner.
int FinalDifference(const TReferenceBoard& board, int colour);

// The computer's move choice written out plainly, step after step: legality by walking the
// eight directions square by square, moves played cell by cell on the engine's snapshot
// stack with the key toggled disc by disc, every square tried in the corner-first order,
// and the plain evaluations of ReferenceEvaluate at the leaves. It reads and writes the
// same engine fields as ChooseMove (snapshots, keys, per-ply tables, counters, comment,
// key table, random draws) and is the yardstick the engine's search is compared with.
void ReferenceChooseMove(TKyokumen& k);
