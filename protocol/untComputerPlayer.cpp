#include "protocol/untComputerPlayer.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "analysis/untAnalysis.h"
#include "engine/search/untBook.h"
#include "engine/search/untSearch.h"
#include "engine/untRandom.h"

namespace {

constexpr int kStandardPlacement = 1;
constexpr uint8_t kBookLevel = 4;
constexpr int kNoValue = -30000;  // the searches' best value before they find a move
constexpr int kWipeOut = 9999;
constexpr double kAllDiscs = 64;

}  // namespace

TComputerPlayer::TComputerPlayer(std::shared_ptr<const TPatternTable> tables,
                                 std::vector<std::string> book)
    : tables_(std::move(tables)), book_(std::move(book)) {
    NewGame(0);
}

void TComputerPlayer::SetLevel(uint8_t level) {
    level_ = level;
    for (auto& engine : engines_)
        engine->GameLevel = level;
}

void TComputerPlayer::SetType(uint8_t type) {
    type_ = type;
    for (auto& engine : engines_)
        engine->ThinkType = type;
}

std::string TComputerPlayer::Name() const {
    return std::string("Tolvaney-") + static_cast<char>('A' + type_ - 1) +
           static_cast<char>('0' + level_);
}

std::unique_ptr<TKyokumen> TComputerPlayer::NewEngine() const {
    auto engine = std::make_unique<TKyokumen>();
    engine->GameLevel = level_;
    engine->ThinkType = type_;
    if (tables_) *engine->PatternWeights = *tables_;
    return engine;
}

void TComputerPlayer::NewGame(uint32_t seed) {
    RandSeed(seed);
    engines_[0] = NewEngine();
    engines_[1] = NewEngine();
    RandSeed(seed);
    bookActive_ = true;
    lastChoice_[0] = lastChoice_[1] = std::nullopt;
}

TComputerMove TComputerPlayer::Choose(const TGameState& game) {
    const bool white = game.WhiteToMove();
    if (game.LegalMoves(white) == 0) return {};
    TComputerMove move;
    move.square = white ? BookMove(game) : PASS;
    if (move.square != PASS) {
        move.comment = "定石データベース使用";
    } else {
        TKyokumen& engine = *engines_[white];
        SetUp(engine, game);
        engine.ChooseMove();
        move.square = engine.ChosenMove;
        move.comment = engine.ThinkComment;
        move.discs = SearchValue(engine, std::popcount(game.Discs().Empty()));
    }
    lastChoice_[white] = TChoice{game.Moves().size(), move.square};
    return move;
}

uint8_t TComputerPlayer::BookMove(const TGameState& game) {
    if (!bookActive_ || game.Placement() != kStandardPlacement || level_ != kBookLevel ||
        (type_ != 3 && type_ != 4))
        return PASS;
    uint8_t record[61];
    game.GameRecord(record);
    const uint8_t square = FindBookMove(book_, record);
    if (square == PASS) bookActive_ = false;
    return square;
}

void TComputerPlayer::SetUp(TKyokumen& engine, const TGameState& game) const {
    const bool white = game.WhiteToMove();
    const TDiscs& discs = game.Discs();
    engine.Boards[0].SetCellsFrom(white ? discs : TDiscs{discs.white, discs.black});
    engine.StackDepth = 1;
    engine.CurrentBoard = &engine.Boards[0];
    engine.MoveNumber = static_cast<int16_t>(game.MoveNumber());
    // Black's first move answered by a fixed reply: only white ever sees move 1.
    engine.Placement = static_cast<uint8_t>(white ? game.Placement() : 0);
    engine.WhiteOut = false;
    engine.BestValue = kNoValue;
    engine.BestValueReal = kNoValue;
    // The game counts the positions of a computer turn from its start: a second move after
    // the other side passed goes on counting.
    const std::vector<TGameMove>& moves = game.Moves();
    const std::optional<TChoice>& last = lastChoice_[white];
    const bool afterPass = last && last->at + 2 == moves.size() &&
                           moves[last->at].square == last->square && moves.back().square == PASS;
    if (!afterPass) engine.EvalCount = 0;
}

std::optional<double> TComputerPlayer::SearchValue(const TKyokumen& engine, int empties) const {
    const double value = type_ == 2 ? engine.BestValueReal : engine.BestValue;
    if (value <= kNoValue) return std::nullopt;  // a fixed reply or a random move
    if (std::abs(value) >= kWipeOut) return value > 0 ? kAllDiscs : -kAllDiscs;
    const bool toTheEnd = SearchDepth(level_, engine.MoveNumber) >= empties;
    const double discs = toTheEnd ? value : value / DiscScale(type_);
    return std::clamp(discs, -kAllDiscs, kAllDiscs);
}
