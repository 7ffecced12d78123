// Whole games through the engine's own operations: random games from every placement
// checked against the plain reference board after every move, nested moves and undo as
// the searches use them, and real tournament games replayed to their recorded result.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <set>
#include <sstream>

#include "BoardPicture.h"
#include "ReferenceBoard.h"
#include "engine/untRandom.h"
#include "engine/untSquareNames.h"

namespace {

std::vector<int> EngineLegalSquares(const TKyokumen& k) {
    std::vector<int> squares;
    for (int square = 11; square <= 88; ++square)
        if (k.IsLegal(static_cast<uint8_t>(square))) squares.push_back(square);
    return squares;
}

std::vector<int> Sorted(std::vector<int> v) {
    std::sort(v.begin(), v.end());
    return v;
}

void ApplyPlacement(TKyokumen& k, int placement) {
    if (placement == 2) k.SetPlacement2();
    if (placement == 3) k.SetPlacement3();
    if (placement == 4) k.SetPlacement4();
}

// Plays one game move the way the controller does: the side is set, the move is made at
// level 2 and committed.
void PlayGameMove(TKyokumen& k, int square) {
    k.MakeMove(static_cast<uint8_t>(square));
    k.Commit();
}

TEST(RandomGames, EngineAgreesWithTheReferenceAfterEveryMoveFromEveryPlacement) {
    RandSeed(77);
    int movesChecked = 0, passes = 0;
    for (int game = 0; game < 400; ++game) {
        auto k = std::make_unique<TKyokumen>();
        const int placement = 1 + game % 4;
        ApplyPlacement(*k, placement);
        TReferenceBoard reference = ReferenceOf(*k);
        int played = 0;
        bool white = false;
        for (;;) {
            k->WhiteToMove = white;
            int colour = white ? 2 : 1;
            if (!k->HasLegalMove()) {
                ASSERT_TRUE(reference.LegalSquares(colour).empty());
                white = !white;
                k->WhiteToMove = white;
                colour = 3 - colour;
                if (!k->HasLegalMove()) {
                    ASSERT_TRUE(reference.LegalSquares(colour).empty());
                    break;
                }
                ++passes;
            }
            const std::vector<int> legal = EngineLegalSquares(*k);
            ASSERT_EQ(legal, Sorted(reference.LegalSquares(colour))) << PictureOf(*k);
            const int square = legal[Random(static_cast<uint32_t>(legal.size()))];
            PlayGameMove(*k, square);
            reference.Play(TReferenceBoard::ColumnOf(square), TReferenceBoard::RowOf(square),
                           colour);
            ++played;
            ++movesChecked;

            ASSERT_EQ(k->StackDepth, 1);
            ASSERT_EQ(k->CurrentBoard, &k->Boards[0]);
            ASSERT_EQ(k->MoveNumber, played);
            ASSERT_EQ(k->WhiteToMove, white);
            ASSERT_EQ(k->BlackCount, reference.Count(1));
            ASSERT_EQ(k->WhiteCount, reference.Count(2));
            ASSERT_EQ(std::memcmp(ReferenceOf(*k).cell, reference.cell, sizeof reference.cell), 0)
                << "placement " << placement << "\n"
                << PictureOf(*k);
            white = !white;
        }
        EXPECT_LE(played, 60);
        k->CheckBlackOut();
        k->CheckWhiteOut();
        EXPECT_EQ(k->BlackOut, reference.Count(1) == 0);
        EXPECT_EQ(k->WhiteOut, reference.Count(2) == 0);
    }
    EXPECT_GT(movesChecked, 20000);
    EXPECT_GT(passes, 0);
}

// Walks random lines up to fourteen moves deep the way a search does, checking the key of
// every child and that undo gives back each parent unchanged.
void SearchLikeWalk(TKyokumen& k, int depth, int& nodes) {
    const TBoard_Data parent = *k.CurrentBoard;
    const int16_t moveNumber = k.MoveNumber;
    const bool side = k.WhiteToMove;
    std::vector<int> legal = EngineLegalSquares(k);
    if (depth == 0 || legal.empty()) return;
    const int tries = std::min<int>(2, static_cast<int>(legal.size()));
    for (int t = 0; t < tries; ++t) {
        const int square = legal[Random(static_cast<uint32_t>(legal.size()))];
        k.MakeMove(static_cast<uint8_t>(square));
        ++nodes;
        uint64_t expectedKey = parent.Hash.Key;
        for (int cell = 11; cell <= 88; ++cell)
            if (k.CurrentBoard->Cells[cell] != parent.Cells[cell])
                expectedKey ^= k.CurrentBoard->Hash.Keys[k.CurrentBoard->Cells[cell]][cell];
        ASSERT_EQ(k.CurrentBoard->Hash.Key, expectedKey);
        k.SwitchSide();
        SearchLikeWalk(k, depth - 1, nodes);
        k.SwitchSide();
        k.UndoMove();
        ASSERT_EQ(std::memcmp(k.CurrentBoard->Cells, parent.Cells, sizeof parent.Cells), 0);
        ASSERT_EQ(k.CurrentBoard->Hash.Key, parent.Hash.Key);
        ASSERT_EQ(k.MoveNumber, moveNumber);
        ASSERT_EQ(k.WhiteToMove, side);
    }
}

TEST(RandomGames, NestedMovesAndUndoLeaveEveryLevelAsItWas) {
    RandSeed(5);
    auto k = std::make_unique<TKyokumen>();
    int nodes = 0;
    for (int opening = 0; opening < 20; ++opening) {
        auto game = std::make_unique<TKyokumen>();
        for (int ply = 0; ply < static_cast<int>(Random(40)); ++ply) {
            const std::vector<int> legal = EngineLegalSquares(*game);
            if (legal.empty()) break;
            PlayGameMove(*game, legal[Random(static_cast<uint32_t>(legal.size()))]);
            game->SwitchSide();
        }
        game->Boards[0].Hash.Key = Random(1u << 31);
        const TBoard_Data before = game->Boards[0];
        SearchLikeWalk(*game, STACK_LEVELS - 1, nodes);
        EXPECT_EQ(game->StackDepth, 1);
        EXPECT_EQ(std::memcmp(game->Boards[0].Cells, before.Cells, sizeof before.Cells), 0);
    }
    EXPECT_GT(nodes, 1000);
}

struct RecordedGame {
    std::string moves;
    int difference;
};

std::vector<RecordedGame> ReadGames(const std::string& path) {
    std::ifstream in(path);
    std::vector<RecordedGame> games;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        RecordedGame game;
        if (fields >> game.moves >> game.difference) games.push_back(game);
    }
    return games;
}

