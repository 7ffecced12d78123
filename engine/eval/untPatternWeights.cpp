// The pattern value tables: loading the six shipped tables, saving one kind, the learning
// step, and carrying the values from one game's engine into the next.
#include <algorithm>

#include "engine/eval/untPatterns.h"
#include "engine/untEngineError.h"
#include "engine/untTextFile.h"

namespace {

// +1 to raise the evaluation towards the target, -1 to lower it, 0 when it is reached.
int32_t Direction(int32_t target, int32_t evaluation) {
    return target > evaluation ? 1 : target < evaluation ? -1 : 0;
}

constexpr int kSecondCenter = 17, kLastBlock = 21;  // positions in the instance table

}  // namespace

std::string PatternResourceName(int kind) {
    return "TEXTDATA" + std::to_string(kind);
}

std::string PatternFileName(int kind) {
    return "学習_" + std::to_string(kind) + ".dat";
}

void CarryPatternWeights(const TKyokumen& from, TKyokumen& to) {
    for (int kind = FIRST_PATTERN_KIND; kind <= LAST_PATTERN_KIND; ++kind)
        (*to.PatternWeights)[kind] = (*from.PatternWeights)[kind];
}

void TKyokumen::LoadPatternWeights(const std::array<std::string_view, 6>& tableTexts) {
    std::array<std::vector<std::string_view>, 7> lines;
    for (int kind = FIRST_PATTERN_KIND; kind <= LAST_PATTERN_KIND; ++kind)
        lines[kind] = SplitLines(tableTexts[kind - 1]);
    TPatternTable& table = *PatternWeights;
    // The entries are filled index by index, all kinds and stages of one index together;
    // the first bad entry stops the loading and everything after it stays 0.
    for (int index = 0; index < PATTERN_INDICES; ++index)
        for (int stage = 0; stage < STAGES; ++stage)
            for (int kind = FIRST_PATTERN_KIND; kind <= LAST_PATTERN_KIND; ++kind) {
                const std::size_t line = static_cast<std::size_t>(stage) * PATTERN_INDICES + index;
                const std::string where =
                    PatternResourceName(kind) + ", line " + std::to_string(line + 1);
                if (line >= lines[kind].size())
                    throw EEngineError("LoadPatternWeights: " + where + " is missing");
                if (!ParseInt32(lines[kind][line], table[kind][index][stage]))
                    throw EEngineError("LoadPatternWeights: " + where + " is not an integer: '" +
                                       std::string(lines[kind][line]) + "'");
            }
}

std::shared_ptr<const TPatternTable> LoadPatternTables(const std::filesystem::path& folder) {
    std::array<std::string, 6> texts;
    std::array<std::string_view, 6> views;
    for (int kind = FIRST_PATTERN_KIND; kind <= LAST_PATTERN_KIND; ++kind) {
        std::filesystem::path file = folder / PatternResourceName(kind);
        if (!std::filesystem::exists(file)) file = folder / PatternFileName(kind);
        texts[kind - 1] = ReadTextFile(file);
        views[kind - 1] = texts[kind - 1];
    }
    TRandom keys;  // the engine only holds the tables: its keys are never read
    TKyokumen engine(keys);
    engine.LoadPatternWeights(views);
    return engine.PatternWeights;
}

std::string PatternTableText(const TPatternTable& table, int kind) {
    if (kind < FIRST_PATTERN_KIND || kind > LAST_PATTERN_KIND)
        throw EEngineError("PatternFileText: " + std::to_string(kind) + " is not a pattern kind");
    std::string text;
    text.reserve(PATTERN_FILE_LINES * 4);
    for (int stage = 0; stage < STAGES; ++stage)
        for (int index = 0; index < PATTERN_INDICES; ++index) {
            text += std::to_string(table[kind][index][stage]);
            text += "\r\n";
        }
    return text;
}

void SavePatternTable(const TPatternTable& table, int kind, const std::filesystem::path& folder) {
    try {
        WriteFileAtomically(folder / PatternFileName(kind), PatternTableText(table, kind));
    } catch (const EFileError& error) {
        throw EFileError(std::string("SavePatternFile: ") + error.what(), error.Path, error.Reason,
                         error.Error);
    }
}

