#pragma once

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

// A deliberately plain Reversi board for checking the engine: an 8 x 8 array indexed by
// column (0 = a) and row (0 = row 1), written without any of the engine's tables.
struct TReferenceBoard {
    int cell[8][8] = {};  // 0 empty, 1 black, 2 white
    int toMove = 1;

    static TReferenceBoard Standard();

    // Plays a random legal move for the side to move, passing first when it has none, and
    // hands the move to the other side; false when neither side can move. Draws from the
    // program-wide generator.
    bool PlayRandomMove();
    // Plays a move of a game record, where passes are not written: when the side to move
    // cannot play the square, it passed. False when neither side may play it.
    bool PlayRecordedMove(int square);

    bool IsLegal(int column, int row, int colour) const;
    std::vector<int> LegalSquares(int colour) const;  // engine square numbers
    void Play(int column, int row, int colour);       // places and turns discs
    int Count(int colour) const;

    static int SquareOf(int column, int row) { return 10 * (8 - column) + row + 1; }
    static int ColumnOf(int square) { return 8 - square / 10; }
    static int RowOf(int square) { return square % 10 - 1; }
};

// Replays the moves of a game record ("f5d6c3...") from the standard start and calls
// visit(board, moves played) after each move, with the side to move set as the game goes
// on (a side without a move passes). Stops at the end of the record, at a move that is not
// a square name or not legal, or when visit returns false.
void ReplayRecordOnBoard(std::string_view moves,
                         const std::function<bool(const TReferenceBoard&, int)>& visit);
