#include "ReferenceBoard.h"

#include "engine/untRandom.h"

namespace {

bool Inside(int column, int row) {
    return column >= 0 && column < 8 && row >= 0 && row < 8;
}

// How many discs a disc of the colour at (column, row) would turn along one direction.
int TurnedAlong(const TReferenceBoard& b, int column, int row, int dc, int dr, int colour) {
    int turned = 0;
    int c = column + dc, r = row + dr;
    while (Inside(c, r) && b.cell[c][r] == 3 - colour) {
        ++turned;
        c += dc;
        r += dr;
    }
    return Inside(c, r) && b.cell[c][r] == colour ? turned : 0;
}

}  // namespace

TReferenceBoard TReferenceBoard::Standard() {
    TReferenceBoard b;
    b.cell[3][3] = 2;  // d4
    b.cell[4][3] = 1;  // e4
    b.cell[3][4] = 1;  // d5
    b.cell[4][4] = 2;  // e5
    return b;
}

bool TReferenceBoard::IsLegal(int column, int row, int colour) const {
    if (cell[column][row] != 0) return false;
    for (int dc = -1; dc <= 1; ++dc)
        for (int dr = -1; dr <= 1; ++dr)
            if ((dc || dr) && TurnedAlong(*this, column, row, dc, dr, colour) > 0) return true;
    return false;
}

std::vector<int> TReferenceBoard::LegalSquares(int colour) const {
    std::vector<int> squares;
    for (int column = 0; column < 8; ++column)
        for (int row = 0; row < 8; ++row)
            if (IsLegal(column, row, colour)) squares.push_back(SquareOf(column, row));
    return squares;
}

void TReferenceBoard::Play(int column, int row, int colour) {
    for (int dc = -1; dc <= 1; ++dc)
        for (int dr = -1; dr <= 1; ++dr) {
            if (!dc && !dr) continue;
            const int turned = TurnedAlong(*this, column, row, dc, dr, colour);
            for (int i = 1; i <= turned; ++i)
                cell[column + i * dc][row + i * dr] = colour;
        }
    cell[column][row] = colour;
}

int TReferenceBoard::Count(int colour) const {
    int count = 0;
    for (const auto& column : cell)
        for (const int content : column)
            count += content == colour;
    return count;
}

bool TReferenceBoard::PlayRandomMove() {
    std::vector<int> moves = LegalSquares(toMove);
    if (moves.empty()) {
        toMove = 3 - toMove;
        moves = LegalSquares(toMove);
        if (moves.empty()) return false;
    }
    const int square = moves[Random(static_cast<uint32_t>(moves.size()))];
    Play(ColumnOf(square), RowOf(square), toMove);
    toMove = 3 - toMove;
    return true;
}

bool TReferenceBoard::PlayRecordedMove(int square) {
    if (!IsLegal(ColumnOf(square), RowOf(square), toMove)) toMove = 3 - toMove;
    if (!IsLegal(ColumnOf(square), RowOf(square), toMove)) return false;
    Play(ColumnOf(square), RowOf(square), toMove);
    toMove = 3 - toMove;
    return true;
}

void ReplayRecordOnBoard(std::string_view moves,
                         const std::function<bool(const TReferenceBoard&, int)>& visit) {
    TReferenceBoard board = TReferenceBoard::Standard();
    for (std::size_t at = 0, played = 1; at + 1 < moves.size(); at += 2, ++played) {
        const int column = moves[at] - 'a', row = moves[at + 1] - '1';
        if (!Inside(column, row)) return;
        if (!board.PlayRecordedMove(TReferenceBoard::SquareOf(column, row))) return;
        if (board.LegalSquares(board.toMove).empty()) board.toMove = 3 - board.toMove;
        if (!visit(board, static_cast<int>(played))) return;
    }
}
