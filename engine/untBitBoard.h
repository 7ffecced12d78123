#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

// The discs of a position as two 64-bit sets, for evaluation terms that count many squares
// at once. Square 10 * x + y (x the column from the right, y the row) is bit 8 * (x - 1) +
// (y - 1): each column is one byte, and row y its bit y - 1.
struct TBitBoard {
    uint64_t black = 0;
    uint64_t white = 0;
    uint64_t Empty() const { return ~(black | white); }
};

constexpr int BitOf(int square) {
    return 8 * (square / 10 - 1) + square % 10 - 1;
}
constexpr uint64_t MaskOf(int square) {
    return uint64_t{1} << BitOf(square);
}

// Reads the 64 board cells, a column (eight contiguous cells) at a time.
inline TBitBoard BitsOf(const uint8_t* cells) {
    TBitBoard bits;
    for (int x = 1; x <= 8; ++x) {
        uint64_t column = 0;
        if constexpr (std::endian::native == std::endian::little) {
            std::memcpy(&column, cells + 10 * x + 1, sizeof column);
        } else {
            for (int y = 0; y < 8; ++y)
                column |= uint64_t{cells[10 * x + 1 + y]} << (8 * y);
        }
        // Each byte holds 0, 1 or 2: bit 0 marks black, bit 1 white. Gather one bit per byte.
        constexpr uint64_t kLowBits = 0x0101010101010101ull;
        constexpr uint64_t kGather = 0x0102040810204080ull;
        const uint64_t blackBytes = column & kLowBits;
        const uint64_t whiteBytes = (column >> 1) & kLowBits;
        bits.black |= ((blackBytes * kGather) >> 56) << (8 * (x - 1));
        bits.white |= ((whiteBytes * kGather) >> 56) << (8 * (x - 1));
    }
    return bits;
}

// Board regions as bit sets.
inline constexpr uint64_t kRow1 = 0x0101010101010101ull;  // y = 1
inline constexpr uint64_t kRow8 = kRow1 << 7;             // y = 8
inline constexpr uint64_t kColumnH = 0xFFull;             // x = 1
inline constexpr uint64_t kColumnA = kColumnH << 56;      // x = 8
inline constexpr uint64_t kBorder = kRow1 | kRow8 | kColumnH | kColumnA;
inline constexpr uint64_t kInner = ~kBorder;
inline constexpr uint64_t kCorners = (kRow1 | kRow8) & (kColumnH | kColumnA);

// The discs of column x as a byte, row 1 in bit 0.
constexpr uint32_t ColumnByte(uint64_t b, int x) {
    return static_cast<uint32_t>((b >> (8 * (x - 1))) & 0xFF);
}
// The discs of row y as a byte, column h in bit 0 and column a in bit 7.
constexpr uint32_t RowByte(uint64_t b, int y) {
    return static_cast<uint32_t>((((b >> (y - 1)) & kRow1) * 0x0102040810204080ull) >> 56);
}

// The base-3 number of an 8-bit set of squares, each set bit a digit 1: with bit 7 as the
// most significant digit (HighFirst) or with bit 0 (LowFirst).
struct TBase3Table {
    uint16_t of[256];
};
constexpr TBase3Table MakeBase3Table(bool highFirst) {
    TBase3Table t{};
    for (int mask = 0; mask < 256; ++mask) {
        int value = 0;
        for (int i = 0; i < 8; ++i)
            value = 3 * value + ((mask >> (highFirst ? 7 - i : i)) & 1);
        t.of[mask] = static_cast<uint16_t>(value);
    }
    return t;
}
inline constexpr TBase3Table kBase3HighFirst = MakeBase3Table(true);
inline constexpr TBase3Table kBase3LowFirst = MakeBase3Table(false);

// The base-3 code of eight squares in a row or column, black digits 1 and white digits 2.
constexpr uint16_t LineCode(uint32_t black, uint32_t white, const TBase3Table& base3) {
    return static_cast<uint16_t>(base3.of[black] + 2 * base3.of[white]);
}

// Two sets of squares side by side in the lanes of one vector, worked on at once.
using TBitSetPair = uint64_t __attribute__((vector_size(16)));

// A shift of the whole set (or pair of sets) by one step in a direction, which may wrap
// round the board.
template <int Shift, typename Set>
constexpr Set Shifted(Set b) {
    if constexpr (Shift > 0) return b << Shift;
    if constexpr (Shift < 0) return b >> -Shift;
}

