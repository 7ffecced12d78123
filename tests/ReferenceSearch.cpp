#include "ReferenceSearch.h"

#include <algorithm>

int FinalScore(const TReferenceBoard& board) {
    const int white = board.Count(2), black = board.Count(1);
    if (white == 0) return -9999;
    if (black == 0) return 9999;
    return white == black ? 1 : white - black;
}

int ExactValue(const TReferenceBoard& board, int colourToMove) {
    const std::vector<int> moves = board.LegalSquares(colourToMove);
    if (moves.empty()) {
        if (board.LegalSquares(3 - colourToMove).empty()) return FinalScore(board);
        return ExactValue(board, 3 - colourToMove);  // a pass
    }
    const bool white = colourToMove == 2;
    int best = white ? -100000 : 100000;
    for (const int square : moves) {
        TReferenceBoard next = board;
        next.Play(TReferenceBoard::ColumnOf(square), TReferenceBoard::RowOf(square), colourToMove);
        const int v = ExactValue(next, 3 - colourToMove);
        best = white ? std::max(best, v) : std::min(best, v);
    }
    return best;
}
