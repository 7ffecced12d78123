#pragma once

// What both protocols share: the game on the board, the player that chooses the engine's
// moves, how every game is seeded, and the hints.
//
// Two players can choose the moves. The game's computer player plays as the game does at its
// level and thinking type, with its opening book. The advice's player is the strongest the
// engine has: the advice's search (the evaluation and search of the analysis and the hint),
// exact in the endgame. It plays the best move of ValuePosition with the hint's settings.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "analysis/untAnalysis.h"
#include "player/untComputerPlayer.h"
#include "player/untGameState.h"

enum class TEnginePlayer { Game, Advice };

struct TSessionOptions {
    TEnginePlayer player = TEnginePlayer::Game;
    uint8_t gameLevel = 4;  // 上級
    uint8_t thinkType = 3;  // C
    // Every game seeded with this; nothing: seeded from the clock, as the game does.
    std::optional<uint32_t> seed;
    // Hints are exact from this many empty squares on, as the game's own hint is.
    int exactHintEmpties = 21;
    std::shared_ptr<const TPatternTable> tables;  // null: all pattern values 0
    std::vector<std::string> book;
    // The advice's evaluation of the hints and the advice's player; null: they estimate with
    // the game's search and the pattern values.
    std::shared_ptr<const TAdviceWeights> advice;
    // A hint stops once this is true, and the session throws ESearchStopped (nullptr: a hint
    // always runs to its end).
    const std::atomic<bool>* stopHint = nullptr;
    // The advice's player gives up its move once this is true (nobody waits for the move any
    // more), and the session throws ESearchStopped (nullptr: its move always comes). The game's
    // player's moves are short and always come.
    const std::atomic<bool>* stopMove = nullptr;
};

class TEngineSession {
public:
    explicit TEngineSession(const TSessionOptions& options);

    const TGameState& Game() const { return game_; }
    TComputerPlayer& Player() { return player_; }
    void SetPlayer(TEnginePlayer player) { options_.player = player; }
    // The name a front end shows: the game's player's ("Tolvaney-C4"), or Tolvaney-Advice.
    std::string Name() const;

    // Starts a new game from the position.
    void NewGame(const TGameState& start);
    // Takes a whole game as a front end sends it: the same game with more moves goes on with
    // the same engines, anything else is a new game.
    void SetGame(const TGameState& game);
    // Plays for a side; why it is refused, or empty.
    std::string Play(bool white, uint8_t square) { return game_.Play(white, square); }
    std::string PlayNext(uint8_t square) { return game_.PlayNext(square); }
    bool Undo() { return game_.Undo(); }

    // The chosen player's move for the side to move, the board left as it is; PASS when it has
    // none. Stopped by the options' stopMove.
    TComputerMove ChooseMove();
    // The same move, played on the board; PASS, played too, when the side has none.
    TComputerMove PlayComputerMove();

    // Every legal move of the side to move with its value, best first; stopped by the options'
    // stopHint.
    std::vector<TMoveValue> Hints(const std::function<void(int done, int total)>& progress);
    // Whether the hints of the position are exact.
    bool HintsExact() const;

private:
    uint32_t NextSeed() const;
    // How the hints value a position, and the advice's player chooses its move.
    TAnalysisSettings HintSettings() const;
    TComputerMove AdviceMove() const;

    TSessionOptions options_;
    TRandom generator_;  // every draw of the game's player, seeded by every new game
    TComputerPlayer player_;
    TGameState game_;
};
