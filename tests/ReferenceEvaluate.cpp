#include "ReferenceEvaluate.h"

#include <string>
#include <string_view>

#include "engine/untRandom.h"
#include "engine/untSquareNames.h"

namespace {

struct Corner {
    const char *corner, *x, *c1, *c2, *beyond1, *beyond2, *third1, *third2;
};
const Corner kCorners[4] = {
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

int16_t ReferenceEvaluate(TKyokumen& k) {
    const Board b{k.CurrentBoard->Cells};
    const int mv = k.MoveNumber, level = k.GameLevel;
    const uint8_t* tejun = k.Tejun;
    int16_t v = 0;
    auto add = [&](int x) { v = static_cast<int16_t>(v + x); };

    // 1
    int black = 0, white = 0;
    for (int column = 0; column < 8; ++column)
        for (int row = 0; row < 8; ++row) {
            const int c = b.atColumnRow(column, row);
            const bool frontier = level >= 3 && mv < 50;
            if (c == 2) {
                ++white;
                add(1);
                if (frontier) add(-Open(b, column, row));
            } else if (c == 1) {
                ++black;
                add(-1);
                if (frontier) add(Open(b, column, row));
            }
        }
    k.BlackCount = static_cast<uint8_t>(black);
    k.WhiteCount = static_cast<uint8_t>(white);

    if (mv < 60) {
        // 3
        if (mv < 30 && level <= 3) add(static_cast<int>(Random(7)));
        if (mv < 47 && level == 2) add(static_cast<int>(Random(22)));
        // 4
        if (level == 4 && mv < 55) {
            if (black < white) add(black - white - 1);
            if (white < black) add(black - white + 1);
        }
        // 5
        const int w5 = mv <= 53 ? (60 - mv) / 2 : 0;
        for (const Corner& c : kCorners)
            if (b.at(c.corner) == 0) {
                if (b.at(c.x) == 2) add(-w5);
                if (b.at(c.x) == 1) add(w5);
            }
        // 6
        const int w6 = mv <= 29 ? 16 : mv <= 39 ? 10 : mv <= 49 ? 7 : mv <= 53 ? 3 : 0;
        for (const Corner& c : kCorners)
            if (b.at(c.corner) == 0)
                for (int p = 1; p <= 5; ++p)
                    if (tejun[p] == SquareOf(c.x)) add(p % 2 ? -w6 : w6);
        // 7
        if (mv < 55) {
            const int w7 = mv <= 41 ? 20 : 4;
            if (IsCorner(tejun[1])) add(w7);
            if (IsCorner(tejun[2])) add(-w7);
            if (IsCorner(tejun[3])) add(-3);
            if (IsCorner(tejun[4])) add(-3);
        }
        // 8
        const int w8 = mv <= 56 ? 60 - mv : 0;
        for (const Corner& c : kCorners) {
            if (b.at(c.corner) == 2) add(w8);
            if (b.at(c.corner) == 1) add(-w8);
        }
        // 9
        int w9 = mv <= 19 ? 6 : mv <= 25 ? 3 : 0;
        if (black < 3 || white < 3) w9 = 0;
        for (const Corner& c : kCorners)
            if (b.at(c.corner) == 0)
                for (int p = 1; p <= 5; ++p)
                    if (tejun[p] == SquareOf(c.c1) || tejun[p] == SquareOf(c.c2))
                        add(p % 2 ? -w9 : w9);
        // 10
        const int w10 = mv <= 39 ? 4 : 0;
        for (int e = 0; e < 4; ++e) {
            const int l3 = b.edge(e, 3), l4 = b.edge(e, 4), l5 = b.edge(e, 5), l6 = b.edge(e, 6);
            if (l3 == 2 && l4 == 1 && l5 == 1 && l6 == 2) add(-w10);
            if (l3 == 1 && l4 == 2 && l5 == 2 && l6 == 1) add(w10);
        }
        // 11 and 12
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
        for (const Corner& c : kCorners)
            for (const char* cs : {c.c1, c.c2}) {
                if (b.at(c.corner) == 2 && b.at(cs) == 1) add(-w11);
                if (b.at(c.corner) == 1 && b.at(cs) == 2) add(w11);
                if (b.at(c.corner) == 2 && b.at(cs) == 0) add(-w12);
                if (b.at(c.corner) == 1 && b.at(cs) == 0) add(w12);
            }
        // 13
        const int w13 = mv <= 49 ? 2 : 0;
        for (const char* s : {"g3", "g6", "b3", "b6", "f2", "f7", "c2", "c7"})
            if (b.at(s) == 2) add(-w13);
        for (const char* s : {"f3", "f6", "c3", "c6"})
            if (b.at(s) == 2) add(w13);
        // 14
        int w14 = mv <= 13 ? 16 : mv <= 17 ? 8 : mv <= 21 ? 4 : mv <= 25 ? 2 : mv <= 29 ? 1 : 0;
        if (level == 4 && w14 != 0) w14 = 1;
        for (int e = 0; e < 4; ++e)
            for (int l = 3; l <= 6; ++l) {
                if (b.edge(e, l) == 2) add(w14);
                if (b.edge(e, l) == 1) add(-w14);
            }
        // 15
        if (mv < 50)
            for (const Corner& c : kCorners)
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
        if (mv < 57)
            for (int e = 0; e < 4; ++e) {
                if (Exposure(b, e, 2)) add(-(75 - mv));
                if (Exposure(b, e, 1)) add(75 - mv);
            }
        // 17
        if (mv < 59) {
            // 18
            const int w18 = mv <= 56 ? 2 : 1;
            for (int corner = 0; corner < 4; ++corner)
                add(w18 * Run(b, corner, 2) - w18 * Run(b, corner, 1));
            for (int e = 0; e < 4; ++e)
                add(Full(b, e, 2) - Full(b, e, 1));
            // 19
            const int w19 = mv <= 39 ? 6 : mv <= 49 ? 16 : 0;
            for (const Corner& c : kCorners)
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
            const int w20 = mv <= 29 ? 16 : mv <= 39 ? 4 : 0;
            for (const Corner& c : kCorners) {
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
            const int w21 = mv <= 35 ? 30 : mv <= 49 ? 3 : 0;
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
            for (const Corner& c : kCorners)
                if (b.at(c.corner) == 0) {
                    if (b.at(c.c1) == 2 && b.at(c.beyond1) != 2) add(-w22);
                    if (b.at(c.c1) == 1 && b.at(c.beyond1) != 1) add(w22);
                    if (b.at(c.c2) == 2 && b.at(c.beyond2) != 2) add(-w22);
                    if (b.at(c.c2) == 1 && b.at(c.beyond2) != 1) add(w22);
                }
            // 23
            const int w23 = mv >= 30 && mv <= 39 ? 4 : 0;
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
            const int w24 = mv <= 39 ? 8 : mv <= 49 ? 2 : 0;
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
        }
    }
    // 25
    if (v == 0) v = 1;
    if (black == 0) v = 9999;
    if (white == 0) v = -9999;
    return v;
}
