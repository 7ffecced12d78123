// The four searches: exact play in endgames read to the end (passes and wipe-outs
// included) against a plain minimax, equal values broken by the corner-first order, the
// position counter and the node limit, the key table of type D, the corner rule of type
// B, and searches leaving the engine as they found it.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>

#include "BoardPicture.h"
#include "ReferenceSearch.h"
#include "engine/untBitBoard.h"
#include "engine/untRandom.h"
#include "engine/untSquareNames.h"

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr int kScale = 4;  // the instrumented build is many times slower
#else
constexpr int kScale = 1;
#endif

const char* const kTypeNames[5] = {"", "A", "B", "C", "D"};

// A position with white to move, and how many moves led to it.
struct TEndgame {
    TReferenceBoard board;
    int moveNumber;
};

// Random games played to the given number of moves; kept where white is to move and
// has a move. Random play leaves many passes and some wipe-outs ahead.
std::vector<TEndgame> RandomEndgames(int count, int moveNumber, uint32_t seed) {
    RandSeed(seed);
    std::vector<TEndgame> endgames;
    while (static_cast<int>(endgames.size()) < count) {
        TReferenceBoard board = TReferenceBoard::Standard();
        int moves = 0;
        while (moves < moveNumber && board.PlayRandomMove())
            ++moves;
        if (moves == moveNumber && board.toMove == 2 && !board.LegalSquares(2).empty())
            endgames.push_back({board, moveNumber});
    }
    return endgames;
}

// The positions of real games after the given number of moves, where white is to move.
std::vector<TEndgame> RealEndgames(int moveNumber, int count) {
    std::ifstream in(std::string(TOLVANEY_TEST_DATA) + "/games-sample.txt");
    std::vector<TEndgame> endgames;
    std::string line;
    while (std::getline(in, line) && static_cast<int>(endgames.size()) < count)
        ReplayRecordOnBoard(
            line.substr(0, line.find(' ')), [&](const TReferenceBoard& board, int played) {
                if (played == moveNumber && board.toMove == 2 && !board.LegalSquares(2).empty())
                    endgames.push_back({board, moveNumber});
                return played < moveNumber;
            });
    return endgames;
}

// The exact value of each of white's moves, in the corner-first order.
std::vector<std::pair<int, int>> ExactRootValues(const TEndgame& endgame, const TKyokumen& k) {
    std::vector<std::pair<int, int>> values;
    for (int i = 1; i <= 64; ++i) {
        const int square = k.CornerFirstOrder[i];
        const int column = TReferenceBoard::ColumnOf(square), row = TReferenceBoard::RowOf(square);
        if (!endgame.board.IsLegal(column, row, 2)) continue;
        TReferenceBoard next = endgame.board;
        next.Play(column, row, 2);
        values.emplace_back(square, ExactValue(next, 1));
    }
    return values;
}

// Searches the position with the given thinking type at the top level (from move 50 the
// search reads to the end) and checks that the chosen move is the first optimal move in
// the corner-first order, with the optimal value. Returns false if the node limit cut it.
bool ExpectOptimalChoice(const TEndgame& endgame, const std::vector<std::pair<int, int>>& exact,
                         int thinkType) {
    auto k = NewEngine(static_cast<uint32_t>(thinkType));
    SetGameBoard(*k, endgame.board, endgame.moveNumber);
    k->GameLevel = 4;
    k->ThinkType = static_cast<uint8_t>(thinkType);
    k->ChooseMove();
    if (k->EvalCount > NODE_LIMIT) return false;

    int best = -100000, firstBest = 0, chosenValue = -100000;
    for (const auto& [square, value] : exact) {
        if (value > best) {
            best = value;
            firstBest = square;
        }
        if (square == k->ChosenMove) chosenValue = value;
    }
    const std::string where = std::string("type ") + kTypeNames[thinkType] + " at move " +
                              std::to_string(endgame.moveNumber) + "\n" + PictureOf(*k);
    EXPECT_EQ(chosenValue, best) << "chose " << SquareName(k->ChosenMove) << ", " << where;
    EXPECT_EQ(k->ChosenMove, firstBest) << where;
    if (thinkType == 2)
        EXPECT_EQ(k->BestValueReal, best == 1 ? 0.5 : best) << where;
    else
        EXPECT_EQ(k->BestValue, best) << where;
    return true;
}

