#include "tools/untMatch.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <set>
#include <thread>

#include "engine/eval/untPatterns.h"
#include "engine/untBitBoard.h"
#include "engine/untGameRecord.h"
#include "engine/untSquareNames.h"
#include "engine/untTextFile.h"
#include "player/untComputerPlayer.h"
#include "tools/untSeededGenerator.h"

namespace {

constexpr uint8_t kStandardPlacement = 1;

// One side's computer player, making its engine for that side alone.
std::unique_ptr<TComputerPlayer> NewPlayer(const TPlayerSettings& settings, TRandom& generator,
                                           const std::vector<std::string>& book, bool white) {
    auto player = std::make_unique<TComputerPlayer>(generator, settings.tables, book);
    player->SetLevel(settings.gameLevel);
    player->SetType(settings.thinkType);
    player->NewGame(white ? TSides::White : TSides::Black);
    return player;
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
    const std::optional<std::vector<TRecordedMove>> moves = ReplayGameRecord(line, error);
    if (!moves) return std::nullopt;
    std::vector<uint8_t> squares;
    for (const TRecordedMove& move : *moves)
        squares.push_back(move.square);
    return squares;
}

TMatchOptions ParseMatchOptions(const std::vector<std::string>& args,
                                const std::filesystem::path& resources) {
    TMatchOptions options;
    options.tablesA = options.tablesB = resources;
    options.book = resources / "TEISEKI";
    options.jobs = static_cast<unsigned>(
        std::clamp<int64_t>(std::thread::hardware_concurrency(), 1, MAX_MATCH_JOBS));
    bool haveA = false, haveB = false;
    const auto side = [](TPlayerSettings& settings, bool& given) {
        return
            [target = &settings, seen = &given](const std::string& flag, const std::string& value) {
                const std::optional<TPlayerSettings> player = ParsePlayer(value);
                if (!player)
                    throw EBadInput(flag + " needs a level 1-4 and a type A-D such as 4:C, not '" +
                                    value + "'");
                *target = *player;
                *seen = true;
            };
    };
    ReadFlagPairs(args, {{"--a", side(options.a, haveA)},
                         {"--b", side(options.b, haveB)},
                         {"--games",
                          [&](const std::string& flag, const std::string& value) {
                              options.games =
                                  static_cast<int>(WholeNumber(value, flag, 1, MAX_MATCH_GAMES));
                              options.gamesGiven = true;
                          }},
                         {"--openings", ValueInto(options.openingsFile)},
                         {"--random-openings",
                          WholeNumberInto(options.randomOpeningPlies, 1, MAX_RANDOM_OPENING_PLIES)},
                         {"--avoid", AppendTo(options.avoidFiles)},
                         {"--record", ValueInto(options.recordFile)},
                         {"--seed", WholeNumberInto(options.seed, 0, UINT32_MAX)},
                         {"--tables-a", ValueInto(options.tablesA)},
                         {"--tables-b", ValueInto(options.tablesB)},
                         {"--book", ValueInto(options.book)},
                         {"--jobs", WholeNumberInto(options.jobs, 1, MAX_MATCH_JOBS)}});
    if (!haveA || !haveB) throw EBadInput("both --a and --b are needed");
    if (options.randomOpeningPlies > 0 && !options.openingsFile.empty())
        throw EBadInput("give --openings or --random-openings, not both");
    if (!options.avoidFiles.empty() && options.randomOpeningPlies == 0)
        throw EBadInput("--avoid keeps random openings away from a file: give --random-openings");
    return options;
}

std::vector<std::vector<uint8_t>> ParseOpenings(std::string_view text, const std::string& file) {
    std::vector<std::vector<uint8_t>> openings;
    int number = 0;
    for (std::string_view line : SplitLines(text)) {
        ++number;
        line = line.substr(0, line.find_first_of(" \t#"));
        if (line.empty()) continue;
        std::string error;
        const std::optional<std::vector<uint8_t>> opening = ParseOpening(std::string(line), error);
        if (!opening) throw EBadInput(file + ", line " + std::to_string(number) + ": " + error);
        openings.push_back(*opening);
    }
    if (openings.empty()) throw EBadInput(file + " holds no opening");
    return openings;
}

std::vector<std::string> ParseBook(std::string_view text, const std::string& file) {
    constexpr std::string_view kComment = "//", kFirstMove = "f5";
    std::vector<std::string> lines;
    int number = 0;
    for (const std::string_view line : SplitLines(text)) {
        ++number;
        if (line.empty() || line.starts_with(kComment)) continue;
        const std::string where = file + ", line " + std::to_string(number) + ": not a book line: ";
        std::string error;
        if (!ParseOpening(std::string(line), error)) throw EBadInput(where + error);
        if (!line.starts_with(kFirstMove))
            throw EBadInput(where + "it begins with " + std::string(line.substr(0, 2)) + ", not " +
                            std::string(kFirstMove));
        lines.emplace_back(line);
    }
    if (lines.empty()) throw EBadInput(file + " holds no line of moves: not an opening book");
    return lines;
}

TGameResult PlayGame(const TPlayerSettings& a, const TPlayerSettings& b, bool aIsBlack,
                     const std::vector<uint8_t>& opening, const std::vector<std::string>& book,
                     uint32_t seed) {
    // Both sides draw from the game's generator, in the order they were made and then in the
    // order of the game's moves.
    TRandom generator(seed);
    auto game = std::make_unique<TKyokumen>(generator);
    auto blackPlayer = NewPlayer(aIsBlack ? a : b, generator, book, false);
    auto whitePlayer = NewPlayer(aIsBlack ? b : a, generator, book, true);
    uint8_t gameRecord[61] = {};
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
            TComputerPlayer& player = white ? *whitePlayer : *blackPlayer;
            square =
                player.Choose(BitsOf(game->Boards[0].Cells), white, kStandardPlacement, gameRecord)
                    .square;
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

namespace {

// One opening of random moves; empty when the game would end or pass on the way.
std::vector<uint8_t> RandomOpening(TBitBoard board, int plies, TSeededGenerator& generator) {
    std::vector<uint8_t> opening;
    for (bool white = false; static_cast<int>(opening.size()) < plies; white = !white) {
        const uint64_t own = white ? board.white : board.black;
        const uint64_t opponent = white ? board.black : board.white;
        uint64_t moves = LegalMovesOf(own, opponent);
        if (moves == 0) return {};
        for (uint32_t skip = generator.Below(static_cast<uint32_t>(std::popcount(moves))); skip > 0;
             --skip)
            moves &= moves - 1;
        const uint8_t square = static_cast<uint8_t>(kSquareOfBit[std::countr_zero(moves)]);
        board = BitsAfterMove(board, square, white).after;
        opening.push_back(square);
    }
    return opening;
}

bool OneBeginsTheOther(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    const std::size_t shorter = std::min(a.size(), b.size());
    return std::equal(a.begin(), a.begin() + static_cast<std::ptrdiff_t>(shorter), b.begin());
}

}  // namespace

std::vector<std::vector<uint8_t>> RandomOpenings(int count, int plies, uint32_t seed,
                                                 const std::vector<std::vector<uint8_t>>& avoided) {
    // After this many draws in a row that give nothing new, the openings are taken as spent.
    constexpr int kFruitlessDraws = 100000;
    TSeededGenerator generator(seed);
    const TBitBoard start = BitsOf(TKyokumen().Boards[0].Cells);
    std::set<std::vector<uint8_t>> drawn;
    std::vector<std::vector<uint8_t>> openings;
    for (int fruitless = 0; static_cast<int>(openings.size()) < count;) {
        std::vector<uint8_t> opening = RandomOpening(start, plies, generator);
        const bool avoid = std::any_of(avoided.begin(), avoided.end(), [&](const auto& other) {
            return OneBeginsTheOther(opening, other);
        });
        if (opening.empty() || avoid || !drawn.insert(opening).second) {
            if (++fruitless == kFruitlessDraws)
                throw EBadInput("only " + std::to_string(openings.size()) +
                                " different random openings of " + std::to_string(plies) +
                                " moves were found, " + std::to_string(count) + " are needed");
            continue;
        }
        fruitless = 0;
        openings.push_back(std::move(opening));
    }
    return openings;
}

std::string GameLine(const TGameResult& result) {
    return result.record + " " +
           std::to_string(FinalDiscDifference(result.blackDiscs, result.whiteDiscs));
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
