#include "engine/untKyokumen.h"

#include <cstring>

#include "engine/untEngineError.h"
#include "engine/untSquareNames.h"

namespace {

// The eight directions in the order every scan visits them, as (column, row) steps;
// entry 0 is unused. Column x counts from the right, row y from the top.
struct TDirection {
    int16_t dx, dy;
};
constexpr TDirection kDirections[9] = {{0, 0}, {0, -1}, {-1, -1}, {-1, 0}, {-1, 1},
                                       {0, 1}, {1, 1},  {1, 0},   {1, -1}};

// The same directions as steps of the cell index 10 * x + y.
constexpr std::array<int8_t, 9> kDirectionStep = [] {
    std::array<int8_t, 9> steps{};
    for (int d = 0; d <= 8; ++d)
        steps[d] = static_cast<int8_t>(10 * kDirections[d].dx + kDirections[d].dy);
    return steps;
}();

// The border of the 10 x 10 grid: the first and last rows and the cells whose last digit is
// 0 or 9. Cell 100 lies outside the grid and stays empty.
bool IsWallCell(int cell) {
    return cell <= 10 || (cell >= 91 && cell <= 99) || cell % 10 == 0 || cell % 10 == 9;
}

uint8_t Opponent(uint8_t colour) {
    return colour == WHITE ? BLACK : WHITE;
}

}  // namespace

TKyokumen::TKyokumen() : TKyokumen(ProgramRandom()) {}

TKyokumen::TKyokumen(TRandom& generator)
    : TKyokumen(generator, std::make_index_sequence<SNAPSHOTS>{}) {
    PatternWeights = std::make_shared<TPatternTable>();
    // Every snapshot drew its own random numbers; all of them take those of the game board,
    // so that a key computed on one snapshot is valid on every other.
    for (int board = 1; board < SNAPSHOTS; ++board)
        std::memcpy(Boards[board].Hash.Keys, Boards[0].Hash.Keys, sizeof Boards[0].Hash.Keys);
    Reset();
}

void TKyokumen::Reset() {
    ThinkComment.clear();
    MoveNumber = 0;
    SavedMoveNumber = 0;
    WhiteToMove = false;
    WhiteOut = false;
    BlackOut = false;

    GameLevel = 2;
    Placement = 1;
    ThinkType = 1;

    StackDepth = 1;
    CurrentBoard = &Boards[0];

    uint8_t* cells = Boards[0].Cells;
    for (int cell = 0; cell < CELL_COUNT - 1; ++cell)
        if (IsWallCell(cell)) cells[cell] = WALL;
    SetCentre(WHITE, BLACK, BLACK, WHITE);

    BlackCount = 2;
    WhiteCount = 2;

    for (int d = 0; d <= 8; ++d) {
        DirX[d] = kDirections[d].dx;
        DirY[d] = kDirections[d].dy;
    }
    SquareOrder[0] = 0;
    for (int k = 1; k <= 64; ++k)
        SquareOrder[k] = static_cast<uint8_t>(10 * ((k - 1) / 8 + 1) + (k - 1) % 8 + 1);
    // The searches take the corners first: positions 2, 3 and 4 trade places with the
    // corners h8, a1 and a8 at positions 8, 57 and 64.
    std::memcpy(CornerFirstOrder, SquareOrder, sizeof SquareOrder);
    std::swap(CornerFirstOrder[2], CornerFirstOrder[8]);
    std::swap(CornerFirstOrder[3], CornerFirstOrder[57]);
    std::swap(CornerFirstOrder[4], CornerFirstOrder[64]);

    KeyTable.assign(KEY_TABLE_SIZE, 0);
}

void TKyokumen::SetCentre(uint8_t d4, uint8_t e4, uint8_t d5, uint8_t e5) {
    uint8_t* cells = Boards[0].Cells;
    cells[SquareOf("d4")] = d4;
    cells[SquareOf("e4")] = e4;
    cells[SquareOf("d5")] = d5;
    cells[SquareOf("e5")] = e5;
}