std::string TKyokumen::PatternFileText(int kind) const {
    return PatternTableText(*PatternWeights, kind);
}

void TKyokumen::SavePatternFile(int kind, const std::filesystem::path& folder) const {
    SavePatternTable(*PatternWeights, kind, folder);
}

void TKyokumen::AdjustPatternValue(uint8_t kind, int32_t delta, uint8_t stage, uint16_t index) {
    if (kind < FIRST_PATTERN_KIND || kind > LAST_PATTERN_KIND || stage >= STAGES ||
        index >= PATTERN_INDICES)
        throw EEngineError("AdjustPatternValue: no entry for kind " + std::to_string(kind) +
                           ", stage " + std::to_string(stage) + ", index " + std::to_string(index));
    // The all-empty configuration says nothing about the position and stays 0.
    if (index == 0 || delta == 0) return;
    constexpr int32_t kBound = 20;
    int32_t& value = (*PatternWeights)[kind][index][stage];
    value = static_cast<int32_t>(std::clamp<int64_t>(int64_t{value} + delta, -kBound, kBound));
}

void TKyokumen::LearnPatterns() {
    const uint8_t stage = StageOf(MoveNumber);
    int32_t direction = Direction(ChosenValue, EvaluatePatterns());
    for (int i = 0; i < static_cast<int>(kPatternInstances.size()); ++i) {
        const TPatternInstance& instance = kPatternInstances[i];
        AdjustPatternValue(instance.kind, direction, stage, PatternIndex(instance));
        // The first BLOCK instance moves in the same direction as the second CENTER one.
        if (i != kSecondCenter && i != kLastBlock)
            direction = Direction(ChosenValue, EvaluatePatterns());
    }
}

uint16_t TKyokumen::PatternIndex(const TPatternInstance& instance) const {
    return PatternIndexOf(CurrentBoard->Cells, instance);
}

namespace {

// How each instance that is a whole row or column reads: which line, and from which end.
struct TLineInstance {
    bool isRow;
    int8_t line;     // y of a row, x of a column
    bool highFirst;  // read from bit 7 (column a, row 8) towards bit 0
};
// Indexed like kPatternInstances; the entries after the edges are not lines.
constexpr TLineInstance kLineInstances[12] = {
    {true, 3, true}, {true, 6, true},   {false, 3, false}, {false, 6, false},  // LINE3
    {true, 2, true}, {true, 7, true},   {false, 2, false}, {false, 7, false},  // LINE2
    {true, 1, true}, {false, 1, false}, {true, 8, false},  {false, 8, true},   // EDGE
};

}  // namespace

TPatternIndexes PatternIndexesOf(const TBitBoard& bits) {
    uint16_t of[22];
    AllPatternIndexes(bits, of);
    TPatternIndexes indexes;
    for (int i = 0; i < 22; ++i)
        indexes.lanes[i / 8][i % 8] = of[i];
    return indexes;
}

void AllPatternIndexes(const TBitBoard& bits, uint16_t* indexes) {
    for (int i = 0; i < 12; ++i) {
        const TLineInstance& line = kLineInstances[i];
        const uint32_t black =
            line.isRow ? RowByte(bits.black, line.line) : ColumnByte(bits.black, line.line);
        const uint32_t white =
            line.isRow ? RowByte(bits.white, line.line) : ColumnByte(bits.white, line.line);
        indexes[i] = LineCode(black, white, line.highFirst ? kBase3HighFirst : kBase3LowFirst);
    }
    for (int i = 12; i < 22; ++i) {
        int index = 0;
        for (const uint8_t square : kPatternInstances[i].squares) {
            const uint64_t mask = square == ALWAYS_EMPTY_CELL ? 0 : MaskOf(square);
            index = 3 * index + ((bits.black & mask) ? BLACK : (bits.white & mask) ? WHITE : EMPTY);
        }
        indexes[i] = static_cast<uint16_t>(index);
    }
}
