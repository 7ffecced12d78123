#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/untKyokumen.h"
#include "tools/untToolArgs.h"

// Fitting the pattern tables to real games.
//
// Every position of a game (after move 1 up to move 57; from move 58 the pattern evaluation
// counts discs only) becomes one example: its 22 pattern indexes, its stage, the value of
// the hand-tuned terms of EvaluatePatterns with empty tables (H), and a target T in discs
// seen from white. The tables are fitted by least squares so that H + (the pattern sum)
// comes close to scale * T, where the scale is a multiple of the least-squares slope of H on
// the games' final results: the pattern values correct the hand-tuned terms at their own
// scale. An L2 penalty pulls entries that few positions see towards 0. The fit runs
// stochastic gradient descent in a shuffled order drawn from a seeded generator, so the same
// data and seed give the same tables.
//
// Two kinds of target:
// - The plain fit: T is the game's final disc difference, for every stage at once. One
//   late blunder changes it, so it is a noisy measure of the positions long before.
// - The backward fit: positions with few empty squares get their exact value under perfect
//   play from the endgame solver. The stages are fitted from the last one back: a position
//   without an exact value takes the value of the same game's position a few moves later
//   (the lookahead), exact where that one is solved and otherwise the evaluation with the
//   later stage's tables, fitted just before. So each stage learns from values measured
//   closer to the end than its own, and only the last moves of the game still carry the
//   players' mistakes into it.
// - Searched targets (a variant of the backward fit): once a stage has been fitted from the
//   game's continuation, it is fitted again towards the value of a shallow minimax search
//   from each position, its leaves evaluated with the tables fitted so far. The search
//   looks at every move, not only the one the players chose, and can take positions one
//   move off the game line, which the engine's search meets but players avoid. Or the search
//   values the position the lookahead reaches, instead of its evaluation.

struct TTrainingPosition {
    uint16_t indexes[22];
    uint8_t stage;
    uint8_t moveNumber;      // moves played, passes not counted
    bool whiteToMove;        // the side to move next (after the last move: either)
    bool exact = false;      // the target is the solved value of the position
    bool exchanged = false;  // seen with the colours exchanged: its values are the other side's
    bool offLine = false;    // one move off the game line: a move the players did not choose
    float hand;              // H: EvaluatePatterns of the position with all-zero tables
    float outcome;           // D: the game's final disc difference, white minus black
    float target;            // T: what the fit aims at, in discs for white (D at first)
    uint64_t black, white;   // the discs, for the endgame solver (TBitBoard's layout)
    int Empties() const;
};

// The training positions of many games, each game's positions in order of their moves,
// then the positions off the game lines, if any (they belong to no game).
struct TTrainingSet {
    std::vector<TTrainingPosition> positions;
    std::vector<std::size_t> gameEnds;  // one past each game's last position
    void AddGame(const std::vector<TTrainingPosition>& game);
    // How many positions are on the game lines (the rest are off them).
    std::size_t OnGameLines() const { return gameEnds.empty() ? 0 : gameEnds.back(); }
};

// An engine that makes the examples: all-zero tables, so that EvaluatePatterns gives H.
std::unique_ptr<TKyokumen> ExampleEngine();

// A position set up from its discs, the side to move and its move number, with its target
// and outcome 0, made with an ExampleEngine.
TTrainingPosition PositionOf(TKyokumen& engine, uint64_t black, uint64_t white, bool whiteToMove,
                             int moveNumber);

// The side to move at the leaves of the strongest level's search at a move number: the search
// reads 5 plies (its leaves have the opponent of the searching side to move) before move 40
// and 6 or 8 plies after (the searching side to move), and the engine always searches for
// white.
bool WhiteToMoveAtLeaves(int moveNumber);

// The position as the search sees it at its leaves: with the colours exchanged (its values
// and discs then belong to the other side) when the side to move is not the leaves' side.
// The evaluation does not know whose move it is, so each stage is fitted to positions with
// the side to move it will meet.
void SeeAsAtLeaves(TTrainingPosition& p, TKyokumen& engine);

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
    // Keep every value within the tables' limits while fitting, so that the other entries
    // make up for the ones at a limit (otherwise the values are cut to the limits at the end).
    bool boundedFit = false;
};

// The most empty squares the trainer solves (a position of 22 empties can take seconds), and
// the most solver threads.
inline constexpr int MAX_TRAINING_EXACT_EMPTIES = 22;
inline constexpr int MAX_TRAINING_THREADS = 64;
inline constexpr int MAX_LOOKAHEAD = 60;
inline constexpr int MAX_REFITS = 10;
inline constexpr int MAX_SEARCH_PLIES = 3;

