#pragma once

#include <string>

#include "analysis/untAnalysis.h"

// The analysis as one self-contained HTML page (no network, no other files), in English or
// Japanese: a summary, a chart of the value for black over the game with the exact part
// shaded and the costliest moves marked, the board after every move drawn as SVG with the
// played and the best move highlighted, and a table of all moves. The chart plots after each
// move the number the table lists in its row: the value of the move played, from black's side,
// as every value of the page is; a loss is the mover's. Buttons and the arrow keys step
// through the game; printed, the page shows every board in a grid. Lines end with CR LF.
std::string AnalysisPage(const TGameAnalysis& analysis,
                         TAnalysisLanguage language = TAnalysisLanguage::English);
