#pragma once

// One game as the engine's protocols see it: where it started, every move and pass since,
// and the position they lead to. Either side may be asked to move, so the state checks turns
// itself: a side with no legal move must pass, and a move for the other side is taken as
// coming after that pass, as Othello front ends send them. A pass is taken from a side
// whenever it has no legal move, also after the game's last move, where a controller sends
// the closing passes; a side that has a legal move may not pass.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/untBitBoard.h"

using TDiscs = TBitBoard;

inline constexpr uint8_t PASS = 0;  // the square of a pass

struct TGameMove {
    bool white = false;
    uint8_t square = PASS;
    bool implicit = false;  // a pass the front end did not send, taken from the next move
    bool operator==(const TGameMove&) const = default;
};

class TGameState {
public:
    // The standard start, black to move.
    TGameState();
    // A game from any discs with the given side to move.
    TGameState(const TDiscs& start, bool whiteToMove);

    // The centre discs of the new-game dialog's placements 1 to 4.
    static TDiscs PlacementDiscs(int placement);

    const TDiscs& Start() const { return start_; }
    bool StartsWithWhite() const { return startWhite_; }
    // 1 to 4 when the game began from a placement with black to move, else 0.
    int Placement() const { return placement_; }
    const std::vector<TGameMove>& Moves() const { return moves_; }

    const TDiscs& Discs() const { return positions_.back(); }
    bool WhiteToMove() const { return whiteToMove_; }
    uint64_t LegalMoves(bool white) const;
    // The side to move has no legal move, but the other side has.
    bool MustPass() const;
    bool Over() const;
    // Moves played, counted as the engine counts them: the discs on the board minus four.
    int MoveNumber() const;

    // Plays a square (or PASS) for one side. A move for the side not to move follows an
    // implicit pass when the side to move has no legal move; a pass of the side not to move
    // leaves the turn where it is. Returns why a move is refused, in which case nothing
    // changes; empty when it was played.
    std::string Play(bool white, uint8_t square);
    // Plays the next move of the game, a front end naming no side: the side to move's, or
    // when that side must pass, the other side's after the pass.
    std::string PlayNext(uint8_t square);
    // Takes back the last move or pass sent, with the implicit pass before it; false when
    // there is nothing to take back.
    bool Undo();

    // The squares of the moves in order, passes left out: the game record the opening book
    // reads (entry n is move n, 0 after the last).
    void GameRecord(uint8_t (&record)[61]) const;

    // Whether `later` is this game with more moves played: the same start and these moves
    // first.
    bool IsContinuedBy(const TGameState& later) const;

private:
    void Push(const TGameMove& move, const TDiscs& after);

    TDiscs start_;
    bool startWhite_ = false;
    int placement_ = 0;
    std::vector<TGameMove> moves_;
    std::vector<TDiscs> positions_;  // the start, then the position after each entry of moves_
    bool whiteToMove_ = false;
};