TEST(EndgameSearch, EveryTypePlaysPerfectlyWhenReadingToTheEnd) {
    std::vector<TEndgame> endgames = RandomEndgames(60 / kScale, 52, 31);
    for (const TEndgame& e : RandomEndgames(24 / kScale, 50, 32))
        endgames.push_back(e);
    for (const TEndgame& e : RealEndgames(52, 30 / kScale))
        endgames.push_back(e);
    int searched = 0;
    const auto engine = NewEngine();
    for (const TEndgame& endgame : endgames) {
        const std::vector<std::pair<int, int>> exact = ExactRootValues(endgame, *engine);
        for (int type = 1; type <= 4; ++type)
            searched += ExpectOptimalChoice(endgame, exact, type);
    }
    EXPECT_GE(searched, static_cast<int>(endgames.size()) * 4 * 9 / 10);
}

// One search at the top level on a hand-made position, with white to move.
std::unique_ptr<TKyokumen> SearchPosition(const TPicture& picture, int moveNumber, int thinkType,
                                          int level = 4) {
    auto k = NewEngine();
    SetGameBoard(*k, picture, moveNumber);
    k->GameLevel = static_cast<uint8_t>(level);
    k->ThinkType = static_cast<uint8_t>(thinkType);
    k->ChooseMove();
    return k;
}

TEST(Search, SquaresAreVisitedInCornerFirstOrderFromTheBits) {
    const auto k = NewEngine();
    // Every square, then many random sets of squares (as legal moves come): each set is
    // visited as the corner-first order filtered to it, and a visit that answers false stops
    // the scan there.
    RandSeed(11);
    for (int trial = 0; trial < 2000; ++trial) {
        uint64_t squares = ~uint64_t{0};
        if (trial > 0)
            for (int half = 0; half < 2; ++half)
                squares &= uint64_t{Random(0xFFFFFFFFu)} << 32 | Random(0xFFFFFFFFu);
        const size_t stopAfter = trial % 3 == 2 ? 1 + Random(8) : 64;
        std::vector<uint8_t> visited;
        ForEachInCornerFirstOrder(squares, [&](int bit) {
            visited.push_back(static_cast<uint8_t>(SquareOfBit(bit)));
            return visited.size() < stopAfter;
        });
        std::vector<uint8_t> expected;
        for (int i = 1; i <= 64 && expected.size() < stopAfter; ++i)
            if (squares & MaskOf(k->CornerFirstOrder[i]))
                expected.push_back(k->CornerFirstOrder[i]);
        ASSERT_EQ(visited, expected) << "trial " << trial;
    }
}

TEST(Search, AWipeOutInsideTheTreeScoresAsAFinishedGame) {
    // In the midgame: white's e4 takes black's last two discs at once; nothing else comes
    // close to a finished game.
    const TPicture wipe = {"........", "........", "........", "..OXX...",
                           "........", "...O....", "...O....", "........"};
    for (int type = 1; type <= 4; ++type) {
        auto k = SearchPosition(wipe, 20, type);
        EXPECT_EQ(k->ChosenMove, SquareOf("f4")) << kTypeNames[type];
        if (type == 2)
            EXPECT_EQ(k->BestValueReal, 9999.0);
        else
            EXPECT_EQ(k->BestValue, 9999) << kTypeNames[type];
    }
    // White's only move, c5, lets black's f5 take all of white's discs.
    const TPicture lost = {"........", "........", "........", "........",
                           ".X.XO...", "........", "........", "........"};
    for (int type = 1; type <= 4; ++type) {
        auto k = SearchPosition(lost, 20, type);
        EXPECT_EQ(k->ChosenMove, SquareOf("c5")) << kTypeNames[type];
        if (type == 2)
            EXPECT_EQ(k->BestValueReal, -9999.0);
        else
            EXPECT_EQ(k->BestValue, -9999) << kTypeNames[type];
    }
}

