#include "advice/untAdviceWeights.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>

#include "engine/untBitBoard.h"
#include "engine/untEngineError.h"

namespace {

constexpr int kCountTerms = 5;

// A square as (file, rank): a1 is (0, 0), h8 is (7, 7).
struct TSquare {
    int file, rank;
};

int BitOfSquare(TSquare s) {
    return 8 * (7 - s.file) + s.rank;
}

// The board's eight symmetries: identity, the mirrors in the middle file and rank, the half
// turn, the two diagonal reflections and the two quarter turns.
TSquare Image(TSquare s, int symmetry) {
    int f = s.file, r = s.rank;
    if (symmetry & 4) std::swap(f, r);
    if (symmetry & 1) f = 7 - f;
    if (symmetry & 2) r = 7 - r;
    return {f, r};
}

// The families, each by the squares of its base image in the order of the index's digits.
struct TFamilyBase {
    const char* name;
    std::vector<TSquare> squares;
};

std::vector<TSquare> Line(TSquare from, int fileStep, int rankStep, int count) {
    std::vector<TSquare> squares;
    for (int i = 0; i < count; ++i)
        squares.push_back({from.file + i * fileStep, from.rank + i * rankStep});
    return squares;
}

const std::vector<TFamilyBase>& FamilyBases() {
    static const std::vector<TFamilyBase> bases = [] {
        std::vector<TFamilyBase> b;
        std::vector<TSquare> edge = Line({0, 0}, 1, 0, 8);
        edge.push_back({1, 1});  // b2 and g2, the X squares
        edge.push_back({6, 1});
        b.push_back({"edge and X squares", edge});
        std::vector<TSquare> corner3;
        for (int r = 0; r < 3; ++r)
            for (int f = 0; f < 3; ++f)
                corner3.push_back({f, r});
        b.push_back({"corner 3x3", corner3});
        std::vector<TSquare> corner25;
        for (int r = 0; r < 2; ++r)
            for (int f = 0; f < 5; ++f)
                corner25.push_back({f, r});
        b.push_back({"corner 2x5", corner25});
        b.push_back({"second line", Line({0, 1}, 1, 0, 8)});
        b.push_back({"third line", Line({0, 2}, 1, 0, 8)});
        b.push_back({"fourth line", Line({0, 3}, 1, 0, 8)});
        b.push_back({"main diagonal", Line({0, 0}, 1, 1, 8)});
        for (int length = 7; length >= 4; --length)
            b.push_back({"diagonal", Line({8 - length, 0}, 1, 1, length)});
        return b;
    }();
    return bases;
}

int Power3(int n) {
    int p = 1;
    while (n-- > 0)
        p *= 3;
    return p;
}

// A family as the evaluation uses it: the bits of each of its distinct images (in the order
// of the digits), and for every index the canonical slot it shares with its mirror images.
struct TFamily {
    int size = 0;                          // squares
    int entries = 0;                       // 3^size
    int slots = 0;                         // distinct canonical indexes
    std::vector<std::vector<int>> images;  // bits in digit order, one list per image
    std::vector<int32_t> slotOf;           // index -> canonical slot
};

TFamily MakeFamily(const TFamilyBase& base) {
    TFamily family;
    family.size = static_cast<int>(base.squares.size());
    family.entries = Power3(family.size);
    // The images, one per distinct set of squares; and the symmetries that map the base
    // onto itself, as permutations of its digits.
    std::set<uint64_t> seen;
    std::vector<std::vector<int>> selfMaps;
    const uint64_t baseSet = [&] {
        uint64_t set = 0;
        for (TSquare s : base.squares)
            set |= uint64_t{1} << BitOfSquare(s);
        return set;
    }();
    for (int symmetry = 0; symmetry < 8; ++symmetry) {
        std::vector<int> bits;
        uint64_t set = 0;
        for (TSquare s : base.squares) {
            bits.push_back(BitOfSquare(Image(s, symmetry)));
            set |= uint64_t{1} << bits.back();
        }
        if (seen.insert(set).second) family.images.push_back(bits);
        if (set != baseSet) continue;
        std::vector<int> digitMap;  // digit i of the base lands on digit digitMap[i]
        for (TSquare s : base.squares) {
            const int bit = BitOfSquare(Image(s, symmetry));
            for (int j = 0; j < family.size; ++j)
                if (BitOfSquare(base.squares[j]) == bit) digitMap.push_back(j);
        }
        selfMaps.push_back(digitMap);
    }
    // Every index takes the slot of the smallest of its images under the self-maps.
    family.slotOf.assign(family.entries, -1);
    std::vector<int> digits(family.size);
    for (int index = 0; index < family.entries; ++index) {
        if (family.slotOf[index] >= 0) continue;
        for (int i = family.size - 1, rest = index; i >= 0; --i, rest /= 3)
            digits[i] = rest % 3;
        for (const std::vector<int>& map : selfMaps) {
            int image = 0;
            std::vector<int> moved(family.size);
            for (int i = 0; i < family.size; ++i)
                moved[map[i]] = digits[i];
            for (int d : moved)
                image = 3 * image + d;
            family.slotOf[image] = family.slots;
        }
        ++family.slots;
    }
    return family;
}

// All families, and where each one's values lie among a stage's values: canonical slots
// (the file and the trainer) and full tables (the evaluation).
struct TLayout {
    std::vector<TFamily> families;
    std::vector<int> slotOffset, tableOffset;
    // The counted terms (moves, frontier discs and odd regions), kCountValues values each.
    int countSlot = 0, countTable = 0;
    int biasSlot = 0, biasTable = 0;
    int slots = 0, tableSize = 0;
    // The evaluation's flat view: for each image its table offset and its digits' bits.
    struct TImage {
        int table;
        int size;
        std::array<uint8_t, 10> bits;
    };
    std::vector<TImage> images;
    // The images in runs of one size, for the evaluation's unrolled loops.
    struct TRun {
        int size, first, count;
    };
    std::vector<TRun> runs;
};

const TLayout& Layout() {
    static const TLayout layout = [] {
        TLayout l;
        for (const TFamilyBase& base : FamilyBases()) {
            l.families.push_back(MakeFamily(base));
            const TFamily& f = l.families.back();
            l.slotOffset.push_back(l.slots);
            l.tableOffset.push_back(l.tableSize);
            for (const std::vector<int>& bits : f.images) {
                TLayout::TImage image{l.tableSize, f.size, {}};
                std::copy(bits.begin(), bits.end(), image.bits.begin());
                l.images.push_back(image);
            }
            l.slots += f.slots;
            l.tableSize += f.entries;
        }
        l.countSlot = l.slots;
        l.countTable = l.tableSize;
        l.slots += kCountTerms * TAdviceWeights::kCountValues;
        l.tableSize += kCountTerms * TAdviceWeights::kCountValues;
        l.biasSlot = l.slots++;
        l.biasTable = l.tableSize++;
        for (int i = 0; i < static_cast<int>(l.images.size()); ++i) {
            if (l.runs.empty() || l.runs.back().size != l.images[i].size)
                l.runs.push_back({l.images[i].size, i, 0});
            ++l.runs.back().count;
        }
        return l;
    }();
    return layout;
}

// Each bit of a byte spread to a byte of its own: bit k of the index is byte k's value.
constexpr std::array<uint64_t, 256> kSpreadBits = [] {
    std::array<uint64_t, 256> spread{};
    for (int byte = 0; byte < 256; ++byte)
        for (int k = 0; k < 8; ++k)
            if (byte >> k & 1) spread[byte] |= uint64_t{1} << (8 * k);
    return spread;
}();

// The digit of every square: 0 empty, 1 the side to move's disc, 2 the opponent's; a column
// (one byte of the sets) at a time.
struct TDigits {
    alignas(8) std::array<uint8_t, 64> of;
    TDigits(uint64_t own, uint64_t opponent) {
        for (int column = 0; column < 8; ++column) {
            const uint64_t digits = kSpreadBits[own >> (8 * column) & 0xFF] |
                                    kSpreadBits[opponent >> (8 * column) & 0xFF] << 1;
            if constexpr (std::endian::native == std::endian::little) {
                std::memcpy(&of[8 * column], &digits, sizeof digits);
            } else {
                for (int row = 0; row < 8; ++row)
                    of[8 * column + row] = static_cast<uint8_t>(digits >> (8 * row));
            }
        }
    }
};

int IndexOf(const TLayout::TImage& image, const TDigits& digits) {
    int index = 0;
    for (int i = 0; i < image.size; ++i)
        index = 3 * index + digits.of[image.bits[i]];
    return index;
}

// The values of a run of images of N squares, the digits' weights unrolled.
template <int N>
int SumOfRun(const TLayout::TImage* image, int count, const TDigits& digits, const int16_t* table) {
    int sum = 0;
    for (; count > 0; --count, ++image) {
        int index = 0;
        for (int i = 0; i < N; ++i)
            index = 3 * index + digits.of[image->bits[i]];
        sum += table[image->table + index];
    }
    return sum;
}

// SumOfRun for each number of squares an image may have.
using TRunSum = int (*)(const TLayout::TImage*, int, const TDigits&, const int16_t*);
constexpr std::array<TRunSum, 11> kSumOfRun = {
    nullptr,      nullptr,      nullptr,      nullptr,      &SumOfRun<4>, &SumOfRun<5>,
    &SumOfRun<6>, &SumOfRun<7>, &SumOfRun<8>, &SumOfRun<9>, &SumOfRun<10>};

int CountValue(uint64_t squares) {
    return std::min(std::popcount(squares), TAdviceWeights::kCountValues - 1);
}

// The squares next to an empty square, in any of the eight directions.
uint64_t NextToEmpty(uint64_t empty) {
    return WithNeighbourIn<1>(empty) | WithNeighbourIn<-1>(empty) | WithNeighbourIn<10>(empty) |
           WithNeighbourIn<-10>(empty) | WithNeighbourIn<11>(empty) | WithNeighbourIn<-11>(empty) |
           WithNeighbourIn<9>(empty) | WithNeighbourIn<-9>(empty);
}

// The quadrants with an odd number of empty squares: the side to move may get the last disc
// there.
int OddQuadrants(uint64_t empty) {
    constexpr uint64_t kQuadrants[4] = {0x000000000F0F0F0Full, 0x00000000F0F0F0F0ull,
                                        0x0F0F0F0F00000000ull, 0xF0F0F0F000000000ull};
    int odd = 0;
    for (const uint64_t quadrant : kQuadrants)
        odd += std::popcount(empty & quadrant) & 1;
    return odd;
}

// The counted terms of a position, each as its slot among a stage's count values: the moves
// of each side (those of the side to move given), the discs of each side next to an empty
// square, the odd quadrants.
std::array<int, kCountTerms> CountsOf(uint64_t own, uint64_t opponent, uint64_t ownMoves) {
    const uint64_t empty = ~(own | opponent);
    const uint64_t frontier = NextToEmpty(empty);
    constexpr int n = TAdviceWeights::kCountValues;
    return {CountValue(ownMoves), n + CountValue(LegalMovesOf(opponent, own)),
            2 * n + CountValue(own & frontier), 3 * n + CountValue(opponent & frontier),
            4 * n + OddQuadrants(empty)};
}

constexpr char kMagic[] = "TOLVANEY ADVICE 2\n";

}  // namespace