// Replays a recorded game, passing for a side that has no move, and returns the black
// minus white disc difference with the empty squares given to the winner.
int ReplayToRecordedDifference(TKyokumen& k, const std::string& moves) {
    bool white = false;
    for (std::size_t i = 0; i < moves.size(); i += 2) {
        const std::optional<uint8_t> square = SquareFromName(moves.substr(i, 2));
        if (!square) throw std::runtime_error("bad square in record: " + moves.substr(i, 2));
        k.WhiteToMove = white;
        if (!k.IsLegal(*square)) {
            white = !white;  // the recorded mover must be the other side: this side passed
            k.WhiteToMove = white;
            EXPECT_TRUE(k.IsLegal(*square)) << moves << " at " << i / 2 + 1;
        }
        PlayGameMove(k, *square);
        white = !white;
    }
    const int empties = 64 - k.BlackCount - k.WhiteCount;
    const int difference = k.BlackCount - k.WhiteCount;
    return difference > 0 ? difference + empties : difference < 0 ? difference - empties : 0;
}

TEST(RealGames, ReplayToTheirRecordedResult) {
    const std::vector<RecordedGame> games =
        ReadGames(std::string(TOLVANEY_TEST_DATA) + "/games-sample.txt");
    ASSERT_GE(games.size(), 300u);
    for (const RecordedGame& game : games) {
        auto k = std::make_unique<TKyokumen>();
        EXPECT_EQ(ReplayToRecordedDifference(*k, game.moves), game.difference) << game.moves;
        EXPECT_EQ(k->MoveNumber, static_cast<int>(game.moves.size() / 2));
        k->WhiteToMove = false;
        EXPECT_FALSE(k->HasLegalMove()) << game.moves;
        k->WhiteToMove = true;
        EXPECT_FALSE(k->HasLegalMove()) << game.moves;
    }
}

}  // namespace
