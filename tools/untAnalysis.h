#pragma once

// Post-game analysis: where was the game won and lost?
//
// A game record ("f5f6e6...", passes not written) is replayed from the start, and
// every move of both sides gets two values from the mover's point of view, in discs of the
// final result: the value of the move played and the value of the best move. Their
// difference is the move's loss. Near the end (by default from 20 empty squares) the values
// are exact, by the endgame solver; before that they are the engine's own search at a given
// level and thinking type, converted from evaluation units to discs with the scale the
// evaluation was fitted at.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/eval/untBitBoard.h"
#include "engine/eval/untPatterns.h"
#include "engine/untKyokumen.h"
#include "tools/untToolArgs.h"

// The discs of one position.
using TDiscs = TBitBoard;

// One move of a replayed record.
struct TRecordMove {
    int number = 0;            // 1 for the first move of the game; passes are not counted
    bool white = false;        // the side that played it
    uint8_t square = 0;        // engine square number
    TDiscs before;             // the board the mover saw
    TDiscs after;              // the board after the move
    bool passFollows = false;  // the other side then had no move and passed
    bool gameOver = false;     // neither side had a move after it
};

// Reads a record in the game-record notation and replays it from the start (the standard
// placement of the centre discs, or one of the new-game dialog's other three), inferring the
// passes. Surrounding blanks and line breaks are ignored and upper-case letters accepted.
// Returns nothing, with a message naming the first bad move and its number, when a move is
// not a square name or not legal.
std::optional<std::vector<TRecordMove>> ReplayRecord(std::string_view record, std::string& error,
                                                     int placement = 1);

// How the analysis writes its figures, in the table and on the page: a printf-style line, a
// side's name, a value in discs with its sign and without (whole discs when exact, tenths
// when estimated).
template <typename... Arguments>
std::string Formatted(const char* format, Arguments... arguments) {
    char text[512];
    std::snprintf(text, sizeof text, format, arguments...);
    return text;
}
const char* SideName(bool white);
std::string Signed(double value, bool exact);
std::string Number(double value, bool exact);

// The final disc difference, black minus white, with the empty squares given to the winner.
int FinalDifference(const TDiscs& discs);

struct TAnalysisSettings {
    int exactEmpties = 20;  // positions with at most this many empty squares are solved
    uint8_t gameLevel = 4;  // 2..4: the search depth of the estimates, as in the game
    uint8_t thinkType = 3;  // 1..4: thinking types A..D
    std::shared_ptr<const TPatternTable> tables;  // the pattern values of type C
};

// Evaluation units per disc of the final difference for each thinking type (1..4).
double DiscScale(uint8_t thinkType);

struct TMoveAnalysis {
    int number = 0;
    bool white = false;
    uint8_t played = 0;
    uint8_t best = 0;        // the played square when it is as good as any
    double playedValue = 0;  // discs, from the mover's point of view
    double bestValue = 0;
    double loss = 0;  // bestValue - playedValue, never negative
    bool exact = false;
};

struct TGameAnalysis {
    std::vector<TRecordMove> moves;
    std::vector<TMoveAnalysis> values;  // one per move
    int exactFrom = 0;                  // number of the first move solved exactly, 0 for none
    double totalLoss[2] = {0, 0};       // black's, white's

    // The numbers of a side's costliest moves (loss above zero), costliest first.
    std::vector<int> Costliest(bool white, std::size_t count) const;
    // The board after the last move.
    TDiscs FinalBoard() const;
    // Whether the record ends with neither side able to move.
    bool Finished() const { return !moves.empty() && moves.back().gameOver; }
};

// Analyses every move; `progress` is told each move as it is done (may be empty).
TGameAnalysis AnalyseGame(std::vector<TRecordMove> moves, const TAnalysisSettings& settings,
                          const std::function<void(int done, int total)>& progress = {});

// The table of all moves and the summary, as text lines ending with "\n".
std::string AnalysisReport(const TGameAnalysis& analysis);

// The analysis as the command line sets it up.
struct TAnalysisOptions {
    TAnalysisSettings settings;
    std::filesystem::path tables;  // the folder of TEXTDATA1..6 for type C
    std::string html;              // the page to write, if any
    std::string record;            // the record given on the command line
    bool recordGiven = false;      // false: read it from standard input
    bool quiet = false;            // no progress on standard error
    int placement = 1;
};

// The most empty squares the exact part may start from: beyond it a game takes hours.
inline constexpr int MAX_EXACT_EMPTIES = 30;

// Reads the command line (without the program's name): [--exact N] [--level L] [--type T]
// [--tables DIR] [--html FILE] [--placement P] [--quiet] [RECORD | -]. The tables default to
// those in resources. Throws EBadInput. (--help and --version are answered before.)
TAnalysisOptions ParseAnalysisOptions(const std::vector<std::string>& args,
                                      const std::filesystem::path& resources);
