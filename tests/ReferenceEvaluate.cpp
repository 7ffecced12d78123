#include "ReferenceEvaluate.h"

#include <string>
#include <string_view>

#include "engine/untRandom.h"
#include "engine/untSquareNames.h"

namespace {

struct Corner {
    const char *corner, *x, *c1, *c2, *beyond1, *beyond2, *third1, *third2;
};
const Corner kCornerNames[4] = {
    {"a1", "b2", "a2", "b1", "a3", "c1", "a4", "d1"},
    {"h1", "g2", "h2", "g1", "h3", "f1", "h4", "e1"},
    {"a8", "b7", "a7", "b8", "a6", "c8", "a5", "d8"},
    {"h8", "g7", "h7", "g8", "h6", "f8", "h5", "e8"},
};
// The edges, L1..L8 as names run together.
const char* const kEdges[4] = {"a1b1c1d1e1f1g1h1", "h1h2h3h4h5h6h7h8", "a8b8c8d8e8f8g8h8",
                               "a1a2a3a4a5a6a7a8"};

struct Board {
    const uint8_t* cells;
    int at(std::string_view name) const { return cells[SquareOf(name)]; }
    int atColumnRow(int column, int row) const {  // column 0 = a, row 0 = row 1
        if (column < 0 || column > 7 || row < 0 || row > 7) return -1;
        return cells[10 * (8 - column) + row + 1];
    }
    int edge(int e, int l) const {  // l = 1..8
        return at(std::string_view(kEdges[e]).substr(2 * (l - 1), 2));
    }
};

// A pattern instance's index, from the squares' names.
int Index(const Board& b, std::string_view names) {
    int index = 0;
    for (std::size_t i = 0; i < 16; i += 2)
        index = 3 * index + (i < names.size() ? b.at(names.substr(i, 2)) : 0);
    return index;
}

bool IsCorner(int square) {
    return square == 11 || square == 18 || square == 81 || square == 88;
}

int Open(const Board& b, int column, int row) {
    const int me = b.atColumnRow(column, row), other = 3 - me;
    const bool sideColumn = column == 0 || column == 7, sideRow = row == 0 || row == 7;
    if (sideColumn && sideRow) return 0;
    int n = 0;
    if (sideColumn) {
        for (int dc : {-1, 1}) {
            const int c = b.atColumnRow(column + dc, row);
            n += c == 0 || c == other;
        }
        return n;
    }
    if (sideRow) {
        for (int dr : {-1, 1}) {
            const int c = b.atColumnRow(column, row + dr);
            n += c == 0 || c == other;
        }
        return n;
    }
    for (int dc = -1; dc <= 1; ++dc)
        for (int dr = -1; dr <= 1; ++dr)
            if ((dc || dr) && b.atColumnRow(column + dc, row + dr) == 0) ++n;
    return n;
}

int Exposure(const Board& b, int e, int c) {
    const int o = 3 - c;
    if (b.edge(e, 1) != 0 && b.edge(e, 8) != 0) return 0;
    bool exposed = false;
    if (b.edge(e, 1) != c)
        for (int k = 1; k <= 6; ++k) {
            bool run = true;
            for (int l = 2; l <= k + 1; ++l)
                run = run && b.edge(e, l) == c;
            if (run && b.edge(e, k + 2) == o) exposed = true;
        }
    if (b.edge(e, 8) != c)
        for (int k = 1; k <= 6; ++k) {
            bool run = true;
            for (int l = 7; l >= 8 - k; --l)
                run = run && b.edge(e, l) == c;
            if (run && b.edge(e, 7 - k) == o) exposed = true;
        }
    return exposed ? 1 : 0;
}

// Corner runs: h1 along column h and row 1, h8, a1, a8 likewise.
int Run(const Board& b, int corner, int c) {
    static const char* const kLines[4][2] = {
        {"h1h2h3h4h5h6h7h8", "h1g1f1e1d1c1b1a1"},
        {"h8h7h6h5h4h3h2h1", "h8g8f8e8d8c8b8a8"},
        {"a1a2a3a4a5a6a7a8", "a1b1c1d1e1f1g1h1"},
        {"a8a7a6a5a4a3a2a1", "a8b8c8d8e8f8g8h8"},
    };
    if (b.at(std::string_view(kLines[corner][0]).substr(0, 2)) != c) return 0;
    int total = 0;
    for (const char* line : kLines[corner]) {
        int r = 0;
        while (r < 8 && b.at(std::string_view(line).substr(2 * r, 2)) == c)
            ++r;
        total += r;
    }
    return total - 1;
}

int Full(const Board& b, int e, int c) {
    int n = 0;
    for (int l = 1; l <= 8; ++l) {
        if (b.edge(e, l) == 0) return 0;
        n += b.edge(e, l) == c;
    }
    return n;
}

}  // namespace

