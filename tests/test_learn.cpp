// Learning from a game record on the engine alone, with pattern values at the limits of
// their 32-bit range.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "BoardPicture.h"
#include "engine/eval/untPatterns.h"
#include "engine/untSquareNames.h"
#include "learn/untLearn.h"

namespace {

using TEntry = std::pair<int, uint16_t>;  // pattern kind and index

// The pattern entries a position selects, and its pattern value with empty tables.
struct TPositionEntries {
    std::vector<TEntry> entries;
    int32_t handValue = 0;
};

TPositionEntries EntriesAfter(const std::vector<uint8_t>& moves) {
    auto k = NewEngine();
    k->GameLevel = 4;
    for (std::size_t n = 0; n < moves.size(); ++n) {
        k->WhiteToMove = n % 2 == 1;
        k->MakeMove(moves[n]);
        k->Commit();
    }
    TPositionEntries result;
    for (const TPatternInstance& instance : kPatternInstances)
        result.entries.emplace_back(instance.kind, k->PatternIndex(instance));
    result.handValue = k->EvaluatePatterns();
    return result;
}

// An entry of the first position that the second does not select (and that is not the
// all-empty pattern, which learning never moves).
TEntry EntryOnlyIn(const TPositionEntries& first, const TPositionEntries& second) {
    const std::set<TEntry> others(second.entries.begin(), second.entries.end());
    for (const TEntry& entry : first.entries)
        if (entry.second != 0 && !others.count(entry)) return entry;
    ADD_FAILURE() << "no entry of its own";
    return {};
}

// The table value that makes a position's pattern evaluation wrap round to the given value.
int32_t ValueGiving(int32_t evaluation, int32_t handValue) {
    return static_cast<int32_t>(static_cast<uint32_t>(evaluation) -
                                static_cast<uint32_t>(handValue));
}

// f5 d6: white's recorded d6 is not the computer's fixed reply to f5, so the replay raises the
// position after d6 (target: evaluation + 1) and then lowers the one after f5 (evaluation - 3).
// With those evaluations at the 32-bit limits the targets stay at the limits instead of
// wrapping round (the sanitizer build fails on any overflow), and the replay goes on to the
// record's end.
TEST(TrainOnRecord, TargetsNextToThe32BitLimitsDoNotWrap) {
    std::string error;
    const auto moves = ParseTrainingRecord("f5d6c3d3", error);
    ASSERT_TRUE(moves) << error;
    const TPositionEntries afterF5 = EntriesAfter({moves->begin(), moves->begin() + 1});
    const TPositionEntries afterD6 = EntriesAfter({moves->begin(), moves->begin() + 2});

    auto k = NewEngine();
    k->GameLevel = 4;
    k->ThinkType = 3;
    TPatternTable& table = *k->PatternWeights;
    const TEntry raised = EntryOnlyIn(afterD6, afterF5), lowered = EntryOnlyIn(afterF5, afterD6);
    table[raised.first][raised.second][0] = ValueGiving(INT32_MAX, afterD6.handValue);
    table[lowered.first][lowered.second][0] = ValueGiving(INT32_MIN + 1, afterF5.handValue);

    const int32_t raisedValue = table[raised.first][raised.second][0];
    int32_t raisedAtSecondTrial = 0;
    const TTrainingResult result = TrainOnRecord(*k, *moves, [&](int moveNumber, int margin) {
        if (moveNumber == 2 && margin == 3)
            raisedAtSecondTrial = table[raised.first][raised.second][0];
    });
    // The raising target could not go above the evaluation, so the first raising pass left
    // the entry alone (a target wrapped round to the lowest value would have pulled it down).
    EXPECT_EQ(raisedAtSecondTrial, raisedValue);
    EXPECT_EQ(k->MoveNumber, 4);
    EXPECT_EQ(k->Boards[0].Cells[SquareOf("d3")], WHITE);
    EXPECT_GE(result.k, 1);
}

}  // namespace
