#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "results/untCountsFile.h"

// The human's wins and losses against the computer per game level, kept over all runs in
// the file 成績.dat: nine lines, the first a preserved value (1500 when the file is first
// made), then wins and losses at levels 1 to 4. Lines after the ninth are kept as they are.
//
// Nothing the player has won or lost is ever dropped without a word: a damaged file is kept
// beside the results before it is rewritten, two copies of the game saving one file add
// their games to each other's, and results that cannot reach the disk stay in memory, where
// the summary still shows them.
class TScore {
public:
    // Shows a message (text, caption) to the user; an empty caption means the program's own.
    using TReport = TCountsFile::TReport;

    // Reads the file, or creates it with the starting values when it is missing. Bad
    // contents are reported ("成績データ読込みエラー") and leave the values read so far; the
    // file as it was is then kept beside it (成績.dat.damaged) before anything rewrites it,
    // and the player is told where. A file that can be neither read nor made, or a damaged
    // one that cannot be kept, leaves the results in memory only, and the player is told so.
    // Never throws because of the file.
    TScore(std::filesystem::path file, TReport report);
    virtual ~TScore() = default;
    TScore(const TScore&) = delete;  // the file keeps the addresses of the counters
    TScore& operator=(const TScore&) = delete;

    // Writes the nine values into the first nine lines and the whole list to the file,
    // replacing it whole or not at all. Should another copy of the game have saved the file
    // meanwhile, the games recorded here since the last save are added to what it holds.
    // Throws EEngineError with a message for the player when the file cannot be written; the
    // games stay counted in memory and go to the file with the next save.
    void Save();

    void AddWinRandom();
    void AddLossRandom();
    void AddWinBeginner();
    void AddLossBeginner();
    void AddWinIntermediate();
    void AddLossIntermediate();
    void AddWinAdvanced();
    void AddLossAdvanced();

    // Records a finished game at a level (1 to 4) by the final discs of the human and of the
    // computer, whichever colour each played: a win or a loss; a draw records nothing.
    void RecordGame(int gameLevel, int humanDiscs, int computerDiscs);

    // What saves have to tell the player (a damaged file found and kept), once.
    std::string TakeNotices() { return file_.TakeNotices(); }
    // The results are not written: the file could not be read or made, or kept when damaged.
    bool MemoryOnly() const { return file_.MemoryOnly(); }

    std::vector<std::string> Lines;
    int32_t PreservedValue = 0;
    int32_t WinsRandom = 0;
    int32_t LossesRandom = 0;
    int32_t WinsBeginner = 0;
    int32_t LossesBeginner = 0;
    int32_t WinsIntermediate = 0;
    int32_t LossesIntermediate = 0;
    int32_t WinsAdvanced = 0;
    int32_t LossesAdvanced = 0;

    static constexpr int kValueLines = 9;  // the file's lines that hold the values

private:
    TCountsFile file_;
};

// A counter in five columns, right-aligned: blanks before the decimal form.
std::string FormatCount(int32_t count);

// The summary shown in the message area, and the dated copy put on the clipboard; `below`
// (more rows, each ended by CR LF) goes under the table, after an empty line.
std::string ScoreSummaryText(const TScore& score, const std::string& below = "");
std::string ScoreClipboardText(const TScore& score, const std::string& dateTime,
                               const std::string& below = "");
