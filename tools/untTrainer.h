#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/untKyokumen.h"
#include "tools/untToolArgs.h"

// Fitting the pattern tables to the outcomes of real games.
//
// Every position of a game (after move 1 up to move 57; from move 58 the pattern evaluation
// counts discs only) becomes one example: its 22 pattern indexes, its stage, the value of
// the hand-tuned terms of EvaluatePatterns with empty tables (H), and the game's final disc
// difference seen from white (D, white minus black). The tables are fitted by least squares
// so that H + (the pattern sum) comes close to the target scale * D, where the scale is the
// least-squares slope of H on D over the training positions: the pattern values correct
// the hand-tuned terms at their own scale. An L2 penalty pulls entries that few positions
// see towards 0. The fit runs stochastic gradient descent in a shuffled order drawn from a
// seeded generator, so the same data and seed give the same tables.

struct TTrainingPosition {
    uint16_t indexes[22];
    uint8_t stage;
    float hand;     // H: EvaluatePatterns of the position with all-zero tables
    float outcome;  // D: the final disc difference, white minus black
};

// The positions of one game given as a record ("f5d6..."; passes inferred) and its black-
// minus-white result. Nothing (and an error) for a record that does not replay legally.
std::vector<TTrainingPosition> GamePositions(const std::string& record, int blackMinusWhite,
                                             std::string& error);

// The defaults are the settings the shipped tables were made with.
struct TTrainingOptions {
    uint32_t seed = 1;
    int epochs = 8;
    double learningRate = 0.002;  // divided by 1 + the epoch number
    double penalty = 0.01;        // L2 weight per update
    // The target is this many times the hand-tuned terms' own scale, so that the pattern sum
    // weighs more than the hand-tuned terms in the evaluation (values stay within -20..20).
    double scaleFactor = 4;
};

struct TFit {
    double scale = 0;             // the target scale of D
    std::vector<double> weights;  // [kind][index][stage] flattened like TPatternTable
};

// Fits the tables to the positions.
TFit FitTables(const std::vector<TTrainingPosition>& positions, const TTrainingOptions& options);

// The fitted values rounded to integers within -20..+20, with every all-empty entry and
// kind 0 left at 0.
TPatternTable RoundedTables(const TFit& fit);

// The root-mean-square error of H + pattern sum against scale * D over the positions.
double RootMeanSquareError(const std::vector<TTrainingPosition>& positions,
                           const TPatternTable& tables, double scale);

// The least-squares slope of H on D.
double HandScale(const std::vector<TTrainingPosition>& positions);

// A game line of a games file: the record and the final black-minus-white disc difference.
struct TGameLine {
    std::string record;
    int blackMinusWhite = 0;
};

// Reads a game line "<moves> <difference>": a record that replays legally and a difference
// from -64 to 64. Nothing for an empty line; throws EBadInput naming the file and line
// otherwise.
std::optional<TGameLine> ParseGameLine(std::string_view line, const std::string& file,
                                       int lineNumber);

// The trainer as the command line sets it up.
struct TTrainerOptions {
    std::vector<std::string> gameFiles;
    std::vector<std::string> evaluationFiles;  // games only measured, never fitted
    std::filesystem::path out = "resources";
    int holdoutPercent = 10;
    TTrainingOptions training;
};

// Reads the command line (without the program's name): --games FILE [--games FILE ...]
// [--evaluate FILE ...] [--out FOLDER] [--seed S] [--holdout PERCENT] [--epochs E]
// [--rate R] [--penalty P] [--scale-factor F]. Throws EBadInput.
TTrainerOptions ParseTrainerOptions(const std::vector<std::string>& args);
