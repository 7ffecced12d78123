#include "results/untScore.h"

#include <utility>

#include "catalogue/untCatalogue.h"

namespace {

constexpr const char* kHyphens = "-------------------------------";
const std::vector<std::string> kStartingLines = {"1500", "0", "0", "0", "0", "0", "0", "0", "0"};
constexpr std::size_t kPaddedLines = 11;  // a damaged file is filled up to this many lines

}  // namespace

TScore::TScore(std::filesystem::path file, TReport report)
    : file_(std::move(file),
            {&PreservedValue, &WinsRandom, &LossesRandom, &WinsBeginner, &LossesBeginner,
             &WinsIntermediate, &LossesIntermediate, &WinsAdvanced, &LossesAdvanced},
            kStartingLines, kPaddedLines, Lines, std::move(report)) {
    file_.Load();
}

void TScore::Save() {
    file_.Save();
}

void TScore::AddWinRandom() {
    file_.Add(WinsRandom);
}
void TScore::AddLossRandom() {
    file_.Add(LossesRandom);
}
void TScore::AddWinBeginner() {
    file_.Add(WinsBeginner);
}
void TScore::AddLossBeginner() {
    file_.Add(LossesBeginner);
}
void TScore::AddWinIntermediate() {
    file_.Add(WinsIntermediate);
}
void TScore::AddLossIntermediate() {
    file_.Add(LossesIntermediate);
}
void TScore::AddWinAdvanced() {
    file_.Add(WinsAdvanced);
}
void TScore::AddLossAdvanced() {
    file_.Add(LossesAdvanced);
}

void TScore::RecordGame(int gameLevel, int humanDiscs, int computerDiscs) {
    if (humanDiscs == computerDiscs) return;
    const bool humanWon = humanDiscs > computerDiscs;
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
    return Tr(label) + FormatCount(wins) + Tr("勝") + FormatCount(losses) + Tr("敗") + "\r\n";
}

std::string LevelRows(const TScore& s) {
    return Row(N_("　ランダム　"), s.WinsRandom, s.LossesRandom) +
           Row(N_("　初級　　　"), s.WinsBeginner, s.LossesBeginner) +
           Row(N_("　中級　　　"), s.WinsIntermediate, s.LossesIntermediate) +
           Row(N_("　上級　　　"), s.WinsAdvanced, s.LossesAdvanced);
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

namespace {

std::string Below(const std::string& rows) {
    return rows.empty() ? rows : "\r\n" + rows;
}

}  // namespace

std::string ScoreSummaryText(const TScore& score, const std::string& below) {
    return Tr("■総合成績") + std::string("\r\n\r\n") + LevelRows(score) + "\r\n" +
           Row(N_("　合計　　"), TotalWins(score), TotalLosses(score)) + Below(below);
}

std::string ScoreClipboardText(const TScore& score, const std::string& dateTime,
                               const std::string& below) {
    return std::string(kHyphens) + "\r\n" + Tr("■総合成績　") + dateTime + "\r\n\r\n" +
           LevelRows(score) + "\r\n" +
           Row(N_("　合計　　　"), TotalWins(score), TotalLosses(score)) + Below(below) + kHyphens +
           "\r\n";
}