// How a searched target is found: the depth, and whether the leaves are seen with the side
// to move of the strongest level's leaves (as the positions are, with --as-at-leaves).
struct TSearchTargets {
    int plies = 0;
    bool asAtLeaves = false;
    bool onLine = true;  // the game positions too; otherwise they keep their game's lookahead
    bool ahead = false;  // search from the position the game's lookahead reaches instead
};

// How the targets are made (the plain fit when exactEmpties is 0). search.asAtLeaves also
// sees every position with the side to move of the leaves.
struct TTargetOptions {
    int exactEmpties = 0;   // positions with at most this many empty squares are solved
    int lookahead = 4;      // moves: how far ahead in the game a position looks for its value
    int refits = 0;         // fits of each stage again, looking ahead into the stage itself
    unsigned threads = 1;   // solvers working at once
    bool offLine = false;   // add a position one move off the game line for each one on it
    TSearchTargets search;  // searched targets (plies 0: none)
};

struct TFit {
    double scale = 0;             // the target scale of D
    std::vector<double> weights;  // [kind][index][stage] flattened like TPatternTable
};

// Fits the tables to the positions.
TFit FitTables(std::span<const TTrainingPosition> positions, const TTrainingOptions& options);

// Runs the fit's descent at the fit's scale over the positions of one stage only (or of all,
// for stage -1), towards their targets; the other stages' weights are left as they are.
void FitStage(std::span<const TTrainingPosition> positions, const TTrainingOptions& options,
              int stage, TFit& fit);

// Called now and then with the number of positions solved and the number to solve.
using TProgress = std::function<void(std::size_t done, std::size_t total)>;

// Solves every position with at most exactEmpties empty squares on `threads` threads and
// makes its exact value (empty squares to the winner) its target. Exact values do not
// depend on the order of the work, so the result is the same on any number of threads.
// Positions with the same discs and side to move are solved once; the progress counts those
// solved.
void SolveExactTargets(std::vector<TTrainingPosition>& positions, int exactEmpties,
                       unsigned threads, const TProgress& progress = {});

// The exact values of the solved positions as bytes, to be read back by ApplySolvedValues:
// each position's discs and side to move with its value, so that a later run over the same
// games can skip the solving.
std::string SolvedValuesBytes(const std::vector<TTrainingPosition>& positions);

// Takes the exact values from bytes written by SolvedValuesBytes when they hold exactly the
// positions with at most exactEmpties empty squares, in order; false (and the positions
// unchanged) otherwise.
bool ApplySolvedValues(std::vector<TTrainingPosition>& positions, std::string_view bytes,
                       int exactEmpties);

// Whether the bytes can be a file of exact values that SolvedValuesBytes wrote, for whatever
// games: whole records, each of two disc sets apart with at most MAX_TRAINING_EXACT_EMPTIES
// empty squares, a side to move and an even value within the board. No bytes at all are such
// a file, of no solved position. The trainer overwrites no file but these.
bool IsSolvedValuesFile(std::string_view bytes);

// H + the pattern sum of the position with the tables: its evaluation from white's side.
double TableValue(const TTrainingPosition& p, const TPatternTable& tables);

// The target of a position without an exact value: the value of the same game's position
// `lookahead` moves later, or of the first one after that is solved or of a later stage;
// the game's result when the game ends first. Solved positions give their exact value,
// others their evaluation with the tables in discs (divided by the scale); a value seen with
// the colours exchanged counts for the other side.
// Once the position's own stage has been fitted (ownStageFitted), a later position of the
// same stage gives its evaluation too.
// A later position that is not solved is valued by `laterValue` (in discs for white of that
// position) when given, instead of its evaluation.
using TLaterValue = std::function<double(const TTrainingPosition&)>;
double BackedUpTarget(const TTrainingPosition* game, std::size_t count, std::size_t at,
                      int lookahead, const TPatternTable& tables, double scale,
                      bool ownStageFitted = false, const TLaterValue& laterValue = {});

// The value in discs for white of the position searched `plies` moves deep by minimax (alpha-
// beta; a pass takes no ply), its leaves evaluated with the tables (H + pattern sum divided by
// the scale; seen as at the leaves when asked, the value then counting for the other side
// where the colours are exchanged), a finished game by its discs, empty squares to the
// winner. The position is taken with its own discs and side to move.
double SearchedValue(const TTrainingPosition& p, const TSearchTargets& search,
                     const TPatternTable& tables, double scale, TKyokumen& engine);

