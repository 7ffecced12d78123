#include "protocol/untEngineSession.h"

#include <bit>
#include <chrono>
#include <exception>
#include <thread>

#include "engine/untEngineError.h"

namespace {

constexpr uint8_t kLowestSearchLevel = 2;

}  // namespace

TEngineSession::TEngineSession(const TSessionOptions& options)
    : options_(options), player_(options.tables, options.book) {
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

TComputerMove TEngineSession::PlayComputerMove() {
    const TComputerMove move = player_.Choose(game_);
    const std::string refused = game_.Play(game_.WhiteToMove(), move.square);
    if (!refused.empty()) throw EEngineError("the computer's move was refused: " + refused);
    return move;
}

bool TEngineSession::HintsExact() const {
    return std::popcount(game_.Discs().Empty()) <= options_.exactHintEmpties;
}

std::vector<TMoveValue> TEngineSession::Hints(
    const std::function<void(int done, int total)>& progress) {
    TAnalysisSettings settings;
    settings.exactEmpties = options_.exactHintEmpties;
    settings.gameLevel = std::max(kLowestSearchLevel, player_.GameLevel());
    settings.thinkType = player_.ThinkType();
    settings.tables = options_.tables;
    std::vector<TMoveValue> values;
    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            values = ValueMoves(game_.Discs(), game_.WhiteToMove(), settings, progress);
        } catch (...) {
            failure = std::current_exception();
        }
    });
    worker.join();
    if (failure) std::rethrow_exception(failure);
    return values;
}