TAdviceWeights::TAdviceWeights() {
    for (auto& stage : slots_)
        stage.assign(Layout().slots, 0);
    for (auto& stage : tables_)
        stage.assign(Layout().tableSize, 0);
}

int TAdviceWeights::ValuesPerStage() {
    return Layout().slots;
}

void TAdviceWeights::Expand() {
    const TLayout& l = Layout();
    for (int stage = 0; stage < kStages; ++stage) {
        const std::vector<int16_t>& slots = slots_[stage];
        std::vector<int16_t>& table = tables_[stage];
        for (std::size_t f = 0; f < l.families.size(); ++f) {
            const TFamily& family = l.families[f];
            for (int index = 0; index < family.entries; ++index)
                table[l.tableOffset[f] + index] = slots[l.slotOffset[f] + family.slotOf[index]];
        }
        for (int i = 0; i < kCountTerms * kCountValues; ++i)
            table[l.countTable + i] = slots[l.countSlot + i];
        table[l.biasTable] = slots[l.biasSlot];
    }
}

int TAdviceWeights::Evaluate(uint64_t own, uint64_t opponent) const {
    return Evaluate(own, opponent, LegalMovesOf(own, opponent));
}

int TAdviceWeights::Evaluate(uint64_t own, uint64_t opponent, uint64_t ownMoves) const {
    const TLayout& l = Layout();
    const int empties = std::popcount(~(own | opponent));
    const int16_t* table = tables_[StageOf(empties)].data();
    const TDigits digits(own, opponent);
    int sum = table[l.biasTable];
    for (const TLayout::TRun& run : l.runs)
        sum += kSumOfRun[run.size](&l.images[run.first], run.count, digits, table);
    for (const int count : CountsOf(own, opponent, ownMoves))
        sum += table[l.countTable + count];
    return sum;
}

