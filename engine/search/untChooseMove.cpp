// Move choice: the fixed reply to black's first move in the crossed placements, a search
// of the game's thinking type to a depth set by level and move number, and random play
// at the weakest level or when a search finds nothing.
#include <cstring>

#include "engine/eval/untEvalSquares.h"
#include "engine/search/untSearch.h"
#include "engine/untKyokumen.h"

namespace {

// The diagonal answer to black's first move, found from the square black played.
uint8_t FixedReply(const TKyokumen& k) {
    const uint8_t* cells = k.Boards[0].Cells;
    auto black = [&](const char* name) { return cells[SquareOf(name)] == BLACK; };
    if (k.Placement == 1) {
        if (black("f5") || black("e6")) return SquareOf("f6");
        if (black("d3") || black("c4")) return SquareOf("c3");
    }
    if (k.Placement == 2) {
        if (black("f4") || black("e3")) return SquareOf("f3");
        if (black("d6") || black("c5")) return SquareOf("c6");
    }
    return 0;
}

bool IsSearchLevel(uint8_t gameLevel) {
    return gameLevel >= 2 && gameLevel <= 4;
}

}  // namespace

int SearchDepth(uint8_t gameLevel, int moveNumber) {
    int depth = gameLevel == 2 ? 2 : gameLevel == 3 ? 4 : 5;
    if (moveNumber < 4) depth = 2;
    if (moveNumber > 38) depth = 6;
    if (moveNumber > 46) depth = 8;
    if (moveNumber > 48) depth = 60 - moveNumber;
    return depth;
}

void TKyokumen::SearchToDepth(int depth) {
    SearchPly = 0;
    std::memset(Tejun, 0, sizeof Tejun);
    MaxPly = static_cast<int8_t>(depth);
    std::memset(PlyMax, 0, sizeof PlyMax);
    std::memset(PlyMin, 0, sizeof PlyMin);
    std::fill(std::begin(PlyMaxReal), std::end(PlyMaxReal), 0.0);
    std::fill(std::begin(PlyMinReal), std::end(PlyMinReal), 0.0);
    switch (ThinkType) {
        case 1:
            BestValue = -30000;
            SearchA();
            break;
        case 2:
            BestValueReal = -30000.0;
            SearchB();
            break;
        case 3:
            BestValue = -30000;
            SearchC();
            break;
        case 4:
            BestValue = -30000;
            SearchD();
            break;
    }
    WhiteToMove = true;
}

void TKyokumen::ChooseMove() {
    if (WhiteOut) return;
    ChosenMove = 0;
    ThinkComment.clear();
    WhiteToMove = true;

    if (MoveNumber == 1 && (Placement == 1 || Placement == 2)) {
        ChosenMove = FixedReply(*this);
        if (ChosenMove != 0) {
            ThinkComment = "２手目を牛定石に";
            return;
        }
    }

    if (IsSearchLevel(GameLevel)) {
        SearchToDepth(SearchDepth(GameLevel, MoveNumber));
        if (ChosenMove != 0) return;
    }

    // Random play: any corner first (the last legal one of h1, h8, a1, a8), then random
    // squares, then the first legal square.
    ThinkComment = "Game_Level = ランダム";
    for (const uint8_t corner : {SquareOf("h1"), SquareOf("h8"), SquareOf("a1"), SquareOf("a8")})
        if (IsLegal(corner)) ChosenMove = corner;
    if (ChosenMove != 0) return;
    constexpr int kRandomDraws = 64;
    for (int draw = 0; draw < kRandomDraws; ++draw) {
        ++EvalCount;
        const uint8_t square = static_cast<uint8_t>(Generator.Below(88) + 1);
        if (IsLegal(square)) {
            ChosenMove = square;
            return;
        }
    }
    for (int square = 11; square <= 88; ++square) {
        if (!IsBoardSquare(square)) continue;
        ++EvalCount;
        if (IsLegal(static_cast<uint8_t>(square))) {
            ChosenMove = static_cast<uint8_t>(square);
            return;
        }
    }
    WhiteOut = true;
}
