#pragma once

// Post-game analysis: where was the game won and lost?
//
// A game record ("f5f6e6...", passes not written) is replayed from the start, and
// every move of both sides gets two values from the mover's point of view, in discs of the
// final result: the value of the move played and the value of the best move. Their
// difference is the move's loss. Near the end (by default from 20 empty squares) the values
// are exact, by the endgame solver; before that they are the engine's own search at a given
// level and thinking type, converted from evaluation units to discs with the scale the
// evaluation was fitted at. No estimate goes beyond the board's 64 discs, though an
// evaluation may overshoot near a wipe-out: several moves may then be worth +64.0 alike.
//
// A position's value is that of its best move, and every move of it is valued the same way:
// the position after the move is searched (or solved) for the other side. The search ends
// its lines an even number of plies after the position valued, with the same side to move
// as there, whoever that is, so that the values of consecutive positions compare fairly.
//
// What the game's window calls: ReplayRecord, AnalyseGame (on a worker thread, stoppable),
// AnalysisReport or AnalysisPage, and ValuePosition for a hint.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "advice/untAdviceWeights.h"
#include "engine/eval/untPatterns.h"
#include "engine/untBitBoard.h"
#include "engine/untKyokumen.h"

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
// placement of the centre discs, or one of the new-game dialog's other three: 1 to 4),
// inferring the passes. Surrounding blanks and line breaks are ignored and upper-case letters
// accepted. Returns nothing, with a message (in English) naming the first bad move and its
// number, when a move is not a square name or not legal.
std::optional<std::vector<TRecordMove>> ReplayRecord(std::string_view record, std::string& error,
                                                     int placement = 1);

// The final disc difference, black minus white, with the empty squares given to the winner.
int FinalDifference(const TDiscs& discs);

// The most empty squares the exact part may start from: beyond it a game takes hours.
inline constexpr int MAX_EXACT_EMPTIES = 30;
// The most threads one analysis uses.
inline constexpr int MAX_ANALYSIS_THREADS = 256;

struct TAnalysisSettings {
    int exactEmpties = 20;  // positions with at most this many empty squares are solved
    // The advice's evaluation: with it the estimates are the advice's search (AdviceDepth
    // plies deep), and a position and its images get the same value and best move; without
    // it they are the engine's own search at the level and type below.
    std::shared_ptr<const TAdviceWeights> advice;
    int adviceDepth = 0;    // plies the advice's search reads; 0: AdviceDepth of the position
    uint8_t gameLevel = 4;  // 2..4: the search depth of the estimates, as in the game
    uint8_t thinkType = 3;  // 1..4: thinking types A..D
    std::shared_ptr<const TPatternTable> tables;  // the pattern values of type C
    // Another thread sets *stop to end the analysis early (nullptr: never stops).
    const std::atomic<bool>* stop = nullptr;
    // Search every estimated position to an even number of plies, its own side to move at the
    // ends of the lines. Off: to the game's own depth at that move, odd in the midgame, the
    // way earlier versions valued positions (kept for comparing the two).
    bool parityAligned = true;
    // A whole game's analysis values its positions on this many threads at once, each with
    // searches of its own; the results are those of one thread.
    int threads = 1;
};

// How many plies the advice's search reads in a position with this many empty squares: as
// deep as a whole game's analysis affords, deepest before the exact part. Always even; a
// position's value is the mean of the search to that depth and to one ply less.
int AdviceDepth(int empties);

// The value of one position for the side to move.
struct TPositionValue {
    uint8_t best = 0;    // a best move (engine square number)
    double value = 0;    // in discs of the final result, within -64..64
    bool exact = false;  // solved: the position has at most settings.exactEmpties empty squares
};

// Values the position with the side `whiteToMove` to move, as AnalyseGame values the position
// before each move: the same settings give the same value and a move of the same value.
// Throws EEngineError when the side to move has no legal move (it must pass; value the
// position for the other side), and ESearchStopped when *settings.stop is set meanwhile.
TPositionValue ValuePosition(const TDiscs& discs, bool whiteToMove,
                             const TAnalysisSettings& settings);

// One legal move and its value for the mover, valued as ValuePosition values the moves.
struct TMoveValue {
    uint8_t square = 0;
    double value = 0;  // in discs of the final result, within -64..64
    bool exact = false;
    int depth = 0;  // plies searched from the position: its empty squares when exact
};

// Every legal move of the position, best first (of moves of equal value, ValuePosition's
// best move, then the others in the searches' visiting order); `progress` is told each move
// as it is valued when the values are exact.
// Throws as ValuePosition does.
std::vector<TMoveValue> ValueMoves(const TDiscs& discs, bool whiteToMove,
                                   const TAnalysisSettings& settings,
                                   const std::function<void(int done, int total)>& progress = {});

struct TMoveAnalysis {
    int number = 0;
    bool white = false;
    uint8_t played = 0;
    uint8_t best = 0;        // the played square when it is as good as any
    double playedValue = 0;  // discs, from the mover's point of view
    double bestValue = 0;    // the value of the position before the move (ValuePosition's)
    double loss = 0;         // bestValue - playedValue, never negative
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

// Analyses every move of a replayed record, on settings.threads threads; `progress` is told
// how many moves are done as each is done (may be empty; it is called on an analysing thread,
// one call at a time). Throws ESearchStopped when *settings.stop
// is set before the end: it is looked at between moves and between searches, and the
// endgame solver stops within a few milliseconds.
TGameAnalysis AnalyseGame(std::vector<TRecordMove> moves, const TAnalysisSettings& settings,
                          const std::function<void(int done, int total)>& progress = {});

// The language of the report and the page.
enum class TAnalysisLanguage { English, Japanese };

// The table of all moves and the summary, as text lines ending with "\n". Both languages
// give the same figures in the same order; moves are named as the record names them (f5).
std::string AnalysisReport(const TGameAnalysis& analysis,
                           TAnalysisLanguage language = TAnalysisLanguage::English);
