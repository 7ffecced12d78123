// The table trainer: the examples it takes from games, learning a decisive pattern entry,
// the written tables, repeatability under a seed, and the backward fit: exact values along
// real play, the backed-up targets, a stage learning from the stage after it, and the
// searched targets over positions on and off the game lines.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>

#include "BoardPicture.h"
#include "ReferenceSearch.h"
#include "engine/eval/untPatterns.h"
#include "engine/untBitBoard.h"
#include "engine/untRandom.h"
#include "engine/untSquareNames.h"
#include "tools/untTrainer.h"

namespace {

// A random game from the standard start: its record and the board after every move.
struct TRandomGame {
    std::string record;
    std::vector<TReferenceBoard> boards;
    // The final black-minus-white difference, empty squares to the winner.
    int Result() const { return FinalDifference(boards.back(), 1); }
};

TRandomGame RandomGame() {
    TRandomGame game;
    TReferenceBoard board = TReferenceBoard::Standard();
    while (board.PlayRandomMove())
        game.boards.push_back(board);
    // Rebuild the record from the boards: the square that changed from empty.
    TReferenceBoard previous = TReferenceBoard::Standard();
    for (const TReferenceBoard& next : game.boards) {
        for (int square = 11; square <= 88; ++square)
            if (IsBoardSquare(square)) {
                const int c = TReferenceBoard::ColumnOf(square), r = TReferenceBoard::RowOf(square);
                if (previous.cell[c][r] == 0 && next.cell[c][r] != 0)
                    game.record += SquareName(square);
            }
        previous = next;
    }
    return game;
}

TEST(Trainer, GamePositionsCarryTheEnginesIndexesStageAndHandTerms) {
    RandSeed(9);
    for (int game = 0; game < 20; ++game) {
        const TRandomGame random = RandomGame();
        const std::string& record = random.record;
        const std::vector<TReferenceBoard>& boards = random.boards;
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
        p.target = p.outcome;
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

// Every position holds EDGE entry 3280 and aims 45 units above its hand terms, far past
// one entry's limit; half of them also hold LINE3 entry 100. Cut to the limit only at the
// end, the fit leaves the whole error to the first entry; kept within the limits while
// fitting, the second entry takes up what the first cannot.
TEST(Trainer, BoundedFitLetsAnotherEntryMakeUpForOneAtItsLimit) {
    std::vector<TTrainingPosition> positions;
    for (int n = 0; n < 2000; ++n) {
        TTrainingPosition p{};
        p.indexes[8] = 3280;
        if (n % 2 == 0) p.indexes[0] = 100;
        p.stage = 1;
        p.outcome = p.target = 30.0f;
        p.hand = 15.0f;
        positions.push_back(p);
    }
    ASSERT_NE(kPatternInstances[8].kind, kPatternInstances[0].kind);
    TTrainingOptions options;
    options.epochs = 3;
    options.learningRate = 0.02;
    const TFit cut = FitTables(positions, options);
    options.boundedFit = true;
    const TFit bounded = FitTables(positions, options);
    const auto largest = [](const TFit& fit) {
        double most = 0;
        for (const double w : fit.weights)
            most = std::max(most, std::abs(w));
        return most;
    };
    EXPECT_GT(largest(cut), 30.0);
    EXPECT_LE(largest(bounded), 20.0);
    const TPatternTable cutTables = RoundedTables(cut), boundedTables = RoundedTables(bounded);
    EXPECT_EQ(cutTables[EDGE][3280][1], 20);
    EXPECT_EQ(boundedTables[EDGE][3280][1], 20);
    EXPECT_GT(boundedTables[kPatternInstances[0].kind][100][1], 15);
    EXPECT_LT(RootMeanSquareError(positions, boundedTables, bounded.scale),
              0.8 * RootMeanSquareError(positions, cutTables, cut.scale));
}

// Along a game, the exact value from white's side can only fall when white moves and only
// rise when black moves (a move is at best as good as the best one); a value with the wrong
// side to move or the wrong sign breaks the chain at once. The work is shared between
// threads without changing any value.
TEST(Trainer, ExactTargetsNeverImproveOnTheMoverAlongRandomGames) {
    constexpr int kExactEmpties = 12;
    RandSeed(21);
    TTrainingSet set;
    for (int game = 0; game < 30; ++game) {
        const TRandomGame random = RandomGame();
        std::string error;
        set.AddGame(GamePositions(random.record, random.Result(), error));
        ASSERT_TRUE(error.empty()) << error;
    }
    std::vector<TTrainingPosition> alone = set.positions;
    // The same games given twice are solved once, and both copies take the values.
    std::vector<TTrainingPosition> twice = set.positions;
    twice.insert(twice.end(), set.positions.begin(), set.positions.end());
    std::size_t solvedOnce = 0, solvedTwice = 0;
    SolveExactTargets(set.positions, kExactEmpties, 2);
    SolveExactTargets(alone, kExactEmpties, 1,
                      [&](std::size_t, std::size_t total) { solvedOnce = total; });
    SolveExactTargets(twice, kExactEmpties, 2,
                      [&](std::size_t, std::size_t total) { solvedTwice = total; });
    EXPECT_GT(solvedOnce, 0u);
    EXPECT_EQ(solvedTwice, solvedOnce);
    for (std::size_t at = 0; at < twice.size(); ++at) {
        const TTrainingPosition& solved = alone[at % alone.size()];
        ASSERT_EQ(twice[at].exact, solved.exact);
        ASSERT_EQ(twice[at].target, solved.target);
    }
    std::size_t begin = 0, chained = 0;
    for (const std::size_t end : set.gameEnds) {
        for (std::size_t at = begin; at < end; ++at) {
            const TTrainingPosition& p = set.positions[at];
            ASSERT_EQ(p.exact, p.Empties() <= kExactEmpties);
            ASSERT_EQ(p.target, alone[at].target);
            if (!p.exact) {
                ASSERT_EQ(p.target, p.outcome);
            }
            if (!p.exact || at + 1 == end) continue;
            const TTrainingPosition& next = set.positions[at + 1];
            if (p.whiteToMove)
                EXPECT_LE(next.target, p.target) << "game move " << int(next.moveNumber);
            else
                EXPECT_GE(next.target, p.target) << "game move " << int(next.moveNumber);
            ++chained;
        }
        begin = end;
    }
    EXPECT_GT(chained, 200u);

    // The values kept in a file come back only for the same positions.
    const std::string bytes = SolvedValuesBytes(set.positions);
    std::vector<TTrainingPosition> fresh = set.positions;
    for (TTrainingPosition& p : fresh) {
        p.exact = false;
        p.target = p.outcome;
    }
    std::vector<TTrainingPosition> untouched = fresh;
    EXPECT_FALSE(ApplySolvedValues(untouched, bytes, kExactEmpties - 1));
    EXPECT_FALSE(ApplySolvedValues(untouched, bytes.substr(0, bytes.size() - 1), kExactEmpties));
    std::string otherBoard = bytes;
    otherBoard[0] = static_cast<char>(otherBoard[0] ^ 1);
    EXPECT_FALSE(ApplySolvedValues(untouched, otherBoard, kExactEmpties));
    for (std::size_t at = 0; at < fresh.size(); ++at)
        ASSERT_FALSE(untouched[at].exact);
    ASSERT_TRUE(ApplySolvedValues(fresh, bytes, kExactEmpties));
    for (std::size_t at = 0; at < fresh.size(); ++at) {
        ASSERT_EQ(fresh[at].exact, set.positions[at].exact);
        ASSERT_EQ(fresh[at].target, set.positions[at].target);
    }
}

// Seen as at the search's leaves, every position has the leaves' side to move; exchanging
// the colours turns the discs, the values and the hand-tuned terms over, and twice gives
// the position back.
TEST(Trainer, PositionsSeenAsAtTheLeavesHaveTheLeavesSideToMove) {
    RandSeed(33);
    const std::unique_ptr<TKyokumen> engine = ExampleEngine();
    int exchangedCount = 0;
    for (int game = 0; game < 10; ++game) {
        const TRandomGame random = RandomGame();
        std::string error;
        for (const TTrainingPosition& played :
             GamePositions(random.record, random.Result(), error)) {
            TTrainingPosition seen = played;
            seen.target = 5;
            SeeAsAtLeaves(seen, *engine);
            ASSERT_EQ(seen.whiteToMove, WhiteToMoveAtLeaves(played.moveNumber));
            ASSERT_EQ(seen.moveNumber, played.moveNumber);
            if (!seen.exchanged) {
                ASSERT_EQ(seen.black, played.black);
                continue;
            }
            ++exchangedCount;
            ASSERT_EQ(seen.black, played.white);
            ASSERT_EQ(seen.white, played.black);
            ASSERT_EQ(seen.outcome, -played.outcome);
            ASSERT_EQ(seen.target, -5);
            if (std::abs(played.hand) > 1) {
                ASSERT_EQ(seen.hand, -played.hand);
            }
            TTrainingPosition back =
                PositionOf(*engine, seen.white, seen.black, !seen.whiteToMove, seen.moveNumber);
            ASSERT_EQ(back.hand, played.hand);
            for (int i = 0; i < 22; ++i)
                ASSERT_EQ(back.indexes[i], played.indexes[i]);
        }
    }
    EXPECT_GT(exchangedCount, 100);
    EXPECT_FALSE(WhiteToMoveAtLeaves(44));
    EXPECT_TRUE(WhiteToMoveAtLeaves(45));
}

// A game of four positions: moves 39 and 40 (stage 1), 41 (stage 2) and 47 (solved).
std::vector<TTrainingPosition> ShortGame() {
    std::vector<TTrainingPosition> game(4);
    const int moves[4] = {39, 40, 41, 47};
    for (int n = 0; n < 4; ++n) {
        game[n].moveNumber = static_cast<uint8_t>(moves[n]);
        game[n].stage = StageOf(moves[n]);
        game[n].outcome = -7;
        game[n].target = -7;
        game[n].hand = 12;
    }
    game[2].indexes[8] = 3280;
    game[3].exact = true;
    game[3].target = 9;
    return game;
}

TEST(Trainer, BackedUpTargetsLookAheadToSolvedOrLaterStagePositions) {
    const std::vector<TTrainingPosition> game = ShortGame();
    TPatternTable tables{};
    tables[EDGE][3280][2] = 8;  // the stage-2 position evaluates to 12 + 8 = 20
    tables[EDGE][3280][1] = 100;
    struct {
        std::size_t at;
        int lookahead;
        double expected;
    } const cases[] = {
        {0, 1, 10},  // move 40 is of the same stage: on to move 41, 20 units at scale 2
        {1, 1, 10},  // move 41 is of a later stage
        {0, 3, 9},   // the solved position
        {2, 1, 9},   // a stage-2 position takes the solved one
        {2, 2, -7},  // beyond the game's last position: its result
        {3, 1, -7},
    };
    std::vector<TTrainingPosition> exchanged = game;
    exchanged[3].exchanged = true;  // its 9 are black's
    EXPECT_DOUBLE_EQ(BackedUpTarget(exchanged.data(), 4, 0, 3, tables, 2), -9);
    exchanged[0].exchanged = true;
    EXPECT_DOUBLE_EQ(BackedUpTarget(exchanged.data(), 4, 0, 3, tables, 2), 9);
    EXPECT_DOUBLE_EQ(BackedUpTarget(exchanged.data(), 4, 0, 1, tables, 2), -10);
    // Once stage 1 is fitted, move 39 may look at move 40: its hand terms alone, 12 units.
    EXPECT_DOUBLE_EQ(BackedUpTarget(game.data(), 4, 0, 1, tables, 2, true), 6);
    EXPECT_DOUBLE_EQ(BackedUpTarget(game.data(), 4, 1, 1, tables, 2, true), 10);
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(BackedUpTarget(game.data(), game.size(), c.at, c.lookahead, tables, 2),
                         c.expected)
            << "position " << c.at << ", lookahead " << c.lookahead;
}

// Games that their players lost from positions that were won: the stage-1 entry must learn
// the sign of the exact values reached through the stage-2 tables, not the results.
TEST(Trainer, BackwardFitLearnsEachStageFromTheStageAfterIt) {
    TTrainingSet set;
    for (int n = 0; n < 2000; ++n) {
        const bool wonByWhite = n % 2 == 0;  // under perfect play, from move 50
        std::vector<TTrainingPosition> game(3);
        const int moves[3] = {40, 41, 50};
        for (int i = 0; i < 3; ++i) {
            game[i].moveNumber = static_cast<uint8_t>(moves[i]);
            game[i].stage = StageOf(moves[i]);
            game[i].outcome = game[i].target = wonByWhite ? -20.0f : 20.0f;
            game[i].hand = game[i].outcome / 2;
        }
        game[0].indexes[0] = wonByWhite ? 100 : 200;    // LINE3, stage 1
        game[1].indexes[8] = wonByWhite ? 3280 : 6560;  // EDGE, stage 2
        game[2].indexes[8] = game[1].indexes[8];
        game[2].exact = true;
        game[2].target = wonByWhite ? 30.0f : -30.0f;
        set.AddGame(game);
    }
    TTrainingOptions options;
    options.epochs = 3;
    options.learningRate = 0.02;
    const TFit fit = FitBackwards(set, options, 1);
    EXPECT_NEAR(fit.scale, 4 * 0.5, 1e-6);  // from the hand terms' slope on the results
    const TPatternTable tables = RoundedTables(fit);
    EXPECT_EQ(tables[EDGE][3280][2], 20);
    EXPECT_EQ(tables[EDGE][6560][2], -20);
    // Move 40 looks one move ahead, to the stage-2 position that evaluates to -10 + 20.
    EXPECT_FLOAT_EQ(set.positions[0].target, 5);
    EXPECT_FLOAT_EQ(set.positions[1].target, 30);
    EXPECT_EQ(tables[LINE3][100][1], 20);
    EXPECT_EQ(tables[LINE3][200][1], -20);
    EXPECT_EQ(tables[LINE3][100][2], 0);
}

// The positions after each legal move of the side to move.
std::vector<TBitBoard> ChildrenOf(const TTrainingPosition& p) {
    const uint64_t own = p.whiteToMove ? p.white : p.black;
    std::vector<TBitBoard> children;
    for (uint64_t moves = LegalMovesOf(own, p.whiteToMove ? p.black : p.white); moves != 0;
         moves &= moves - 1)
        children.push_back(
            BitsAfterMove({p.black, p.white}, kSquareOfBit[std::countr_zero(moves)], p.whiteToMove)
                .after);
    return children;
}

// Searched targets over random games and the positions one move off them, with random
// tables: a leaf is the engine's own pattern evaluation (tables loaded) divided by the
// scale, seen as at the leaves; a deeper value is the minimax of its children's values, so
// alpha-beta must not change it. The refits with searched targets give the same tables for
// the same data and seed, and differ from the fit without them.
TEST(Trainer, SearchedTargetsAreTheMinimaxOfTheEnginesLeafValues) {
    constexpr int kExactEmpties = 10;
    constexpr double kScale = 3;
    RandSeed(47);
    TTrainingSet set;
    for (int game = 0; game < 12; ++game) {
        const TRandomGame random = RandomGame();
        std::string error;
        set.AddGame(GamePositions(random.record, random.Result(), error));
    }
    const std::size_t onLine = set.positions.size();
    const std::size_t added = AddOffLinePositions(set, 5, kExactEmpties);
    ASSERT_EQ(set.positions.size(), onLine + added);
    ASSERT_GT(added, onLine / 2);
    // Each one is another legal move's position from a game position's parent.
    for (std::size_t at = onLine; at < set.positions.size(); ++at) {
        const TTrainingPosition& q = set.positions[at];
        ASSERT_TRUE(q.offLine);
        ASSERT_GT(q.Empties(), kExactEmpties);
        bool found = false;
        for (std::size_t parent = 0; parent + 1 < onLine && !found; ++parent) {
            const TTrainingPosition& p = set.positions[parent];
            if (p.moveNumber + 1 != q.moveNumber) continue;
            // The move the players chose leads to the game's next position: not that one.
            const bool lastOfGame = std::find(set.gameEnds.begin(), set.gameEnds.end(),
                                              parent + 1) != set.gameEnds.end();
            const TTrainingPosition& next = set.positions[parent + 1];
            for (const TBitBoard& child : ChildrenOf(p))
                found |= child.black == q.black && child.white == q.white &&
                         (lastOfGame || child.black != next.black || child.white != next.white);
        }
        ASSERT_TRUE(found) << "off-line position " << at;
    }

    auto tables = std::make_shared<TPatternTable>();
    for (int kind = 1; kind < PATTERN_KINDS; ++kind)
        for (int index = 1; index < PATTERN_INDICES; ++index)
            for (int stage = 0; stage < STAGES; ++stage)
                (*tables)[kind][index][stage] = static_cast<int32_t>(Random(41)) - 20;
    const std::unique_ptr<TKyokumen> withTables = ExampleEngine(), engine = ExampleEngine();
    withTables->PatternWeights = tables;
    std::size_t compared = 0;
    for (const bool asAtLeaves : {false, true}) {
        for (std::size_t at = 0; at < set.positions.size(); at += 3) {
            const TTrainingPosition& p = set.positions[at];
            const uint64_t own = p.whiteToMove ? p.white : p.black;
            const uint64_t opponent = p.whiteToMove ? p.black : p.white;
            const uint64_t moves = LegalMovesOf(own, opponent);
            if (moves == 0) continue;  // passes and finished games: checked through children
            // The leaf: the engine's evaluation, with the colours exchanged where asked.
            const bool exchange = asAtLeaves && p.whiteToMove != WhiteToMoveAtLeaves(p.moveNumber);
            const TTrainingPosition leaf =
                exchange ? PositionOf(*withTables, p.white, p.black, !p.whiteToMove, p.moveNumber)
                         : PositionOf(*withTables, p.black, p.white, p.whiteToMove, p.moveNumber);
            const double leafValue = (exchange ? -leaf.hand : leaf.hand) / kScale;
            // Within one unit: the engine turns a sum of 0 into 1, so the hand-tuned terms of
            // an example (with empty tables) may be 1 where they add up to 0.
            ASSERT_NEAR(SearchedValue(p, {0, asAtLeaves}, *tables, kScale, *engine), leafValue,
                        1 / kScale + 1e-9);
            for (int plies = 1; plies <= 2; ++plies) {
                double best = p.whiteToMove ? -1e9 : 1e9;
                for (const TBitBoard& after : ChildrenOf(p)) {
                    const TTrainingPosition child = PositionOf(*engine, after.black, after.white,
                                                               !p.whiteToMove, p.moveNumber + 1);
                    const double value =
                        SearchedValue(child, {plies - 1, asAtLeaves}, *tables, kScale, *engine);
                    best = p.whiteToMove ? std::max(best, value) : std::min(best, value);
                }
                ASSERT_DOUBLE_EQ(SearchedValue(p, {plies, asAtLeaves}, *tables, kScale, *engine),
                                 best)
                    << "position " << at << ", " << plies << " plies";
                ++compared;
            }
        }
    }
    EXPECT_GT(compared, 400u);

    SolveExactTargets(set.positions, kExactEmpties, 1);
    for (TTrainingPosition& p : set.positions)
        SeeAsAtLeaves(p, *engine);
    TTrainingOptions options;
    options.epochs = 2;
    options.learningRate = 0.01;
    TTrainingSet again = set, unsearched = set;
    const TPatternTable searched = RoundedTables(FitBackwards(set, options, 4, 0, {1, true}));
    EXPECT_EQ(RoundedTables(FitBackwards(again, options, 4, 0, {1, true})), searched);
    for (std::size_t at = 0; at < set.positions.size(); ++at)
        ASSERT_EQ(set.positions[at].target, again.positions[at].target);
    TTrainingSet lookahead = unsearched, offLineOnly = unsearched;
    EXPECT_NE(RoundedTables(FitBackwards(unsearched, options, 4, 1)), searched);
    // Searching from the positions off the line only: the last stage's game positions keep
    // the targets of the plain backward fit, while the others aim at their searched values.
    const TPatternTable plainFit = RoundedTables(FitBackwards(lookahead, options, 4));
    FitBackwards(offLineOnly, options, 4, 0, {1, true, false});
    std::size_t moved = 0;
    for (std::size_t at = 0; at < offLineOnly.positions.size(); ++at) {
        const TTrainingPosition& p = offLineOnly.positions[at];
        if (!p.offLine && p.stage == 2) {
            ASSERT_EQ(p.target, lookahead.positions[at].target);
        }
        moved += p.offLine && p.target != p.outcome;
    }
    EXPECT_GT(moved, added / 2);
    // Searched from the lookahead's position, a search of no plies is the evaluation there:
    // the plain backward fit, entry for entry; a ply deeper it is not.
    TTrainingSet ahead0 = again, ahead1 = again;
    EXPECT_EQ(RoundedTables(FitBackwards(ahead0, options, 4, 0, {0, true, true, true})), plainFit);
    EXPECT_NE(RoundedTables(FitBackwards(ahead1, options, 4, 0, {1, true, true, true})), plainFit);
}

TEST(Trainer, PositionLinesAreReadStrictly) {
    const std::string ffo = "--XXXXX--OOOXX-O-OOOXXOX-OXOXOXXOXXXOXXX--XOXOXX-XXXOOO--OOOOO-- X 18";
    const std::optional<TTrainingPosition> read = ParsePositionLine(ffo, "p.txt", 1);
    ASSERT_TRUE(read);
    EXPECT_FALSE(read->whiteToMove);
    EXPECT_EQ(read->Empties(), 14);
    EXPECT_EQ(read->moveNumber, 46);
    EXPECT_EQ(read->stage, 2);
    EXPECT_TRUE(read->black & MaskOf(SquareOf("c1")));
    EXPECT_TRUE(read->white & MaskOf(SquareOf("b2")));
    EXPECT_EQ(std::popcount(read->black) + std::popcount(read->white), 50);
    EXPECT_FALSE(ParsePositionLine("  \t", "p.txt", 2));

    const std::string board = ffo.substr(0, 64);
    struct {
        std::string line;
        std::string message;
    } const bad[] = {
        {board, "p.txt, line 3: a position line is"},
        {board.substr(1) + " X", "p.txt, line 3: the position needs 64 squares, not 63"},
        {"x" + board.substr(1) + " O", "p.txt, line 3: square 1 is not X, O or -"},
        {board + " x", "p.txt, line 3: the side to move is X or O"},
        {board + " X 65", "p.txt, line 3: the score"},
        {std::string(64, '-') + " O", "p.txt, line 3: a position has at least"},
    };
    for (const auto& b : bad) {
        try {
            ParsePositionLine(b.line, "p.txt", 3);
            ADD_FAILURE() << b.line;
        } catch (const EBadInput& problem) {
            EXPECT_EQ(std::string(problem.what()).rfind(b.message, 0), 0u) << problem.what();
        }
    }
}

// The engine's games must not start where the matches that measure the tables start, by
// whatever order of moves they get there: one in twenty of the players' ten-move openings
// reaches an opening of the balanced lists by another order.
TEST(Trainer, KeptOutOpeningsCatchTheirPositionByAnyOrderOfMoves) {
    const TOpeningPositions keptOut =
        OpeningPositions("f5d6c4d3c3b3c2c1\n\n  f5f6 extra words\n", "x.txt");
    EXPECT_EQ(keptOut.size(), 2u);
    const auto passes = [&](const std::string& record) {
        std::string error;
        const std::vector<TTrainingPosition> game = GamePositions(record, 0, error);
        EXPECT_TRUE(error.empty()) << error;
        return PassesThrough(game, keptOut);
    };
    EXPECT_TRUE(passes("f5d6c4d3c3b3c2c1a3d2"));
    EXPECT_TRUE(passes("f5d6c3d3c4b3c2c1a3d2"));  // c3 and c4 exchanged: the same position
    EXPECT_TRUE(passes("f5f6e6f4"));
    EXPECT_FALSE(passes("f5d6c3d3c4f4f6f3e6e7"));
    EXPECT_FALSE(passes("f5d6c4d3c3b3c2"));  // one move short of it
    try {
        OpeningPositions("f5d6\nf5f5\n", "x.txt");
        ADD_FAILURE() << "an illegal opening was taken";
    } catch (const EBadInput& problem) {
        EXPECT_EQ(std::string(problem.what()).rfind("x.txt, line 2: ", 0), 0u) << problem.what();
    }
}

TEST(Trainer, BackwardFitFlagsTakeTheirRanges) {
    const TTrainerOptions set = ParseTrainerOptions(
        {"--games",          "g.txt",     "--exact-empties", "14",    "--lookahead",    "6",
         "--threads",        "2",         "--positions",     "a.txt", "--positions",    "b.txt",
         "--baseline",       "resources", "--refits",        "2",     "--as-at-leaves", "1",
         "--computer-games", "c.txt",     "--solved",        "s.bin", "--bounded-fit",  "1",
         "--keep-out",       "x.txt",     "--keep-out",      "y.txt"});
    EXPECT_EQ(set.targets.exactEmpties, 14);
    EXPECT_EQ(set.targets.refits, 2);
    EXPECT_TRUE(set.targets.search.asAtLeaves);
    EXPECT_EQ(set.computerGameFiles, std::vector<std::string>{"c.txt"});
    EXPECT_EQ(set.solvedValues, "s.bin");
    EXPECT_EQ(set.keepOutFiles, (std::vector<std::string>{"x.txt", "y.txt"}));
    EXPECT_TRUE(set.training.boundedFit);
    EXPECT_EQ(set.targets.lookahead, 6);
    EXPECT_EQ(set.targets.threads, 2u);
    EXPECT_EQ(set.positionFiles, (std::vector<std::string>{"a.txt", "b.txt"}));
    EXPECT_EQ(set.baseline, "resources");
    const TTrainerOptions plain = ParseTrainerOptions({"--games", "g.txt"});
    EXPECT_EQ(plain.targets.exactEmpties, 0);  // the plain fit unless asked
    for (const auto& [flag, value] :
         std::vector<std::pair<std::string, std::string>>{{"--exact-empties", "23"},
                                                          {"--exact-empties", "-1"},
                                                          {"--lookahead", "0"},
                                                          {"--lookahead", "61"},
                                                          {"--threads", "0"},
                                                          {"--threads", "65"},
                                                          {"--refits", "11"},
                                                          {"--as-at-leaves", "2"},
                                                          {"--bounded-fit", "2"}})
        EXPECT_THROW(ParseTrainerOptions({"--games", "g.txt", flag, value}), EBadInput)
            << flag << " " << value;
    const TTrainerOptions searched = ParseTrainerOptions(
        {"--games", "g.txt", "--exact-empties", "14", "--search-plies", "2", "--off-line", "1"});
    EXPECT_EQ(searched.targets.search.plies, 2);
    EXPECT_TRUE(searched.targets.offLine);
    EXPECT_TRUE(searched.targets.search.onLine);
    for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
             {"--exact-empties", "14", "--search-plies", "4"},
             {"--exact-empties", "14", "--off-line", "2"},
             {"--search-plies", "1"},                       // nothing to refit
             {"--exact-empties", "14", "--off-line", "1"},  // nothing to aim them at
             {"--exact-empties", "14", "--search-plies", "1", "--search-on-line", "0"},
             {"--exact-empties", "14", "--search-ahead", "1"},
             {"--exact-empties", "14", "--search-plies", "1", "--off-line", "1", "--search-ahead",
              "1"}}) {
        std::vector<std::string> args{"--games", "g.txt"};
        args.insert(args.end(), bad.begin(), bad.end());
        EXPECT_THROW(ParseTrainerOptions(args), EBadInput) << args[3];
    }
}

}  // namespace
