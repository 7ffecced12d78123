#include "player/untComputerPlayer.h"

#include <bit>
#include <cmath>

#include "engine/search/untBook.h"
#include "engine/search/untSearch.h"
#include "engine/untEngineError.h"

namespace {

constexpr uint8_t kStandardPlacement = 1;
constexpr uint8_t kBookLevel = 4;
constexpr int kNoValue = -30000;  // the searches' best value before they find a move

// Evaluation units per disc of the final result. Type C's pattern tables were fitted to 4.20
// units per disc (docs/pattern-tables.md). For the other evaluations, the least-squares
// factor that best predicts the final disc difference from the evaluation, over the
// positions of every 40th training game (docs/analysis.md).
constexpr double kScaleTypeA = 2.60;
constexpr double kScaleTypeB = 2.44;
constexpr double kScaleTypeC = 4.20;
constexpr double kScaleTypeD = 2.78;

int MoveNumberOf(const TBitBoard& discs) {
    return std::popcount(discs.black | discs.white) - 4;
}

// The moves in a game record: its entries before the first 0.
int RecordLength(const uint8_t (&gameRecord)[61]) {
    int length = 0;
    while (length < 60 && gameRecord[length + 1] != 0)
        ++length;
    return length;
}

}  // namespace

bool GameConsultsBook(uint8_t placement, uint8_t gameLevel, uint8_t thinkType) {
    return placement == kStandardPlacement && gameLevel == kBookLevel &&
           (thinkType == 3 || thinkType == 4);
}

void ChooseWhiteMove(TKyokumen& engine, const std::vector<std::string>& bookLines, bool& bookActive,
                     const uint8_t (&gameRecord)[61]) {
    engine.ChosenMove = 0;
    if (bookActive && GameConsultsBook(engine.Placement, engine.GameLevel, engine.ThinkType)) {
        engine.ChosenMove = FindBookMove(bookLines, gameRecord);
        if (engine.ChosenMove != 0)
            engine.ThinkComment = "定石データベース使用";
        else
            bookActive = false;
    }
    if (engine.ChosenMove == 0) engine.ChooseMove();
}

void SetUpForSide(TKyokumen& engine, const TBitBoard& discs, bool white) {
    engine.Boards[0].SetCellsFrom(white ? discs : TBitBoard{discs.white, discs.black});
    engine.Boards[0].Passed = 0;
    engine.StackDepth = 1;
    engine.CurrentBoard = &engine.Boards[0];
    engine.MoveNumber = static_cast<int16_t>(MoveNumberOf(discs));
    engine.WhiteToMove = true;
}

double DiscScale(uint8_t thinkType) {
    switch (thinkType) {
        case 1:
            return kScaleTypeA;
        case 2:
            return kScaleTypeB;
        case 3:
            return kScaleTypeC;
        default:
            return kScaleTypeD;
    }
}

double SearchValueInDiscs(double value, uint8_t thinkType, bool readToTheEnd) {
    if (std::abs(value) >= WIPE_OUT) return value > 0 ? kBoardDiscs : -kBoardDiscs;
    return BoundedEstimate(readToTheEnd ? value : value / DiscScale(thinkType));
}

std::array<std::unique_ptr<TKyokumen>, 2> NewGameEngines(TRandom& generator, uint32_t seed) {
    generator.Seed(seed);
    std::array<std::unique_ptr<TKyokumen>, 2> engines;
    for (auto& engine : engines)
        engine = std::make_unique<TKyokumen>(generator);
    generator.Seed(seed);
    return engines;
}

TComputerPlayer::TComputerPlayer(TRandom& generator, std::shared_ptr<const TPatternTable> tables,
                                 std::vector<std::string> book)
    : generator_(generator), tables_(std::move(tables)), book_(std::move(book)) {}

void TComputerPlayer::SetLevel(uint8_t level) {
    level_ = level;
    for (auto& engine : engines_)
        if (engine) engine->GameLevel = level;
}