// Where a run of discs may lie in a direction: along a column or a diagonal a run never
// includes row 1 or row 8, which also keeps a shift from wrapping into the next column.
template <int Shift>
constexpr uint64_t kRunSquares = (Shift == 8 || Shift == -8) ? ~0ull : ~(kRow1 | kRow8);

// The opponent's discs in runs that start next to a disc of `start` in one direction, up to
// six long, found two steps at a time.
template <int Shift, typename Set>
inline Set Runs(Set start, Set opponent) {
    const Set inside = opponent & kRunSquares<Shift>;
    Set run = inside & Shifted<Shift>(start);
    run |= inside & Shifted<Shift>(run);
    const Set pairs = inside & Shifted<Shift>(inside);
    run |= pairs & Shifted<2 * Shift>(run);
    run |= pairs & Shifted<2 * Shift>(run);
    return run;
}

// The squares where the side with the discs `own` may play: each is empty and closes at
// least one run of the opponent's discs with one of its own, in some direction.
//
// The six directions that change column are worked two at a time in vector lanes: the
// second lane holds the board mirrored column for column (a byte swap), on which a step
// towards column a is a step towards column h of the real board, so both lanes shift the
// same way. The two directions along a column stay plain.
inline uint64_t LegalMovesOf(uint64_t own, uint64_t opponent) {
    const TBitSetPair owns = {own, __builtin_bswap64(own)};
    const TBitSetPair opponents = {opponent, __builtin_bswap64(opponent)};
    const TBitSetPair across = Shifted<8>(Runs<8>(owns, opponents)) |
                               Shifted<9>(Runs<9>(owns, opponents)) |
                               Shifted<7>(Runs<7>(owns, opponents));
    const uint64_t along =
        Shifted<1>(Runs<1>(own, opponent)) | Shifted<-1>(Runs<-1>(own, opponent));
    return (across[0] | __builtin_bswap64(across[1]) | along) & ~(own | opponent);
}

// The squares whose neighbour in one of the eight directions is in b. The direction is the
// step of the square number: +1 the next row, +10 the next column to the left, and so on.
template <int Step>
constexpr uint64_t WithNeighbourIn(uint64_t b) {
    static_assert(Step == 1 || Step == -1 || Step == 10 || Step == -10 || Step == 11 ||
                  Step == -11 || Step == 9 || Step == -9);
    if constexpr (Step == 1) return (b >> 1) & ~kRow8;
    if constexpr (Step == -1) return (b << 1) & ~kRow1;
    if constexpr (Step == 10) return b >> 8;
    if constexpr (Step == -10) return b << 8;
    if constexpr (Step == 11) return (b >> 9) & ~kRow8;
    if constexpr (Step == -11) return (b << 9) & ~kRow1;
    if constexpr (Step == 9) return (b >> 7) & ~kRow1;
    if constexpr (Step == -9) return (b << 7) & ~kRow8;
}

// The discs the board holds: no game ends further apart than this.
inline constexpr int kBoardDiscs = 64;

// The score of a finished game for the side with the discs `own` (or `ownDiscs` of them):
// the disc difference, the empty squares to the winner.
inline int FinalDiscDifference(int ownDiscs, int opponentDiscs) {
    const int empties = kBoardDiscs - ownDiscs - opponentDiscs;
    const int difference = ownDiscs - opponentDiscs;
    if (difference > 0) return difference + empties;
    if (difference < 0) return difference - empties;
    return 0;
}

inline int FinalScore(uint64_t own, uint64_t opponent) {
    return FinalDiscDifference(std::popcount(own), std::popcount(opponent));
}

// An estimate of the final disc difference, held within what a game can end with. An
// evaluation overshoots in lopsided positions near a wipe-out, but no position is worth more
// than every disc of the board. Every estimate shown in discs passes through here; exact
// values (finished games, the endgame solver's) are within it already.
constexpr double BoundedEstimate(double discs) {
    return std::clamp(discs, -1.0 * kBoardDiscs, 1.0 * kBoardDiscs);
}

// The square number of a bit: the inverse of BitOf.
constexpr int SquareOfBit(int bit) {
    return 10 * (bit / 8 + 1) + bit % 8 + 1;
}

