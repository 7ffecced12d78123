#pragma once

#include <QObject>
#include <array>
#include <optional>

#include "ui/game/untMain.h"

class QSoundEffect;

// The game's sounds.
enum class TSound { Placed, Pass, Won, Lost, Drawn };
inline constexpr int kSounds = 5;

// The game heard: a disc put down, a pass, and the end of the game, won, lost or drawn for
// the player. Played while switched on and only where the machine has a sound output;
// without one the game stays silent and says nothing, neither in a box nor on the terminal
// (the toolkit's own words about the missing device are kept back too).
class TSounds : public QObject {
    Q_OBJECT
public:
    explicit TSounds(TForm1& form);

    void SetOn(bool on) { on_ = on; }
    bool On() const { return on_; }

    // The sound of something that happened in the game, if it has one; the end of the game
    // sounds after the final count of the player's and the other side's discs.
    static std::optional<TSound> SoundOf(THappening what, int own, int other);

signals:
    // A sound is due while the sounds are on, whether or not a device plays it.
    void Due(TSound sound);

private:
    void Hear(THappening what);
    void Play(TSound sound);

    TForm1& form_;
    bool on_ = false;
    std::array<QSoundEffect*, kSounds> effects_{};  // made when first played on a device
};