void TComputerPlayer::SetType(uint8_t type) {
    type_ = type;
    for (auto& engine : engines_)
        if (engine) engine->ThinkType = type;
}

std::string TComputerPlayer::Name() const {
    return std::string("Tolvaney-") + static_cast<char>('A' + type_ - 1) +
           static_cast<char>('0' + level_);
}

std::unique_ptr<TKyokumen> TComputerPlayer::Prepared(std::unique_ptr<TKyokumen> engine) const {
    if (!engine) return engine;
    engine->GameLevel = level_;
    engine->ThinkType = type_;
    if (tables_) *engine->PatternWeights = *tables_;
    return engine;
}

void TComputerPlayer::NewGame(uint32_t seed) {
    auto engines = NewGameEngines(generator_, seed);
    StartGame(std::move(engines[0]), std::move(engines[1]));
}

uint32_t TComputerPlayer::EvalCount(bool white) const {
    return engines_[white] ? engines_[white]->EvalCount : 0;
}

void TComputerPlayer::NewGame(TSides sides) {
    auto black = sides != TSides::White ? std::make_unique<TKyokumen>(generator_) : nullptr;
    auto white = sides != TSides::Black ? std::make_unique<TKyokumen>(generator_) : nullptr;
    StartGame(std::move(black), std::move(white));
}

void TComputerPlayer::StartGame(std::unique_ptr<TKyokumen> black,
                                std::unique_ptr<TKyokumen> white) {
    engines_[0] = Prepared(std::move(black));
    engines_[1] = Prepared(std::move(white));
    bookActive_ = true;
    lastChoice_[0] = lastChoice_[1] = std::nullopt;
}

TComputerMove TComputerPlayer::Choose(const TGameState& game) {
    uint8_t record[61];
    game.GameRecord(record);
    return Choose(game.Discs(), game.WhiteToMove(), static_cast<uint8_t>(game.Placement()), record);
}

TComputerMove TComputerPlayer::Choose(const TBitBoard& discs, bool white, uint8_t placement,
                                      const uint8_t (&gameRecord)[61]) {
    const uint64_t own = white ? discs.white : discs.black;
    const uint64_t opponent = white ? discs.black : discs.white;
    if (LegalMovesOf(own, opponent) == 0) return {};
    if (!engines_[white])
        throw EEngineError(std::string("the computer player was not made to play ") +
                           (white ? "white" : "black"));
    TKyokumen& engine = *engines_[white];
    SetUpForSide(engine, discs, white);
    // Black's first move is answered by a fixed reply, and only white consults the book.
    engine.Placement = white ? placement : 0;
    engine.WhiteOut = false;
    engine.BestValue = kNoValue;
    engine.BestValueReal = kNoValue;
    StartCount(engine, white, gameRecord);
    ChooseWhiteMove(engine, book_, bookActive_, gameRecord);
    lastChoice_[white] = TChoice{RecordLength(gameRecord), engine.ChosenMove};
    return {engine.ChosenMove, ValueOfChoice(engine), engine.ThinkComment};
}

std::optional<double> TComputerPlayer::ValueOfChoice(const TKyokumen& engine) const {
    const double value = type_ == 2 ? engine.BestValueReal : engine.BestValue;
    if (value <= kNoValue) return std::nullopt;  // a fixed reply, a book move or a random move
    const int moveNumber = engine.MoveNumber;
    const bool readToTheEnd = SearchDepth(level_, moveNumber) >= 60 - moveNumber;
    return SearchValueInDiscs(value, type_, readToTheEnd);
}

void TComputerPlayer::StartCount(TKyokumen& engine, bool white,
                                 const uint8_t (&gameRecord)[61]) const {
    // The game counts the positions of a computer turn from its start: a second move after the
    // other side passed goes on counting. The side's last move is then the game's last one.
    const std::optional<TChoice>& last = lastChoice_[white];
    const int moves = RecordLength(gameRecord);
    const bool afterPass = last && last->moves + 1 == moves && gameRecord[moves] == last->square;
    if (!afterPass) engine.EvalCount = 0;
}
