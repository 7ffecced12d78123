#include "ReferenceSearch.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "ReferenceEvaluate.h"
#include "engine/untRandom.h"

namespace {

// A finished game's score from its disc counts: white minus black, +-9999 for a wipe-out,
// 1 for a draw.
int ScoreOf(int white, int black) {
    if (white == 0) return -9999;
    if (black == 0) return 9999;
    return white == black ? 1 : white - black;
}

}  // namespace

int FinalScore(const TReferenceBoard& board) {
    return ScoreOf(board.Count(2), board.Count(1));
}

int FinalDifference(const TReferenceBoard& board, int colour) {
    const int own = board.Count(colour), other = board.Count(3 - colour);
    const int empties = 64 - own - other;
    return own > other ? own - other + empties : own < other ? own - other - empties : 0;
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

// --- The move choice, step by step.

namespace {

constexpr int kDirections[9][2] = {{0, 0}, {0, -1}, {-1, -1}, {-1, 0}, {-1, 1},
                                   {0, 1}, {1, 1},  {1, 0},   {1, -1}};

uint8_t Mover(const TKyokumen& k) {
    return k.WhiteToMove ? 2 : 1;
}

bool PlainIsLegal(const TKyokumen& k, int square) {
    const uint8_t* cells = k.CurrentBoard->Cells;
    if (square < 11 || square > 88 || cells[square] != 0) return false;
    const int mover = Mover(k), opponent = 3 - mover;
    const int x = square / 10, y = square % 10;
    for (int d = 1; d <= 8; ++d) {
        int cx = x + kDirections[d][0], cy = y + kDirections[d][1];
        if (cells[10 * cx + cy] != opponent) continue;
        while (cells[10 * cx + cy] == opponent) {
            cx += kDirections[d][0];
            cy += kDirections[d][1];
        }
        if (cells[10 * cx + cy] == mover) return true;
    }
    return false;
}

void PlainMakeMove(TKyokumen& k, int square) {
    ++k.MoveNumber;
    ++k.StackDepth;
    const TBoard_Data& parent = k.Boards[k.StackDepth - 2];
    TBoard_Data& child = k.Boards[k.StackDepth - 1];
    std::memcpy(child.Cells, parent.Cells, sizeof child.Cells);
    child.Passed = parent.Passed;
    child.Hash.Key = parent.Hash.Key;
    child.Hash.ValueState = 0;
    k.CurrentBoard = &child;
    uint8_t* cells = child.Cells;
    const int mover = Mover(k), opponent = 3 - mover;
    const int x = square / 10, y = square % 10;
    for (int d = 1; d <= 8; ++d) {
        int cx = x + kDirections[d][0], cy = y + kDirections[d][1];
        while (cells[10 * cx + cy] == opponent) {
            cx += kDirections[d][0];
            cy += kDirections[d][1];
        }
        if (cells[10 * cx + cy] != mover) continue;
        for (int fx = x + kDirections[d][0], fy = y + kDirections[d][1]; fx != cx || fy != cy;
             fx += kDirections[d][0], fy += kDirections[d][1]) {
            cells[10 * fx + fy] = static_cast<uint8_t>(mover);
            child.Hash.Key ^= child.Hash.Keys[mover][10 * fx + fy];
        }
    }
    cells[square] = static_cast<uint8_t>(mover);
    child.Hash.Key ^= child.Hash.Keys[mover][square];
}

void PlainUndoMove(TKyokumen& k) {
    --k.MoveNumber;
    --k.StackDepth;
    k.CurrentBoard = &k.Boards[k.StackDepth - 1];
}

void PlainCountDiscs(TKyokumen& k) {
    k.BlackCount = k.WhiteCount = 0;
    for (int square = 11; square <= 88; ++square) {
        if (k.CurrentBoard->Cells[square] == 1) ++k.BlackCount;
        if (k.CurrentBoard->Cells[square] == 2) ++k.WhiteCount;
    }
}

// The legal moves of the side to move, counted in the plain square order up to a cap.
int PlainMobility(const TKyokumen& k, int cap) {
    int count = 0;
    for (int i = 1; i <= 64 && count < cap; ++i)
        if (PlainIsLegal(k, k.SquareOrder[i])) ++count;
    return count;
}

std::string PlainComment(const TKyokumen& k, const std::string& value, const char* type) {
    const char* levels[5] = {"", " GameLevel = ランダム", " GameLevel = 初級", " GameLevel = 中級",
                             " GameLevel = 上級"};
    std::string text = k.GameLevel <= 4 ? levels[k.GameLevel] : "";
    text += " Max = " + value + " Tejun = ";
    for (int ply = 1; ply <= 6; ++ply)
        text += std::to_string(k.Tejun[ply]) + (ply < 6 ? "," : "");
    text += std::string(" AI Type = ") + type;
    if (k.MoveNumber > 48) text += " 完全読み";
    return text;
}

// The searches of types A (1), C (3) and D (4).
int32_t IntegerEvaluation(TKyokumen& k, int type) {
    if (type == 1) return ReferenceEvaluate(k, TVariant::Evaluate);
    if (type == 3) return ReferenceEvaluate(k, TVariant::Patterns);
    return ReferenceEvaluate(k, TVariant::EvaluateD);
}

int DMobilityTerm(int m) {
    const int terms[9] = {1, 2, 3, 5, 0, -5, -3, -2, -1};  // m = -4 .. 4
    return m >= -4 && m <= 4 ? terms[m + 4] : 0;
}

double BMobilityTerm(int m) {
    const double terms[9] = {1, 2.5, 3.5, 6, 0, -6, -3.5, -2.5, -1};
    return m >= -4 && m <= 4 ? terms[m + 4] : 0;
}

void DStore(TKyokumen& k, int32_t v, uint8_t state) {
    THashTable& hash = k.CurrentBoard->Hash;
    k.KeyTable[hash.Key & 0xFFFF] = hash.Key;
    hash.EndValue = v;
    hash.ValueState = state;
}

int32_t FinishedScore(const TKyokumen& k) {
    return ScoreOf(k.WhiteCount, k.BlackCount);
}

double FinishedScoreB(const TKyokumen& k) {
    double v = k.WhiteCount - k.BlackCount;
    if (k.WhiteCount == 0) v = -9999.0;
    if (k.BlackCount == 0) v = 9999.0;
    return v == 0.0 ? 0.5 : v;
}

int32_t PlainSearch(TKyokumen& k, int type) {
    const bool D = type == 4;
    const int d = ++k.SearchPly;
    k.PlyMax[d] = k.PlyMin[d] = 0;
    if (D) k.PlyMobility[d] = 0;

    if (d > k.MaxPly || k.MoveNumber == 60) {
        int32_t v = IntegerEvaluation(k, type);
        if (!D || k.MoveNumber >= 55 || v == 9999 || v == -9999) return v;
        for (int p = 1; p <= std::min(d - 1, 4); ++p) {
            const int m = k.PlyMobility[p], n = k.PlyMobility[p + 1];
            v = static_cast<int16_t>(v + DMobilityTerm(m) + (m > -n) - (m < -n));
        }
        return v == 0 ? 1 : v;
    }
    if (k.EvalCount > NODE_LIMIT) return -1;
    if (D && k.MoveNumber <= 53) {
        const int count = PlainMobility(k, 10);
        k.PlyMobility[d] = static_cast<int8_t>(k.WhiteToMove ? count : -count);
    }
    if (D && d == 1) {
        THashTable& hash = k.CurrentBoard->Hash;
        hash.Key = 0;
        hash.EndValue = ReferenceEvaluate(k, TVariant::Evaluate);
        hash.ValueState = 0;
        for (int square = 11; square <= 88; ++square)
            if (k.CurrentBoard->Cells[square] <= 2)
                hash.Key ^= hash.Keys[k.CurrentBoard->Cells[square]][square];
        k.KeyTable[hash.Key & 0xFFFF] = hash.Key;
    }

    bool hasChild = false;
    for (int i = 1; i <= 64; ++i) {
        const uint8_t square = k.CornerFirstOrder[i];
        if (!PlainIsLegal(k, square)) continue;
        if (D && d > 1 && k.MoveNumber < 50) {
            const THashTable& hash = k.CurrentBoard->Hash;
            if (k.KeyTable[hash.Key & 0xFFFF] == hash.Key && hash.ValueState == 0) {
                if (!k.WhiteToMove && hash.EndValue < k.PlyMax[d - 1])
                    return static_cast<int16_t>(hash.EndValue);
                if (k.WhiteToMove && hash.EndValue > k.PlyMin[d - 1])
                    return static_cast<int16_t>(hash.EndValue);
            }
        }
        PlainMakeMove(k, square);
        ++k.EvalCount;
        k.CurrentBoard->Passed = 0;
        k.Tejun[d + 1] = 0;
        k.Tejun[d] = square;
        k.WhiteToMove = !k.WhiteToMove;
        const int32_t v = PlainSearch(k, type);
        k.WhiteToMove = !k.WhiteToMove;
        --k.SearchPly;
        PlainUndoMove(k);

        if (!hasChild) {
            k.PlyMax[d] = k.PlyMin[d] = static_cast<int16_t>(v);
            hasChild = true;
        } else {
            if (v > k.PlyMax[d]) {
                k.PlyMax[d] = static_cast<int16_t>(v);
                if (D) DStore(k, v, 2);
            }
            if (v < k.PlyMin[d]) {
                k.PlyMin[d] = static_cast<int16_t>(v);
                if (D) DStore(k, v, 1);
            }
        }
        const int mv = k.MoveNumber;
        const bool pruningOn =
            D ? !(mv > 57 && d > 8) && !(mv > 52 && (60 - mv) + d < 9) : mv <= 56;
        if (d > 1 && k.PlyMax[d - 1] != 0 && k.PlyMin[d - 1] != 0 && k.CurrentBoard->Passed == 0 &&
            pruningOn) {
            if (k.WhiteToMove && k.PlyMin[d - 1] < v) break;
            if (!k.WhiteToMove && k.PlyMax[d - 1] > v) break;
        }
        if (d == 1 && k.PlyMax[1] > k.BestValue) {
            k.ChosenMove = k.Tejun[1];
            k.BestValue = k.PlyMax[1];
            if (!D) k.ChosenValue = k.PlyMax[1];
            k.ThinkComment = PlainComment(k, std::to_string(k.PlyMax[1]),
                                          type == 1 ? "A"
                                          : D       ? "D"
                                                    : "C");
        }
    }

    int32_t v;
    if (hasChild) {
        v = k.WhiteToMove ? k.PlyMax[d] : k.PlyMin[d];
    } else {
        if (k.CurrentBoard->Passed == 1) {
            IntegerEvaluation(k, type);  // recounts the discs
            return FinishedScore(k);
        }
        PlainCountDiscs(k);
        if (k.BlackCount == 0 || k.WhiteCount == 0) return FinishedScore(k);
        // A pass: the other side moves on the same snapshot, at the same ply.
        --k.SearchPly;
        k.CurrentBoard->Passed = 1;
        k.WhiteToMove = !k.WhiteToMove;
        v = PlainSearch(k, type);
        k.WhiteToMove = !k.WhiteToMove;
    }
    if (v == 0) v = 1;
    if (D) DStore(k, v, 0);
    return v;
}

// The search of type B, in floating point.
double PlainSearchB(TKyokumen& k) {
    const int d = ++k.SearchPly;
    k.PlyMaxReal[d] = k.PlyMinReal[d] = 0.0;
    k.PlyMobility[d] = 0;

    if (d > k.MaxPly || k.MoveNumber == 60) {
        double v = ReferenceEvaluateB(k);
        if (k.MoveNumber >= 50 || v == 9999.0 || v == -9999.0) return v;
        for (int p = 1; p <= std::min(d - 1, 4); ++p) {
            const int m = k.PlyMobility[p], n = k.PlyMobility[p + 1];
            v += BMobilityTerm(m);
            if (p == d - 1) continue;
            if (m > -n) v += 0.3;
            if (m < -n) v -= 0.3;
        }
        return v == 0.0 ? 0.5 : v;
    }
    if (k.EvalCount > NODE_LIMIT) return -1.0;
    if (k.MoveNumber <= 25) {
        const int count = PlainMobility(k, 8);
        k.PlyMobility[d] = static_cast<int8_t>(k.WhiteToMove ? count : -count);
    }

    bool hasChild = false;
    for (int i = 1; i <= 64; ++i) {
        const uint8_t square = k.CornerFirstOrder[i];
        if (!PlainIsLegal(k, square)) continue;
        const bool corner = square == 11 || square == 18 || square == 81 || square == 88;
        if (d == 5 && k.MoveNumber <= 30 && corner) continue;
        PlainMakeMove(k, square);
        ++k.EvalCount;
        k.CurrentBoard->Passed = 0;
        k.Tejun[d] = square;
        k.WhiteToMove = !k.WhiteToMove;
        const double v = PlainSearchB(k);
        k.WhiteToMove = !k.WhiteToMove;
        --k.SearchPly;
        PlainUndoMove(k);

        if (!hasChild) {
            k.PlyMaxReal[d] = k.PlyMinReal[d] = v;
            hasChild = true;
        } else {
            if (v > k.PlyMaxReal[d]) k.PlyMaxReal[d] = v;
            if (v < k.PlyMinReal[d]) k.PlyMinReal[d] = v;
        }
        const int mv = k.MoveNumber;
        if (d > 1 && k.PlyMaxReal[d - 1] != 0.0 && k.PlyMinReal[d - 1] != 0.0 &&
            k.CurrentBoard->Passed == 0 && !(mv > 57 && d > 8) && !(mv > 52 && (60 - mv) + d < 9)) {
            if (k.WhiteToMove && k.PlyMinReal[d - 1] < v) break;
            if (!k.WhiteToMove && k.PlyMaxReal[d - 1] > v) break;
        }
        if (d == 1 && k.PlyMaxReal[1] > k.BestValueReal) {
            k.ChosenMove = k.Tejun[1];
            k.BestValueReal = k.PlyMaxReal[1];
            char value[32];
            std::snprintf(value, sizeof value, "%.15g", k.PlyMaxReal[1]);
            k.ThinkComment = PlainComment(k, value, "B");
        }
    }

    double v;
    if (hasChild) {
        v = k.WhiteToMove ? k.PlyMaxReal[d] : k.PlyMinReal[d];
    } else {
        if (k.CurrentBoard->Passed == 1) {
            ReferenceEvaluateB(k);  // recounts the discs
            return FinishedScoreB(k);
        }
        PlainCountDiscs(k);
        if (k.BlackCount == 0 || k.WhiteCount == 0) return FinishedScoreB(k);
        --k.SearchPly;
        k.CurrentBoard->Passed = 1;
        k.WhiteToMove = !k.WhiteToMove;
        v = PlainSearchB(k);
        k.WhiteToMove = !k.WhiteToMove;
    }
    return v == 0.0 ? 0.5 : v;
}

uint8_t PlainFixedReply(const TKyokumen& k) {
    auto black = [&](int square) { return k.Boards[0].Cells[square] == 1; };
    if (k.Placement == 1 && (black(35) || black(46))) return 36;
    if (k.Placement == 1 && (black(53) || black(64))) return 63;
    if (k.Placement == 2 && (black(34) || black(43))) return 33;
    if (k.Placement == 2 && (black(56) || black(65))) return 66;
    return 0;
}

}  // namespace

void ReferenceChooseMove(TKyokumen& k) {
    if (k.WhiteOut) return;
    k.ChosenMove = 0;
    k.ThinkComment.clear();
    k.WhiteToMove = true;
    if (k.MoveNumber == 1 && (k.Placement == 1 || k.Placement == 2)) {
        k.ChosenMove = PlainFixedReply(k);
        if (k.ChosenMove != 0) {
            k.ThinkComment = "２手目を牛定石に";
            return;
        }
    }
    if (k.GameLevel >= 2 && k.GameLevel <= 4) {
        k.SearchPly = 0;
        for (uint8_t& square : k.Tejun)
            square = 0;
        int depth = k.GameLevel == 2 ? 2 : k.GameLevel == 3 ? 4 : 5;
        if (k.MoveNumber < 4) depth = 2;
        if (k.MoveNumber > 38) depth = 6;
        if (k.MoveNumber > 46) depth = 8;
        if (k.MoveNumber > 48) depth = 60 - k.MoveNumber;
        k.MaxPly = static_cast<int8_t>(depth);
        for (int ply = 0; ply < PLY_SLOTS; ++ply) {
            k.PlyMax[ply] = k.PlyMin[ply] = 0;
            k.PlyMaxReal[ply] = k.PlyMinReal[ply] = 0.0;
        }
        if (k.ThinkType == 2) {
            k.BestValueReal = -30000.0;
            PlainSearchB(k);
        } else if (k.ThinkType >= 1 && k.ThinkType <= 4) {
            k.BestValue = -30000;
            PlainSearch(k, k.ThinkType);
        }
        k.WhiteToMove = true;
        if (k.ChosenMove != 0) return;
    }
    k.ThinkComment = "Game_Level = ランダム";
    for (const int corner : {11, 18, 81, 88})
        if (PlainIsLegal(k, corner)) k.ChosenMove = static_cast<uint8_t>(corner);
    if (k.ChosenMove != 0) return;
    for (int draw = 0; draw < 64; ++draw) {
        ++k.EvalCount;
        const int square = static_cast<int>(Random(88)) + 1;
        if (PlainIsLegal(k, square)) {
            k.ChosenMove = static_cast<uint8_t>(square);
            return;
        }
    }
    for (int square = 11; square <= 88; ++square) {
        if (square % 10 == 0 || square % 10 == 9) continue;
        ++k.EvalCount;
        if (PlainIsLegal(k, square)) {
            k.ChosenMove = static_cast<uint8_t>(square);
            return;
        }
    }
    k.WhiteOut = true;
}
