#include "ui/board/untDiscTurning.h"

#include <QtMath>
#include <algorithm>
#include <cstdlib>

#include "engine/untBoard_Data.h"

namespace {

constexpr int kFastTurn = 150, kNormalTurn = 300, kSlowTurn = 600;  // milliseconds
// The share of the whole turn that one disc takes; the rest staggers the discs by distance.
constexpr qreal kOneDiscShare = 0.6;

int Distance(int from, int to) {  // in squares along a line
    return std::max(std::abs(from / 10 - to / 10), std::abs(from % 10 - to % 10));
}

}  // namespace

TDiscTurning::TDiscTurning(QObject* parent) : QVariantAnimation(parent) {
    setStartValue(0.0);
    setEndValue(1.0);
    SetSpeed(TTurningSpeed::Normal);
}

int TDiscTurning::DurationOf(TTurningSpeed speed) {
    switch (speed) {
        case TTurningSpeed::Fast:
            return kFastTurn;
        case TTurningSpeed::Slow:
            return kSlowTurn;
        default:
            return kNormalTurn;
    }
}

void TDiscTurning::SetSpeed(TTurningSpeed speed) {
    setDuration(DurationOf(speed));
}

bool TDiscTurning::Follow(const TBitBoard& before, const TBitBoard& after) {
    Finish();
    const uint64_t placed = (after.black | after.white) & before.Empty();
    if (std::popcount(placed) != 1) return false;
    placed_ = kSquareOfBit[std::countr_zero(placed)];
    white_ = (after.white & placed) != 0;
    // One move apart exactly when the rules turn the same discs.
    const TMoveBits move = BitsAfterMove(before, placed_, white_);
    if (move.after.black != after.black || move.after.white != after.white) return false;
    turned_ = move.changed & ~placed;
    farthest_ = 1;
    for (uint64_t discs = turned_; discs; discs &= discs - 1)
        farthest_ = std::max(farthest_, Distance(placed_, kSquareOfBit[std::countr_zero(discs)]));
    start();
    return true;
}

void TDiscTurning::Finish() {
    stop();
    turned_ = 0;
}

std::optional<TDiscTurning::TFace> TDiscTurning::FaceOf(int square) const {
    if (!(TurningDiscs() & MaskOf(square))) return std::nullopt;
    // Each disc turns in its own share of the time, starting later the farther it lies; all
    // at once when they lie next to the placed disc.
    const qreal share = farthest_ > 1 ? kOneDiscShare : 1;
    const qreal delay = (1 - share) * (Distance(placed_, square) - 1) / std::max(farthest_ - 1, 1);
    const qreal own = std::clamp((currentValue().toReal() - delay) / share, 0.0, 1.0);
    const bool turnedOver = own >= 0.5;
    const uint8_t newColour = white_ ? WHITE : BLACK, oldColour = white_ ? BLACK : WHITE;
    return TFace{turnedOver ? newColour : oldColour, std::abs(qCos(M_PI * own))};
}
