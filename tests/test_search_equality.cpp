// The engine's move choice against the plain step-by-step one (ReferenceChooseMove): in
// whole games of every level, thinking type and placement, on real games at every stage,
// in searches cut short by the position limit and in endgames read to the end, passes and
// wipe-outs included, the choice must leave every field exactly as the plain one does:
// the move, its value and comment, the position count, the per-ply tables, every
// snapshot with its key and remembered value, the key table and the random generator.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>

#include "BoardPicture.h"
#include "ReferenceSearch.h"
#include "engine/eval/untPatterns.h"
#include "engine/untRandom.h"
#include "engine/untSquareNames.h"

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr int kScale = 4;  // the instrumented build is many times slower
#else
constexpr int kScale = 1;
#endif

template <typename T, std::size_t N>
bool SameArray(const T (&a)[N], const T (&b)[N]) {
    return std::memcmp(a, b, sizeof a) == 0;
}

// The first field in which two engines differ, or success.
::testing::AssertionResult SameState(const TKyokumen& fast, const TKyokumen& plain) {
    auto differ = [](const std::string& field) {
        return ::testing::AssertionFailure() << "the engines differ in " << field;
    };
    if (fast.ChosenMove != plain.ChosenMove)
        return differ("ChosenMove: " + std::to_string(fast.ChosenMove) + " against " +
                      std::to_string(plain.ChosenMove));
    if (fast.ThinkComment != plain.ThinkComment)
        return differ("ThinkComment: '" + fast.ThinkComment + "' against '" + plain.ThinkComment +
                      "'");
    if (fast.EvalCount != plain.EvalCount)
        return differ("EvalCount: " + std::to_string(fast.EvalCount) + " against " +
                      std::to_string(plain.EvalCount));
    if (fast.BestValue != plain.BestValue) return differ("BestValue");
    if (std::memcmp(&fast.BestValueReal, &plain.BestValueReal, sizeof(double)) != 0)
        return differ("BestValueReal");
    if (fast.ChosenValue != plain.ChosenValue) return differ("ChosenValue");
    if (fast.BlackCount != plain.BlackCount || fast.WhiteCount != plain.WhiteCount)
        return differ("the disc counts");
    if (fast.EdgeRunsWhite != plain.EdgeRunsWhite || fast.EdgeRunsBlack != plain.EdgeRunsBlack)
        return differ("the edge run counters");
    if (fast.SearchPly != plain.SearchPly || fast.MaxPly != plain.MaxPly)
        return differ("SearchPly or MaxPly");
    if (fast.StackDepth != plain.StackDepth || fast.CurrentBoard - fast.Boards != 0 ||
        plain.CurrentBoard - plain.Boards != 0)
        return differ("the stack level");
    if (fast.MoveNumber != plain.MoveNumber || fast.WhiteToMove != plain.WhiteToMove ||
        fast.WhiteOut != plain.WhiteOut || fast.BlackOut != plain.BlackOut)
        return differ("MoveNumber, the side or the out flags");
    if (!SameArray(fast.Tejun, plain.Tejun)) return differ("Tejun");
    if (!SameArray(fast.PlyMax, plain.PlyMax) || !SameArray(fast.PlyMin, plain.PlyMin))
        return differ("PlyMax or PlyMin");
    if (!SameArray(fast.PlyMaxReal, plain.PlyMaxReal) ||
        !SameArray(fast.PlyMinReal, plain.PlyMinReal))
        return differ("PlyMaxReal or PlyMinReal");
    if (!SameArray(fast.PlyMobility, plain.PlyMobility)) return differ("PlyMobility");
    for (int i = 0; i < SNAPSHOTS; ++i) {
        const TBoard_Data &a = fast.Boards[i], &b = plain.Boards[i];
        const std::string board = "Boards[" + std::to_string(i) + "]";
        if (!SameArray(a.Cells, b.Cells)) return differ(board + ".Cells");
        if (a.Passed != b.Passed) return differ(board + ".Passed");
        if (a.Hash.Key != b.Hash.Key) return differ(board + ".Hash.Key");
        if (a.Hash.EndValue != b.Hash.EndValue) return differ(board + ".Hash.EndValue");
        if (a.Hash.ValueState != b.Hash.ValueState) return differ(board + ".Hash.ValueState");
    }
    if (fast.KeyTable != plain.KeyTable) return differ("KeyTable");
    return ::testing::AssertionSuccess();
}

