// Pattern tables: the text format, loading and saving, the learning step, carrying the
// values into a new engine, the 22 pattern instances and the pattern evaluation.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "BoardPicture.h"
#include "RuleSums.h"
#include "engine/eval/untEvalTerms.h"
#include "engine/eval/untPatterns.h"
#include "engine/untEngineError.h"
#include "engine/untRandom.h"
#include "engine/untTextFile.h"

namespace {

namespace fs = std::filesystem;

// A fresh temporary folder for one test, removed afterwards.
class TempFolder {
public:
    TempFolder() {
        path_ =
            fs::temp_directory_path() /
            ("tolvaney-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~TempFolder() { fs::remove_all(path_); }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

// Six table texts with distinct values: entry (kind, index, stage) holds a value that
// encodes all three, so a value in the wrong place shows.
std::array<std::string, 6> NumberedTables(const char* lineEnd = "\r\n") {
    std::array<std::string, 6> texts;
    for (int kind = 1; kind <= 6; ++kind)
        for (int line = 0; line < PATTERN_FILE_LINES; ++line)
            texts[kind - 1] +=
                std::to_string((line % 2 ? -1 : 1) * (kind * 100000 + line)) + lineEnd;
    return texts;
}

std::array<std::string_view, 6> Views(const std::array<std::string, 6>& texts) {
    std::array<std::string_view, 6> views;
    for (int i = 0; i < 6; ++i)
        views[i] = texts[i];
    return views;
}

int32_t Expected(int kind, int index, int stage) {
    const int line = stage * PATTERN_INDICES + index;
    return (line % 2 ? -1 : 1) * (kind * 100000 + line);
}

TEST(PatternFiles, LoadFillsEveryKindStageAndIndexAndSavingGivesTheSameBytes) {
    auto k = NewEngine();
    const std::array<std::string, 6> texts = NumberedTables();
    k->LoadPatternWeights(Views(texts));
    const TPatternTable& table = *k->PatternWeights;
    for (int kind = 1; kind <= 6; ++kind)
        for (const int index : {0, 1, 3280, 6560})
            for (int stage = 0; stage < 3; ++stage)
                ASSERT_EQ(table[kind][index][stage], Expected(kind, index, stage));
    for (int index = 0; index < PATTERN_INDICES; ++index)
        for (int stage = 0; stage < 3; ++stage)
            ASSERT_EQ(table[0][index][stage], 0);
    for (int kind = 1; kind <= 6; ++kind)
        EXPECT_EQ(k->PatternFileText(kind), texts[kind - 1]);

    TempFolder folder;
    for (int kind = 1; kind <= 6; ++kind)
        k->SavePatternFile(kind, folder.path());
    for (int kind = 1; kind <= 6; ++kind)
        EXPECT_EQ(ReadTextFile(folder.path() / PatternFileName(kind)), texts[kind - 1]) << kind;
    EXPECT_EQ(PatternFileName(3), "学習_3.dat");
}

TEST(PatternFiles, AnyLineEndIsAcceptedAndExtraLinesAreIgnored) {
    for (const char* lineEnd : {"\n", "\r", "\r\n"}) {
        auto k = NewEngine();
        std::array<std::string, 6> texts = NumberedTables(lineEnd);
        texts[2] += "12345\r\nnot a number\r\n";
        k->LoadPatternWeights(Views(texts));
        EXPECT_EQ((*k->PatternWeights)[6][6560][2], Expected(6, 6560, 2));
        EXPECT_EQ(k->PatternFileText(3), NumberedTables()[2]);
    }
}

TEST(PatternFiles, ABadEntryStopsTheLoadingAndNamesTableAndLine) {
    // Entries are loaded index by index across the kinds and stages, so a fault stops at
    // an entry in the middle: everything loaded before it stays, everything after it is 0.
    std::array<std::string, 6> texts = NumberedTables();
    const std::size_t line6563 = [&] {
        std::size_t at = 0;
        for (int i = 0; i < 6562; ++i)
            at = texts[3].find("\r\n", at) + 2;
        return at;
    }();
    texts[3].replace(line6563, texts[3].find("\r\n", line6563) - line6563, "12x");
    auto k = NewEngine();
    try {
        k->LoadPatternWeights(Views(texts));
        FAIL() << "the bad entry must be reported";
    } catch (const EEngineError& error) {
        const std::string message = error.what();
        EXPECT_NE(message.find("LoadPatternWeights"), std::string::npos) << message;
        EXPECT_NE(message.find("TEXTDATA4, line 6563"), std::string::npos) << message;
        EXPECT_NE(message.find("12x"), std::string::npos) << message;
    }
    const TPatternTable& table = *k->PatternWeights;
    EXPECT_EQ(table[6][0][2], Expected(6, 0, 2));  // index 0 was loaded whole
    EXPECT_EQ(table[3][1][1], Expected(3, 1, 1));  // kinds before the fault at index 1
    EXPECT_EQ(table[4][1][0], Expected(4, 1, 0));  // stage 0 of index 1 came first
    EXPECT_EQ(table[4][1][1], 0);                  // the bad entry
    EXPECT_EQ(table[5][1][1], 0);                  // after it
    EXPECT_EQ(table[1][1][2], 0);
    EXPECT_EQ(table[1][2][0], 0);
}

TEST(PatternFiles, AShortTableStopsAtItsFirstMissingLine) {
    std::array<std::string, 6> texts = NumberedTables();
    texts[0].resize(texts[0].find("\r\n") + 2);  // one line only
    auto k = NewEngine();
    EXPECT_THROW(
        try { k->LoadPatternWeights(Views(texts)); } catch (const EEngineError& error) {
            EXPECT_NE(std::string(error.what()).find("TEXTDATA1, line 6562 is missing"),
                      std::string::npos)
                << error.what();
            throw;
        },
        EEngineError);
    const TPatternTable& table = *k->PatternWeights;
    EXPECT_EQ(table[6][0][0], Expected(6, 0, 0));
    EXPECT_EQ(table[1][0][1], 0);
    EXPECT_EQ(table[1][1][0], 0);
}

TEST(PatternFiles, AFailedSaveReportsItAndLeavesNothingHalfWritten) {
    TempFolder folder;
    auto k = NewEngine();
    (*k->PatternWeights)[2][5][1] = 7;
    EXPECT_THROW(k->SavePatternFile(2, folder.path() / "no-such-folder"), EEngineError);

    // A directory where the file should go: the rename fails and the directory stays.
    fs::create_directory(folder.path() / PatternFileName(2));
    fs::create_directory(folder.path() / PatternFileName(2) / "inside");
    try {
        k->SavePatternFile(2, folder.path());
        FAIL() << "the failed save must be reported";
    } catch (const EEngineError& error) {
        EXPECT_NE(std::string(error.what()).find("SavePatternFile"), std::string::npos);
    }
    EXPECT_TRUE(fs::is_directory(folder.path() / PatternFileName(2) / "inside"));
    for (const auto& entry : fs::directory_iterator(folder.path()))
        EXPECT_EQ(entry.path().filename(), PatternFileName(2)) << "left behind: " << entry.path();

    // An existing file is replaced whole.
    fs::remove_all(folder.path() / PatternFileName(2));
    std::ofstream(folder.path() / PatternFileName(2)) << "old contents that are much longer";
    k->SavePatternFile(2, folder.path());
    EXPECT_EQ(ReadTextFile(folder.path() / PatternFileName(2)), k->PatternFileText(2));
}

TEST(ShippedTables, LoadAndSaveBackByteForByteWithinTheLearnedRange) {
    std::array<std::string, 6> texts;
    for (int kind = 1; kind <= 6; ++kind)
        texts[kind - 1] = ReadTextFile(fs::path(TOLVANEY_RESOURCES) / PatternResourceName(kind));
    auto k = NewEngine();
    k->LoadPatternWeights(Views(texts));
    const TPatternTable& table = *k->PatternWeights;
    for (int kind = 1; kind <= 6; ++kind) {
        EXPECT_EQ(k->PatternFileText(kind), texts[kind - 1]) << kind;
        for (int stage = 0; stage < 3; ++stage) {
            EXPECT_EQ(table[kind][0][stage], 0) << "the all-empty entry of kind " << kind;
            for (int index = 0; index < PATTERN_INDICES; ++index) {
                ASSERT_GE(table[kind][index][stage], -20);
                ASSERT_LE(table[kind][index][stage], 20);
            }
        }
    }
}

TEST(AdjustPatternValue, StepsAreClampedAndTheEmptyPatternNeverMoves) {
    auto k = NewEngine();
    TPatternTable& table = *k->PatternWeights;
    const struct {
        int32_t start, delta, expected;
    } cases[] = {{18, 5, 20}, {3, -50, -20},  {-16, 1, -15},       {30, -1, 20},
                 {7, 0, 7},   {-20, -1, -20}, {2147483647, 10, 20}};
    for (const auto& c : cases) {
        table[3][100][1] = c.start;
        k->AdjustPatternValue(3, c.delta, 1, 100);
        EXPECT_EQ(table[3][100][1], c.expected) << c.start << " + " << c.delta;
    }
    table[3][0][1] = 4;
    k->AdjustPatternValue(3, 1000, 1, 0);
    EXPECT_EQ(table[3][0][1], 4);
    EXPECT_THROW(k->AdjustPatternValue(0, 1, 0, 5), EEngineError);
    EXPECT_THROW(k->AdjustPatternValue(7, 1, 0, 5), EEngineError);
    EXPECT_THROW(k->AdjustPatternValue(1, 1, 3, 5), EEngineError);
    EXPECT_THROW(k->AdjustPatternValue(1, 1, 0, 6561), EEngineError);
}

TEST(CarryPatternWeights, CopiesTheSixKindsIntoTheNewEngine) {
    auto old = NewEngine();
    RandSeed(4);
    for (auto& kind : *old->PatternWeights)
        for (auto& index : kind)
            for (int32_t& value : index)
                value = static_cast<int32_t>(Random(41)) - 20;
    auto fresh = NewEngine();
    CarryPatternWeights(*old, *fresh);
    for (int kind = 1; kind <= 6; ++kind)
        EXPECT_EQ((*fresh->PatternWeights)[kind], (*old->PatternWeights)[kind]);
    for (int index = 0; index < PATTERN_INDICES; ++index)
        for (int stage = 0; stage < 3; ++stage)
            ASSERT_EQ((*fresh->PatternWeights)[0][index][stage], 0);
    EXPECT_NE(fresh->PatternWeights, old->PatternWeights);  // a copy, not the same table
}

TEST(Stages, MoveNumbersSelectTheirStage) {
    const struct { int mv, stage; } cases[] = {{0, 0}, {20, 0}, {21, 1}, {40, 1}, {41, 2}, {60, 2}};
    for (const auto& c : cases)
        EXPECT_EQ(StageOf(c.mv), c.stage) << c.mv;
}

// The board's eight symmetries acting on (column, row), 0-based from a1.
using TSymmetry = std::pair<int, int> (*)(int, int);
const TSymmetry kSymmetries[8] = {
    [](int c, int r) {
        return std::pair{c, r};
    },
    [](int c, int r) {
        return std::pair{7 - c, r};
    },
    [](int c, int r) {
        return std::pair{c, 7 - r};
    },
    [](int c, int r) {
        return std::pair{7 - c, 7 - r};
    },
    [](int c, int r) {
        return std::pair{r, c};
    },
    [](int c, int r) {
        return std::pair{7 - r, c};
    },
    [](int c, int r) {
        return std::pair{r, 7 - c};
    },
    [](int c, int r) {
        return std::pair{7 - r, 7 - c};
    },
};

int Map(TSymmetry symmetry, int square) {
    const auto [c, r] = symmetry(8 - square / 10, square % 10 - 1);
    return 10 * (8 - c) + r + 1;
}

TEST(PatternInstances, EachIsAnImageOfTheFirstOfItsKindDigitOrderIncluded) {
    int checked = 0;
    for (const TPatternInstance& instance : kPatternInstances) {
        const TPatternInstance* first = nullptr;
        for (const TPatternInstance& candidate : kPatternInstances)
            if (candidate.kind == instance.kind) {
                first = &candidate;
                break;
            }
        ASSERT_EQ(instance.squareCount, first->squareCount);
        bool isImage = false;
        for (const TSymmetry symmetry : kSymmetries) {
            bool matches = true;
            for (int i = 0; i < instance.squareCount; ++i)
                matches = matches && Map(symmetry, first->squares[i]) == instance.squares[i];
            isImage = isImage || matches;
        }
        EXPECT_TRUE(isImage) << "instance " << checked;
        ++checked;
    }
    EXPECT_EQ(checked, 22);
}

TEST(PatternIndex, StartPositionAndHandBuiltShapes) {
    auto k = NewEngine();
    const uint16_t central[] = {612, 468, 171, 99, 171, 99};
    for (int i = 0; i < 22; ++i) {
        const uint16_t expected = i < 16 ? 0 : central[i - 16];
        EXPECT_EQ(k->PatternIndex(kPatternInstances[i]), expected) << "instance " << i;
    }

    SetGameBoard(*k,
                 {"XXXXXXXX", "........", "........", "........", "........", "........",
                  "........", "OOOOOOOO"},
                 30);
    EXPECT_EQ(k->PatternIndex(kPatternInstances[8]), 3280);   // EDGE 1, row 1 all black
    EXPECT_EQ(k->PatternIndex(kPatternInstances[10]), 6560);  // EDGE 3, row 8 all white
    // EDGE 2 runs from h1 (black, the top digit) to h8 (white, the last digit).
    EXPECT_EQ(k->PatternIndex(kPatternInstances[9]), 2187 + 2);

    SetGameBoard(*k,
                 {"O.......", "........", "..X.....", "........", "........", "........",
                  "........", "........"},
                 30);
    EXPECT_EQ(k->PatternIndex(kPatternInstances[12]), 2 * 2187 + 3);  // a1 white, c3 black
}

TEST(PatternIndex, AllIndexesAtOnceAgreeWithOneByOneOnRandomBoards) {
    auto k = NewEngine();
    RandSeed(17);
    for (int trial = 0; trial < 2000; ++trial) {
        for (int square = 11; square <= 88; ++square)
            if (IsBoardSquare(square)) k->Boards[0].Cells[square] = static_cast<uint8_t>(Random(3));
        uint16_t indexes[22];
        AllPatternIndexes(BitsOf(k->CurrentBoard->Cells), indexes);
        for (int i = 0; i < 22; ++i)
            ASSERT_EQ(indexes[i], k->PatternIndex(kPatternInstances[i])) << i;
    }
}

TEST(EvaluatePatterns, AddsTheValueOfEveryInstanceForTheStage) {
    auto k = NewEngine();
    k->GameLevel = 4;
    // In the start position the four BLOCK instances read 171, 99, 171, 99: a value at
    // BLOCK 171 counts twice, at the stage of the move number.
    TPatternTable& table = *k->PatternWeights;
    table[BLOCK][171][0] = 3;
    table[BLOCK][99][1] = 5;
    table[CENTER][612][2] = -7;
    EXPECT_EQ(k->EvaluatePatterns(), 6);  // move 0, stage 0
    k->MoveNumber = 20;
    EXPECT_EQ(k->EvaluatePatterns(), 6);
    k->MoveNumber = 21;
    EXPECT_EQ(k->EvaluatePatterns(), 10);
    k->MoveNumber = 40;
    EXPECT_EQ(k->EvaluatePatterns(), 10);
    k->MoveNumber = 41;
    EXPECT_EQ(k->EvaluatePatterns(), -7);

    k->AdjustPatternValue(CENTER, 2, 2, 612);
    EXPECT_EQ(k->EvaluatePatterns(), -5);
    // In the last moves only the discs count.
    k->MoveNumber = 58;
    EXPECT_EQ(k->EvaluatePatterns(), 1);
}

TEST(EvaluatePatterns, TheLastMovesScoreThePlainDiscDifference) {
    auto k = NewEngine();
    (*k->PatternWeights)[EDGE][6560][2] = 20;
    const TPicture full = {"OOOOOOOO", "OOOOOOOO", "OOOOOOOO", "OOOOOOOO",
                           "OOOOOOO.", "XXXXXXXX", "XXXXXXXX", "XXXXXXX."};
    for (const int mv : {58, 59, 60}) {
        SetGameBoard(*k, full, mv);
        EXPECT_EQ(k->EvaluatePatterns(), 39 - 23) << mv;
    }
    SetGameBoard(*k, full, 57);
    EXPECT_NE(k->EvaluatePatterns(), 39 - 23);
}

TEST(EvaluateD, StartPositionAndTheEdgeDiscBalance) {
    auto k = NewEngine();
    k->GameLevel = 4;
    EXPECT_EQ(k->EvaluateD(), 1);

    // 20 white and 15 black discs at move 31, white holding 6 edge squares and black 4;
    // the edge discs stand on C squares and corners, which no level-dependent rule sees.
    const TPicture picture = {".O....O.", "O.OOOO.O", "..OOOO..", "..OOXX..",
                              "..XXXXO.", "..XXOO..", "O.XXXO.O", "XX....XX"};
    SetGameBoard(*k, picture, 31);
    k->GameLevel = 4;
    const int16_t withBalance = k->EvaluateD();
    ASSERT_EQ(k->WhiteCount, 20);
    ASSERT_EQ(k->BlackCount, 15);
    k->GameLevel = 3;  // no balance terms below the top level, and no noise after move 30
    const int16_t withoutBalance = k->EvaluateD();
    EXPECT_EQ(withBalance - withoutBalance, -5 - 4);
}

TEST(EvaluateD, CSquareRulesCountOncePerCornerOrShape) {
    auto k = NewEngine();
    const TPicture blackCs = {"......XO", ".......X", "........", "...OX...",
                              "...XO...", "........", "........", "........"};
    const TPicture oneBlackC = {"......XO", "........", "........", "...OX...",
                                "...XO...", "........", "........", "........"};
    // Move 45: W11 = 16, once for the corner however many of its C squares are black.
    SetGameBoard(*k, blackCs, 45);
    const int bothTerms =
        16 * SumOverCorners(k->CurrentBoard->Cells, EvalTerms::OpponentCSquaresOnce);
    SetGameBoard(*k, oneBlackC, 45);
    EXPECT_EQ(16 * SumOverCorners(k->CurrentBoard->Cells, EvalTerms::OpponentCSquaresOnce),
              bothTerms);
    EXPECT_EQ(bothTerms, -16);

    const TPicture backed = {".......O", "........", ".......O", "........",
                             "........", ".......X", "........", ".......X"};
    SetGameBoard(*k, backed, 45);
    // White h1 with h2 empty and h3 white costs once; black h8 with h7 empty and h6 black
    // gains once; g1 and g8 have nothing beyond them.
    EXPECT_EQ(6 * SumOverCorners(k->CurrentBoard->Cells, EvalTerms::EmptyCSquaresInsideOwnEdge),
              -6 + 6);
    SetGameBoard(*k,
                 {".......O", "........", ".......O", "........", "........", "........",
                  "........", "........"},
                 45);
    EXPECT_EQ(6 * SumOverCorners(k->CurrentBoard->Cells, EvalTerms::EmptyCSquaresInsideOwnEdge),
              -6);
}

}  // namespace
