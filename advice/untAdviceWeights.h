#pragma once

// The advice's evaluation: how good a position is for the side to move, in discs of the
// final result, from learned pattern values.
//
// The board is read through families of patterns: the edges with their two X squares, the
// 3 × 3 and 2 × 5 corner blocks, the second to fourth rows and columns, the diagonals of four
// to eight squares. Each family has one table of values for all of its images under the
// board's eight symmetries, and a family whose squares are symmetric in themselves (an edge
// read from either end) keeps one value for a configuration and its mirror image. So the
// evaluation is the same for a position and for any of its images, by construction. Counted
// terms, the same under every symmetry, add values of their own: the moves of each side,
// the discs of each side next to an empty square (the frontier, which gives the opponent
// moves), and the quadrants with an odd number of empty squares (parity). Every stage of
// the game (a few empty squares wide) has tables of its own, because a disc means different
// things early and late.
//
// The values are fitted to real games by tools/tolvaney-train-advice and kept in the binary
// file ADVICE_WEIGHTS_FILE, which the game embeds and the tools' package installs.

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "engine/untBitBoard.h"

inline constexpr const char* ADVICE_WEIGHTS_FILE = "ADVICE.dat";

class TAdviceWeights {
public:
    static constexpr int kStageWidth = 4;                 // empty squares per stage
    static constexpr int kStages = 60 / kStageWidth + 1;  // 0..60 empty squares
    static constexpr int kCountValues = 32;               // 0..31: more count as 31
    static constexpr int kUnitsPerDisc = 128;             // the stored values' fixed point

    TAdviceWeights();  // every value 0

    // The evaluation of the position with `own` to move, in kUnitsPerDisc per disc.
    int Evaluate(uint64_t own, uint64_t opponent) const;
    // The same, with the side to move's legal moves already known (a search has them).
    int Evaluate(uint64_t own, uint64_t opponent, uint64_t ownMoves) const;
    // The same in discs, within the board's 64 (BoundedEstimate).
    double EvaluateDiscs(uint64_t own, uint64_t opponent) const {
        return BoundedEstimate(Evaluate(own, opponent) / static_cast<double>(kUnitsPerDisc));
    }

    static int StageOf(int empties) { return empties / kStageWidth; }

    // Reads and writes the binary file: a header naming the layout, then the canonical values
    // of each stage as little-endian 16-bit numbers. Load throws EEngineError naming the
    // file when it cannot be read or was made for another layout.
    static std::shared_ptr<const TAdviceWeights> Load(const std::string& path);
    static std::shared_ptr<const TAdviceWeights> FromBytes(std::span<const char> bytes,
                                                           const std::string& name);
    std::vector<char> ToBytes() const;
    void Save(const std::string& path) const;

    // For the trainer: the features of a position as slots of a stage's canonical values,
    // each counting once (a slot may appear more than once), and the values themselves.
    // After changing values, Expand() makes the evaluation use them.
    static constexpr int kMaxFeatures = 64;
    static int Features(uint64_t own, uint64_t opponent, std::array<int, kMaxFeatures>& out);
    static int ValuesPerStage();
    std::vector<int16_t>& Values(int stage) { return slots_[stage]; }
    const std::vector<int16_t>& Values(int stage) const { return slots_[stage]; }
    void Expand();

private:
    std::array<std::vector<int16_t>, kStages> slots_;   // canonical values, as stored
    std::array<std::vector<int16_t>, kStages> tables_;  // a value for every index
};