// Two engines in the same state: one chooses with ChooseMove, the other with the plain
// version, each from the same state of the random generator.
struct TTwins {
    std::unique_ptr<TKyokumen> fast, plain;
    int choices = 0, cutByLimit = 0, readToTheEnd = 0;

    TTwins(uint32_t seed, uint8_t level, uint8_t type, int placement)
        : fast(NewEngine(seed)), plain(NewEngine(seed)) {
        for (TKyokumen* k : {fast.get(), plain.get()}) {
            k->PatternWeights = ShippedPatternValues();
            if (placement == 2) k->SetPlacement2();
            if (placement == 3) k->SetPlacement3();
            if (placement == 4) k->SetPlacement4();
            k->GameLevel = level;
            k->ThinkType = type;
        }
    }

    // Both choose from the same generator state; the generator's next draw must agree too.
    ::testing::AssertionResult Choose(uint32_t evalCount) {
        const uint32_t seed = Random(0xFFFFFFFFu);
        fast->EvalCount = plain->EvalCount = evalCount;
        RandSeed(seed);
        fast->ChooseMove();
        const uint32_t fastDraw = Random(0xFFFFFFFFu);
        RandSeed(seed);
        ReferenceChooseMove(*plain);
        const uint32_t plainDraw = Random(0xFFFFFFFFu);
        ++choices;
        cutByLimit += fast->EvalCount > NODE_LIMIT;
        readToTheEnd += fast->MoveNumber > 48;
        if (fastDraw != plainDraw)
            return ::testing::AssertionFailure() << "the random generators differ";
        return SameState(*fast, *plain);
    }

    // A game move on both, committed as the controller does.
    void Play(uint8_t square, bool white) {
        const uint32_t seed = Random(0xFFFFFFFFu);
        for (TKyokumen* k : {fast.get(), plain.get()}) {
            RandSeed(seed);
            k->WhiteToMove = white;
            k->MakeMove(square);
            k->Commit();
        }
    }

    std::string Where() const {
        return "level " + std::to_string(fast->GameLevel) + ", type " +
               std::to_string(fast->ThinkType) + ", move " + std::to_string(fast->MoveNumber) +
               "\n" + PictureOf(*fast);
    }
};

uint8_t RandomLegalSquare(const TKyokumen& k) {
    std::vector<uint8_t> legal;
    for (int square = 11; square <= 88; ++square)
        if (k.IsLegal(static_cast<uint8_t>(square))) legal.push_back(static_cast<uint8_t>(square));
    return legal.empty() ? 0 : legal[Random(static_cast<uint32_t>(legal.size()))];
}

// Plays a game in which black moves at random and white by the two choices, which must
// agree after every move. The key table of type D fills over the whole game. Every
// fifth choice starts close to the position limit, so that the limit cuts the search in
// the middle.
void PlayTwinGame(TTwins& twins) {
    for (;;) {
        twins.fast->WhiteToMove = false;
        const uint8_t black = RandomLegalSquare(*twins.fast);
        if (black != 0) twins.Play(black, false);
        twins.fast->WhiteToMove = true;
        if (!twins.fast->HasLegalMove()) {
            if (black == 0) return;
            continue;
        }
        const uint32_t evalCount = twins.choices % 5 == 4 ? NODE_LIMIT - Random(4000) : 0;
        ASSERT_TRUE(twins.Choose(evalCount)) << twins.Where();
        twins.Play(twins.fast->ChosenMove, true);
    }
}

