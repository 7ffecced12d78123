// The six pattern table texts, as the program loads them: up to six parts separated by '|'.
// Whatever the texts hold, loading either succeeds or stops with the engine's own error,
// the evaluations and the learning step then run on what was loaded (values at the 32-bit
// limits included), and a table that loaded whole saves back to the same values.
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "FuzzCheck.h"
#include "engine/eval/untPatterns.h"
#include "engine/untEngineError.h"

namespace {

// Positions whose patterns read the loaded entries: the empty board selects index 0 of every
// instance (the entries that come first in the files), the others the usual shapes.
void EvaluateOn(TKyokumen& k, int32_t target) {
    for (const int moveNumber : {0, 25, 45}) {
        k.MoveNumber = static_cast<int16_t>(moveNumber);
        k.EvaluatePatterns();
        k.ChosenValue = target;
        k.LearnPatterns();
    }
    for (int square = 11; square <= 88; ++square)
        k.Boards[0].Cells[square] = IsBoardSquare(square) ? EMPTY : k.Boards[0].Cells[square];
    k.MoveNumber = 10;
    k.EvaluatePatterns();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string_view> parts = SplitInput(input, '|');
    std::array<std::string_view, 6> texts;
    for (std::size_t i = 0; i < texts.size() && i < parts.size(); ++i)
        texts[i] = parts[i];

    TKyokumen k;
    k.GameLevel = 4;
    bool whole = true;
    try {
        k.LoadPatternWeights(texts);
    } catch (const EEngineError&) {
        whole = false;
    }
    const auto loaded = std::make_unique<TPatternTable>(*k.PatternWeights);
    if (whole) {
        TKyokumen again;
        std::array<std::string, 6> saved;
        std::array<std::string_view, 6> views;
        for (int kind = FIRST_PATTERN_KIND; kind <= LAST_PATTERN_KIND; ++kind) {
            saved[kind - 1] = k.PatternFileText(kind);
            views[kind - 1] = saved[kind - 1];
        }
        again.LoadPatternWeights(views);
        FUZZ_CHECK(*again.PatternWeights == *loaded);
    }
    // The learning target from the input's first bytes, anything a typed target can be.
    uint32_t target = 0;
    for (std::size_t i = 0; i < 4 && i < size; ++i)
        target = target << 8 | data[i];
    EvaluateOn(k, static_cast<int32_t>(target));
    return 0;
}