int TAdviceWeights::Features(uint64_t own, uint64_t opponent, std::array<int, kMaxFeatures>& out) {
    const TLayout& l = Layout();
    const TDigits digits(own, opponent);
    int count = 0;
    std::size_t image = 0;
    for (std::size_t f = 0; f < l.families.size(); ++f) {
        const TFamily& family = l.families[f];
        for (std::size_t i = 0; i < family.images.size(); ++i, ++image)
            out[count++] = l.slotOffset[f] + family.slotOf[IndexOf(l.images[image], digits)];
    }
    for (const int term : CountsOf(own, opponent, LegalMovesOf(own, opponent)))
        out[count++] = l.countSlot + term;
    out[count++] = l.biasSlot;
    return count;
}

std::vector<char> TAdviceWeights::ToBytes() const {
    std::vector<char> bytes(kMagic, kMagic + sizeof kMagic - 1);
    const auto put32 = [&bytes](uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes.push_back(static_cast<char>(v >> (8 * i) & 0xFF));
    };
    put32(kStages);
    put32(static_cast<uint32_t>(Layout().slots));
    for (const auto& stage : slots_)
        for (const int16_t v : stage) {
            const auto u = static_cast<uint16_t>(v);
            bytes.push_back(static_cast<char>(u & 0xFF));
            bytes.push_back(static_cast<char>(u >> 8));
        }
    return bytes;
}

