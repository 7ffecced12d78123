#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/untKyokumen.h"

// Learning the pattern values from games.
//
// One learning pass (TKyokumen::LearnPatterns, with the pattern values in engine/eval/) moves the
// value of each of the 22 pattern instances of the position by one step towards the target
// ChosenValue. Replaying a game record teaches the pattern evaluation the recorded white moves:
// before each one, the position after the recorded move is raised and, while the computer's own
// choice differs, the position before it is lowered, with a growing margin.

// Checks a typed record: pairs of a column letter "a"-"h" and a row digit "1"-"8", a legal
// game from the standard start with black first and no passes, at most 60 moves. On a
// fault, error names the first bad move.
std::optional<std::vector<uint8_t>> ParseTrainingRecord(const std::string& text,
                                                        std::string& error);

struct TTrainingResult {
    int k = 0;               // the margin reached at the last white move
    uint8_t lastChoice = 0;  // the computer's last choice
};

// Replays a checked record on an engine in the start position (its settings are left to the
// caller: thinking type C at the top level). progress(move number, margin) is called before
// every trial at a white move. The engine is left at the end of the record, at stack level 1.
TTrainingResult TrainOnRecord(TKyokumen& engine, const std::vector<uint8_t>& moves,
                              const std::function<void(int moveNumber, int k)>& progress = {});
