#pragma once

// The computer's move, as every front end asks for it: the game's window, the engine
// program's protocols, the match tool and the analysis.
//
// The engine's searches think for white. White's move is the one the game itself makes: the
// opening book where the game consults it (the standard placement, 上級, thinking type C or D,
// until the book first has no answer), then ChooseMove with the game's level, thinking type,
// placement and move number. Black's move is white's in the position with the colours
// exchanged, on an engine of black's own, so that each side keeps what its searches remember
// through the game, as the game's one engine does for white.
//
// Every draw (the engines' position keys, the evaluation noise, the random moves) comes from
// the generator that the player's owner hands it and seeds: the same seed gives the same
// game, on whatever thread it is played.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/untKyokumen.h"
#include "engine/untRandom.h"
#include "player/untGameState.h"

struct TComputerMove {
    uint8_t square = PASS;
    std::optional<double> discs;  // the search's value for the mover in discs, if it searched
    std::string comment;          // how the move was chosen (the engine's ThinkComment)
};

// Whether a game consults the opening book: the standard placement, 上級, type C or D.
bool GameConsultsBook(uint8_t placement, uint8_t gameLevel, uint8_t thinkType);

// White's move on the engine's game board, as the game's computer makes it: the book's
// answer where the game consults it and the book is still active (it falls inactive for the
// rest of the game the first time it has none), else ChooseMove. The move is left in
// ChosenMove, how it was chosen in ThinkComment.
void ChooseWhiteMove(TKyokumen& engine, const std::vector<std::string>& bookLines, bool& bookActive,
                     const uint8_t (&gameRecord)[61]);

// Puts the discs on the engine's game board as the side to move sees them, since the
// searches think for white: for black to move, with the colours exchanged. The move number
// is the discs on the board minus four; white is to move.
void SetUpForSide(TKyokumen& engine, const TBitBoard& discs, bool white);

// Evaluation units per disc of the final difference for each thinking type (1..4).
double DiscScale(uint8_t thinkType);

// A search's root value in discs for the side it searched for: the evaluation's units of the
// thinking type scaled by DiscScale, or discs already when the search read to the end of the
// game; a wipe-out is all 64, and an estimate never more (BoundedEstimate).
double SearchValueInDiscs(double value, uint8_t thinkType, bool readToTheEnd);

// A new game's engines for black and white, as every front end makes them: the generator
// seeded with the game's seed, black's engine made and then white's (each drawing its
// position keys), and the generator seeded again, so that the game's moves depend on its seed
// alone. The window plays white only and keeps white's.
std::array<std::unique_ptr<TKyokumen>, 2> NewGameEngines(TRandom& generator, uint32_t seed);

// Which sides a player makes engines for.
enum class TSides { Black, White, Both };

class TComputerPlayer {
public:
    // Draws from the generator, which must outlive the player; the tables null: all zeros.
    // It plays once NewGame has made its engines.
    TComputerPlayer(TRandom& generator, std::shared_ptr<const TPatternTable> tables,
                    std::vector<std::string> book);

    uint8_t GameLevel() const { return level_; }
    uint8_t ThinkType() const { return type_; }
    void SetLevel(uint8_t level);  // 1..4
    void SetType(uint8_t type);    // 1..4 (A..D)
    // "Tolvaney-C4": the thinking type's letter and the level.
    std::string Name() const;

    // A new game with the seed, its engines made by NewGameEngines.
    void NewGame(uint32_t seed);
    // A new game with the generator as it stands: fresh engines for the sides the player will
    // be asked to play, black's made first.
    void NewGame(TSides sides);

    // The move for the side to move in the game; PASS when it has none.
    TComputerMove Choose(const TGameState& game);
    TComputerMove Choose(const TBitBoard& discs, bool white, uint8_t placement,
                         const uint8_t (&gameRecord)[61]);
    // The positions the side's searches have evaluated in its present turn (the engine's
    // EvalCount), counted on after the other side passed, as the game counts them.
    uint32_t EvalCount(bool white) const;

private:
    // An engine given the player's level, thinking type and tables.
    std::unique_ptr<TKyokumen> Prepared(std::unique_ptr<TKyokumen> engine) const;
    void StartGame(std::unique_ptr<TKyokumen> black, std::unique_ptr<TKyokumen> white);
    // The value in discs of the move the engine chose, if a search chose it.
    std::optional<double> ValueOfChoice(const TKyokumen& engine) const;
    // The engine's count of searched positions at the start of a choice.
    void StartCount(TKyokumen& engine, bool white, const uint8_t (&gameRecord)[61]) const;

    TRandom& generator_;
    std::shared_ptr<const TPatternTable> tables_;
    std::vector<std::string> book_;
    uint8_t level_ = 4, type_ = 3;
    std::unique_ptr<TKyokumen> engines_[2];  // for black (colours exchanged) and for white
    bool bookActive_ = true;
    // The moves of the game when each side last chose a move, and the move: its count of
    // searched positions goes on from there when that move was played and the other side then
    // passed, as the game's own count does.
    struct TChoice {
        int moves;
        uint8_t square;
    };
    std::optional<TChoice> lastChoice_[2];
};