TEST(Search, EqualValuesGoToTheFirstMoveInCornerFirstOrder) {
    // The last two empty squares, h1 and a8, mirror each other across the a1-h8 diagonal:
    // either move wins 40 to 24 once black has passed and white has taken the other. h1
    // comes first in the order.
    const TPicture twoCorners = {"OXXXXXX.", "XOXXXXXX", "XXOXXXXX", "XXXOXXXX",
                                 "XXXXOXXX", "XXXXXOXX", "XXXXXXOX", ".XXXXXXO"};
    for (int type = 1; type <= 4; ++type) {
        auto k = SearchPosition(twoCorners, 58, type);
        EXPECT_EQ(k->ChosenMove, SquareOf("h1")) << kTypeNames[type];
        if (type != 2) {
            EXPECT_EQ(k->BestValue, 16) << kTypeNames[type];
        }
    }
}

TEST(Search, EvalCountCountsEveryGeneratedPosition) {
    // White has exactly one move; at level 2 the search reads two plies: the move and each
    // of black's replies, none pruned because the root has no finished child yet.
    const TPicture oneMove = {"XXO.....", "........", "........", "........",
                              ".X.XO...", "........", "........", "........"};
    for (int type = 1; type <= 4; ++type) {
        auto k = NewEngine();
        SetGameBoard(*k, oneMove, 10);
        k->GameLevel = 2;
        k->ThinkType = static_cast<uint8_t>(type);
        k->WhiteToMove = true;
        int whiteMoves = 0, replies = 0;
        uint8_t only = 0;
        for (int square = 11; square <= 88; ++square)
            if (k->IsLegal(static_cast<uint8_t>(square))) {
                ++whiteMoves;
                only = static_cast<uint8_t>(square);
            }
        ASSERT_EQ(whiteMoves, 1);
        k->MakeMove(only);
        k->WhiteToMove = false;
        for (int square = 11; square <= 88; ++square)
            replies += k->IsLegal(static_cast<uint8_t>(square));
        k->UndoMove();
        k->EvalCount = 100;
        k->ChooseMove();
        EXPECT_EQ(k->ChosenMove, only);
        EXPECT_EQ(k->EvalCount, 100u + 1u + static_cast<uint32_t>(replies)) << kTypeNames[type];
    }
}

TEST(Search, ThePositionLimitFallsBackToTheRandomChoice) {
    auto k = NewEngine();
    k->MakeMove(SquareOf("f5"));
    k->Commit();
    k->Placement = 3;  // no fixed reply: the search must run
    k->GameLevel = 4;
    k->ThinkType = 1;
    k->EvalCount = NODE_LIMIT + 1;
    k->ChooseMove();
    EXPECT_EQ(k->ThinkComment, "Game_Level = ランダム");
    EXPECT_TRUE(k->IsLegal(k->ChosenMove));
    EXPECT_GT(k->EvalCount, NODE_LIMIT + 1);
}

