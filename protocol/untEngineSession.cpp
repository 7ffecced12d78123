#include "protocol/untEngineSession.h"

#include <bit>
#include <chrono>

#include "engine/untEngineError.h"

namespace {

constexpr uint8_t kLowestSearchLevel = 2;

}  // namespace

TEngineSession::TEngineSession(const TSessionOptions& options)
    : options_(options), player_(generator_, options.tables, options.book) {
    player_.SetLevel(options.gameLevel);
    player_.SetType(options.thinkType);
    NewGame(TGameState());
}

uint32_t TEngineSession::NextSeed() const {
    if (options_.seed) return *options_.seed;
    return static_cast<uint32_t>(std::chrono::system_clock::now().time_since_epoch().count());
}

void TEngineSession::NewGame(const TGameState& start) {
    game_ = start;
    player_.NewGame(NextSeed());
}

void TEngineSession::SetGame(const TGameState& game) {
    if (game_.IsContinuedBy(game))
        game_ = game;
    else
        NewGame(game);
}

std::string TEngineSession::Name() const {
    return options_.player == TEnginePlayer::Advice ? "Tolvaney-Advice" : player_.Name();
}

TComputerMove TEngineSession::ChooseMove() {
    return options_.player == TEnginePlayer::Advice ? AdviceMove() : player_.Choose(game_);
}

TComputerMove TEngineSession::AdviceMove() const {
    if (game_.LegalMoves(game_.WhiteToMove()) == 0) return {};
    TAnalysisSettings settings = HintSettings();
    settings.stop = options_.stopMove;  // a move does not give way to the next command
    const TPositionValue best = ValuePosition(game_.Discs(), game_.WhiteToMove(), settings);
    return {best.best, best.value, best.exact ? "advice, exact" : "advice"};
}

TComputerMove TEngineSession::PlayComputerMove() {
    const TComputerMove move = ChooseMove();
    const std::string refused = game_.Play(game_.WhiteToMove(), move.square);
    if (!refused.empty()) throw EEngineError("the computer's move was refused: " + refused);
    return move;
}

bool TEngineSession::HintsExact() const {
    return std::popcount(game_.Discs().Empty()) <= options_.exactHintEmpties;
}

TAnalysisSettings TEngineSession::HintSettings() const {
    TAnalysisSettings settings;
    settings.exactEmpties = options_.exactHintEmpties;
    settings.gameLevel = std::max(kLowestSearchLevel, player_.GameLevel());
    settings.thinkType = player_.ThinkType();
    settings.tables = options_.tables;
    settings.advice = options_.advice;
    settings.stop = options_.stopHint;
    return settings;
}

std::vector<TMoveValue> TEngineSession::Hints(
    const std::function<void(int done, int total)>& progress) {
    return ValueMoves(game_.Discs(), game_.WhiteToMove(), HintSettings(), progress);
}
