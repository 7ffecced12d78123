#pragma once

#include <string>

#include "analysis/untAnalysis.h"

// The analysis as one self-contained HTML page (no network, no other files), in English or
// Japanese: a summary, a chart of the position's value for black over the game with the exact
// part shaded and the costliest moves marked, the board after every move drawn as SVG with
// the played and the best move highlighted, and a table of all moves. Buttons and the arrow
// keys step through the game; printed, the page shows every board in a grid. Lines end with
// CR LF.
std::string AnalysisPage(const TGameAnalysis& analysis,
                         TAnalysisLanguage language = TAnalysisLanguage::English);