// Adds after the games, for each game position after the first move, one position a different
// legal move from the same parent (chosen by a generator seeded with `seed`), when there is
// another move and the position has more than `exactEmpties` empty squares (it would need
// solving otherwise). It takes its game's result as outcome. The game positions must be as
// played (not yet seen as at the leaves). Returns how many were added.
std::size_t AddOffLinePositions(TTrainingSet& set, uint32_t seed, int exactEmpties);

// The backward fit: the targets of the positions of the stage that are not solved are backed
// up (with the tables fitted so far), then that stage is fitted, from the last stage to the
// first. Each stage is then fitted again `refits` times, from zero, its positions now looking
// ahead into the stage itself with the tables of the fit before (bootstrapping within the
// stage). With a search depth, those refits (at least one) aim at the searched value of each
// position instead (or of the positions off the game lines only, the others keeping their
// game's lookahead, when onLine is false), leaves scored with the tables of the fit before;
// the positions off the game lines take part only there. With `ahead`, the search replaces
// instead the evaluation of the later position the lookahead reaches, with the tables fitted
// so far, in every fit of the stage (no refit is added). The positions must be solved already;
// their targets are rewritten. The scale is the plain fit's, over the game positions.
TFit FitBackwards(TTrainingSet& set, const TTrainingOptions& options, int lookahead, int refits = 0,
                  const TSearchTargets& search = {});

// The fitted values rounded to integers within -20..+20, with every all-empty entry and
// kind 0 left at 0.
TPatternTable RoundedTables(const TFit& fit);

// The root-mean-square error of H + pattern sum against scale * D over the positions.
double RootMeanSquareError(std::span<const TTrainingPosition> positions,
                           const TPatternTable& tables, double scale);

// The error of the evaluation, divided by the scale, against the exact values of the solved
// positions, in discs: its root mean square, its mean absolute value and how many positions.
struct TExactError {
    double rootMeanSquare = 0;
    double meanAbsolute = 0;
    std::size_t count = 0;
};
TExactError ExactError(std::span<const TTrainingPosition> positions, const TPatternTable& tables,
                       double scale);

// The least-squares slope of H on D.
double HandScale(std::span<const TTrainingPosition> positions);

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

// A position line of a positions file: "<squares> <side> [<score>]", the 64 squares a1..h1,
// a2..h2, ... a8..h8 each X (black), O (white) or - (empty), and the side to move X or O. The
// move number is taken as 60 minus the empty squares. Nothing for an empty line; throws
// EBadInput naming the file and line otherwise. The score, when given, is ignored: the
// position is solved.
std::optional<TTrainingPosition> ParsePositionLine(std::string_view line, const std::string& file,
                                                   int lineNumber);

// The discs of the position each opening of an openings file reaches (one opening a line, in
// the game-record notation, first on its line), as black and white bits. Throws EBadInput
// naming the file and line for an opening that does not replay legally, or the file when it
// holds no opening.
using TOpeningPositions = std::set<std::pair<uint64_t, uint64_t>>;
TOpeningPositions OpeningPositions(std::string_view text, const std::string& file);

// Whether a game passes through one of the positions, by whatever order of moves.
bool PassesThrough(std::span<const TTrainingPosition> game, const TOpeningPositions& positions);

// The trainer as the command line sets it up.
struct TTrainerOptions {
    std::vector<std::string> gameFiles;
    std::vector<std::string> evaluationFiles;    // games only measured, never fitted
    std::vector<std::string> computerGameFiles;  // fitted too, but never held out and
                                                 // measured apart from the players' games
    std::vector<std::string> keepOutFiles;       // openings no computer game may pass through
    std::filesystem::path out = "resources";
    std::vector<std::string> positionFiles;  // positions only measured against exact values
    std::filesystem::path baseline;          // tables to measure alongside, if any
    std::filesystem::path solvedValues;      // exact values kept between runs, if any
    int holdoutPercent = 10;
    TTrainingOptions training;
    TTargetOptions targets;
};

// Reads the command line (without the program's name): --games FILE [--games FILE ...]
// [--evaluate FILE ...] [--out FOLDER] [--seed S] [--holdout PERCENT] [--epochs E]
// [--rate R] [--penalty P] [--scale-factor F] [--exact-empties N] [--lookahead K]
// [--refits R] [--threads T] [--as-at-leaves 0|1] [--search-plies N] [--off-line 0|1]
// [--search-on-line 0|1] [--search-ahead 0|1] [--solved FILE] [--computer-games FILE ...]
// [--keep-out FILE ...] [--positions FILE ...]
// [--baseline FOLDER].
// --search-plies and --off-line need --exact-empties, --search-on-line 0 needs --off-line 1,
// --search-ahead 1 needs --search-plies and no --off-line.
// Throws EBadInput.
TTrainerOptions ParseTrainerOptions(const std::vector<std::string>& args);
