#pragma once

#include <QVariantAnimation>
#include <optional>

#include "engine/untBitBoard.h"

// How fast the discs of a move turn over.
enum class TTurningSpeed { Fast, Normal, Slow };
inline constexpr int kTurningSpeeds = 3;

// The discs of the last move turning over, as the board view draws them for a moment after
// the move; the game itself has long gone on. The placed disc is down at once; each disc it
// turns closes to its edge showing its old colour and opens again showing its new one, the
// nearer to the placed disc the sooner, so that the turn runs out along the lines.
//
// It follows the board as shown: two positions one move apart turn that move's discs;
// anything else (a new game, a take-back, a position set up) stops the turning at once, so
// the board shows as it is. It never changes the game, and the game never waits for it.
class TDiscTurning : public QVariantAnimation {
    Q_OBJECT
public:
    explicit TDiscTurning(QObject* parent = nullptr);

    // How long the turning of a move takes, in milliseconds.
    static int DurationOf(TTurningSpeed speed);
    void SetSpeed(TTurningSpeed speed);

    // The board shown is now `after` instead of `before`; returns whether discs turn.
    bool Follow(const TBitBoard& before, const TBitBoard& after);
    // The board shows as it is from now on.
    void Finish();
    bool Turning() const { return state() != Stopped; }

    // How a disc shows now while it turns: its colour (BLACK or WHITE) and its width (1
    // flat, 0 edge on); none for a disc that is not turning.
    struct TFace {
        uint8_t colour;
        qreal width;
    };
    std::optional<TFace> FaceOf(int square) const;
    // The discs turning, as a set of square bits.
    uint64_t TurningDiscs() const { return Turning() ? turned_ : 0; }

private:
    uint64_t turned_ = 0;
    int placed_ = 0;      // the square of the placed disc
    bool white_ = false;  // the turned discs become white
    int farthest_ = 1;    // the farthest turned disc's distance from the placed one, in squares
};
