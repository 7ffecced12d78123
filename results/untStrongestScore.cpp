#include "results/untStrongestScore.h"

#include "catalogue/untCatalogue.h"
#include "results/untScore.h"

TStrongestScore::TStrongestScore(std::filesystem::path file, TReport report)
    : file_(std::move(file), {&Wins, &Losses}, {"0", "0"}, 2, Lines, std::move(report)) {
    file_.Load();
}

void TStrongestScore::RecordGame(int humanDiscs, int computerDiscs) {
    if (humanDiscs == computerDiscs) return;
    file_.Add(humanDiscs > computerDiscs ? Wins : Losses);
}

std::string StrongestScoreRow(const TStrongestScore& score) {
    return Tr("　最強　　　") + FormatCount(score.Wins) + Tr("勝") + FormatCount(score.Losses) +
           Tr("敗") + "\r\n";
}
