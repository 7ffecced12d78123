#include "ui/untScore.h"

#include <climits>

#include "engine/untEngineError.h"
#include "engine/untTextFile.h"

namespace {

constexpr int kValueLines = 9;
constexpr std::size_t kPaddedLines = 11;  // a damaged file is filled up to this many lines
constexpr const char* kReadError = "成績データ読込みエラー";
constexpr const char* kHyphens = "-------------------------------";

}  // namespace

TScore::TScore(std::filesystem::path file, TReport report)
    : file_(std::move(file)), report_(std::move(report)) {
    Load();
}

int32_t* TScore::Field(int line) {
    int32_t* fields[kValueLines] = {&PreservedValue,     &WinsRandom,     &LossesRandom,
                                    &WinsBeginner,       &LossesBeginner, &WinsIntermediate,
                                    &LossesIntermediate, &WinsAdvanced,   &LossesAdvanced};
    return fields[line - 1];
}

void TScore::Load() {
    if (!std::filesystem::exists(file_)) {
        Lines = {"1500", "0", "0", "0", "0", "0", "0", "0", "0"};
        WriteFileAtomically(file_, [&] {
            std::string text;
            for (const std::string& line : Lines)
                text += line + "\r\n";
            return text;
        }());
    } else {
        const std::string text = ReadTextFile(file_);
        for (const std::string_view line : SplitLines(text))
            Lines.emplace_back(line);
    }
    for (int line = 1; line <= kValueLines; ++line) {
        int32_t value = 0;
        if (static_cast<int>(Lines.size()) < line || !ParseInt32(Lines[line - 1], value)) {
            // The failing value and the ones after it stay 0; the padded list reaches the
            // disk with the next save.
            report_(kReadError, "Error");
            while (Lines.size() < kPaddedLines)
                Lines.emplace_back("0");
            return;
        }
        *Field(line) = value;
    }
}

void TScore::Save() {
    while (Lines.size() < kValueLines)
        Lines.emplace_back("0");
    std::string text;
    for (int line = 1; line <= kValueLines; ++line)
        Lines[line - 1] = std::to_string(*Field(line));
    for (const std::string& line : Lines)
        text += line + "\r\n";
    WriteFileAtomically(file_, text);
}

// A counter at the largest value it can hold stays there: a file can hold that value, and
// one more game must not turn it negative.
void TScore::Add(int32_t& counter) {
    if (counter < INT32_MAX) ++counter;
    Save();
}

void TScore::AddWinRandom() {
    Add(WinsRandom);
}
void TScore::AddLossRandom() {
    Add(LossesRandom);
}
void TScore::AddWinBeginner() {
    Add(WinsBeginner);
}
void TScore::AddLossBeginner() {
    Add(LossesBeginner);
}
void TScore::AddWinIntermediate() {
    Add(WinsIntermediate);
}
void TScore::AddLossIntermediate() {
    Add(LossesIntermediate);
}
void TScore::AddWinAdvanced() {
    Add(WinsAdvanced);
}
void TScore::AddLossAdvanced() {
    Add(LossesAdvanced);
}

void TScore::RecordGame(int gameLevel, int blackDiscs, int whiteDiscs) {
    if (blackDiscs == whiteDiscs) return;
    const bool humanWon = blackDiscs > whiteDiscs;
    switch (gameLevel) {
        case 1:
            humanWon ? AddWinRandom() : AddLossRandom();
            break;
        case 2:
            humanWon ? AddWinBeginner() : AddLossBeginner();
            break;
        case 3:
            humanWon ? AddWinIntermediate() : AddLossIntermediate();
            break;
        case 4:
            humanWon ? AddWinAdvanced() : AddLossAdvanced();
            break;
    }
}

std::string FormatCount(int32_t count) {
    const int blanks = count <= 9 ? 4 : count <= 99 ? 3 : count <= 999 ? 2 : count <= 9999 ? 1 : 0;
    return std::string(blanks, ' ') + std::to_string(count);
}

namespace {

std::string Row(const char* label, int32_t wins, int32_t losses) {
    return std::string(label) + FormatCount(wins) + "勝" + FormatCount(losses) + "敗\r\n";
}

std::string LevelRows(const TScore& s) {
    return Row("　ランダム　", s.WinsRandom, s.LossesRandom) +
           Row("　初級　　　", s.WinsBeginner, s.LossesBeginner) +
           Row("　中級　　　", s.WinsIntermediate, s.LossesIntermediate) +
           Row("　上級　　　", s.WinsAdvanced, s.LossesAdvanced);
}

// Plain 32-bit sums: they wrap like the counters' own arithmetic.
int32_t Sum32(std::initializer_list<int32_t> counters) {
    uint32_t sum = 0;
    for (const int32_t counter : counters)
        sum += static_cast<uint32_t>(counter);
    return static_cast<int32_t>(sum);
}
int32_t TotalWins(const TScore& s) {
    return Sum32({s.WinsRandom, s.WinsBeginner, s.WinsIntermediate, s.WinsAdvanced});
}
int32_t TotalLosses(const TScore& s) {
    return Sum32({s.LossesRandom, s.LossesBeginner, s.LossesIntermediate, s.LossesAdvanced});
}

}  // namespace

std::string ScoreSummaryText(const TScore& score) {
    return "■総合成績\r\n\r\n" + LevelRows(score) + "\r\n" +
           Row("　合計　　", TotalWins(score), TotalLosses(score));
}

std::string ScoreClipboardText(const TScore& score, const std::string& dateTime) {
    return std::string(kHyphens) + "\r\n■総合成績　" + dateTime + "\r\n\r\n" + LevelRows(score) +
           "\r\n" + Row("　合計　　　", TotalWins(score), TotalLosses(score)) + kHyphens + "\r\n";
}
