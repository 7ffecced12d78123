// Move choice: the depth by level and move number, the fixed replies to black's first
// move, the comment texts, and random play with its corner preference and position count.
#include <gtest/gtest.h>

#include "BoardPicture.h"
#include "engine/untRandom.h"
#include "engine/untSquareNames.h"

namespace {

TEST(ChooseMove, DepthFollowsLevelAndMoveNumber) {
    const struct {
        int level, moveNumber, depth;
    } cases[] = {{2, 10, 2}, {3, 10, 4},  {4, 10, 5},  {4, 3, 2},  {3, 3, 2},
                 {2, 38, 2}, {4, 38, 5},  {2, 39, 6},  {4, 46, 6}, {3, 47, 8},
                 {4, 48, 8}, {2, 49, 11}, {4, 50, 10}, {4, 55, 5}, {2, 59, 1}};
    for (const auto& c : cases) {
        auto k = NewEngine();
        k->GameLevel = static_cast<uint8_t>(c.level);
        k->MoveNumber = static_cast<int16_t>(c.moveNumber);
        k->EvalCount = NODE_LIMIT + 1;  // the search stops at once; the depth is set anyway
        k->ChooseMove();
        EXPECT_EQ(k->MaxPly, c.depth) << "level " << c.level << ", move " << c.moveNumber;
    }
}

TEST(ChooseMove, BlacksFirstMoveGetsTheDiagonalReplyAtEveryLevelAndType) {
    const struct {
        int placement;
        const char *first, *reply;
    } cases[] = {{1, "f5", "f6"}, {1, "e6", "f6"}, {1, "d3", "c3"}, {1, "c4", "c3"},
                 {2, "f4", "f3"}, {2, "e3", "f3"}, {2, "d6", "c6"}, {2, "c5", "c6"}};
    for (const auto& c : cases)
        for (uint8_t level = 1; level <= 4; ++level)
            for (uint8_t type = 1; type <= 4; ++type) {
                auto k = NewEngine();
                if (c.placement == 2) k->SetPlacement2();
                k->GameLevel = level;
                k->ThinkType = type;
                ASSERT_TRUE(k->IsLegal(SquareOf(c.first))) << c.first;
                k->MakeMove(SquareOf(c.first));
                k->Commit();
                k->ChooseMove();
                EXPECT_EQ(SquareName(k->ChosenMove), c.reply) << c.first;
                EXPECT_EQ(k->ThinkComment, "２手目を牛定石に");
                EXPECT_EQ(k->EvalCount, 0u);
                EXPECT_TRUE(k->WhiteToMove);
            }
}

TEST(ChooseMove, ParallelPlacementsHaveNoFixedReply) {
    for (const int placement : {3, 4})
        for (uint8_t level = 1; level <= 4; ++level) {
            auto k = NewEngine();
            if (placement == 3) k->SetPlacement3();
            if (placement == 4) k->SetPlacement4();
            k->GameLevel = level;
            k->WhiteToMove = false;
            for (int square = 11; square <= 88; ++square)
                if (k->IsLegal(static_cast<uint8_t>(square))) {
                    k->MakeMove(static_cast<uint8_t>(square));
                    break;
                }
            k->Commit();
            k->ChooseMove();
            EXPECT_TRUE(k->IsLegal(k->ChosenMove));
            const std::string expected = level == 1 ? "Game_Level = ランダム" : " GameLevel = ";
            EXPECT_EQ(k->ThinkComment.substr(0, expected.size()), expected);
        }
}

TEST(ChooseMove, TheCommentNamesLevelValueLineAndType) {
    const char* levels[] = {"", "", " GameLevel = 初級", " GameLevel = 中級", " GameLevel = 上級"};
    const char* types[] = {"", " AI Type = A", " AI Type = B", " AI Type = C", " AI Type = D"};
    for (uint8_t level = 2; level <= 4; ++level)
        for (uint8_t type = 1; type <= 4; ++type) {
            auto k = NewEngine();
            k->MakeMove(SquareOf("f5"));
            k->Commit();
            k->WhiteToMove = true;
            k->MakeMove(SquareOf("f6"));
            k->Commit();
            k->WhiteToMove = false;
            k->MakeMove(SquareOf("e6"));
            k->Commit();
            k->GameLevel = level;
            k->ThinkType = type;
            k->ChooseMove();
            const std::string value = type == 2 ? "" : std::to_string(k->BestValue);
            const std::string start = std::string(levels[level]) + " Max = " + value;
            const std::string line = " Tejun = " + std::to_string(k->ChosenMove) + ",";
            const std::string& comment = k->ThinkComment;
            EXPECT_EQ(comment.substr(0, start.size()), start) << comment;
            EXPECT_NE(comment.find(line), std::string::npos) << comment;
            EXPECT_EQ(comment.substr(comment.size() - 12), types[type]) << comment;
        }
}

TEST(RandomChoice, TheLastLegalCornerInOrderWins) {
    auto k = NewEngine();
    const TPicture allCorners = {"........", ".X....X.", "..O..O..", "...OX...",
                                 "...XO...", "..O..O..", ".X....X.", "........"};
    SetGameBoard(*k, allCorners, 20);
    k->GameLevel = 1;
    k->ChooseMove();
    EXPECT_EQ(SquareName(k->ChosenMove), "a8");
    EXPECT_EQ(k->ThinkComment, "Game_Level = ランダム");
    EXPECT_EQ(k->EvalCount, 0u);

    const TPicture rightCorners = {"........", "......X.", ".....O..", "...OX...",
                                   "...XO...", ".....O..", "......X.", "........"};
    SetGameBoard(*k, rightCorners, 20);
    k->ChooseMove();
    EXPECT_EQ(SquareName(k->ChosenMove), "h8");
}

// The number of random draws ChooseMove makes before it finds a legal square (or all 64).
int DrawsUntilLegal(const TKyokumen& k, uint32_t seed, uint8_t& found) {
    RandSeed(seed);
    for (int draw = 1; draw <= 64; ++draw) {
        const uint8_t square = static_cast<uint8_t>(Random(88) + 1);
        if (k.IsLegal(square)) {
            found = square;
            return draw;
        }
    }
    found = 0;
    return 64;
}

TEST(RandomChoice, CountsEveryDrawAndEveryScannedSquare) {
    // White's only move is c1 (square 61); no corner is legal.
    const TPicture oneMove = {"...XO...", "........", "........", "........",
                              "........", "........", "........", "........"};
    auto k = NewEngine();
    SetGameBoard(*k, oneMove, 20);
    k->WhiteToMove = true;
    bool sawDraw = false, sawScan = false;
    for (uint32_t seed = 1; seed < 200 && !(sawDraw && sawScan); ++seed) {
        uint8_t found = 0;
        const int draws = DrawsUntilLegal(*k, seed, found);
        RandSeed(seed);
        k->GameLevel = 1;
        k->EvalCount = 0;
        k->ChooseMove();
        EXPECT_EQ(SquareName(k->ChosenMove), "c1");
        if (found != 0) {
            sawDraw = true;
            EXPECT_EQ(k->EvalCount, static_cast<uint32_t>(draws));
        } else {
            sawScan = true;  // 64 draws, then the scan from h1 up to c1 (the 41st square)
            EXPECT_EQ(k->EvalCount, 64u + 41u);
        }
    }
    EXPECT_TRUE(sawDraw);
    EXPECT_TRUE(sawScan);
}

TEST(RandomChoice, NoMoveAtAllSetsWhiteOut) {
    auto k = NewEngine();
    SetGameBoard(*k,
                 {"XXXX....", "........", "........", "........", "........", "........",
                  "........", "........"},
                 20);
    k->GameLevel = 1;
    k->ChooseMove();
    EXPECT_EQ(k->ChosenMove, 0);
    EXPECT_TRUE(k->WhiteOut);
    EXPECT_EQ(k->EvalCount, 64u + 64u);
    k->EvalCount = 0;
    k->ChooseMove();  // with WhiteOut set nothing happens
    EXPECT_EQ(k->EvalCount, 0u);
}

}  // namespace
