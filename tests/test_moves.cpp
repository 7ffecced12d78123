// Legality, flipping, passes, wipe-outs, undo and commit, the stack limit and the keys
// that moves maintain.
#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "BoardPicture.h"
#include "ReferenceBoard.h"
#include "engine/untEngineError.h"
#include "engine/untSquareNames.h"

namespace {

std::set<int> LegalSquares(const TKyokumen& k) {
    std::set<int> squares;
    for (int square = 0; square <= 100; ++square)
        if (k.IsLegal(static_cast<uint8_t>(square))) squares.insert(square);
    return squares;
}

bool SameCells(const TBoard_Data& a, const TBoard_Data& b) {
    return std::memcmp(a.Cells, b.Cells, sizeof a.Cells) == 0;
}

TEST(Legality, StartPositionOffersFourSquaresToBlack) {
    auto k = NewEngine();
    EXPECT_EQ(LegalSquares(*k), (std::set<int>{35, 46, 53, 64}));  // f5 e6 d3 c4
    EXPECT_TRUE(k->HasLegalMove());
    k->WhiteToMove = true;
    EXPECT_EQ(LegalSquares(*k),
              (std::set<int>{SquareOf("e3"), SquareOf("f4"), SquareOf("c5"), SquareOf("d6")}));
}

TEST(Legality, RunMustBeClosedByTheMoversDisc) {
    auto k = NewEngine();
    SetGameBoard(*k,
                 {"OOO.OX..",   //
                  "...O....",   //
                  "...O....",   //
                  "........",   //
                  "........",   //
                  "........",   //
                  ".......X",   //
                  "......OO"},  //
                 20);
    EXPECT_TRUE(k->IsLegal(SquareOf("d1")));   // e1 is closed by f1
    EXPECT_FALSE(k->IsLegal(SquareOf("d4")));  // d3 and d2 run into the empty d1
    EXPECT_FALSE(k->IsLegal(SquareOf("f8")));  // g8 h8 run into the wall
    EXPECT_FALSE(k->IsLegal(SquareOf("a1")));  // occupied
    EXPECT_FALSE(k->IsLegal(0));
    EXPECT_FALSE(k->IsLegal(20));   // a wall cell
    EXPECT_FALSE(k->IsLegal(100));  // beyond the grid
    EXPECT_FALSE(k->IsLegal(255));

    k->MakeMove(SquareOf("d1"));
    const uint8_t* cells = k->CurrentBoard->Cells;
    EXPECT_EQ(cells[SquareOf("e1")], BLACK);
    EXPECT_EQ(cells[SquareOf("c1")], WHITE);  // the run to the wall is not turned
    EXPECT_EQ(cells[SquareOf("a1")], WHITE);
    EXPECT_EQ(cells[SquareOf("d2")], WHITE);  // the run to the empty d4 is not turned
    EXPECT_EQ(cells[SquareOf("d1")], BLACK);
}

TEST(Flipping, OneMoveTurnsRunsInAllEightDirections) {
    auto k = NewEngine();
    SetGameBoard(*k,
                 {"........",   //
                  ".X.X.X..",   //
                  "..OOO...",   //
                  ".XO.OX..",   //
                  "..OOO...",   //
                  ".X.X.X..",   //
                  "........",   //
                  "........"},  //
                 20);
    ASSERT_TRUE(k->IsLegal(SquareOf("d4")));
    k->MakeMove(SquareOf("d4"));
    EXPECT_EQ(PictureOf(*k),
              "........\n"
              ".X.X.X..\n"
              "..XXX...\n"
              ".XXXXX..\n"
              "..XXX...\n"
              ".X.X.X..\n"
              "........\n"
              "........\n");
}

TEST(Flipping, LongRunsAlongEdgeAndDiagonalAreTurnedWhole) {
    auto k = NewEngine();
    SetGameBoard(*k,
                 {"XXXXXXX.",   //
                  "OOOOOOOO",   //
                  ".....O.O",   //
                  "....O..O",   //
                  "...O...O",   //
                  "..O....O",   //
                  ".O.....O",   //
                  "X......X"},  //
                 40);
    k->WhiteToMove = false;
    k->MakeMove(SquareOf("h1"));  // down column h to h8, and along the diagonal to a8
    EXPECT_EQ(PictureOf(*k),
              "XXXXXXXX\n"
              "OOOOOOXX\n"
              ".....X.X\n"
              "....X..X\n"
              "...X...X\n"
              "..X....X\n"
              ".X.....X\n"
              "X......X\n");
}

TEST(MakeMove, IgnoresSquaresOffTheBoard) {
    auto k = NewEngine();
    const TBoard_Data before = k->Boards[0];
    for (const uint8_t square : {uint8_t{0}, uint8_t{10}, uint8_t{20}, uint8_t{49}, uint8_t{89},
                                 uint8_t{99}, uint8_t{255}}) {
        k->MakeMove(square);
        EXPECT_EQ(k->StackDepth, 1) << int(square);
        EXPECT_EQ(k->MoveNumber, 0) << int(square);
        EXPECT_TRUE(SameCells(k->Boards[0], before)) << int(square);
    }
}

TEST(MakeMove, PushesALevelAndLeavesSideAndCountsAlone) {
    auto k = NewEngine();
    const TBoard_Data before = k->Boards[0];
    k->MakeMove(SquareOf("f5"));
    EXPECT_EQ(k->StackDepth, 2);
    EXPECT_EQ(k->CurrentBoard, &k->Boards[1]);
    EXPECT_EQ(k->MoveNumber, 1);
    EXPECT_FALSE(k->WhiteToMove);
    EXPECT_EQ(k->BlackCount, 2);
    EXPECT_EQ(k->WhiteCount, 2);
    EXPECT_TRUE(SameCells(k->Boards[0], before));  // the parent is untouched
    EXPECT_EQ(k->CurrentBoard->Cells[SquareOf("e5")], BLACK);

    k->UndoMove();
    EXPECT_EQ(k->StackDepth, 1);
    EXPECT_EQ(k->CurrentBoard, &k->Boards[0]);
    EXPECT_EQ(k->MoveNumber, 0);
    EXPECT_TRUE(SameCells(k->Boards[0], before));
}

TEST(Commit, MakesTheMoveTheGameMoveAndRecountsTheDiscs) {
    auto k = NewEngine();
    k->GameLevel = 4;
    k->MakeMove(SquareOf("f5"));
    const int16_t value = k->Commit();
    EXPECT_EQ(k->StackDepth, 1);
    EXPECT_EQ(k->CurrentBoard, &k->Boards[0]);
    EXPECT_EQ(k->MoveNumber, 1);
    EXPECT_EQ(k->BlackCount, 4);
    EXPECT_EQ(k->WhiteCount, 1);
    EXPECT_EQ(k->Boards[0].Cells[SquareOf("e5")], BLACK);
    EXPECT_EQ(k->Boards[0].Cells[SquareOf("f5")], BLACK);
    EXPECT_EQ(value, k->Evaluate());
}

TEST(Commit, TakesTheLevelTwoSnapshotWhateverTheDepth) {
    auto k = NewEngine();
    k->MakeMove(SquareOf("f5"));
    const TBoard_Data afterFirst = k->Boards[1];
    k->WhiteToMove = true;
    k->MakeMove(SquareOf("f6"));
    ASSERT_EQ(k->StackDepth, 3);
    k->Commit();
    EXPECT_EQ(k->StackDepth, 1);
    EXPECT_TRUE(SameCells(k->Boards[0], afterFirst));
}

TEST(StackLimit, PushBeyondLevelFifteenAndPopBelowLevelOneAreRefused) {
    auto k = NewEngine();
    try {
        k->UndoMove();
        FAIL() << "UndoMove at level 1 must throw";
    } catch (const EEngineError& error) {
        EXPECT_NE(std::string(error.what()).find("UndoMove"), std::string::npos);
    }
    EXPECT_EQ(k->StackDepth, 1);
    EXPECT_EQ(k->MoveNumber, 0);

    // Play square after square: MakeMove does not test legality.
    for (int level = 2; level <= STACK_LEVELS; ++level)
        k->MakeMove(k->SquareOrder[level]);
    ASSERT_EQ(k->StackDepth, 15);
    ASSERT_EQ(k->MoveNumber, 14);
    const TBoard_Data deepest = *k->CurrentBoard;
    try {
        k->MakeMove(SquareOf("a8"));
        FAIL() << "MakeMove at level 15 must throw";
    } catch (const EEngineError& error) {
        EXPECT_NE(std::string(error.what()).find("MakeMove"), std::string::npos);
    }
    EXPECT_EQ(k->StackDepth, 15);
    EXPECT_EQ(k->MoveNumber, 14);
    EXPECT_TRUE(SameCells(*k->CurrentBoard, deepest));
    for (int level = 15; level > 1; --level)
        k->UndoMove();
    EXPECT_EQ(k->MoveNumber, 0);
    EXPECT_THROW(k->UndoMove(), EEngineError);
}

TEST(Passes, HasLegalMoveIsFalseWithoutDiscsAndOnAFullBoard) {
    auto k = NewEngine();
    SetGameBoard(*k,
                 {"XXXXXXXX", "XXXXXXXX", "XXXXXXXX", "XXXXXXXX", "XXXXXXXX", "XXXXXXXX",
                  "XXXXXXXX", "OOOOOOOO"},
                 60);
    EXPECT_FALSE(k->HasLegalMove());
    k->WhiteToMove = true;
    EXPECT_FALSE(k->HasLegalMove());

    SetGameBoard(*k,
                 {"........", "........", "...XX...", "...XX...", "........", "........",
                  "........", "........"},
                 5);
    EXPECT_FALSE(k->HasLegalMove());  // black has nothing to turn
    k->WhiteToMove = true;
    EXPECT_FALSE(k->HasLegalMove());  // white has no disc at all
}

TEST(Passes, OneSideMayHaveToPassWhileTheOtherCanMove) {
    auto k = NewEngine();
    SetGameBoard(*k,
                 {"XXXXXXXO",   //
                  "XXXXXXXX",   //
                  "XXXXXXXX",   //
                  "XXXXXXXX",   //
                  "XXXXXXXX",   //
                  "XXXXXXXX",   //
                  "XXXXXXXX",   //
                  "XXXXXXX."},  //
                 59);
    EXPECT_FALSE(k->HasLegalMove());  // black has no white disc to turn from h8
    k->WhiteToMove = true;
    EXPECT_TRUE(k->HasLegalMove());
    EXPECT_EQ(LegalSquares(*k), (std::set<int>{SquareOf("h8")}));
}

TEST(WipeOut, TakingTheLastDiscsIsSeenAfterCommit) {
    auto k = NewEngine();
    SetGameBoard(*k,
                 {"XOO.....", "........", "........", "........", "........", "........",
                  "........", "........"},
                 10);
    k->MakeMove(SquareOf("d1"));
    EXPECT_EQ(k->Commit(), -9999);
    EXPECT_EQ(k->WhiteCount, 0);
    EXPECT_EQ(k->BlackCount, 4);
    k->CheckWhiteOut();
    k->CheckBlackOut();
    EXPECT_TRUE(k->WhiteOut);
    EXPECT_FALSE(k->BlackOut);
    k->WhiteToMove = true;
    EXPECT_FALSE(k->HasLegalMove());
    k->WhiteToMove = false;
    EXPECT_FALSE(k->HasLegalMove());
}

TEST(TakeBack, RestoresTheSavedBoardAndMoveNumber) {
    auto k = NewEngine();
    k->MakeMove(SquareOf("f5"));
    k->Commit();
    const TBoard_Data beforeHumanMove = k->Boards[0];
    TKyokumen::CopyCells(k->Boards[0], k->Boards[TAKE_BACK_BOARD]);
    k->SavedMoveNumber = k->MoveNumber;
    k->WhiteToMove = true;
    k->MakeMove(SquareOf("f6"));
    k->Commit();
    k->WhiteToMove = false;
    k->MakeMove(SquareOf("e6"));
    k->Commit();
    ASSERT_EQ(k->MoveNumber, 3);
    k->RestoreTakeBack();
    EXPECT_EQ(k->MoveNumber, 1);
    EXPECT_TRUE(SameCells(k->Boards[0], beforeHumanMove));
}

TEST(Keys, MoveTogglesTheNewColourOfEveryChangedSquare) {
    auto k = NewEngine(11);
    k->Boards[0].Hash.Key = 0xABCDEF;
    k->Boards[0].Hash.ValueState = 2;
    k->Boards[1].Hash.ValueState = 1;
    k->MakeMove(SquareOf("f5"));
    const THashTable& hash = k->CurrentBoard->Hash;
    EXPECT_EQ(hash.Key,
              0xABCDEFu ^ hash.Keys[BLACK][SquareOf("f5")] ^ hash.Keys[BLACK][SquareOf("e5")]);
    EXPECT_EQ(hash.ValueState, 0);  // cleared when the key is copied in
    EXPECT_EQ(k->Boards[0].Hash.Key, 0xABCDEFu);

    // The old colour of a turned disc is not toggled out: the key follows the changes made
    // since it was last computed, so two orders reaching one position may differ.
    k->WhiteToMove = true;
    k->MakeMove(SquareOf("f4"));  // turns e4
    EXPECT_EQ(k->CurrentBoard->Hash.Key,
              hash.Key ^ hash.Keys[WHITE][SquareOf("f4")] ^ hash.Keys[WHITE][SquareOf("e4")]);
}

}  // namespace