TEST(Search, AHugeSearchStopsNearThePositionLimit) {
    auto k = NewEngine();
    const TPicture open = {"........", "........", "..XOX...", "..OXO...",
                           "..XOX...", "..OXO...", "........", "........"};
    SetGameBoard(*k, open, 49);  // reads eleven plies: far more than the limit allows
    k->GameLevel = 4;
    for (int type = 1; type <= 4; ++type) {
        k->ThinkType = static_cast<uint8_t>(type);
        k->EvalCount = 0;
        k->WhiteOut = false;
        k->ChooseMove();
        EXPECT_EQ(k->MaxPly, 11);
        EXPECT_GT(k->EvalCount, NODE_LIMIT) << kTypeNames[type];
        EXPECT_LT(k->EvalCount, NODE_LIMIT + 64 * 11) << kTypeNames[type];
        EXPECT_NE(k->ChosenMove, 0);
        EXPECT_EQ(k->StackDepth, 1);
        EXPECT_EQ(k->MoveNumber, 49);
    }
}

// Runs one node of SearchD at ply 2 for black, with the parent's bounds and the node's
// remembered value set by the test; returns whether the node was searched.
bool KeyedNodeIsSearched(int32_t endValue, uint8_t valueState, int16_t parentMax, bool keyInTable) {
    auto k = NewEngine();
    k->GameLevel = 4;
    k->MoveNumber = 20;
    k->MaxPly = 3;
    k->SearchPly = 1;  // the node runs at ply 2
    k->PlyMax[1] = parentMax;
    k->PlyMin[1] = -50;
    THashTable& hash = k->CurrentBoard->Hash;
    hash.Key = 0x123456789ABCDEFull;
    hash.EndValue = endValue;
    hash.ValueState = valueState;
    if (keyInTable) k->KeyTable[hash.Key & 0xFFFF] = hash.Key;
    const int16_t value = k->SearchD();
    if (k->EvalCount == 0) {
        EXPECT_EQ(value, static_cast<int16_t>(endValue));
    }
    return k->EvalCount > 0;
}

TEST(SearchD, ARememberedFinalValueOnTheCuttingSideReturnsAtOnce) {
    EXPECT_FALSE(KeyedNodeIsSearched(10, 0, 20, true));  // black node: below the parent's max
    EXPECT_TRUE(KeyedNodeIsSearched(30, 0, 20, true));   // not on the cutting side
    EXPECT_TRUE(KeyedNodeIsSearched(20, 0, 20, true));   // equal does not cut
    EXPECT_TRUE(KeyedNodeIsSearched(10, 1, 20, true));   // a running minimum is not final
    EXPECT_TRUE(KeyedNodeIsSearched(10, 2, 20, true));   // nor a running maximum
    EXPECT_TRUE(KeyedNodeIsSearched(10, 0, 20, false));  // the key is not in the table
}

TEST(SearchD, RemembersTheRootAndTheNodesItFinished) {
    auto k = NewEngine();
    k->MakeMove(SquareOf("f5"));
    k->Commit();
    k->WhiteToMove = true;
    k->MakeMove(SquareOf("d6"));
    k->Commit();
    k->WhiteToMove = false;
    k->MakeMove(SquareOf("c3"));
    k->Commit();
    k->GameLevel = 4;
    k->ThinkType = 4;
    k->ChooseMove();
    uint64_t rootKey = 0;
    for (int square = 11; square <= 88; ++square)
        if (IsBoardSquare(square))
            rootKey ^= k->Boards[0].Hash.Keys[k->Boards[0].Cells[square]][square];
    EXPECT_EQ(k->KeyTable[rootKey & 0xFFFF], rootKey);
    // Every node below the root leaves its key behind when it is finished.
    int stored = 0, rootMoves = 0;
    for (const uint64_t key : k->KeyTable)
        stored += key != 0;
    for (int square = 11; square <= 88; ++square)
        rootMoves += k->IsLegal(static_cast<uint8_t>(square));
    EXPECT_GE(stored, 1 + rootMoves);
}

