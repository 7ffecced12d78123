#pragma once

// The game's own computer player, for a game handed over by a protocol.
//
// The engine's searches think for white. A position with black to move is searched with the
// colours exchanged, on an engine of its own, so that each side keeps what its searches
// remember through the game, as the game's one engine does for white. White's move is the
// one the game itself makes: the opening book where the game consults it (the standard
// placement, 上級, thinking type C or D, until the book first has no answer), then
// ChooseMove with the game's level, thinking type, placement and move number, on engines
// made fresh for every game and a random generator seeded once a game.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/untKyokumen.h"
#include "protocol/untGameState.h"

struct TComputerMove {
    uint8_t square = PASS;
    std::optional<double> discs;  // the search's value for the mover in discs, if it searched
    std::string comment;          // how the move was chosen (the engine's ThinkComment)
};

class TComputerPlayer {
public:
    TComputerPlayer(std::shared_ptr<const TPatternTable> tables, std::vector<std::string> book);

    uint8_t GameLevel() const { return level_; }
    uint8_t ThinkType() const { return type_; }
    void SetLevel(uint8_t level);  // 1..4
    void SetType(uint8_t type);    // 1..4 (A..D)
    // "Tolvaney-C4": the thinking type's letter and the level.
    std::string Name() const;

    // A new game: fresh engines, as the game makes one for every game, then the random
    // generator seeded with the game's seed.
    void NewGame(uint32_t seed);

    // The move for the side to move in the game; PASS when it has none.
    TComputerMove Choose(const TGameState& game);

private:
    std::unique_ptr<TKyokumen> NewEngine() const;
    uint8_t BookMove(const TGameState& game);
    void SetUp(TKyokumen& engine, const TGameState& game) const;
    std::optional<double> SearchValue(const TKyokumen& engine, int empties) const;

    std::shared_ptr<const TPatternTable> tables_;
    std::vector<std::string> book_;
    uint8_t level_ = 4, type_ = 3;
    std::unique_ptr<TKyokumen> engines_[2];  // for black (colours exchanged) and for white
    bool bookActive_ = true;
    // Where in the game each side last chose a move, and the move: its count of searched
    // positions goes on from there when that move was played and the other side then passed,
    // as the game's own count does.
    struct TChoice {
        std::size_t at;
        uint8_t square;
    };
    std::optional<TChoice> lastChoice_[2];
};
