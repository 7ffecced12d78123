// The type B evaluation and its edge rules.
#include <gtest/gtest.h>

#include <cstring>
#include <map>

#include "BoardPicture.h"
#include "ReferenceBoard.h"
#include "ReferenceEvaluate.h"
#include "engine/search/untEdgeRules.h"
#include "engine/untRandom.h"
#include "engine/untSquareNames.h"

namespace {

std::map<uint32_t, double> RuleValues() {
    std::map<uint32_t, double> values;
    for (const TEdgeRule& rule : EdgeRules())
        values[rule.index] = rule.value;  // the last wins
    return values;
}

bool IsRunIndex(uint32_t index) {
    return index == 62 || index == 124 || index == 62000 || index == 124000;
}

TEST(EdgeRules, EveryNamedEdgeKeepsItsValueFromTheOtherCornerAndNegatesWithTheColours) {
    const std::map<uint32_t, double> values = RuleValues();
    ASSERT_GT(values.size(), 100u);
    auto k = NewEngine();
    k->MoveNumber = 45;  // past the early doubling and the early run value
    for (const auto& [index, value] : values) {
        ASSERT_EQ(values.count(MirroredEdgeIndex(index)), 1u) << index;
        ASSERT_EQ(values.count(ColourSwappedEdgeIndex(index)), 1u) << index;
        EXPECT_EQ(values.at(MirroredEdgeIndex(index)), value) << index;
        EXPECT_EQ(values.at(ColourSwappedEdgeIndex(index)), -value) << index;
        EXPECT_GE(value, -16.88);
        EXPECT_LE(value, 16.88);
        EXPECT_EQ(index % 1000 & index / 1000, 0u) << "a square of both colours: " << index;
        if (IsRunIndex(index)) continue;
        k->EdgeRunsWhite = k->EdgeRunsBlack = 0;
        EXPECT_EQ(k->EdgeValue(index), value) << index;
    }
}

TEST(EdgeRules, TellingRows) {
    auto k = NewEngine();
    k->MoveNumber = 45;
    const struct {
        const char* edge;
        double value;
    } rows[] = {{"O.......", 1.2},   {"X.......", -1.2}, {"OO......", 4.22},  {"OOO.....", 4.33},
                {"OOOO....", 4.44},  {"OOOOO...", 4.55}, {"OOOOOO..", 4.66},  {"OOOOOOO.", 4.77},
                {"XXXXXXX.", -4.77}, {".......O", 1.2},  {"......OO", 4.22},  {".O......", -12.0},
                {"......O.", -12.0}, {".X......", 12.0}, {"..O.....", 0.5},   {".....O..", 0.5},
                {"...O....", 0.3},   {"....O...", 0.3},  {"O.O.....", -8.0},  {".....O.O", -8.0},
                {".O.O....", -8.0},  {"....O.O.", -8.0}, {"..O..O..", 3.32},  {"OOOOOOOO", 8.0},
                {"XXXXXXXX", -8.0},  {".OOOOOO.", 8.66}, {".XXXXXX.", -8.66}, {"........", 0.0}};
    for (const auto& row : rows) {
        k->EdgeRunsWhite = k->EdgeRunsBlack = 0;
        EXPECT_EQ(k->EdgeValue(EdgeIndexOf(row.edge)), row.value) << row.edge;
    }
    EXPECT_EQ(EdgeIndexOf("O.O....."), 5u);
    EXPECT_EQ(EdgeIndexOf(".....O.O"), 160u);
    EXPECT_EQ(EdgeIndexOf("XXXXXXXX"), 255000u);
}

TEST(EdgeRules, FullEdgesAndTheInnerSixCountDoubleBeforeMove31) {
    auto k = NewEngine();
    const struct {
        uint32_t index;
        double early, late;
    } cases[] = {
        {255, 16.0, 8.0}, {255000, -16.0, -8.0}, {126, 16.88, 8.66}, {126000, -16.88, -8.66}};
    for (const auto& c : cases) {
        k->MoveNumber = 30;
        EXPECT_EQ(k->EdgeValue(c.index), c.early) << c.index;
        k->MoveNumber = 31;
        EXPECT_EQ(k->EdgeValue(c.index), c.late) << c.index;
    }
}

TEST(EdgeRules, FiveDiscRunsWeighOnEveryLaterEdge) {
    auto k = NewEngine();
    k->MoveNumber = 45;
    const double run = RuleValues().at(62);
    EXPECT_EQ(k->EdgeValue(62), run - 1.5);
    EXPECT_EQ(k->EdgeValue(0), -1.5);  // an empty edge after one white run
    EXPECT_EQ(k->EdgeValue(124), run - 5.0);
    EXPECT_EQ(k->EdgeValue(124), run - 10.0);
    EXPECT_EQ(k->EdgeValue(0), -10.0);
    k->EdgeRunsWhite = k->EdgeRunsBlack = 0;
    EXPECT_EQ(k->EdgeValue(62000), -run + 1.75);
    EXPECT_EQ(k->EdgeValue(124000), -run + 5.25);
    EXPECT_EQ(k->EdgeValue(0), 5.25);
    // Before move 41 a run is worth 4.75 whatever the counters say.
    k->MoveNumber = 40;
    k->EdgeRunsWhite = k->EdgeRunsBlack = 0;
    EXPECT_EQ(k->EdgeValue(124), 4.75);
    EXPECT_EQ(k->EdgeValue(62000), -4.75);
    EXPECT_EQ(k->EdgeRunsWhite, 1);
    EXPECT_EQ(k->EdgeRunsBlack, 1);
}

TEST(EvaluateB, StartPositionWorkedOutByHand) {
    auto k = NewEngine();
    k->GameLevel = 4;
    k->MoveNumber = 20;
    // Discs 0; exposure: each white disc 7 halved to 3, each black disc 7 in full:
    // -6 + 14; the empty squares' pulls cancel; then -20 before move 55.
    EXPECT_EQ(k->EvaluateB(), -12.0);
    k->Tejun[1] = SquareOf("h1");  // a corner on the line before move 30
    EXPECT_EQ(k->EvaluateB(), 18.0);
    k->Tejun[1] = SquareOf("g2");  // the X square of an empty corner
    EXPECT_EQ(k->EvaluateB(), -22.0);
    k->Tejun[1] = SquareOf("b1");  // a C square, but neither side has three discs
    EXPECT_EQ(k->EvaluateB(), -12.0);
    std::memset(k->Tejun, 0, sizeof k->Tejun);
    k->MoveNumber = 60;
    EXPECT_EQ(k->EvaluateB(), 0.5);
}

TEST(EvaluateB, ASideWithoutDiscsDecidesTheValue) {
    auto k = NewEngine();
    const TPicture blackOnly = {"XX......", "........", "........", "........",
                                "........", "........", "........", "........"};
    const TPicture empty = {"........", "........", "........", "........",
                            "........", "........", "........", "........"};
    for (const int mv : {10, 60}) {
        SetGameBoard(*k, blackOnly, mv);
        EXPECT_EQ(k->EvaluateB(), -9999.0);
        SetGameBoard(*k, empty, mv);
        EXPECT_EQ(k->EvaluateB(), -9999.0);
    }
}

TEST(EvaluateB, EdgesCountUntilMove56) {
    auto k = NewEngine();
    k->GameLevel = 4;
    for (const auto& [moveNumber, counted] : {std::pair{56, true}, std::pair{57, false}}) {
        k->MoveNumber = static_cast<int16_t>(moveNumber);
        k->EdgeRunsWhite = 7;
        k->EvaluateB();
        EXPECT_EQ(k->EdgeRunsWhite == 0, counted) << moveNumber;
    }
}

// Random positions at every move number and level, with random lines, against the plain
// step-by-step reference, to the last bit: once an edge value with a fraction is in the
// sum, the order of the additions shows, and both add each step's sum at once.
TEST(EvaluateB, AgreesWithTheReferenceOverRandomGames) {
    auto k = NewEngine();
    RandSeed(77);
    const int lineSquares[] = {0,  11, 18, 81, 88, 22, 27, 72, 77,
                               12, 21, 17, 28, 71, 82, 78, 87, 35};
    int compared = 0;
    for (int game = 0; game < 40; ++game) {
        TReferenceBoard board = TReferenceBoard::Standard();
        while (board.PlayRandomMove()) {
            for (int variant = 0; variant < 4; ++variant) {
                SetGameBoard(*k, board, static_cast<int>(Random(61)));
                k->GameLevel = static_cast<uint8_t>(1 + Random(4));
                for (int p = 1; p <= 5; ++p)
                    k->Tejun[p] = static_cast<uint8_t>(lineSquares[Random(18)]);
                const uint32_t seed = Random(1u << 30);
                RandSeed(seed);
                const double expected = ReferenceEvaluateB(*k);
                const uint8_t black = k->BlackCount, white = k->WhiteCount;
                RandSeed(seed);
                ASSERT_EQ(k->EvaluateB(), expected)
                    << "move " << k->MoveNumber << ", level " << int(k->GameLevel) << "\n"
                    << PictureOf(*k);
                ASSERT_EQ(k->BlackCount, black);
                ASSERT_EQ(k->WhiteCount, white);
                RandSeed(seed + 1);
                ++compared;
            }
        }
    }
    EXPECT_GT(compared, 5000);
}

}  // namespace