TEST(SearchB, CornersAreNotTriedAtPlyFiveInTheFirstThirtyMoves) {
    // White's moves here: the corner a1 and two others. The node is searched at ply 5.
    const TPicture picture = {".XO.....", "........", "........", "...XO...",
                              "....X...", "........", "........", "........"};
    for (const auto& [moveNumber, expectedChildren] : {std::pair{30, 2}, std::pair{31, 3}}) {
        auto k = NewEngine();
        SetGameBoard(*k, picture, moveNumber);
        k->WhiteToMove = true;
        int legal = 0;
        for (int square = 11; square <= 88; ++square)
            legal += k->IsLegal(static_cast<uint8_t>(square));
        ASSERT_EQ(legal, 3);
        ASSERT_TRUE(k->IsLegal(SquareOf("a1")));
        k->GameLevel = 4;
        k->MaxPly = 5;
        k->SearchPly = 4;
        k->SearchB();
        EXPECT_EQ(k->EvalCount, static_cast<uint32_t>(expectedChildren)) << "move " << moveNumber;
    }
}

TEST(SearchB, ADrawnFinishScoresOneHalf) {
    // The last empty square: white's h1 ends the game 32 to 32.
    const TPicture draw = {"XXXXXXX.", "XXXXXXXO", "XXXXXXOO", "XXXXOOOO",
                           "XXXXOOOO", "XXXOOOOO", "XXOOOOOO", "XOOOOOOO"};
    auto k = SearchPosition(draw, 59, 2);
    EXPECT_EQ(k->ChosenMove, SquareOf("h1"));
    EXPECT_EQ(k->BestValueReal, 0.5);
    EXPECT_EQ(k->ThinkComment,
              " GameLevel = 上級 Max = 0.5 Tejun = 11,0,0,0,0,0 AI Type = B 完全読み");
    auto a = SearchPosition(draw, 59, 1);
    EXPECT_EQ(a->BestValue, 1);
    EXPECT_EQ(a->ThinkComment,
              " GameLevel = 上級 Max = 1 Tejun = 11,0,0,0,0,0 AI Type = A 完全読み");
}

// Plays random games where white's moves come from ChooseMove of every level and type and
// checks the engine is left as it was found after every choice.
TEST(Search, SearchesLeaveStackMoveNumberAndSideAsTheyFoundThem) {
    RandSeed(123);
    int choices = 0;
    for (int game = 0; game < 16 / kScale; ++game) {
        auto k = std::make_unique<TKyokumen>();
        k->GameLevel = static_cast<uint8_t>(1 + game % 4);
        k->ThinkType = static_cast<uint8_t>(1 + (game / 4) % 4);
        for (;;) {
            k->WhiteToMove = false;
            const bool blackMoves = k->HasLegalMove();
            if (blackMoves) {
                std::vector<int> legal;
                for (int square = 11; square <= 88; ++square)
                    if (k->IsLegal(static_cast<uint8_t>(square))) legal.push_back(square);
                k->MakeMove(
                    static_cast<uint8_t>(legal[Random(static_cast<uint32_t>(legal.size()))]));
                k->Commit();
            }
            k->WhiteToMove = true;
            if (!k->HasLegalMove()) {
                if (!blackMoves) break;
                continue;
            }
            const TBoard_Data before = k->Boards[0];
            const int16_t moveNumber = k->MoveNumber;
            k->EvalCount = 0;
            k->ChooseMove();
            ++choices;
            ASSERT_EQ(k->StackDepth, 1);
            ASSERT_EQ(k->CurrentBoard, &k->Boards[0]);
            ASSERT_EQ(k->MoveNumber, moveNumber);
            ASSERT_TRUE(k->WhiteToMove);
            ASSERT_EQ(std::memcmp(k->Boards[0].Cells, before.Cells, sizeof before.Cells), 0);
            ASSERT_TRUE(k->IsLegal(k->ChosenMove)) << int(k->ChosenMove);
            ASSERT_LE(k->EvalCount, NODE_LIMIT + 1000);
            k->MakeMove(k->ChosenMove);
            k->Commit();
        }
    }
    EXPECT_GT(choices, 200 / kScale);
}

}  // namespace
