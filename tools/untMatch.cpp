#include "tools/untMatch.h"

#include <cstdio>

#include "engine/eval/untPatterns.h"
#include "engine/search/untBook.h"
#include "engine/untRandom.h"
#include "engine/untSquareNames.h"

namespace {

constexpr uint8_t Swapped(uint8_t content) {
    return content == BLACK ? WHITE : content == WHITE ? BLACK : content;
}

std::unique_ptr<TKyokumen> NewPlayer(const TPlayerSettings& settings) {
    auto engine = std::make_unique<TKyokumen>();
    engine->GameLevel = settings.gameLevel;
    engine->ThinkType = settings.thinkType;
    if (settings.tables) *engine->PatternWeights = *settings.tables;
    return engine;
}

bool SideHasMove(TKyokumen& game, bool white) {
    game.WhiteToMove = white;
    return game.HasLegalMove();
}

}  // namespace

std::string TPlayerSettings::Name() const {
    return std::to_string(gameLevel) + ":" + static_cast<char>('A' + thinkType - 1);
}

std::optional<TPlayerSettings> ParsePlayer(const std::string& text) {
    if (text.size() != 3 || text[1] != ':' || text[0] < '1' || text[0] > '4' || text[2] < 'A' ||
        text[2] > 'D')
        return std::nullopt;
    TPlayerSettings settings;
    settings.gameLevel = static_cast<uint8_t>(text[0] - '0');
    settings.thinkType = static_cast<uint8_t>(text[2] - 'A' + 1);
    return settings;
}

std::optional<std::vector<uint8_t>> ParseOpening(const std::string& line, std::string& error) {
    if (line.size() % 2 != 0) {
        error = "odd number of characters";
        return std::nullopt;
    }
    TKyokumen game;
    std::vector<uint8_t> squares;
    bool white = false;
    for (std::size_t i = 0; i < line.size(); i += 2) {
        const std::optional<uint8_t> square = SquareFromName(line.substr(i, 2));
        if (!square) {
            error = "'" + line.substr(i, 2) + "' is not a square";
            return std::nullopt;
        }
        if (!SideHasMove(game, white)) white = !white;  // a pass
        game.WhiteToMove = white;
        if (!game.IsLegal(*square)) {
            error =
                "move " + std::to_string(i / 2 + 1) + " (" + line.substr(i, 2) + ") is not legal";
            return std::nullopt;
        }
        game.MakeMove(*square);
        game.Commit();
        squares.push_back(*square);
        white = !white;
    }
    return squares;
}

TGameResult PlayGame(const TPlayerSettings& a, const TPlayerSettings& b, bool aIsBlack,
                     const std::vector<uint8_t>& opening, const std::vector<std::string>& book,
                     uint32_t seed) {
    RandSeed(seed);
    const TPlayerSettings& blackSettings = aIsBlack ? a : b;
    const TPlayerSettings& whiteSettings = aIsBlack ? b : a;
    auto game = std::make_unique<TKyokumen>();
    auto blackPlayer = NewPlayer(blackSettings);
    auto whitePlayer = NewPlayer(whiteSettings);
    uint8_t gameRecord[61] = {};
    bool bookActive = true;
    TGameResult result;
    result.aWasBlack = aIsBlack;

    bool white = false;
    std::size_t openingMove = 0;
    for (;;) {
        if (!SideHasMove(*game, white)) {
            white = !white;
            if (!SideHasMove(*game, white)) break;  // neither side can move
        }
        uint8_t square = 0;
        if (openingMove < opening.size()) {
            square = opening[openingMove++];
        } else {
            TKyokumen& player = white ? *whitePlayer : *blackPlayer;
            for (int cell = 0; cell < CELL_COUNT; ++cell)
                player.Boards[0].Cells[cell] =
                    white ? game->Boards[0].Cells[cell] : Swapped(game->Boards[0].Cells[cell]);
            player.MoveNumber = game->MoveNumber;
            player.WhiteOut = false;
            player.EvalCount = 0;
            // The book answers white as the program does: standard start, top level, C or D.
            if (white && bookActive && player.GameLevel == 4 &&
                (player.ThinkType == 3 || player.ThinkType == 4)) {
                square = FindBookMove(book, gameRecord);
                if (square == 0) bookActive = false;
            }
            if (square == 0) {
                player.ChooseMove();
                square = player.ChosenMove;
            }
        }
        game->WhiteToMove = white;
        if (square == 0 || !game->IsLegal(square))
            throw std::runtime_error("the " + std::string(white ? "white" : "black") +
                                     " side chose an illegal move " + std::to_string(square) +
                                     " in " + result.record);
        game->MakeMove(square);
        game->Commit();
        gameRecord[game->MoveNumber] = square;
        result.record += SquareName(square);
        white = !white;
    }
    game->CountDiscs();
    result.blackDiscs = game->BlackCount;
    result.whiteDiscs = game->WhiteCount;
    const int aDiscs = aIsBlack ? result.blackDiscs : result.whiteDiscs;
    const int bDiscs = aIsBlack ? result.whiteDiscs : result.blackDiscs;
    result.aScore2 = aDiscs > bDiscs ? 2 : aDiscs == bDiscs ? 1 : 0;
    return result;
}

std::string MatchSummary(const std::vector<TGameResult>& results) {
    int wins = 0, losses = 0, draws = 0;
    for (const TGameResult& r : results) {
        wins += r.aScore2 == 2;
        draws += r.aScore2 == 1;
        losses += r.aScore2 == 0;
    }
    const double score = results.empty() ? 0 : 100.0 * (wins + 0.5 * draws) / results.size();
    char percent[32];
    std::snprintf(percent, sizeof percent, "%.1f", score);
    return "A: " + std::to_string(wins) + " wins, " + std::to_string(losses) + " losses, " +
           std::to_string(draws) + " draws, score " + percent + "%";
}
