#include "BoardPicture.h"

#include <stdexcept>

#include "engine/eval/untPatterns.h"
#include "engine/untBitBoard.h"
#include "engine/untRandom.h"

namespace {

uint8_t ContentOf(char c) {
    switch (c) {
        case 'X':
            return BLACK;
        case 'O':
            return WHITE;
        case '.':
        case '-':
            return EMPTY;
    }
    throw std::invalid_argument(std::string("unknown board character ") + c);
}

uint8_t SquareAt(int column, int row) {
    return static_cast<uint8_t>(10 * (8 - column) + row + 1);
}

void PrepareGameBoard(TKyokumen& k, int moveNumber) {
    k.StackDepth = 1;
    k.CurrentBoard = &k.Boards[0];
    k.MoveNumber = static_cast<int16_t>(moveNumber);
    k.WhiteToMove = false;
}

}  // namespace

void SetGameBoard(TKyokumen& k, const TPicture& rows, int moveNumber) {
    PrepareGameBoard(k, moveNumber);
    for (int row = 0; row < 8; ++row) {
        if (rows[row].size() != 8) throw std::invalid_argument("a board row needs 8 squares");
        for (int column = 0; column < 8; ++column)
            k.Boards[0].Cells[SquareAt(column, row)] = ContentOf(rows[row][column]);
    }
}

void SetGameBoardFromLine(TKyokumen& k, std::string_view cells64, int moveNumber) {
    PrepareGameBoard(k, moveNumber);
    if (cells64.size() < 64) throw std::invalid_argument("a position line needs 64 squares");
    for (int i = 0; i < 64; ++i)
        k.Boards[0].Cells[SquareAt(i % 8, i / 8)] = ContentOf(cells64[i]);
}

void SetGameBoard(TKyokumen& k, const TReferenceBoard& board, int moveNumber) {
    PrepareGameBoard(k, moveNumber);
    for (int column = 0; column < 8; ++column)
        for (int row = 0; row < 8; ++row)
            k.Boards[0].Cells[SquareAt(column, row)] =
                static_cast<uint8_t>(board.cell[column][row]);
}

TReferenceBoard ReferenceOf(const TKyokumen& k) {
    TReferenceBoard board;
    for (int column = 0; column < 8; ++column)
        for (int row = 0; row < 8; ++row)
            board.cell[column][row] = k.CurrentBoard->Cells[SquareAt(column, row)];
    return board;
}

std::string PictureOf(const TKyokumen& k) {
    std::string picture;
    for (int row = 0; row < 8; ++row) {
        for (int column = 0; column < 8; ++column) {
            const uint8_t content = k.CurrentBoard->Cells[SquareAt(column, row)];
            picture += content == BLACK ? 'X' : content == WHITE ? 'O' : '.';
        }
        picture += '\n';
    }
    return picture;
}

std::unique_ptr<TKyokumen> NewEngine(uint32_t seed) {
    RandSeed(seed);
    return std::make_unique<TKyokumen>();
}

std::shared_ptr<TPatternTable> ShippedPatternValues() {
    static const std::shared_ptr<TPatternTable> values =
        std::make_shared<TPatternTable>(*LoadPatternTables(TOLVANEY_RESOURCES));
    return values;
}

TBitBoard BitsOf(const TReferenceBoard& board) {
    TBitBoard bits;
    for (int column = 0; column < 8; ++column)
        for (int row = 0; row < 8; ++row) {
            const uint64_t bit = MaskOf(SquareAt(column, row));
            if (board.cell[column][row] == 1) bits.black |= bit;
            if (board.cell[column][row] == 2) bits.white |= bit;
        }
    return bits;
}

TReferenceBoard ReferenceBoardOf(const TBitBoard& bits) {
    TReferenceBoard board;
    for (int column = 0; column < 8; ++column)
        for (int row = 0; row < 8; ++row) {
            const uint64_t bit = MaskOf(SquareAt(column, row));
            board.cell[column][row] = (bits.black & bit) ? 1 : (bits.white & bit) ? 2 : 0;
        }
    return board;
}