int32_t ReferenceEvaluate(TKyokumen& k, TVariant variant) {
    const bool A = variant == TVariant::Evaluate, P = variant == TVariant::Patterns,
               D = variant == TVariant::EvaluateD;
    const Board b{k.CurrentBoard->Cells};
    const int mv = k.MoveNumber, level = k.GameLevel;
    const uint8_t* tejun = k.Tejun;
    long v = 0;
    auto add = [&](int x) { v += x; };
    auto result = [&](int black, int white) -> int32_t {
        int32_t r = P ? static_cast<int32_t>(v) : static_cast<int16_t>(v);
        if (r == 0) r = 1;
        if (black == 0) r = 9999;
        if (white == 0) r = -9999;
        return r;
    };

    // 1
    int black = 0, white = 0, xDiscs = 0, blackEdge = 0, whiteEdge = 0;
    const bool frontier = P ? mv < 50 : level >= 3 && mv < 50;
    for (int column = 0; column < 8; ++column)
        for (int row = 0; row < 8; ++row) {
            const int c = b.atColumnRow(column, row);
            const bool edge = column == 0 || column == 7 || row == 0 || row == 7;
            const bool x = (column == 1 || column == 6) && (row == 1 || row == 6);
            if (c != 0 && x) ++xDiscs;
            if (c == 2) {
                ++white;
                add(1);
                if (frontier) add(-Open(b, column, row));
                if (edge) ++whiteEdge;
            } else if (c == 1) {
                ++black;
                add(-1);
                if (frontier) add(Open(b, column, row));
                if (edge) ++blackEdge;
            }
        }
    if (!(D && level == 4 && mv < 50)) blackEdge = whiteEdge = 0;
    k.BlackCount = static_cast<uint8_t>(black);
    k.WhiteCount = static_cast<uint8_t>(white);

    // 2
    if (mv >= (P ? 58 : 60)) return result(black, white);
    // 3
    if (!P) {
        if (mv < 30 && level <= 3) add(static_cast<int>(Random(7)));
        if (mv < 47 && level == 2) add(static_cast<int>(Random(22)));
    }
    // 4
    if (level == 4 && mv < (P ? 53 : 55)) {
        const int extra = D ? 0 : 1;
        if (black < white) add(black - white - extra);
        if (white < black) add(black - white + extra);
        if (D && blackEdge < whiteEdge) add(-blackEdge);
    }
    // 5
    const int w5 = mv <= 53 ? (P ? 60 - mv : (60 - mv) / 2) : 0;
    for (const Corner& c : kCornerNames)
        if (b.at(c.corner) == 0) {
            if (b.at(c.x) == 2) add(-w5);
            if (b.at(c.x) == 1) add(w5);
        }
    // 6
    const int w6 = A   ? (mv <= 29   ? 16
                          : mv <= 39 ? 10
                          : mv <= 49 ? 7
                          : mv <= 53 ? 3
                                     : 0)
                   : P ? (mv <= 29   ? 32
                          : mv <= 39 ? 4
                                     : 0)
                       : (mv <= 29   ? 20
                          : mv <= 39 ? 8
                          : mv <= 49 ? 4
                          : mv <= 54 ? 2
                                     : 0);
    for (const Corner& c : kCornerNames)
        if (b.at(c.corner) == 0)
            for (int p = 1; p <= 5; ++p)
                if (tejun[p] == SquareOf(c.x)) add(p % 2 ? -w6 : w6);
    // 6a
    if (P && mv <= 49 && xDiscs == 1)
        for (const Corner& c : kCornerNames)
            if (b.at(c.corner) == 0 && tejun[1] == SquareOf(c.x)) add(-6);
    // 7
    if (mv < (D ? 50 : 55)) {
        const int w7 = A ? (mv <= 41 ? 20 : 4) : P ? (mv <= 41 ? 32 : 5) : (mv <= 39 ? 16 : 5);
        if (IsCorner(tejun[1])) add(w7);
        if (IsCorner(tejun[2])) add(-w7);
        if (IsCorner(tejun[3])) add(P ? 2 : -3);
        if (IsCorner(tejun[4])) add(P ? -4 : -3);
    }
    // 8
    const int w8 = A   ? (mv <= 56 ? 60 - mv : 0)
                   : P ? (mv >= 21 && mv <= 55 ? 60 - mv : 0)
                       : (mv <= 58 ? 60 - mv : 0);
    for (const Corner& c : kCornerNames) {
        if (b.at(c.corner) == 2) add(w8);
        if (b.at(c.corner) == 1) add(-w8);
    }
    // 9
    int w9 = A ? (mv <= 19 ? 6 : mv <= 25 ? 3 : 0) : D ? (mv <= 19 ? 8 : mv <= 26 ? 2 : 0) : 0;
    if (black < 3 || white < 3) w9 = 0;
    for (const Corner& c : kCornerNames)
        if (b.at(c.corner) == 0)
            for (int p = 1; p <= 5; ++p)
                if (tejun[p] == SquareOf(c.c1) || tejun[p] == SquareOf(c.c2)) add(p % 2 ? -w9 : w9);
    // 10
    const int w10 = !P && mv <= 39 ? 4 : 0;
    for (int e = 0; e < 4; ++e) {
        const int l3 = b.edge(e, 3), l4 = b.edge(e, 4), l5 = b.edge(e, 5), l6 = b.edge(e, 6);
        if (l3 == 2 && l4 == 1 && l5 == 1 && l6 == 2) add(-w10);
        if (l3 == 1 && l4 == 2 && l5 == 2 && l6 == 1) add(w10);
    }
    // 11 and 12
    if (A) {
        const int w11 = mv <= 29   ? 0
                        : mv <= 35 ? 4
                        : mv <= 39 ? 8
                        : mv <= 49 ? 16
                        : mv <= 56 ? 6
                                   : 0;
        const int w12 = mv <= 29   ? 0
                        : mv <= 35 ? 4
                        : mv <= 39 ? 6
                        : mv <= 49 ? 12
                        : mv <= 56 ? 4
                                   : 0;
        for (const Corner& c : kCornerNames)
            for (const char* cs : {c.c1, c.c2}) {
                if (b.at(c.corner) == 2 && b.at(cs) == 1) add(-w11);
                if (b.at(c.corner) == 1 && b.at(cs) == 2) add(w11);
                if (b.at(c.corner) == 2 && b.at(cs) == 0) add(-w12);
                if (b.at(c.corner) == 1 && b.at(cs) == 0) add(w12);
            }
    }
    if (D) {
        const int w11 = mv <= 29   ? 2
                        : mv <= 35 ? 8
                        : mv <= 39 ? 12
                        : mv <= 49 ? 16
                        : mv <= 53 ? 8
                                   : 0;
        const int w12 = mv <= 29 ? 0 : mv <= 39 ? 4 : mv <= 49 ? 6 : mv <= 53 ? 4 : 0;
        for (const Corner& c : kCornerNames) {
            const int corner = b.at(c.corner);
            if (corner == 2 && (b.at(c.c1) == 1 || b.at(c.c2) == 1)) add(-w11);
            if (corner == 1 && (b.at(c.c1) == 2 || b.at(c.c2) == 2)) add(w11);
            for (const auto& [cs, beyond] :
                 {std::pair{c.c1, c.beyond1}, std::pair{c.c2, c.beyond2}}) {
                if (corner == 2 && b.at(cs) == 0 && b.at(beyond) == 2) add(-w12);
                if (corner == 1 && b.at(cs) == 0 && b.at(beyond) == 1) add(w12);
            }
        }
    }
    // 13
    if (A) {
        const int w13 = mv <= 49 ? 2 : 0;
        for (const char* s : {"g3", "g6", "b3", "b6", "f2", "f7", "c2", "c7"})
            if (b.at(s) == 2) add(-w13);
        for (const char* s : {"f3", "f6", "c3", "c6"})
            if (b.at(s) == 2) add(w13);
    }
    // 14
    int w14 = 0;
    if (A) {
        w14 = mv <= 13 ? 16 : mv <= 17 ? 8 : mv <= 21 ? 4 : mv <= 25 ? 2 : mv <= 29 ? 1 : 0;
        if (level == 4 && w14 != 0) w14 = 1;
    }
    if (D) {
        w14 = mv <= 13   ? 12
              : mv <= 17 ? 6
              : mv <= 21 ? 5
              : mv <= 25 ? 4
              : mv <= 29 ? 3
              : mv <= 34 ? 2
              : mv <= 39 ? 1
                         : 0;
        if (level == 4) w14 = 0;
    }
    for (int e = 0; e < 4; ++e)
        for (int l = 3; l <= 6; ++l) {
            if (b.edge(e, l) == 2) add(w14);
            if (b.edge(e, l) == 1) add(-w14);
        }
    // 15
    if (A && mv < 50)
        for (const Corner& c : kCornerNames)
            if (b.at(c.corner) == 0) {
                const char* six[] = {c.c1, c.beyond1, c.third1, c.c2, c.beyond2, c.third2};
                bool allBlack = true, allWhite = true;
                for (const char* s : six) {
                    allBlack = allBlack && b.at(s) == 1;
                    allWhite = allWhite && b.at(s) == 2;
                }
                if (allBlack) add(-5);
                if (allWhite) add(5);
            }
    // 16
    if (mv < (A ? 57 : P ? 56 : 50))
        for (int e = 0; e < 4; ++e) {
            if (Exposure(b, e, 2)) add(-(75 - mv));
            if (Exposure(b, e, 1)) add(75 - mv);
        }
    // 17
    if (!P && mv >= 59) return result(black, white);
    // 18
    const int w18 = A ? (mv <= 56 ? 2 : 1) : P ? 5 : (mv <= 49 ? 5 : 1);
    for (int corner = 0; corner < 4; ++corner)
        add(w18 * Run(b, corner, 2) - w18 * Run(b, corner, 1));
    if (!D)
        for (int e = 0; e < 4; ++e)
            add(Full(b, e, 2) - Full(b, e, 1));
    if (P) {
        // 24a
        const int stage = mv <= 20 ? 0 : mv <= 40 ? 1 : 2;
        const TPatternTable& table = *k.PatternWeights;
        const struct {
            int kind;
            const char* squares;
        } instances[] = {
            {1, "a3b3c3d3e3f3g3h3"}, {1, "a6b6c6d6e6f6g6h6"}, {1, "f1f2f3f4f5f6f7f8"},
            {1, "c1c2c3c4c5c6c7c8"}, {2, "a2b2c2d2e2f2g2h2"}, {2, "a7b7c7d7e7f7g7h7"},
            {2, "g1g2g3g4g5g6g7g8"}, {2, "b1b2b3b4b5b6b7b8"}, {3, "a1b1c1d1e1f1g1h1"},
            {3, "h1h2h3h4h5h6h7h8"}, {3, "h8g8f8e8d8c8b8a8"}, {3, "a8a7a6a5a4a3a2a1"},
            {4, "a1b1c1a2b2a3c3"},   {4, "h1g1f1h2g2h3f3"},   {4, "h8g8f8h7g7h6f6"},
            {4, "a8b8c8a7b7a6c6"},   {5, "c4c5d4d5e4e5f4f5"}, {5, "e3d3e4d4e5d5e6d6"},
            {6, "c3d3c4d4c5d5c6d6"}, {6, "f3e3f4e4f5e5f6e6"}, {6, "c3c4d3d4e3e4f3f4"},
            {6, "c6c5d6d5e6e5f6f5"},
        };
        for (const auto& instance : instances)
            add(table[instance.kind][Index(b, instance.squares)][stage]);
        return result(black, white);
    }
    // 19
    const int w19 = A ? (mv <= 39 ? 6 : mv <= 49 ? 16 : 0) : (mv <= 49 ? 16 : 0);
    for (const Corner& c : kCornerNames)
        if (b.at(c.corner) == 0) {
            const char* four[] = {c.c1, c.c2, c.beyond1, c.beyond2};
            bool allBlack = true, allWhite = true;
            for (const char* s : four) {
                allBlack = allBlack && b.at(s) == 1;
                allWhite = allWhite && b.at(s) == 2;
            }
            if (allBlack && b.at(c.x) == 2) add(-w19);
            if (allWhite && b.at(c.x) == 1) add(w19);
        }
    // 20
    const int w20 = A ? (mv <= 29   ? 16
                         : mv <= 39 ? 4
                                    : 0)
                      : (mv <= 29   ? 12
                         : mv <= 39 ? 7
                         : mv <= 49 ? 4
                                    : 0);
    for (const Corner& c : kCornerNames) {
        const char* block[] = {c.corner, c.c1, c.c2, c.x};
        bool allBlack = true, allWhite = true;
        for (const char* s : block) {
            allBlack = allBlack && b.at(s) == 1;
            allWhite = allWhite && b.at(s) == 2;
        }
        if (allWhite) add(w20);
        if (allBlack) add(-w20);
    }
    // 21
    const int w21 = A ? (mv <= 35   ? 30
                         : mv <= 49 ? 3
                                    : 0)
                      : (mv <= 29   ? 30
                         : mv <= 39 ? 5
                         : mv <= 49 ? 3
                                    : 0);
    for (int e = 0; e < 4; ++e) {
        bool allBlack = true, allWhite = true;
        for (int l = 2; l <= 7; ++l) {
            allBlack = allBlack && b.edge(e, l) == 1;
            allWhite = allWhite && b.edge(e, l) == 2;
        }
        if (allWhite && b.edge(e, 1) != 1 && b.edge(e, 8) != 1) add(w21);
        if (allBlack && b.edge(e, 1) != 2 && b.edge(e, 8) != 2) add(-w21);
    }
    // 22
    int w22 = mv <= 29 ? 30 : mv <= 39 ? 10 : mv <= 45 ? 6 : mv <= 49 ? 3 : 0;
    if (w22 != 0 && level <= 3 && (black < 3 || white < 3)) w22 = 1;
    for (const Corner& c : kCornerNames)
        if (b.at(c.corner) == 0) {
            if (b.at(c.c1) == 2 && b.at(c.beyond1) != 2) add(-w22);
            if (b.at(c.c1) == 1 && b.at(c.beyond1) != 1) add(w22);
            if (b.at(c.c2) == 2 && b.at(c.beyond2) != 2) add(-w22);
            if (b.at(c.c2) == 1 && b.at(c.beyond2) != 1) add(w22);
        }
    // 23
    const int w23 = A ? (mv >= 30 && mv <= 39 ? 4 : 0)
                      : (mv <= 35   ? 0
                         : mv <= 39 ? 2
                         : mv <= 49 ? 5
                                    : 0);
    for (int e = 0; e < 4; ++e) {
        if (b.edge(e, 1) != 0 || b.edge(e, 8) != 0) continue;
        for (int colour = 1; colour <= 2; ++colour) {
            const int sign = colour == 2 ? -1 : 1;
            bool low = true, high = true;
            for (int l = 2; l <= 6; ++l)
                low = low && b.edge(e, l) == colour;
            for (int l = 3; l <= 7; ++l)
                high = high && b.edge(e, l) == colour;
            if (low && b.edge(e, 7) == 0) add(sign * w23);
            if (high && b.edge(e, 2) == 0) add(sign * w23);
        }
    }
    // 24
    const int w24 = A ? (mv <= 39   ? 8
                         : mv <= 49 ? 2
                                    : 0)
                      : (mv <= 29   ? 3
                         : mv <= 39 ? 4
                         : mv <= 49 ? 6
                                    : 0);
    for (int e = 0; e < 4; ++e) {
        if (b.edge(e, 1) || b.edge(e, 2) || b.edge(e, 7) || b.edge(e, 8)) continue;
        bool allBlack = true, allWhite = true;
        for (int l = 3; l <= 6; ++l) {
            allBlack = allBlack && b.edge(e, l) == 1;
            allWhite = allWhite && b.edge(e, l) == 2;
        }
        if (allWhite) add(w24);
        if (allBlack) add(-w24);
    }
    // 25
    return result(black, white);
}