void TKyokumen::SetPlacement2() {
    SetCentre(BLACK, WHITE, WHITE, BLACK);
    Placement = 2;
}

void TKyokumen::SetPlacement3() {
    SetCentre(BLACK, BLACK, WHITE, WHITE);
    Placement = 3;
}

void TKyokumen::SetPlacement4() {
    SetCentre(WHITE, WHITE, BLACK, BLACK);
    Placement = 4;
}

bool TKyokumen::IsLegal(uint8_t square) const {
    if (square < 11 || square > 88) return false;
    const uint8_t* cells = CurrentBoard->Cells;
    if (cells[square] != EMPTY) return false;  // walls and occupied squares alike
    const uint8_t mover = MoverColour(), opponent = Opponent(mover);
    for (int d = 1; d <= 8; ++d) {
        const int step = kDirectionStep[d];
        int cell = square + step;
        if (cells[cell] != opponent) continue;
        do
            cell += step;
        while (cells[cell] == opponent);
        if (cells[cell] == mover) return true;
    }
    return false;
}

bool TKyokumen::HasLegalMove() const {
    for (int k = 1; k <= 64; ++k)
        if (IsLegal(SquareOrder[k])) return true;
    return false;
}

void TKyokumen::MakeMove(uint8_t square) {
    // Squares off the board are ignored; so are wall cells, which must stay walls so that
    // every scan stops at the border.
    if (square < 11 || square > 88 || CurrentBoard->Cells[square] == WALL) return;

    // The move on the bit sets (all directions at once) gives the changed discs; the cells
    // then take the mover's colour disc by disc, and the key the new colour of every turned
    // disc and of the placed one.
    const uint64_t changed = MakeMoveOnBits(square);
    const TBoard_Data& parent = Boards[StackDepth - 2];
    TBoard_Data& child = *CurrentBoard;
    CopyCells(parent, child);
    CopyKey(parent, child);
    const uint8_t mover = MoverColour();
    for (uint64_t left = changed; left != 0; left &= left - 1)
        child.Cells[kSquareOfBit[std::countr_zero(left)]] = mover;
    child.Hash.Key = child.Hash.KeyAfter(child.Hash.Key, changed, mover);
}

void TKyokumen::StackFull() {
    throw EEngineError(
        "MakeMove: the snapshot stack is full (level 15); no level is left to play on");
}

void TKyokumen::NothingToUndo() {
    throw EEngineError("UndoMove: already at stack level 1; there is no move to undo");
}

int16_t TKyokumen::Commit() {
    StackDepth = 1;
    CurrentBoard = &Boards[0];
    CopyCells(Boards[1], Boards[0]);
    return Evaluate();
}

void TKyokumen::RestoreTakeBack() {
    CopyCells(Boards[TAKE_BACK_BOARD], Boards[0]);
    MoveNumber = SavedMoveNumber;
}

void TKyokumen::CountDiscs() {
    const TBitBoard bits = CurrentBits();
    BlackCount = static_cast<uint8_t>(std::popcount(bits.black));
    WhiteCount = static_cast<uint8_t>(std::popcount(bits.white));
}

void TKyokumen::CopyCells(const TBoard_Data& source, TBoard_Data& target) {
    std::memcpy(target.Cells, source.Cells, SNAPSHOT_BLOCK_SIZE);
}

void TKyokumen::CopyKey(const TBoard_Data& source, TBoard_Data& target) {
    target.Hash.Key = source.Hash.Key;
    target.Hash.ValueState = 0;
}

void TKyokumen::SplitSquare(uint8_t square, uint8_t& x, uint8_t& y) {
    x = square > 10 ? static_cast<uint8_t>((square - 1) / 10) : 0;
    y = static_cast<uint8_t>(square - 10 * x);
}
