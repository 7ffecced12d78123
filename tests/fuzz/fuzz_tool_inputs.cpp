// The input files of the tools: an openings file for the match tool, a games file and a
// positions file for the trainer (the learning tool reads the records "学習３" reads, fuzzed
// with the game records). Every line is either taken as a real game or position or refused
// with a message that names the file and the line.
#include <bit>
#include <string>

#include "FuzzCheck.h"
#include "engine/untGameRecord.h"
#include "engine/untTextFile.h"
#include "tools/untMatch.h"
#include "tools/untTrainer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    try {
        for (const std::vector<uint8_t>& opening : ParseOpenings(text, "openings.txt"))
            FUZZ_CHECK(opening.size() <= 60);
    } catch (const EBadInput& problem) {
        FUZZ_CHECK(std::string(problem.what()).rfind("openings.txt", 0) == 0);
    }

    int lineNumber = 0;
    for (const std::string_view line : SplitLines(text)) {
        try {
            const auto game = ParseGameLine(line, "games.txt", ++lineNumber);
            if (!game) continue;
            FUZZ_CHECK(game->blackMinusWhite >= -64 && game->blackMinusWhite <= 64);
            std::string error;
            const auto positions = GamePositions(game->record, game->blackMinusWhite, error);
            FUZZ_CHECK(error.empty() && positions.size() <= 60);
        } catch (const EBadInput& problem) {
            FUZZ_CHECK(std::string(problem.what()).rfind("games.txt, line ", 0) == 0);
        }
    }

    lineNumber = 0;
    for (const std::string_view line : SplitLines(text)) {
        try {
            const auto position = ParsePositionLine(line, "positions.txt", ++lineNumber);
            if (!position) continue;
            const int discs = std::popcount(position->black | position->white);
            FUZZ_CHECK((position->black & position->white) == 0);
            FUZZ_CHECK(discs >= 4 && position->moveNumber == discs - 4);
            FUZZ_CHECK(position->Empties() == 64 - discs && !position->exact);
        } catch (const EBadInput& problem) {
            FUZZ_CHECK(std::string(problem.what()).rfind("positions.txt, line ", 0) == 0);
        }
    }
    return 0;
}
