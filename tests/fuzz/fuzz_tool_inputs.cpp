// The input files of the tools: an openings file for the match tool, a games file and a
// positions file for the trainer (the learning tool reads the records "学習３" reads, fuzzed
// with the game records). Every line is either taken as a real game or position or refused
// with a message that names the file and the line.
#include <bit>
#include <sstream>
#include <string>

#include "FuzzCheck.h"
#include "engine/search/untBook.h"
#include "engine/untGameRecord.h"
#include "engine/untSquareNames.h"
#include "engine/untTextFile.h"
#include "tools/untMatch.h"
#include "tools/untTrainer.h"

namespace {

// The position as a position line writes it: the squares a1 to h1, a2 to h2 and on, 'X'
// black, 'O' white, '-' empty, then the side to move.
std::string WrittenAs(const TTrainingPosition& p) {
    std::string line;
    for (char row = '1'; row <= '8'; ++row)
        for (char column = 'a'; column <= 'h'; ++column) {
            const uint64_t mask = MaskOf(SquareOf(std::string{column, row}));
            line += (p.black & mask) ? 'X' : (p.white & mask) ? 'O' : '-';
        }
    return line + (p.whiteToMove ? " O" : " X");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    try {
        for (const std::vector<uint8_t>& opening : ParseOpenings(text, "openings.txt"))
            FUZZ_CHECK(opening.size() <= 60);
    } catch (const EBadInput& problem) {
        FUZZ_CHECK(std::string(problem.what()).rfind("openings.txt", 0) == 0);
    }

    // An opening book the match takes answers every game along its lines without an error.
    try {
        const std::vector<std::string> book = ParseBook(text, "book.txt");
        for (const std::string& line : book) {
            std::string error;
            const auto moves = ReplayGameRecord(line, error);
            FUZZ_CHECK(moves);
            uint8_t record[GAME_RECORD_SIZE] = {};
            for (std::size_t n = 0; n < moves->size(); ++n) {
                record[n + 1] = (*moves)[n].square;
                const uint8_t answer = FindBookMove(book, record);
                FUZZ_CHECK(answer == 0 || IsBoardSquare(answer));
            }
        }
    } catch (const EBadInput& problem) {
        FUZZ_CHECK(std::string(problem.what()).rfind("book.txt", 0) == 0);
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
            // The position read is the one the line writes.
            std::istringstream words{std::string(line)};
            std::string squares, side;
            words >> squares >> side;
            FUZZ_CHECK(WrittenAs(*position) == squares + " " + side);
            FUZZ_CHECK(std::popcount(position->black | position->white) >= 4 && !position->exact);
        } catch (const EBadInput& problem) {
            FUZZ_CHECK(std::string(problem.what()).rfind("positions.txt, line ", 0) == 0);
        }
    }
    return 0;
}