// BitOf and SquareOfBit as tables for the hot paths, where a load is cheaper than the
// division by 10 (-1 for the cells off the board).
inline constexpr std::array<int8_t, 101> kBitOfSquare = [] {
    std::array<int8_t, 101> bits{};
    for (int square = 0; square <= 100; ++square)
        bits[square] = static_cast<int8_t>(
            square >= 11 && square <= 88 && square % 10 >= 1 && square % 10 <= 8 ? BitOf(square)
                                                                                 : -1);
    return bits;
}();
inline constexpr std::array<uint8_t, 64> kSquareOfBit = [] {
    std::array<uint8_t, 64> squares{};
    for (int bit = 0; bit < 64; ++bit)
        squares[bit] = static_cast<uint8_t>(SquareOfBit(bit));
    return squares;
}();

// The squares beyond each square in each of the eight directions, nearest first when read
// from the square outward. Directions 0 to 3 step to higher bits (+1 the next row, +7, +8
// the next column to the left, +9), directions 4 to 7 to lower bits.
struct TRays {
    uint64_t of[64][8];
};
constexpr TRays MakeRays() {
    TRays rays{};
    constexpr int steps[8][2] = {{0, 1},  {1, -1}, {1, 0},  {1, 1},
                                 {0, -1}, {-1, 1}, {-1, 0}, {-1, -1}};  // (column, row)
    for (int bit = 0; bit < 64; ++bit)
        for (int d = 0; d < 8; ++d) {
            uint64_t ray = 0;
            int column = bit / 8 + steps[d][0], row = bit % 8 + steps[d][1];
            while (column >= 0 && column < 8 && row >= 0 && row < 8) {
                ray |= uint64_t{1} << (8 * column + row);
                column += steps[d][0];
                row += steps[d][1];
            }
            rays.of[bit][d] = ray;
        }
    return rays;
}
inline constexpr TRays kRays = MakeRays();

// The opponent's discs that a disc of `own` placed on the bit would turn: in every
// direction, the run of opponent discs from the square that ends at one of its own.
//
// On a ray that climbs to higher bits the first square that is not the opponent's is the
// lowest bit of (ray & ~opponent), which two's complement isolates in one step. Three of
// the four rays that descend climb on the board mirrored column for column (a byte swap,
// which turns column x into column 9 - x and keeps the rows), so only the ray up the
// column needs the highest bit. The seven climbing rays are worked two at a time in vector
// lanes, and nothing branches, since whether a direction turns anything is as good as
// random.
inline TBitSetPair ClimbingFlips(TBitSetPair own, TBitSetPair opponent, TBitSetPair ray) {
    const TBitSetPair stop = ray & ~opponent;
    const TBitSetPair first = stop & (0 - stop);
    const TBitSetPair closes = reinterpret_cast<TBitSetPair>((first & own) != 0);
    return ray & (first - 1) & closes;
}

inline TBitSetPair RayPair(const uint64_t* rays) {
    TBitSetPair pair;
    std::memcpy(&pair, rays, sizeof pair);
    return pair;
}

inline uint64_t FlipsOf(uint64_t own, uint64_t opponent, int bit) {
    // kRays directions: a row down, a column left (towards column a) and a row up, a column
    // left, a column left and a row down, a row up.
    enum { kDown = 0, kLeftUp = 1, kLeft = 2, kLeftDown = 3, kUp = 4 };
    const uint64_t(&rays)[8] = kRays.of[bit];
    const TBitSetPair owns = {own, own}, opponents = {opponent, opponent};
    const TBitSetPair near = ClimbingFlips(owns, opponents, RayPair(&rays[kDown])) |
                             ClimbingFlips(owns, opponents, RayPair(&rays[kLeft]));
    // The mirrored board: the square's column mirrored is bit ^ 56.
    const uint64_t(&mirrored)[8] = kRays.of[bit ^ 56];
    const uint64_t ownMirrored = __builtin_bswap64(own);
    const uint64_t opponentMirrored = __builtin_bswap64(opponent);
    const TBitSetPair ownsMirrored = {ownMirrored, ownMirrored};
    const TBitSetPair opponentsMirrored = {opponentMirrored, opponentMirrored};
    const TBitSetPair far =
        ClimbingFlips(ownsMirrored, opponentsMirrored, RayPair(&mirrored[kLeftUp])) |
        ClimbingFlips(ownsMirrored, opponentsMirrored, TBitSetPair{mirrored[kLeftDown], 0});
    uint64_t flips = near[0] | near[1] | __builtin_bswap64(far[0] | far[1]);
    // Up the column: the nearest square is the highest bit of the stop set. With no stop at
    // all, bit 0 stands in; it is not in `stop`, so nothing closes.
    const uint64_t stop = rays[kUp] & ~opponent;
    const int nearest = 63 - std::countl_zero(stop | 1);
    const uint64_t closes = 0 - ((stop & own) >> nearest & 1);
    return flips | (rays[kUp] & (~uint64_t{1} << nearest) & closes);
}