double ReferenceEvaluateB(TKyokumen& k) {
    const uint8_t* cells = k.CurrentBoard->Cells;
    const int mn = k.MoveNumber, level = k.GameLevel;
    const uint8_t* tejun = k.Tejun;
    auto isCorner = [](int s) { return s == 11 || s == 18 || s == 81 || s == 88; };
    auto isX = [](int s) { return s == 22 || s == 27 || s == 72 || s == 77; };
    auto exposure = [&](int s) {
        if (isCorner(s) || isX(s)) return 0;
        int n = 0;
        for (const int step : {1, -1, 9, -9, 10, -10, 11, -11}) {
            const int c = cells[s + step];
            n += c == 0 || c == 3 - cells[s];
        }
        return n;
    };
    auto emptyPull = [&](int s) {
        int n = 0;
        for (const int step : {1, -1, 10, -10})
            n += (cells[s + step] == 2) - (cells[s + step] == 1);
        return n;
    };
    double v = 0;
    int black = 0, white = 0;
    // 1
    for (int s = 11; s <= 88; ++s) {
        if (cells[s] == 99) continue;
        const bool more = level > 2 && mn < 50;
        if (cells[s] == 2) {
            ++white;
            v += 1;
            if (more) v -= exposure(s) / 2;
        } else if (cells[s] == 1) {
            ++black;
            v -= 1;
            if (more) v += exposure(s);
        } else if (more) {
            v -= emptyPull(s);
        }
    }
    k.BlackCount = static_cast<uint8_t>(black);
    k.WhiteCount = static_cast<uint8_t>(white);
    // 2, 3
    if (mn < 55) v -= 20;
    if (mn < 60) {
        // 4
        if (mn < 30 && level < 4) v += Random(7);
        if (mn < 47 && level == 2) v += Random(12);
        // 5
        if (level == 4 && mn < 55) {
            if (white > black) v -= white - black + 1;
            if (black > white) v += black - white + 1;
        }
        // 6
        if (mn < 57) {
            k.EdgeRunsWhite = k.EdgeRunsBlack = 0;
            const int edges[4][8] = {{11, 21, 31, 41, 51, 61, 71, 81},
                                     {11, 12, 13, 14, 15, 16, 17, 18},
                                     {81, 82, 83, 84, 85, 86, 87, 88},
                                     {18, 28, 38, 48, 58, 68, 78, 88}};
            for (const auto& edge : edges) {
                uint32_t index = 0;
                for (int i = 0; i < 8; ++i) {
                    if (cells[edge[i]] == 2) index += 1u << i;
                    if (cells[edge[i]] == 1) index += 1000u << i;
                }
                v += k.EdgeValue(index);
            }
        }
        // From here on the sum may hold a fraction, so that the order of the additions
        // shows in the last bit: each step adds its own sum at once, in the engine's order.
        // 7
        const double g = mn <= 29 ? 32 : mn <= 39 ? 10 : mn <= 49 ? 5 : 0;
        const int blocks[4][4] = {
            {81, 82, 71, 72}, {88, 87, 78, 77}, {11, 12, 21, 22}, {18, 17, 28, 27}};
        double step = 0;
        for (const auto& block : blocks) {
            bool allWhite = true, allBlack = true;
            for (const int s : block) {
                allWhite = allWhite && cells[s] == 2;
                allBlack = allBlack && cells[s] == 1;
            }
            if (allWhite) step += g;
            if (allBlack) step -= g;
        }
        v += step;
        // 8
        double i8 = mn <= 19 ? 16 : mn <= 23 ? 2 : 0;
        if (black < 3 || white < 3) i8 = 0;
        const int cSquares[] = {12, 21, 17, 28, 82, 71, 87, 78};
        step = 0;
        for (const int c : cSquares) {
            for (const int p : {1, 3, 5})
                if (tejun[p] == c) step -= i8;
            for (const int p : {2, 4})
                if (tejun[p] == c) step += i8;
        }
        v += step;
        // 9, then 10
        const double p9 = mn <= 49 ? (60 - mn) / 2 : 0;
        const double q = mn <= 29 ? 10 : mn <= 39 ? 4 : mn <= 45 ? 2 : 0;
        const int cornerX[4][2] = {{11, 22}, {18, 27}, {81, 72}, {88, 77}};
        double step10 = 0;
        step = 0;
        for (const auto& [corner, x] : cornerX) {
            if (cells[corner] != 0) continue;
            if (cells[x] == 2) step -= p9;
            if (cells[x] == 1) step += p9;
            for (const int p : {1, 3, 5})
                if (tejun[p] == x) step10 -= q;
            for (const int p : {2, 4})
                if (tejun[p] == x) step10 += q;
        }
        v += step;
        v += step10;
        // 11
        const double s11 = mn <= 29   ? 0
                           : mn <= 35 ? 3
                           : mn <= 39 ? 6
                           : mn <= 49 ? 9
                           : mn <= 55 ? 3
                                      : 0;
        const int cornerC[4][3] = {{11, 12, 21}, {18, 17, 28}, {81, 82, 71}, {88, 87, 78}};
        step = 0;
        for (const auto& [corner, c1, c2] : cornerC)
            for (const int c : {c1, c2}) {
                if (cells[corner] == 2 && cells[c] == 1) step -= s11;
                if (cells[corner] == 1 && cells[c] == 2) step += s11;
            }
        v += step;
        // 12
        if (mn < 55) {
            const double amount = mn < 30 ? 30 : 5;
            step = 0;
            if (isCorner(tejun[1])) step += amount;
            if (isCorner(tejun[2])) step -= amount;
            if (isCorner(tejun[3])) step += 3;
            if (isCorner(tejun[4])) step -= 3;
            if (isCorner(tejun[5])) step += 2;
            v += step;
        }
        // 13
        const double o = mn <= 55 ? 60 - mn : 0;
        step = 0;
        for (const int corner : {11, 18, 81, 88}) {
            if (cells[corner] == 2) step += o;
            if (cells[corner] == 1) step -= o;
        }
        v += step;
        // 14
        if (mn < 33) {
            const int fours[4][4] = {
                {32, 42, 52, 62}, {23, 24, 25, 26}, {37, 47, 57, 67}, {73, 74, 75, 76}};
            step = 0;
            for (const auto& four : fours) {
                bool allWhite = true, allBlack = true;
                for (const int s : four) {
                    allWhite = allWhite && cells[s] == 2;
                    allBlack = allBlack && cells[s] == 1;
                }
                if (allWhite) step += 1;
                if (allBlack) step -= 1;
            }
            v += step;
        }
        // 15 and 16 together
        if (mn <= 49) {
            step = 0;
            for (const int s : {23, 26, 73, 76, 32, 37, 62, 67})
                if (cells[s] == 2) step -= 2;
            for (const int s : {33, 36, 63, 66})
                if (cells[s] == 2) step += 2;
            v += step;
        }
    }
    // 17
    if (v == 0.0) v = 0.5;
    if (black == 0) v = 9999.0;
    if (white == 0) v = -9999.0;
    return v;
}
