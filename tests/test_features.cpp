// Edge and frontier features of a position.
#include <gtest/gtest.h>

#include "BoardPicture.h"
#include "engine/untSquareNames.h"

namespace {

TEST(OpenNeighbours, CountsEmptyNeighboursInsideAndAlongTheEdgeOnEdges) {
    auto k = NewEngine();
    for (const char* centre : {"d4", "e4", "d5", "e5"})
        EXPECT_EQ(k->OpenNeighbours(SquareOf(centre)), 5) << centre;

    // Edge discs look only along the edge, where an opponent's disc counts as open too.
    const struct {
        const char* row2;
        int expected;
    } b1Cases[] = {{"........", 1}, {".O......", 1}, {".X......", 0}};
    for (const auto& c : b1Cases) {
        SetGameBoard(*k,
                     {".X......", c.row2, "OOOOOOOO", "........", "........", "........",
                      "........", "........"},
                     20);
        EXPECT_EQ(k->OpenNeighbours(SquareOf("b1")), c.expected) << c.row2;
    }

    SetGameBoard(*k,
                 {"X......O",   //
                  "........",   //
                  "........",   //
                  "XO....OX",   //
                  ".O......",   //
                  "..X.....",   //
                  "........",   //
                  ".......X"},  //
                 20);
    EXPECT_EQ(k->OpenNeighbours(SquareOf("a1")), 0);  // corners are never open
    EXPECT_EQ(k->OpenNeighbours(SquareOf("h1")), 0);
    EXPECT_EQ(k->OpenNeighbours(SquareOf("h8")), 0);
    EXPECT_EQ(k->OpenNeighbours(SquareOf("a4")), 1);  // b4 white; a3 and a5 do not count
    EXPECT_EQ(k->OpenNeighbours(SquareOf("h4")), 1);  // g4 white
    // Inside, opponent discs do not count: b4 has a4 (black) and b5 (white) beside it.
    EXPECT_EQ(k->OpenNeighbours(SquareOf("b4")), 6);
    EXPECT_EQ(k->OpenNeighbours(SquareOf("c6")), 7);
}

TEST(CornerExposure, RunNextToACornerClosedByTheOpponent) {
    auto k = NewEngine();
    const struct {
        const char* row1;
        int black, white;
    } cases[] = {
        {".XO.....", 1, 0},  // black b1 closed by white c1: a1 is open to white
        {"OXXXXXX.", 1, 0},  // from the h1 end: g1..b1 black, closed by the white far corner
        {"XOOOOOO.", 0, 1},  // the same with the colours exchanged
        {"X.XO...O", 0, 0},  // both corners occupied: never exposed
        {"OXXXXXXX", 0, 0},  // both corners occupied
        {"........", 0, 0}, {".X......", 0, 0},  // a run ending at an empty square
        {"XXO.....", 0, 0},                      // the near corner is black's own
        {"OXO.....", 1, 0},                      // the near corner is the opponent's: still counted
        {".....OX.", 1, 0},                      // from the h1 end: black g1 closed by white f1
    };
    for (const auto& c : cases) {
        SetGameBoard(*k,
                     {c.row1, "........", "........", "........", "........", "........",
                      "........", "........"},
                     20);
        EXPECT_EQ(k->CornerExposure(TEdge::Row1, BLACK), c.black) << c.row1;
        EXPECT_EQ(k->CornerExposure(TEdge::Row1, WHITE), c.white) << c.row1;
    }
}

TEST(CornerExposure, EveryEdgeIsReadFromBothCorners) {
    auto k = NewEngine();
    SetGameBoard(*k,
                 {"........",   //
                  ".......X",   //
                  ".......O",   //
                  "........",   //
                  "X.......",   //
                  "O.......",   //
                  "X.......",   //
                  ".XXXO..."},  //
                 20);
    EXPECT_EQ(k->CornerExposure(TEdge::ColumnH, BLACK), 1);  // h2 black closed by h3
    EXPECT_EQ(k->CornerExposure(TEdge::ColumnH, WHITE), 0);
    EXPECT_EQ(k->CornerExposure(TEdge::Row8, BLACK), 1);     // b8..d8 closed by e8
    EXPECT_EQ(k->CornerExposure(TEdge::ColumnA, BLACK), 1);  // a7 closed by a6, a8 empty
    EXPECT_EQ(k->CornerExposure(TEdge::ColumnA, WHITE), 0);
    EXPECT_EQ(k->CornerExposure(TEdge::Row1, BLACK), 0);
}

TEST(CornerRun, CountsTheCornerOnceAndBothEdges) {
    auto k = NewEngine();
    SetGameBoard(*k,
                 {"OOOOX..X",   //
                  "O......X",   //
                  ".......X",   //
                  "........",   //
                  "........",   //
                  "........",   //
                  "........",   //
                  "XXXXXXXX"},  //
                 30);
    EXPECT_EQ(k->CornerRun(TCorner::A1, WHITE), 5);  // a1 b1 c1 d1 and a2
    EXPECT_EQ(k->CornerRun(TCorner::A1, BLACK), 0);
    EXPECT_EQ(k->CornerRun(TCorner::H1, BLACK), 3);  // h1 h2 h3; g1 is empty
    EXPECT_EQ(k->CornerRun(TCorner::A8, BLACK), 8);  // the whole row, up to and with h8
    EXPECT_EQ(k->CornerRun(TCorner::H8, BLACK), 8);
    EXPECT_EQ(k->CornerRun(TCorner::H8, WHITE), 0);

    SetGameBoard(*k,
                 {"XXXXXXXX", "X......X", "X......X", "X......X", "X......X", "X......X",
                  "X......X", "XXXXXXXX"},
                 50);
    EXPECT_EQ(k->CornerRun(TCorner::H1, BLACK), 15);  // both full edges
}

TEST(FullEdgeCount, CountsOnlyCompletelyFilledEdges) {
    auto k = NewEngine();
    SetGameBoard(*k,
                 {"OOXOXOXO", "........", "........", "........", "........", "........",
                  "........", "O.XXXXXX"},
                 40);
    EXPECT_EQ(k->FullEdgeCount(TEdge::Row1, WHITE), 5);
    EXPECT_EQ(k->FullEdgeCount(TEdge::Row1, BLACK), 3);
    EXPECT_EQ(k->FullEdgeCount(TEdge::Row8, WHITE), 0);
    EXPECT_EQ(k->FullEdgeCount(TEdge::Row8, BLACK), 0);
    EXPECT_EQ(k->FullEdgeCount(TEdge::ColumnA, WHITE), 0);
}

}  // namespace
