#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

// The human's wins and losses against the computer per game level, kept over all runs in
// the file 成績.dat: nine lines, the first a preserved value (1500 when the file is first
// made), then wins and losses at levels 1 to 4. Lines after the ninth are kept as they are.
class TScore {
public:
    // Shows a message (text, caption) to the user.
    using TReport = std::function<void(const std::string& text, const std::string& caption)>;

    // Reads the file, or creates it with the starting values when it is missing. Bad
    // contents are reported ("成績データ読込みエラー") and leave the values read so far; a
    // file that cannot be created throws EEngineError.
    TScore(std::filesystem::path file, TReport report);
    virtual ~TScore() = default;

    // Writes the nine values into the first nine lines and the whole list to the file,
    // replacing it whole or not at all; throws EEngineError when it cannot be written.
    void Save();

    void AddWinRandom();
    void AddLossRandom();
    void AddWinBeginner();
    void AddLossBeginner();
    void AddWinIntermediate();
    void AddLossIntermediate();
    void AddWinAdvanced();
    void AddLossAdvanced();

    // Records a finished game at a level (1 to 4): a human win or loss; a draw records nothing.
    void RecordGame(int gameLevel, int blackDiscs, int whiteDiscs);

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

private:
    int32_t* Field(int line);  // the value of file line 1..9
    void Load();
    void Add(int32_t& counter);

    std::filesystem::path file_;
    TReport report_;
};

// A counter in five columns, right-aligned: blanks before the decimal form.
std::string FormatCount(int32_t count);

// The summary shown in the message area, and the dated copy put on the clipboard.
std::string ScoreSummaryText(const TScore& score);
std::string ScoreClipboardText(const TScore& score, const std::string& dateTime);