TEST(SearchEquality, WholeGamesOfEveryLevelTypeAndPlacement) {
    RandSeed(2024);
    int choices = 0, cut = 0, endgames = 0;
    for (int game = 0; game < 96 / kScale; ++game) {
        const uint8_t level = static_cast<uint8_t>(1 + game % 4);
        const uint8_t type = static_cast<uint8_t>(1 + (game / 4) % 4);
        const int placement = 1 + (game / 16) % 4;
        TTwins twins(Random(1000000), level, type, placement);
        PlayTwinGame(twins);
        if (HasFatalFailure()) return;
        choices += twins.choices;
        cut += twins.cutByLimit;
        endgames += twins.readToTheEnd;
    }
    EXPECT_GT(choices, 2500 / kScale);
    EXPECT_GT(cut, 100 / kScale);
    EXPECT_GT(endgames, 200 / kScale);
}

// The positions of real games with white to move, every fourth move from move 5.
std::vector<std::pair<TReferenceBoard, int>> RealPositions(int games) {
    std::ifstream in(std::string(TOLVANEY_TEST_DATA) + "/games-sample.txt");
    std::vector<std::pair<TReferenceBoard, int>> positions;
    std::string line;
    for (int game = 0; game < games && std::getline(in, line); ++game)
        ReplayRecordOnBoard(
            line.substr(0, line.find(' ')), [&](const TReferenceBoard& board, int played) {
                if (board.toMove == 2 && !board.LegalSquares(2).empty() && (played + game) % 4 == 0)
                    positions.emplace_back(board, played);
                return true;
            });
    return positions;
}

TEST(SearchEquality, RealGamesAtEveryStageLevelAndType) {
    int compared = 0;
    const auto positions = RealPositions(120 / kScale);
    for (std::size_t i = 0; i < positions.size(); ++i) {
        const auto& [board, moveNumber] = positions[i];
        // The top level at every sixth position keeps the full-depth endgames affordable.
        const uint8_t level = static_cast<uint8_t>(i % 6 == 0 ? 4 : 2 + i % 2);
        for (uint8_t type = 1; type <= 4; ++type) {
            TTwins twins(static_cast<uint32_t>(i), level, type, 1);
            for (TKyokumen* k : {twins.fast.get(), twins.plain.get()})
                SetGameBoard(*k, board, moveNumber);
            RandSeed(static_cast<uint32_t>(i));
            ASSERT_TRUE(twins.Choose(0)) << twins.Where();
            ++compared;
        }
    }
    EXPECT_GT(compared, 2000 / kScale);
}

// Hand-made positions around the end of a game: a wipe-out inside the tree for either
// side, a pass before the last corner, a drawn finish, and a midgame reached by few discs.
TEST(SearchEquality, WipeOutsPassesAndFinishesAtEveryLevelAndType) {
    const struct {
        TPicture picture;
        int moveNumber;
    } positions[] = {
        {{"........", "........", "........", "..OXX...", "........", "...O....", "...O....",
          "........"},
         20},
        {{"........", "........", "........", "........", ".X.XO...", "........", "........",
          "........"},
         20},
        {{"OXXXXXX.", "XOXXXXXX", "XXOXXXXX", "XXXOXXXX", "XXXXOXXX", "XXXXXOXX", "XXXXXXOX",
          ".XXXXXXO"},
         58},
        {{"XXXXXXX.", "XXXXXXXO", "XXXXXXOO", "XXXXOOOO", "XXXXOOOO", "XXXOOOOO", "XXOOOOOO",
          "XOOOOOOO"},
         59},
        {{"XXO.....", "........", "........", "........", ".X.XO...", "........", "........",
          "........"},
         10},
    };
    for (const auto& [picture, moveNumber] : positions)
        for (uint8_t level = 2; level <= 4; ++level)
            for (uint8_t type = 1; type <= 4; ++type) {
                TTwins twins(static_cast<uint32_t>(moveNumber), level, type, 1);
                for (TKyokumen* k : {twins.fast.get(), twins.plain.get()})
                    SetGameBoard(*k, picture, moveNumber);
                ASSERT_TRUE(twins.Choose(0)) << twins.Where();
            }
}

}  // namespace
