// The table trainer: the examples it takes from games, learning a decisive pattern entry,
// the written tables, and repeatability under a seed.
#include <gtest/gtest.h>

#include "BoardPicture.h"
#include "engine/eval/untPatterns.h"
#include "engine/untRandom.h"
#include "engine/untSquareNames.h"
#include "tools/untTrainer.h"

namespace {

TEST(Trainer, GamePositionsCarryTheEnginesIndexesStageAndHandTerms) {
    RandSeed(9);
    for (int game = 0; game < 20; ++game) {
        TReferenceBoard board = TReferenceBoard::Standard();
        std::string record;
        std::vector<TReferenceBoard> boards;
        while (board.PlayRandomMove())
            boards.push_back(board);
        // Rebuild the record from the boards: the square that changed from empty.
        TReferenceBoard previous = TReferenceBoard::Standard();
        for (const TReferenceBoard& next : boards) {
            for (int square = 11; square <= 88; ++square)
                if (IsBoardSquare(square)) {
                    const int c = TReferenceBoard::ColumnOf(square),
                              r = TReferenceBoard::RowOf(square);
                    if (previous.cell[c][r] == 0 && next.cell[c][r] != 0)
                        record += SquareName(square);
                }
            previous = next;
        }
        std::string error;
        const std::vector<TTrainingPosition> positions = GamePositions(record, 10, error);
        ASSERT_FALSE(positions.empty()) << error;
        auto k = NewEngine();
        k->GameLevel = 4;
        for (std::size_t n = 0; n < positions.size(); ++n) {
            SetGameBoard(*k, boards[n], static_cast<int>(n + 1));
            for (int i = 0; i < 22; ++i)
                ASSERT_EQ(positions[n].indexes[i], k->PatternIndex(kPatternInstances[i]));
            EXPECT_EQ(positions[n].stage, StageOf(static_cast<int>(n + 1)));
            EXPECT_EQ(positions[n].hand, k->EvaluatePatterns());
            EXPECT_EQ(positions[n].outcome, -10.0f);
        }
    }
    std::string error;
    EXPECT_TRUE(GamePositions("f5f5", 0, error).empty());
    EXPECT_EQ(error, "move 2 (f5) is not legal");
}

// Half the positions hold EDGE entry 3280 at stage 1 and end +30 for white, the other half
// hold EDGE entry 6560 and end -30; the hand terms see half the outcome.
std::vector<TTrainingPosition> DecisiveEntryPositions() {
    std::vector<TTrainingPosition> positions;
    for (int n = 0; n < 2000; ++n) {
        TTrainingPosition p{};
        const bool whiteWins = n % 2 == 0;
        p.indexes[8] = whiteWins ? 3280 : 6560;
        p.stage = 1;
        p.outcome = whiteWins ? 30.0f : -30.0f;
        p.hand = p.outcome / 2;
        positions.push_back(p);
    }
    return positions;
}

TEST(Trainer, LearnsTheDecisiveEntryWithTheRightSign) {
    const std::vector<TTrainingPosition> positions = DecisiveEntryPositions();
    TTrainingOptions options;
    options.epochs = 3;
    options.learningRate = 0.05;
    const TFit fit = FitTables(positions, options);
    EXPECT_NEAR(fit.scale, 4 * 0.5, 1e-9);
    const TPatternTable tables = RoundedTables(fit);
    EXPECT_GT(tables[EDGE][3280][1], 10);
    EXPECT_LT(tables[EDGE][6560][1], -10);
    EXPECT_EQ(tables[EDGE][3280][0], 0);
    EXPECT_EQ(tables[EDGE][0][1], 0);  // the empty instances of the examples never move
    EXPECT_LT(RootMeanSquareError(positions, tables, fit.scale),
              RootMeanSquareError(positions, TPatternTable{}, fit.scale));
}

TEST(Trainer, WrittenTablesLoadBackUnchangedAndRepeatUnderTheSeed) {
    const std::vector<TTrainingPosition> positions = DecisiveEntryPositions();
    TTrainingOptions options;
    options.epochs = 1;
    const TPatternTable first = RoundedTables(FitTables(positions, options));
    EXPECT_EQ(RoundedTables(FitTables(positions, options)), first);

    std::array<std::string, 6> texts;
    std::array<std::string_view, 6> views;
    for (int kind = 1; kind <= 6; ++kind) {
        texts[kind - 1] = PatternTableText(first, kind);
        views[kind - 1] = texts[kind - 1];
    }
    auto k = NewEngine();
    k->LoadPatternWeights(views);
    for (int kind = 1; kind <= 6; ++kind)
        EXPECT_EQ((*k->PatternWeights)[kind], first[kind]);
    for (int kind = 1; kind <= 6; ++kind)
        EXPECT_EQ(k->PatternFileText(kind), texts[kind - 1]);
}

}  // namespace
