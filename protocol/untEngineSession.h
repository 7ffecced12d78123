#pragma once

// What both protocols share: the game on the board, the computer player, how every game is
// seeded, and the hints.

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "analysis/untAnalysis.h"
#include "protocol/untComputerPlayer.h"
#include "protocol/untGameState.h"

struct TSessionOptions {
    uint8_t gameLevel = 4;  // 上級
    uint8_t thinkType = 3;  // C
    // Every game seeded with this; nothing: seeded from the clock, as the game does.
    std::optional<uint32_t> seed;
    // Hints are exact from this many empty squares on, as the game's own hint is.
    int exactHintEmpties = 20;
    std::shared_ptr<const TPatternTable> tables;  // null: all pattern values 0
    std::vector<std::string> book;
};

class TEngineSession {
public:
    explicit TEngineSession(const TSessionOptions& options);

    const TGameState& Game() const { return game_; }
    TComputerPlayer& Player() { return player_; }

    // Starts a new game from the position.
    void NewGame(const TGameState& start);
    // Takes a whole game as a front end sends it: the same game with more moves goes on with
    // the same engines, anything else is a new game.
    void SetGame(const TGameState& game);
    // Plays for a side; why it is refused, or empty.
    std::string Play(bool white, uint8_t square) { return game_.Play(white, square); }
    std::string PlayNext(uint8_t square) { return game_.PlayNext(square); }
    bool Undo() { return game_.Undo(); }

    // The computer's move for the side to move, played on the board; PASS, played too, when it
    // has none.
    TComputerMove PlayComputerMove();

    // Every legal move of the side to move with its value, best first. Worked out on a thread
    // of its own, whose random draws leave the game's untouched.
    std::vector<TMoveValue> Hints(const std::function<void(int done, int total)>& progress);
    // Whether the hints of the position are exact.
    bool HintsExact() const;

private:
    uint32_t NextSeed() const;

    TSessionOptions options_;
    TComputerPlayer player_;
    TGameState game_;
};
