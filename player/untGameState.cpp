#include "player/untGameState.h"

#include <algorithm>
#include <bit>

#include "engine/untSquareNames.h"

namespace {

constexpr int kPlacements = 4;
constexpr int kStartDiscs = 4;

const char* SideName(bool white) {
    return white ? "white" : "black";
}

}  // namespace

TGameState::TGameState() : TGameState(PlacementDiscs(1), false) {}

TGameState::TGameState(const TDiscs& start, bool whiteToMove)
    : start_(start), startWhite_(whiteToMove), positions_{start}, whiteToMove_(whiteToMove) {
    for (int placement = 1; placement <= kPlacements && !whiteToMove; ++placement) {
        const TDiscs centre = PlacementDiscs(placement);
        if (centre.black == start.black && centre.white == start.white) placement_ = placement;
    }
}

TDiscs TGameState::PlacementDiscs(int placement) {
    const uint64_t d4 = MaskOf(SquareOf("d4")), e4 = MaskOf(SquareOf("e4"));
    const uint64_t d5 = MaskOf(SquareOf("d5")), e5 = MaskOf(SquareOf("e5"));
    switch (placement) {
        case 2:
            return {d4 | e5, e4 | d5};
        case 3:
            return {d4 | e4, d5 | e5};
        case 4:
            return {d5 | e5, d4 | e4};
        default:
            return {e4 | d5, d4 | e5};
    }
}

uint64_t TGameState::LegalMoves(bool white) const {
    const TDiscs& d = Discs();
    return white ? LegalMovesOf(d.white, d.black) : LegalMovesOf(d.black, d.white);
}

bool TGameState::MustPass() const {
    return LegalMoves(whiteToMove_) == 0 && LegalMoves(!whiteToMove_) != 0;
}

bool TGameState::Over() const {
    return LegalMoves(false) == 0 && LegalMoves(true) == 0;
}

int TGameState::MoveNumber() const {
    const TDiscs& d = Discs();
    return std::max(0, std::popcount(d.black | d.white) - kStartDiscs);
}

std::string TGameState::Play(bool white, uint8_t square) {
    const uint64_t legal = LegalMoves(white);
    if (square == PASS) {
        if (legal != 0) return std::string(SideName(white)) + " has a legal move and may not pass";
        Push({white, PASS, false}, Discs());
        return {};
    }
    if (Over()) return "the game is over";
    const bool implicitPass = white != whiteToMove_;
    if (implicitPass && !MustPass())
        return std::string("it is ") + SideName(whiteToMove_) + "'s turn";
    if (!IsBoardSquare(square) || (legal & MaskOf(square)) == 0)
        return std::string(SideName(white)) + " may not play " + SquareName(square);
    if (implicitPass) Push({!white, PASS, true}, Discs());
    Push({white, square, false}, BitsAfterMove(Discs(), square, white).after);
    return {};
}

std::string TGameState::PlayNext(uint8_t square) {
    return Play(MustPass() && square != PASS ? !whiteToMove_ : whiteToMove_, square);
}

void TGameState::Push(const TGameMove& move, const TDiscs& after) {
    moves_.push_back(move);
    positions_.push_back(after);
    whiteToMove_ = !move.white;
}

bool TGameState::Undo() {
    if (moves_.empty()) return false;
    do {
        whiteToMove_ = moves_.back().white;
        moves_.pop_back();
        positions_.pop_back();
    } while (!moves_.empty() && moves_.back().implicit);
    return true;
}

void TGameState::GameRecord(uint8_t (&record)[61]) const {
    std::fill(std::begin(record), std::end(record), 0);
    int number = 0;
    for (const TGameMove& move : moves_)
        if (move.square != PASS && number < 60) record[++number] = move.square;
}

bool TGameState::IsContinuedBy(const TGameState& later) const {
    return start_.black == later.start_.black && start_.white == later.start_.white &&
           startWhite_ == later.startWhite_ && later.moves_.size() >= moves_.size() &&
           std::equal(moves_.begin(), moves_.end(), later.moves_.begin());
}