std::shared_ptr<const TAdviceWeights> TAdviceWeights::FromBytes(std::span<const char> bytes,
                                                                const std::string& name) {
    const std::size_t header = sizeof kMagic - 1 + 8;
    const auto fail = [&name](const std::string& why) {
        return EEngineError("TAdviceWeights::Load: " + name + ": " + why);
    };
    if (bytes.size() < header || std::memcmp(bytes.data(), kMagic, sizeof kMagic - 1) != 0)
        throw fail("not a file of advice values");
    const auto get32 = [&bytes](std::size_t at) {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i)
            v |= uint32_t{static_cast<uint8_t>(bytes[at + i])} << (8 * i);
        return v;
    };
    const uint32_t stages = get32(sizeof kMagic - 1), slots = get32(sizeof kMagic + 3);
    if (stages != kStages || slots != static_cast<uint32_t>(Layout().slots))
        throw fail("made for another layout of the patterns");
    if (bytes.size() != header + std::size_t{2} * stages * slots)
        throw fail("the file is " + std::to_string(bytes.size()) + " bytes long, not " +
                   std::to_string(header + std::size_t{2} * stages * slots));
    auto weights = std::make_shared<TAdviceWeights>();
    std::size_t at = header;
    for (auto& stage : weights->slots_)
        for (int16_t& v : stage) {
            v = static_cast<int16_t>(static_cast<uint8_t>(bytes[at]) |
                                     static_cast<uint8_t>(bytes[at + 1]) << 8);
            at += 2;
        }
    weights->Expand();
    return weights;
}

std::shared_ptr<const TAdviceWeights> TAdviceWeights::Load(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw EEngineError("TAdviceWeights::Load: cannot open " + path);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
    return FromBytes(bytes, path);
}

void TAdviceWeights::Save(const std::string& path) const {
    const std::string temporary = path + ".new";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        const std::vector<char> bytes = ToBytes();
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) throw EEngineError("TAdviceWeights::Save: cannot write " + temporary);
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0)
        throw EEngineError("TAdviceWeights::Save: cannot replace " + path);
}
