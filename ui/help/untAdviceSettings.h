#pragma once

// How the window's advice reads positions: the hint and the analysis use the same settings,
// so that the hint's value of a position is the analysis's value of it.

#include <memory>

#include "analysis/untAnalysis.h"

class TForm1;

// The advice's evaluation embedded in the program, read once.
std::shared_ptr<const TAdviceWeights> ShippedAdviceWeights();

// Exact from `exactEmpties` empty squares on, the advice's search before (or the engine's own
// search with the form's pattern values, should the embedded evaluation be unreadable).
TAnalysisSettings WindowAdviceSettings(const TForm1& form, int exactEmpties);
