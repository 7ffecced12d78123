// The match tool's games: parsing the sides and the openings, random openings, whole legal
// games with the colour-swapped black side, repeatable under a seed, the games lines it
// writes for the trainer, and the summary line.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "ReferenceBoard.h"
#include "engine/untSquareNames.h"
#include "tools/untMatch.h"
#include "tools/untTrainer.h"

namespace {

TEST(MatchSettings, SidesAreALevelAndAType) {
    const std::optional<TPlayerSettings> side = ParsePlayer("4:C");
    ASSERT_TRUE(side);
    EXPECT_EQ(side->gameLevel, 4);
    EXPECT_EQ(side->thinkType, 3);
    EXPECT_EQ(side->Name(), "4:C");
    for (const char* bad : {"", "4", "4C", "5:A", "0:A", "4:E", "4:c", "4:CC", "44:C"})
        EXPECT_FALSE(ParsePlayer(bad)) << bad;
}

TEST(MatchSettings, OpeningsMustBeLegalGames) {
    std::string error;
    const auto opening = ParseOpening("f5d6c3d3c4f4f6f3", error);
    ASSERT_TRUE(opening);
    EXPECT_EQ(opening->size(), 8u);
    EXPECT_EQ((*opening)[0], SquareOf("f5"));
    EXPECT_FALSE(ParseOpening("f5d6c3d3c4f4f6f", error));
    EXPECT_EQ(error, "odd number of characters");
    EXPECT_FALSE(ParseOpening("f5z9", error));
    EXPECT_EQ(error, "move 2 (z9) is not a square");
    EXPECT_FALSE(ParseOpening("f5\x1b[", error));
    EXPECT_EQ(error, "move 2 (\\x1b[) is not a square");
    EXPECT_FALSE(ParseOpening("f5f5", error));
    EXPECT_EQ(error, "move 2 (f5) is not legal");
    // e3 is white's square, but black has moves: black may not pass.
    EXPECT_FALSE(ParseOpening("f5f6e3", error));
    EXPECT_EQ(error, "move 3 (e3) is not legal");
}

std::string RecordOf(const std::vector<uint8_t>& squares) {
    std::string record;
    for (const uint8_t square : squares)
        record += SquareName(square);
    return record;
}

TEST(MatchOpenings, RandomOnesAreDifferentLegalRepeatableAndKeepAwayFromTheAvoided) {
    std::string error;
    const std::vector<std::vector<uint8_t>> avoided = {*ParseOpening("f5d6c3", error),
                                                       *ParseOpening("f5d6c3d3c4f4f6f3", error)};
    const auto openings = RandomOpenings(300, 6, 9, avoided);
    ASSERT_EQ(openings.size(), 300u);
    std::set<std::string> records;
    for (const std::vector<uint8_t>& opening : openings) {
        const std::string record = RecordOf(opening);
        const auto replayed = ParseOpening(record, error);
        ASSERT_TRUE(replayed) << record << ": " << error;
        EXPECT_EQ(replayed->size(), 6u) << record;
        EXPECT_NE(record.substr(0, 6), "f5d6c3") << record;
        records.insert(record);
    }
    EXPECT_EQ(records.size(), openings.size());
    EXPECT_EQ(RandomOpenings(300, 6, 9, avoided), openings);
    EXPECT_NE(RandomOpenings(300, 6, 10, avoided), openings);
    // Two moves give twelve openings, nine of them without f5 first.
    EXPECT_EQ(RandomOpenings(12, 2, 1, {}).size(), 12u);
    EXPECT_THROW(RandomOpenings(13, 2, 1, {}), EBadInput);
    const auto withoutF5 = RandomOpenings(9, 2, 1, {*ParseOpening("f5", error)});
    for (const std::vector<uint8_t>& opening : withoutF5)
        EXPECT_NE(opening[0], SquareOf("f5"));
    EXPECT_THROW(RandomOpenings(10, 2, 1, {*ParseOpening("f5", error)}), EBadInput);
    // A longer avoided opening takes away the shorter one it begins with.
    const std::vector<std::vector<uint8_t>> longer = {*ParseOpening("f5d6c3d3c4f4f6f3", error)};
    for (const std::vector<uint8_t>& opening : RandomOpenings(11, 2, 1, longer))
        EXPECT_NE(RecordOf(opening), "f5d6");
    EXPECT_THROW(RandomOpenings(12, 2, 1, longer), EBadInput);
}

// Replays a record on the plain reference board, passes inferred, and returns its discs.
std::pair<int, int> ReplayRecord(const std::string& record) {
    TReferenceBoard board = TReferenceBoard::Standard();
    for (std::size_t i = 0; i < record.size(); i += 2)
        EXPECT_TRUE(board.PlayRecordedMove(*SquareFromName(record.substr(i, 2))))
            << record << " at " << i / 2 + 1;
    EXPECT_TRUE(board.LegalSquares(1).empty() && board.LegalSquares(2).empty()) << record;
    return {board.Count(1), board.Count(2)};
}

TEST(MatchGames, AreWholeLegalGamesRepeatableUnderASeed) {
    const TPlayerSettings strong = *ParsePlayer("3:D"), weak = *ParsePlayer("1:A");
    std::string error;
    const std::vector<uint8_t> opening = *ParseOpening("f5d6c4d3c2b3b4b5", error);
    int strongPoints2 = 0;
    for (int game = 0; game < 6; ++game) {
        const bool aIsBlack = game % 2 == 0;
        const TGameResult result = PlayGame(
            strong, weak, aIsBlack, game < 2 ? opening : std::vector<uint8_t>{}, {}, 100 + game);
        const auto [black, white] = ReplayRecord(result.record);
        EXPECT_EQ(result.blackDiscs, black);
        EXPECT_EQ(result.whiteDiscs, white);
        if (game < 2) {
            EXPECT_EQ(result.record.substr(0, 16), "f5d6c4d3c2b3b4b5");
        }
        strongPoints2 += result.aScore2;
        const TGameResult again = PlayGame(
            strong, weak, aIsBlack, game < 2 ? opening : std::vector<uint8_t>{}, {}, 100 + game);
        EXPECT_EQ(again.record, result.record);
    }
    // The searching side wins with either colour: the side asked on the swapped position
    // plays as well as the one asked on the real board.
    EXPECT_GE(strongPoints2, 2 * 5);
}

// The games lines read back as the trainer reads them, the empty squares of a game that
// ends early given to the winner as tournament results count them.
TEST(MatchGames, GameLinesAreWhatTheTrainerReads) {
    const TPlayerSettings a = *ParsePlayer("2:B"), b = *ParsePlayer("1:A");
    for (int game = 0; game < 6; ++game) {
        const TGameResult result = PlayGame(a, b, game % 2 == 0, {}, {}, 300 + game);
        const std::optional<TGameLine> line = ParseGameLine(GameLine(result), "games", 1);
        ASSERT_TRUE(line);
        EXPECT_EQ(line->record, result.record);
        const int onBoard = result.blackDiscs - result.whiteDiscs;
        const int empties = 64 - result.blackDiscs - result.whiteDiscs;
        EXPECT_EQ(std::abs(line->blackMinusWhite), std::abs(onBoard) + (onBoard != 0) * empties);
        EXPECT_EQ(line->blackMinusWhite > 0, onBoard > 0);
    }
    TGameResult wipedOut;
    wipedOut.record = "f5d6c3d3c4f4f6f3";
    wipedOut.whiteDiscs = 13;
    EXPECT_EQ(GameLine(wipedOut), "f5d6c3d3c4f4f6f3 -64");
    TGameResult drawn;
    drawn.record = "f5";
    drawn.blackDiscs = drawn.whiteDiscs = 30;
    EXPECT_EQ(GameLine(drawn), "f5 0");
}

TEST(MatchGames, TheBookAnswersTheWhiteSideAtTheTopLevel) {
    const TPlayerSettings bookSide = *ParsePlayer("4:D"), other = *ParsePlayer("1:A");
    std::string error;
    const std::vector<uint8_t> opening = *ParseOpening("f5f6e6", error);
    const std::vector<std::string> book = {"// * a line *", "f5f6e6f4e3"};
    const TGameResult result = PlayGame(other, bookSide, true, opening, book, 5);
    EXPECT_EQ(result.record.substr(6, 2), "f4");  // the book's move, not the search's
}

TEST(MatchSummary, CountsWinsLossesAndHalfPointDraws) {
    std::vector<TGameResult> results(4);
    results[0].aScore2 = 2;
    results[1].aScore2 = 1;
    results[2].aScore2 = 0;
    results[3].aScore2 = 2;
    EXPECT_EQ(MatchSummary(results), "A: 2 wins, 1 losses, 1 draws, score 62.5%");
}

}  // namespace
