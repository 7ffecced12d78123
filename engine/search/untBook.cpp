#include "engine/search/untBook.h"

#include "engine/untEngineError.h"
#include "engine/untSquareNames.h"

uint8_t BookSymmetry(uint8_t firstMove, uint8_t square) {
    const int t = square / 10, r = square % 10;
    switch (firstMove) {
        case SquareOf("e6"):  // columns and rows exchanged
            return static_cast<uint8_t>(10 * (9 - r) + (9 - t));
        case SquareOf("c4"):  // half turn about the centre
            return static_cast<uint8_t>(10 * (9 - t) + (9 - r));
        case SquareOf("d3"):  // reflection in the a8-h1 diagonal
            return static_cast<uint8_t>(10 * r + t);
    }
    return square;
}

uint8_t FindBookMove(const std::vector<std::string>& bookLines, const uint8_t (&gameRecord)[61]) {
    const uint8_t firstMove = gameRecord[1];
    std::string game;
    for (int n = 1; n <= 60 && gameRecord[n] >= 11; ++n)
        game += SquareName(BookSymmetry(firstMove, gameRecord[n]));

    for (const std::string& line : bookLines) {
        if (line.compare(0, 2, "//") == 0) continue;
        if (line.size() < game.size() + 1 || line.compare(0, game.size(), game) != 0) continue;
        if (line.size() < game.size() + 2) return 0;  // the line ends with the game so far
        const std::string next = line.substr(game.size(), 2);
        const std::optional<uint8_t> square = SquareFromName(next);
        if (!square)
            throw EEngineError("BookMove: the book continues with '" + next + "', not a square");
        return BookSymmetry(firstMove, *square);
    }
    return 0;
}
