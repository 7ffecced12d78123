#pragma once

// How the window's advice reads positions: the hint, the analysis and the strongest computer
// use the same settings, so that the hint's value of a position is the analysis's value of it
// and the strongest computer plays the hint's move.

#include <memory>

#include "analysis/untAnalysis.h"

class TForm1;

// The hint and the strongest computer read to the end of the game from this many empty
// squares, as the engine program's advice does.
inline constexpr int EXACT_ADVICE_EMPTIES = 21;

// The advice's evaluation embedded in the program, read once.
std::shared_ptr<const TAdviceWeights> ShippedAdviceWeights();

// Exact from `exactEmpties` empty squares on, the advice's search before (or the engine's own
// search with the form's pattern values, should the embedded evaluation be unreadable).
TAnalysisSettings WindowAdviceSettings(const TForm1& form, int exactEmpties);
