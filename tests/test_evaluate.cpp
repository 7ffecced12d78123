// The hand-tuned evaluation: its terms on hand-built shapes, whole values worked out by
// hand, the end-of-game rules, and agreement with the plain step-by-step reference over
// many real positions at every move number and level.
#include <gtest/gtest.h>

#include <cstring>

#include "BoardPicture.h"
#include "ReferenceBoard.h"
#include "ReferenceEvaluate.h"
#include "RuleSums.h"
#include "engine/eval/untEvalTerms.h"
#include "engine/eval/untPatterns.h"
#include "engine/untRandom.h"
#include "engine/untSquareNames.h"

namespace {

using namespace EvalTerms;

const TPicture kStart = {"........", "........", "........", "...OX...",
                         "...XO...", "........", "........", "........"};

// Runs one of the engine's evaluations.
int32_t EngineEvaluate(TKyokumen& k, TVariant variant) {
    switch (variant) {
        case TVariant::Evaluate:
            return k.Evaluate();
        case TVariant::Patterns:
            return k.EvaluatePatterns();
        case TVariant::EvaluateD:
            return k.EvaluateD();
    }
    return 0;
}

const char* NameOf(TVariant variant) {
    return variant == TVariant::Evaluate   ? "Evaluate"
           : variant == TVariant::Patterns ? "EvaluatePatterns"
                                           : "EvaluateD";
}

constexpr TVariant kVariants[] = {TVariant::Evaluate, TVariant::Patterns, TVariant::EvaluateD};

// Compares an evaluation with the reference on the current position, both drawing the
// same random numbers; the disc counts must agree too.
::testing::AssertionResult AgreesWithReference(TKyokumen& k, TVariant variant, uint32_t seed) {
    RandSeed(seed);
    const int32_t expected = ReferenceEvaluate(k, variant);
    const uint8_t black = k.BlackCount, white = k.WhiteCount;
    k.BlackCount = k.WhiteCount = 77;
    RandSeed(seed);
    const int32_t actual = EngineEvaluate(k, variant);
    if (actual == expected && k.BlackCount == black && k.WhiteCount == white)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << NameOf(variant) << " gives " << actual << ", the reference " << expected
           << " at move " << k.MoveNumber << ", level " << int(k.GameLevel) << "\n"
           << PictureOf(k);
}

// Fills the pattern tables with random values of the learned range.
void FillRandomPatternValues(TKyokumen& k) {
    for (auto& kind : *k.PatternWeights)
        for (auto& index : kind)
            for (int32_t& value : index)
                value = static_cast<int32_t>(Random(41)) - 20;
}

// Evaluates a position at level 4 (no noise) with the line given as squares by ply.
int16_t EvaluateAt(TKyokumen& k, const TPicture& picture, int mv,
                   std::initializer_list<int> line = {}) {
    SetGameBoard(k, picture, mv);
    k.GameLevel = 4;
    std::memset(k.Tejun, 0, sizeof k.Tejun);
    int ply = 1;
    for (const int square : line)
        k.Tejun[ply++] = static_cast<uint8_t>(square);
    return k.Evaluate();
}

TEST(Evaluate, StartPositionIsOneAtTheTopLevel) {
    auto k = NewEngine();
    k->GameLevel = 4;
    EXPECT_EQ(k->Evaluate(), 1);  // every term is 0, and 0 becomes 1
    EXPECT_EQ(k->BlackCount, 2);
    EXPECT_EQ(k->WhiteCount, 2);
}

TEST(Evaluate, NoiseAtTheLowerLevelsStaysInItsRange) {
    auto k = NewEngine();
    RandSeed(99);
    int lowest[5] = {1000, 1000, 1000, 1000, 1000},
        highest[5] = {-1000, -1000, -1000, -1000, -1000};
    for (int i = 0; i < 2000; ++i)
        for (int level = 1; level <= 4; ++level) {
            k->GameLevel = static_cast<uint8_t>(level);
            const int v = k->Evaluate();
            lowest[level] = std::min(lowest[level], v);
            highest[level] = std::max(highest[level], v);
        }
    // Frontier terms cancel in the start position; levels 1 to 3 add 0..6, level 2 also 0..21.
    EXPECT_EQ(lowest[1], 1);
    EXPECT_EQ(highest[1], 6);
    EXPECT_EQ(lowest[2], 1);
    EXPECT_EQ(highest[2], 27);
    EXPECT_EQ(lowest[3], 1);
    EXPECT_EQ(highest[3], 6);
    EXPECT_EQ(lowest[4], 1);
    EXPECT_EQ(highest[4], 1);
}

TEST(Evaluate, XSquareNextToAnEmptyCornerWorkedOutByHand) {
    auto k = NewEngine();
    const TPicture withG2 = {"........", "......O.", "........", "...OX...",
                             "...XO...", "........", "........", "........"};
    // Discs 3 - 2 = 1; frontier: white 5 + 5 + 8 (g2 sees eight empty squares), black 5 + 5:
    // 1 - 18 + 10 = -7. Disc balance: white has more, 2 - 3 - 1 = -2. X square beside the
    // empty h1 at move 10: -(60 - 10) / 2 = -25. Total -34.
    EXPECT_EQ(EvaluateAt(*k, withG2, 10), -34);
    // Playing g2 at ply 1 of the searched line costs another 16.
    EXPECT_EQ(EvaluateAt(*k, withG2, 10, {SquareOf("g2")}), -50);
}

TEST(Evaluate, LineTermsChangeWithTheMoveNumber) {
    auto k = NewEngine();
    const int g2 = SquareOf("g2"), h1 = SquareOf("h1"), h2 = SquareOf("h2");
    // The start position scores 1 on its own, so each value below is the line term alone.
    const struct {
        int mv;
        std::initializer_list<int> line;
        int expected;
    } cases[] = {
        // X square of an empty corner played at ply 1 (white) or ply 2 (black).
        {29, {g2}, -16},
        {30, {g2}, -10},
        {39, {g2}, -10},
        {40, {g2}, -7},
        {49, {g2}, -7},
        {50, {g2}, -3},
        {53, {g2}, -3},
        {54, {g2}, 1},
        {29, {0, g2}, 16},
        {10, {0, 0, g2, 0, g2}, -32},
        // A corner played on the line.
        {41, {h1}, 20},
        {42, {h1}, 4},
        {54, {h1}, 4},
        {55, {h1}, 1},
        {41, {0, h1}, -20},
        {41, {0, 0, h1}, -3},
        {41, {0, 0, 0, h1}, -3},
        {41, {0, 0, 0, 0, h1}, 1},
        // A C square needs three discs of each colour on the board: none here.
        {10, {h2}, 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EvaluateAt(*k, kStart, c.mv, c.line), c.expected) << "move " << c.mv;
}

TEST(Evaluate, CSquaresOnTheLineCountOnlyWithThreeDiscsEach) {
    auto k = NewEngine();
    // Three discs each, all terms balanced: the position alone sums to 0 and scores 1.
    const TPicture six = {"........", "........", "........", "..XOX...",
                          "...XO...", "....O...", "........", "........"};
    const int h2 = SquareOf("h2"), b1 = SquareOf("b1");
    EXPECT_EQ(EvaluateAt(*k, six, 19), 1);
    EXPECT_EQ(EvaluateAt(*k, six, 19, {h2}), -6);
    EXPECT_EQ(EvaluateAt(*k, six, 19, {0, b1}), 6);
    EXPECT_EQ(EvaluateAt(*k, six, 20, {h2}), -3);
    EXPECT_EQ(EvaluateAt(*k, six, 25, {h2, 0, 0, b1}), 1);  // -3 and +3 cancel
    EXPECT_EQ(EvaluateAt(*k, six, 26, {h2}), 1);
}

TEST(Evaluate, EndOfGameLeavesOnlyTheDiscDifference) {
    auto k = NewEngine();
    // A full board from the standard start: 40 white, 24 black.
    const TPicture full = {"OOOOOOOO", "OOOOOOOO", "OOOOOOOO", "OOOOOOOO",
                           "OOOOOOOO", "XXXXXXXX", "XXXXXXXX", "XXXXXXXX"};
    EXPECT_EQ(EvaluateAt(*k, full, 60), 16);
    k->GameLevel = 3;
    EXPECT_EQ(k->Evaluate(), 16);  // no noise either

    // Black holds a1 with a run; one square is empty. At move 57 and 58 the corner runs
    // count once, from 59 only the discs count.
    const TPicture late = {"XXXOOOOO", "XOOOOOOO", "OOOOOOOO", "OOOOOOOO",
                           "OOOOOOOO", "OOOOOOOO", "OOOOOOOO", "OOOOOOO."};
    // Discs: white 59, black 4 -> 55. Runs: black a1 = 3 + 2 - 1 = 4; white h1 along
    // column h (7) and row 1 (5): 11, white a8 along column a to a3 (6) and row 8 (7): 12.
    // Full edges: row 1 (5 white, 3 black) and column a (6 white, 2 black): +6.
    const int discs = 55, runs = 11 + 12 - 4, fullEdges = 5 - 3 + 6 - 2;
    EXPECT_EQ(EvaluateAt(*k, late, 57), discs + runs + fullEdges);
    EXPECT_EQ(EvaluateAt(*k, late, 58), discs + runs + fullEdges);
    EXPECT_EQ(EvaluateAt(*k, late, 59), discs);
}

TEST(Evaluate, ASideWithoutDiscsDecidesTheValue) {
    auto k = NewEngine();
    const TPicture blackOnly = {"XXX.....", "........", "........", "........",
                                "........", "........", "........", "........"};
    const TPicture whiteOnly = {"OOO.....", "........", "........", "........",
                                "........", "........", "........", "........"};
    const TPicture empty = {"........", "........", "........", "........",
                            "........", "........", "........", "........"};
    for (const int mv : {5, 30, 59, 60}) {
        EXPECT_EQ(EvaluateAt(*k, blackOnly, mv), -9999) << mv;
        EXPECT_EQ(EvaluateAt(*k, whiteOnly, mv), 9999) << mv;
        EXPECT_EQ(EvaluateAt(*k, empty, mv), -9999) << mv;
    }
}

// The rarer board shapes, term by term, at weight 1 (positive favours white).
TEST(EvalTerms, BoardShapesScoreWithTheirSign) {
    auto k = NewEngine();
    const struct {
        const char* name;
        TPicture picture;
        int (*term)(const uint8_t*);
        int expected;
    } cases[] = {
        {"split edge middle",
         {"..OXXO..", "........", "........", "........", "........", "........", "........",
          "...OXXO."},
         [](const uint8_t* c) { return SumOverEdges(c, SplitMiddle); },
         -1},
        {"white corner, black C",
         {".......O", ".......X", "........", "........", "........", "........", "........",
          "........"},
         [](const uint8_t* c) { return SumOverCorners(c, OpponentCSquares); },
         -1},
        {"white corner, empty C squares",
         {".......O", "........", "........", "........", "........", "........", "........",
          "........"},
         [](const uint8_t* c) { return SumOverCorners(c, EmptyCSquares); },
         -2},
        {"inner squares",
         {"........", "..O..O..", "..O.....", "........", "........", ".O....X.", "........",
          "........"},
         [](const uint8_t* c) { return InnerSquares(BitsOf(c), 1); },
         -3 + 1},
        {"edge middles",
         {"..OO.X..", "........", "O.......", "........", "........", "........", "........",
          "........"},
         [](const uint8_t* c) { return SumOverEdges(c, MiddleDiscs); },
         2},
        {"white triangle at h1",
         {"....OOO.", ".......O", ".......O", ".......O", "........", "........", "........",
          "........"},
         [](const uint8_t* c) { return SumOverCorners(c, Triangle); },
         1},
        {"wedge at h1",
         {".....XX.", "......OX", ".......X", "........", "........", "........", "........",
          "........"},
         [](const uint8_t* c) { return SumOverCorners(c, Wedge); },
         -1},
        {"black corner block",
         {"XX......", "XX......", "........", "........", "........", "........", "........",
          "........"},
         [](const uint8_t* c) { return SumOverCorners(c, CornerBlock); },
         -1},
        {"filled edge, own corner",
         {"OOOOOOO.", "........", "........", "........", "........", "........", "........",
          "........"},
         [](const uint8_t* c) { return SumOverEdges(c, FilledEdge); },
         1},
        {"filled edge, opponent corner",
         {"XOOOOOO.", "........", "........", "........", "........", "........", "........",
          "........"},
         [](const uint8_t* c) { return SumOverEdges(c, FilledEdge); },
         0},
        {"lone C squares",
         {".O......", "O.......", "O.......", "........", "........", "........", ".......X",
          ".....OX."},
         [](const uint8_t* c) { return SumOverCorners(c, LoneCSquares); },
         -1 + 1 + 1},
        {"fives on open edges",
         {".OOOOO..", ".......O", ".......O", ".......O", ".......O", ".......O", "........",
          "..XXXXX."},
         [](const uint8_t* c) { return SumOverEdges(c, FivesOnOpenEdge); },
         -1 - 1 + 1},
        {"four in the middle",
         {"..OOOO..", "........", "X.......", "X.......", "X.......", "X.......", "X.......",
          "........"},
         [](const uint8_t* c) { return SumOverEdges(c, FourInMiddle); },
         1},
    };
    for (const auto& c : cases) {
        SetGameBoard(*k, c.picture, 30);
        EXPECT_EQ(c.term(k->CurrentBoard->Cells), c.expected) << c.name;
        // The whole evaluations weigh the shape as the reference does at every move number
        // and level, so each weight band of the term is checked where it changes.
        for (int mv = 0; mv <= 60; ++mv)
            for (uint8_t level = 1; level <= 4; ++level)
                for (const TVariant variant : kVariants) {
                    SetGameBoard(*k, c.picture, mv);
                    k->GameLevel = level;
                    ASSERT_TRUE(AgreesWithReference(*k, variant, static_cast<uint32_t>(mv)))
                        << c.name;
                }
    }
}

// Plays random games and compares the evaluations with the reference at every position,
// with the move number, the level and the searched line varied over all their bands.
TEST(Evaluations, AgreeWithTheReferenceOverRandomGames) {
    auto k = NewEngine();
    RandSeed(2024);
    FillRandomPatternValues(*k);
    const int lineSquares[] = {0,  11, 18, 81, 88, 22, 27, 72, 77, 12,
                               21, 17, 28, 71, 82, 78, 87, 35, 44, 63};
    int compared = 0;
    for (int game = 0; game < 60; ++game) {
        TReferenceBoard board = TReferenceBoard::Standard();
        while (board.PlayRandomMove()) {
            for (int variant = 0; variant < 6; ++variant) {
                const int mv = static_cast<int>(Random(61));
                SetGameBoard(*k, board, mv);
                k->GameLevel = static_cast<uint8_t>(1 + Random(4));
                for (int p = 0; p < PLY_SLOTS; ++p)
                    k->Tejun[p] =
                        static_cast<uint8_t>(p >= 1 && p <= 5 ? lineSquares[Random(20)] : 0);
                const uint32_t seed = Random(1u << 30);
                RandSeed(seed);
                const int16_t expected = ReferenceEvaluate(*k);
                const uint8_t black = k->BlackCount, white = k->WhiteCount;
                k->BlackCount = k->WhiteCount = 77;
                RandSeed(seed);
                ASSERT_EQ(k->Evaluate(), expected)
                    << "move " << mv << " level " << int(k->GameLevel) << "\n"
                    << PictureOf(*k);
                ASSERT_EQ(k->BlackCount, black);
                ASSERT_EQ(k->WhiteCount, white);
                RandSeed(seed + 1);
                ++compared;
            }
        }
    }
    EXPECT_GT(compared, 10000);
}

}  // namespace

// Pattern values may be anything a table file or the editor holds: with values at the 32-bit
// limits the pattern sum wraps round exactly as 32-bit arithmetic does (the sanitizer build
// fails on any overflow on the way).
TEST(Evaluations, PatternSumsAtThe32BitLimitsWrapAsTheReferenceDoes) {
    auto k = NewEngine();
    RandSeed(77);
    const int32_t extremes[] = {INT32_MAX, INT32_MIN, INT32_MAX - 5, INT32_MIN + 3, -1};
    for (auto& kind : *k->PatternWeights)
        for (auto& index : kind)
            for (int32_t& value : index)
                value = Random(2) ? extremes[Random(5)]
                                  : static_cast<int32_t>(Random(UINT32_MAX) ^ Random(2) << 31);
    int wrapped = 0;
    for (int game = 0; game < 20; ++game) {
        TReferenceBoard board = TReferenceBoard::Standard();
        while (board.PlayRandomMove()) {
            const int mv = static_cast<int>(Random(58));
            SetGameBoard(*k, board, mv);
            k->GameLevel = static_cast<uint8_t>(1 + Random(4));
            ASSERT_TRUE(AgreesWithReference(*k, TVariant::Patterns, Random(1000)));
            int64_t wide = 0;
            uint16_t indexes[22];
            AllPatternIndexes(BitsOf(k->CurrentBoard->Cells), indexes);
            for (int i = 0; i < 22; ++i)
                wide += (*k->PatternWeights)[kPatternInstances[i].kind][indexes[i]][StageOf(mv)];
            wrapped += wide != static_cast<int32_t>(wide);
        }
    }
    EXPECT_GT(wrapped, 100);  // the sums did pass the limits
}
