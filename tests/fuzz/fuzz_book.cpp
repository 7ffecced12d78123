// The opening book and its lookup: the book text is the input up to the first '|', the game
// is the record after it (replayed, so it is a real game). Whatever the book holds, the
// lookup answers a square, no answer, or the engine's own error.
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "engine/search/untBook.h"
#include "engine/untEngineError.h"
#include "engine/untGameRecord.h"
#include "engine/untSquareNames.h"
#include "engine/untTextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string_view> parts = SplitInput(input, '|');
    std::vector<std::string> bookLines;
    for (const std::string_view line : SplitLines(parts[0]))
        bookLines.emplace_back(line);
    uint8_t record[GAME_RECORD_SIZE] = {};
    if (parts.size() > 1) {
        std::string error;
        const auto moves = ReplayGameRecord(parts[1], error);
        if (!moves || moves->size() > 60) return 0;
        for (std::size_t n = 0; n < moves->size(); ++n)
            record[n + 1] = (*moves)[n].square;
    }
    try {
        const uint8_t answer = FindBookMove(bookLines, record);
        FUZZ_CHECK(answer == 0 || IsBoardSquare(answer));
    } catch (const EEngineError&) {
    }
    return 0;
}
