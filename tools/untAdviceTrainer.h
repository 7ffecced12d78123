#pragma once

// Fitting the advice's evaluation to real games.
//
// Every position of the games where the side to move has a move becomes an example, seen
// from the side to move. Its target is, near the end (at most `exactEmpties` empty squares),
// its exact value from the endgame solver; before that, the value of a search `searchDepth`
// plies deep whose leaves lie in later stages, evaluated with the tables fitted already. So
// the stages are fitted from the end of the game back, each towards values measured nearer
// the end than its own, and no stage learns the players' mistakes. Each stage starts from
// the values of the stage after it, which fills configurations its own positions rarely
// show, and is fitted by stochastic gradient descent in a seeded order with an L2 pull
// towards those starting values: the same games and settings give the same file.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "advice/untAdviceWeights.h"

struct TAdviceExample {
    uint64_t own = 0, opponent = 0;  // the side to move's discs and the opponent's
    float target = 0;                // in discs for the side to move
    bool exact = false;
};

struct TAdviceTraining {
    int exactEmpties = 14;
    int searchDepth = 4;
    int maxPerStage = 400000;  // searched examples a stage keeps at most (exact ones: all)
    int epochs = 12;
    double rate = 0.002;
    double l2 = 0.0005;
    int threads = 2;
    uint32_t seed = 1;
    int stages = TAdviceWeights::kStages;  // the stages fitted, from the end
    bool validate = false;   // keep every 10th position of a stage out and report its error
    std::string solvedFile;  // where solved values are kept between runs (empty: nowhere)
    std::function<void(const std::string&)> log;
};

// Replays every game line ("f5d6... DIFF") and collects the positions with a move; games
// whose number (from 0) is a multiple of `holdOutEvery` are left out (0: none). A line that
// does not replay is refused with its number.
std::vector<TAdviceExample> PositionsOfGames(const std::string& text, int holdOutEvery);

// Fits all stages; the examples' targets are filled in on the way.
TAdviceWeights FitAdvice(std::vector<TAdviceExample>& examples, const TAdviceTraining& training);