// The discs after the side with `white` plays the square: the turned discs and the placed
// one become the mover's.
struct TMoveBits {
    TBitBoard after;
    uint64_t changed;  // the placed disc and the turned ones
};
inline TMoveBits BitsAfterMove(const TBitBoard& before, int square, bool white) {
    const uint64_t own = white ? before.white : before.black;
    const uint64_t opponent = white ? before.black : before.white;
    const int bit = kBitOfSquare[square];
    const uint64_t changed = FlipsOf(own, opponent, bit) | uint64_t{1} << bit;
    const uint64_t newOwn = own | changed, newOpponent = opponent & ~changed;
    return {white ? TBitBoard{newOpponent, newOwn} : TBitBoard{newOwn, newOpponent}, changed};
}

// The searches' visiting order (corners first, then h5 h6 h7 h2, columns g to b from row
// 1 to row 8, h3, a2 to a7, h4) as groups of bits, each group visited from its lowest bit
// up.
inline constexpr uint64_t kCornerFirstGroups[7] = {
    kCorners,                              // h1 h8 a1 a8
    MaskOf(15) | MaskOf(16) | MaskOf(17),  // h5 h6 h7
    MaskOf(12),                            // h2
    ~(kColumnH | kColumnA),                // columns g to b
    MaskOf(13),                            // h3
    kColumnA & ~kCorners,                  // a2 to a7
    MaskOf(14),                            // h4
};

// The bit visited at each place of that order. The middle columns (bits 8 to 55) keep their
// places; the corners, h5 to h7 and h2 take places 0 to 7 and h3, a2 to a7 and h4 places
// 56 to 63.
inline constexpr std::array<uint8_t, 64> kBitOfVisit = [] {
    std::array<uint8_t, 64> bits{};
    int place = 0;
    for (const uint64_t group : kCornerFirstGroups)
        for (int bit = 0; bit < 64; ++bit)
            if (group >> bit & 1) bits[place++] = static_cast<uint8_t>(bit);
    return bits;
}();

// The places of the edge columns' bits, for each byte of column h and of column a: the
// low byte holds places 0 to 7, the high byte places 56 to 63.
struct TEdgePlaces {
    std::array<uint16_t, 256> ofColumnH{}, ofColumnA{};
};
inline constexpr TEdgePlaces kEdgePlaces = [] {
    TEdgePlaces places;
    for (int place = 0; place < 64; ++place) {
        const int bit = kBitOfVisit[place];
        if (bit >= 8 && bit < 56) continue;
        const int placeBit = place < 8 ? place : place - 56 + 8;
        for (int byte = 0; byte < 256; ++byte) {
            if (!(byte >> (bit % 8) & 1)) continue;
            (bit < 8 ? places.ofColumnH : places.ofColumnA)[byte] |=
                static_cast<uint16_t>(1 << placeBit);
        }
    }
    return places;
}();

// A set of squares in visiting order: bit i set for the square visited i-th.
inline uint64_t InVisitOrder(uint64_t squares) {
    const uint32_t edges =
        kEdgePlaces.ofColumnH[squares & 0xFF] | kEdgePlaces.ofColumnA[squares >> 56];
    return (squares & ~(kColumnH | kColumnA)) | (edges & 0xFF) | uint64_t{edges >> 8} << 56;
}

// Calls visit(bit) for each bit of the set in the searches' visiting order, until visit
// returns false. The set is turned into visiting order first, so one scan from the lowest
// bit up visits it, with no branch per group.
template <typename Visit>
inline void ForEachInCornerFirstOrder(uint64_t squares, Visit visit) {
    for (uint64_t left = InVisitOrder(squares); left != 0; left &= left - 1)
        if (!visit(kBitOfVisit[std::countr_zero(left)])) return;
}
