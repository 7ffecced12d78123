// The engine object: construction, the start position, the placements, the geometry
// tables, square names and the position keys.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <thread>

#include "BoardPicture.h"
#include "engine/untEngineError.h"
#include "engine/untRandom.h"
#include "engine/untSquareNames.h"

namespace {

TEST(NewEngine, StartsInTheCrossedPositionWithBlackToMove) {
    auto k = NewEngine();
    const uint8_t* cells = k->Boards[0].Cells;
    EXPECT_EQ(cells[SquareOf("e4")], BLACK);
    EXPECT_EQ(cells[SquareOf("d5")], BLACK);
    EXPECT_EQ(cells[SquareOf("d4")], WHITE);
    EXPECT_EQ(cells[SquareOf("e5")], WHITE);
    int discs = 0;
    for (int square = 11; square <= 88; ++square)
        discs += cells[square] == BLACK || cells[square] == WHITE;
    EXPECT_EQ(discs, 4);
    EXPECT_EQ(k->BlackCount, 2);
    EXPECT_EQ(k->WhiteCount, 2);
    EXPECT_EQ(k->MoveNumber, 0);
    EXPECT_FALSE(k->WhiteToMove);
    EXPECT_EQ(k->StackDepth, 1);
    EXPECT_EQ(k->CurrentBoard, &k->Boards[0]);
    EXPECT_EQ(k->GameLevel, 2);
    EXPECT_EQ(k->ThinkType, 1);
    EXPECT_EQ(k->Placement, 1);
    EXPECT_TRUE(k->ShowComment);
    EXPECT_EQ(k->KeyTable.size(), 65536u);
    EXPECT_EQ(k->KeyTable[12345], 0u);
}

TEST(NewEngine, GameBoardIsWalledAndOtherSnapshotsAreBlank) {
    auto k = NewEngine();
    const uint8_t* cells = k->Boards[0].Cells;
    for (int cell = 0; cell <= 99; ++cell) {
        const bool wall = cell <= 10 || cell >= 91 || cell % 10 == 0 || cell % 10 == 9;
        if (wall)
            EXPECT_EQ(cells[cell], WALL) << "cell " << cell;
        else
            EXPECT_NE(cells[cell], WALL) << "cell " << cell;
    }
    EXPECT_EQ(cells[100], EMPTY);
    for (int board = 1; board < SNAPSHOTS; ++board)
        for (int cell = 0; cell < CELL_COUNT; ++cell)
            ASSERT_EQ(k->Boards[board].Cells[cell], 0);
}

TEST(Placements, ChangeOnlyTheCentreAndThePlacementNumber) {
    struct Case {
        void (TKyokumen::*set)();
        uint8_t placement, d4, e4, d5, e5;
    };
    const Case cases[] = {
        {&TKyokumen::SetPlacement2, 2, BLACK, WHITE, WHITE, BLACK},
        {&TKyokumen::SetPlacement3, 3, BLACK, BLACK, WHITE, WHITE},
        {&TKyokumen::SetPlacement4, 4, WHITE, WHITE, BLACK, BLACK},
    };
    for (const Case& c : cases) {
        auto k = NewEngine();
        auto before = k->Boards[0];
        (k.get()->*c.set)();
        const uint8_t* cells = k->Boards[0].Cells;
        EXPECT_EQ(k->Placement, c.placement);
        EXPECT_EQ(cells[SquareOf("d4")], c.d4);
        EXPECT_EQ(cells[SquareOf("e4")], c.e4);
        EXPECT_EQ(cells[SquareOf("d5")], c.d5);
        EXPECT_EQ(cells[SquareOf("e5")], c.e5);
        for (int cell = 0; cell < CELL_COUNT; ++cell)
            if (cell != 54 && cell != 44 && cell != 55 && cell != 45) {
                EXPECT_EQ(cells[cell], before.Cells[cell]);
            }
        EXPECT_EQ(k->BlackCount, 2);
        EXPECT_EQ(k->WhiteCount, 2);
    }
}

TEST(Geometry, DirectionsSquareListAndCornerFirstOrder) {
    auto k = NewEngine();
    const int steps[9] = {0, -1, -11, -10, -9, 1, 11, 10, 9};
    for (int d = 0; d <= 8; ++d)
        EXPECT_EQ(10 * k->DirX[d] + k->DirY[d], steps[d]) << d;

    EXPECT_EQ(k->SquareOrder[0], 0);
    EXPECT_EQ(k->SquareOrder[1], 11);
    EXPECT_EQ(k->SquareOrder[8], 18);
    EXPECT_EQ(k->SquareOrder[9], 21);
    EXPECT_EQ(k->SquareOrder[64], 88);

    // h1, h8, a1, a8, h5, h6, h7, h2, column g ... column b, h3, a2 ... a7, h4.
    std::vector<int> expected = {11, 18, 81, 88, 15, 16, 17, 12};
    for (int x = 2; x <= 7; ++x)
        for (int y = 1; y <= 8; ++y)
            expected.push_back(10 * x + y);
    expected.push_back(13);
    for (int y = 2; y <= 7; ++y)
        expected.push_back(80 + y);
    expected.push_back(14);
    ASSERT_EQ(expected.size(), 64u);
    for (int position = 1; position <= 64; ++position)
        EXPECT_EQ(k->CornerFirstOrder[position], expected[position - 1]) << position;
}

TEST(Geometry, SplitSquareGivesColumnAndRow) {
    const struct {
        uint8_t square, x, y;
    } cases[] = {{11, 1, 1},  {35, 3, 5},  {88, 8, 8}, {18, 1, 8},
                 {20, 1, 10}, {10, 0, 10}, {0, 0, 0}};
    for (const auto& c : cases) {
        uint8_t x = 99, y = 99;
        TKyokumen::SplitSquare(c.square, x, y);
        EXPECT_EQ(x, c.x) << int(c.square);
        EXPECT_EQ(y, c.y) << int(c.square);
    }
}

TEST(SquareNames, ConvertBothWays) {
    const struct {
        int square;
        const char* name;
    } cases[] = {{11, "h1"}, {18, "h8"}, {81, "a1"}, {88, "a8"}, {35, "f5"},
                 {54, "d4"}, {44, "e4"}, {55, "d5"}, {45, "e5"}};
    for (const auto& c : cases) {
        EXPECT_EQ(SquareName(c.square), c.name);
        EXPECT_EQ(SquareFromName(c.name), c.square);
    }
    for (int square = 0; square <= 100; ++square) {
        const std::string name = SquareName(square);
        if (!IsBoardSquare(square)) {
            EXPECT_EQ(name, "") << square;
            continue;
        }
        EXPECT_EQ(SquareFromName(name), square) << name;
    }
    for (const char* bad : {"", "f", "f55", "F5", "i1", "a0", "a9", "5f", "h 1"})
        EXPECT_EQ(SquareFromName(bad), std::nullopt) << bad;
}

TEST(Random, DrawsStayInRangeAndRepeatUnderASeed) {
    RandSeed(42);
    std::vector<uint32_t> first;
    std::set<uint32_t> seen;
    for (int i = 0; i < 1000; ++i) {
        const uint32_t r = Random(7);
        ASSERT_LT(r, 7u);
        first.push_back(r);
        seen.insert(r);
    }
    EXPECT_EQ(seen.size(), 7u);  // every value turns up
    RandSeed(42);
    for (int i = 0; i < 1000; ++i)
        ASSERT_EQ(Random(7), first[i]);
    EXPECT_EQ(Random(0), 0u);
}

// An engine made with a generator of its own draws its keys and its noise from it alone, as
// the program-wide one would from the same seed; the program-wide one refuses other threads,
// whose draws would race with its owner's.
TEST(Random, AnEngineDrawsFromItsOwnGeneratorAndTheProgramWideOneStaysOnItsThread) {
    auto shared = NewEngine(5);
    const uint32_t programState = ProgramRandom().State();
    TRandom generator(5);
    const TKyokumen own(generator);
    EXPECT_EQ(std::memcmp(own.Boards[0].Hash.Keys, shared->Boards[0].Hash.Keys,
                          sizeof own.Boards[0].Hash.Keys),
              0);
    EXPECT_EQ(ProgramRandom().State(), programState);  // the own engine left it alone
    EXPECT_EQ(generator.State(), programState);        // and drew as many numbers
    std::exception_ptr refused;
    std::thread([&] {
        try {
            Random(2);
        } catch (const EEngineError&) {
            refused = std::current_exception();
        }
    }).join();
    EXPECT_TRUE(refused);
}

TEST(HashKeys, AllSnapshotsShareTheRandomNumbersOfTheGameBoard) {
    auto k = NewEngine(7);
    const THashTable& first = k->Boards[0].Hash;
    for (int board = 1; board < SNAPSHOTS; ++board)
        for (int colour = 0; colour <= 2; ++colour)
            for (int cell = 0; cell < CELL_COUNT; ++cell)
                ASSERT_EQ(k->Boards[board].Hash.Keys[colour][cell], first.Keys[colour][cell]);
    for (int board = 0; board < SNAPSHOTS; ++board) {
        EXPECT_EQ(k->Boards[board].Hash.Key, 0u);
        EXPECT_EQ(k->Boards[board].Hash.ValueState, 0);
    }
}

TEST(HashKeys, RandomNumbersFillOnlyTheBoardCellsWithBoundedParts) {
    RandSeed(3);
    THashTable table;
    std::set<uint64_t> distinct;
    for (int colour = 0; colour <= 2; ++colour)
        for (int cell = 0; cell < CELL_COUNT; ++cell) {
            const uint64_t number = table.Keys[colour][cell];
            if (cell < 11 || cell > 88) {
                EXPECT_EQ(number, 0u) << cell;
                continue;
            }
            for (int part = 0; part < 4; ++part)
                EXPECT_LE((number >> (16 * part)) & 0xFFFF, 65534u);
            distinct.insert(number);
        }
    EXPECT_EQ(distinct.size(), 3u * 78u);
}

TEST(HashKeys, ToggleIsItsOwnInverseAndIgnoresWalls) {
    RandSeed(5);
    THashTable table;
    table.Key = 0x1234;
    table.Toggle(WALL, 35);
    EXPECT_EQ(table.Key, 0x1234u);
    table.Toggle(WHITE, 35);
    EXPECT_EQ(table.Key, 0x1234u ^ table.Keys[WHITE][35]);
    table.Toggle(WHITE, 35);
    EXPECT_EQ(table.Key, 0x1234u);
    table.Toggle(EMPTY, 11);
    EXPECT_NE(table.Key, 0x1234u);  // empty squares have numbers too
}

}  // namespace
