#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "results/untCountsFile.h"

// The results file of the strongest computer, beside 成績.dat.
inline constexpr const char* kStrongestScoreFileName = "成績_最強.dat";

// The human's wins and losses against the strongest computer, kept over all runs in a file of
// their own (two lines: wins, then losses), with the same care as 成績.dat: a damaged file
// kept beside it, two copies of the game adding to each other's games, results that cannot
// reach the disk kept in memory.
class TStrongestScore {
public:
    using TReport = TCountsFile::TReport;

    // Reads the file, or creates it with no games when it is missing; never throws because
    // of the file (see TCountsFile::Load).
    TStrongestScore(std::filesystem::path file, TReport report);
    TStrongestScore(const TStrongestScore&) = delete;  // the file keeps the counters' addresses
    TStrongestScore& operator=(const TStrongestScore&) = delete;

    // Records a finished game by the final discs of the human and of the computer: a win or
    // a loss; a draw records nothing. Throws EEngineError when the file cannot be written.
    void RecordGame(int humanDiscs, int computerDiscs);
    void Save() { file_.Save(); }

    std::string TakeNotices() { return file_.TakeNotices(); }
    bool MemoryOnly() const { return file_.MemoryOnly(); }
    // Whether any game against the strongest computer has been decided.
    bool Played() const { return Wins != 0 || Losses != 0; }

    std::vector<std::string> Lines;
    int32_t Wins = 0;
    int32_t Losses = 0;

private:
    TCountsFile file_;
};

// The strongest computer's row, lined up with the results summary's level rows.
std::string StrongestScoreRow(const TStrongestScore& score);
