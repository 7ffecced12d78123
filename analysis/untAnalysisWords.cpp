#include "analysis/untAnalysisWords.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

#include "catalogue/untCatalogue.h"

namespace {

// As a Japanese Othello player reads a game: 石差 for a value in discs, 読み切り for the
// part solved to the end, 推定 for the engine's estimates.
constexpr TAnalysisWords kJapanese = {
    .black = NC_("black", "黒"),
    .white = NC_("white", "白"),
    .exact = NC_("exact", "読み切り"),
    .estimate = NC_("estimate", "推定"),
    .passes = NC_("passes", "、%sはパス"),
    .headNumber = NC_("headNumber", "手数"),
    .headSide = NC_("headSide", "手番"),
    .headPlayed = NC_("headPlayed", "着手"),
    .headBest = NC_("headBest", "最善手"),
    .headValue = NC_("headValue", "石差"),
    .headBestValue = NC_("headBestValue", "最善手の石差"),
    .headLoss = NC_("headLoss", "損失"),
    .valuesSide =
        NC_("valuesSide",
            "石差はすべて黒から見た値（＋は黒の優勢、−は白の優勢）。損失は打った側から見た値"),
    .totalLoss = NC_("totalLoss", "%s：損失の合計 %s 石"),
    .costliestMoves = NC_("costliestMoves", "。損失の大きい手："),
    .costliestMove = NC_("costliestMove", "%d手目 %s（最善手 %s、損失 %s・%s）"),
    .costliestNext = NC_("costliestNext", "、"),
    .exactFrom = NC_("exactFrom", "%d手目（空き%dマス）から終局まで読み切り"),
    .noneExact = NC_("noneExact", "読み切った手はありません"),
    .finalResult =
        NC_("finalResult", "結果：黒 %d、白 %d（黒から見て %+d、空きマスは勝った側に数えます）"),
    .endsEarly = NC_("endsEarly", "棋譜は終局前で終わっています：黒 %d、白 %d"),
    .htmlLanguage = NC_("htmlLanguage", "ja"),
    .pageTitle = NC_("pageTitle", "Tolvaney 棋譜の解析"),
    .heading = NC_("heading", "棋譜の解析"),
    .pageFinalResult = NC_("pageFinalResult",
                           "結果：黒 %d、白 %d（黒から見て %+d、空きマスは勝った側に数えます）"),
    .pageEndsEarly = NC_("pageEndsEarly", "棋譜は終局前で終わっています：黒 %d、白 %d"),
    .pageTotalLoss = NC_("pageTotalLoss", "<b>%s</b>：損失の合計 %s 石"),
    .pageCostliest = NC_("pageCostliest", "。損失の大きい手"),
    .listFirst = NC_("listFirst", "："),
    .listNext = NC_("listNext", "、"),
    .pageCostliestMove = NC_("pageCostliestMove", "%d手目 %s"),
    .pageCostliestDetail = NC_("pageCostliestDetail", "（損失 %s・%s、最善手 %s）"),
    .pageExactFrom =
        NC_("pageExactFrom",
            "%d手目（空き%dマス）から終局までは読み切り（双方最善の石差）、それより前は"
            "探索による推定値です。"),
    .pageNoneExact = NC_("pageNoneExact", "すべて探索による推定値（石差）です。"),
    .squareNumbers = NC_("squareNumbers",
                         "手は棋譜と同じく、列 a〜h（左から）と行 1〜8（上から）で表します。"
                         "ゲーム画面のメッセージでは手をマス番号「10 × 列 + 行」で表し、列は右から"
                         "数えます（h = 1 … a = 8）。f5 はそこでは %d です。"),
    .chartHeading = NC_("chartHeading",
                        "グラフと表の石差はすべて黒から見た値です。中央の線より上（＋）は黒が優勢、"
                        "下（−）は白が優勢。損失は打った側から見た値です。"),
    .chartLabel = NC_("chartLabel", "黒から見た形勢の推移"),
    .chartExactFrom = NC_("chartExactFrom", "%d手目から読み切り"),
    .chartMark = NC_("chartMark", "%d手目 %s %s：損失 %s"),
    .startCaption = NC_("startCaption", "開始局面、黒番"),
    .moveCaption = NC_("moveCaption", "%d手目：%s %s"),
    .playedIsBest = NC_("playedIsBest", "（最善手）"),
    .bestIs = NC_("bestIs", "、最善手 %s"),
    .valuesCaption = NC_("valuesCaption", " &middot; 石差 %s、最善 %s、損失 %s &middot; %s"),
    .passCaption = NC_("passCaption", " &middot; %sはパス"),
    .gameOver = NC_("gameOver", " &middot; 終局"),
    .tableSide = NC_("tableSide", "手番"),
    .tablePlayed = NC_("tablePlayed", "着手"),
    .tableBest = NC_("tableBest", "最善手"),
    .tableValue = NC_("tableValue", "石差"),
    .tableBestValue = NC_("tableBestValue", "最善手の石差"),
    .tableLoss = NC_("tableLoss", "損失"),
    .toStart = NC_("toStart", "最初へ (Home)"),
    .toPrevious = NC_("toPrevious", "一手戻る (&#x2190;)"),
    .toNext = NC_("toNext", "一手進む (&#x2192;)"),
    .toEnd = NC_("toEnd", "最後へ (End)"),
    .legendPlayed = NC_("legendPlayed", "打った手"),
    .legendBest = NC_("legendBest", "最善手"),
    .legendKeys = NC_("legendKeys", "（&#x2190; &#x2192; で一手ずつ進む・戻る）"),
    .startBoard = NC_("startBoard", "開始局面"),
    .boardAfter = NC_("boardAfter", "%d手目の後の盤面"),
};

// Whether a character is drawn two columns wide: the CJK scripts, the full-width forms and
// their punctuation.
bool IsWide(uint32_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
           (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6);
}

}  // namespace

std::string Signed(double value, bool exact) {
    if (std::abs(value) < (exact ? 0.5 : 0.05)) value = 0;  // -0.0 would read as white ahead
    return Formatted(exact ? "%+.0f" : "%+.1f", value);
}

std::string Number(double value, bool exact) {
    return Formatted(exact ? "%.0f" : "%.1f", value);
}

bool AllExact(const TGameAnalysis& analysis, bool white) {
    return std::ranges::all_of(
        analysis.values, [white](const TMoveAnalysis& v) { return v.white != white || v.exact; });
}

int ColumnsOf(std::string_view text) {
    int columns = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const int length = byte < 0x80 ? 1 : byte < 0xE0 ? 2 : byte < 0xF0 ? 3 : 4;
        uint32_t c = length == 1 ? byte : byte & (0x7F >> length);
        for (int k = 1; k < length && i + k < text.size(); ++k)
            c = c << 6 | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        columns += IsWide(c) ? 2 : 1;
        i += length;
    }
    return columns;
}

std::string PaddedRight(const std::string& text, int columns) {
    const int missing = columns - ColumnsOf(text);
    return missing > 0 ? text + std::string(missing, ' ') : text;
}

std::string PaddedLeft(const std::string& text, int columns) {
    const int missing = columns - ColumnsOf(text);
    return missing > 0 ? std::string(missing, ' ') + text : text;
}

// Every word of the table by its name, which is its context in the catalogue.
constexpr std::pair<const char*, const char * TAnalysisWords::*> kWordsByName[] = {
    {"black", &TAnalysisWords::black},
    {"white", &TAnalysisWords::white},
    {"exact", &TAnalysisWords::exact},
    {"estimate", &TAnalysisWords::estimate},
    {"passes", &TAnalysisWords::passes},
    {"headNumber", &TAnalysisWords::headNumber},
    {"headSide", &TAnalysisWords::headSide},
    {"headPlayed", &TAnalysisWords::headPlayed},
    {"headBest", &TAnalysisWords::headBest},
    {"headValue", &TAnalysisWords::headValue},
    {"headBestValue", &TAnalysisWords::headBestValue},
    {"headLoss", &TAnalysisWords::headLoss},
    {"valuesSide", &TAnalysisWords::valuesSide},
    {"totalLoss", &TAnalysisWords::totalLoss},
    {"costliestMoves", &TAnalysisWords::costliestMoves},
    {"costliestMove", &TAnalysisWords::costliestMove},
    {"costliestNext", &TAnalysisWords::costliestNext},
    {"exactFrom", &TAnalysisWords::exactFrom},
    {"noneExact", &TAnalysisWords::noneExact},
    {"finalResult", &TAnalysisWords::finalResult},
    {"endsEarly", &TAnalysisWords::endsEarly},
    {"htmlLanguage", &TAnalysisWords::htmlLanguage},
    {"pageTitle", &TAnalysisWords::pageTitle},
    {"heading", &TAnalysisWords::heading},
    {"pageFinalResult", &TAnalysisWords::pageFinalResult},
    {"pageEndsEarly", &TAnalysisWords::pageEndsEarly},
    {"pageTotalLoss", &TAnalysisWords::pageTotalLoss},
    {"pageCostliest", &TAnalysisWords::pageCostliest},
    {"listFirst", &TAnalysisWords::listFirst},
    {"listNext", &TAnalysisWords::listNext},
    {"pageCostliestMove", &TAnalysisWords::pageCostliestMove},
    {"pageCostliestDetail", &TAnalysisWords::pageCostliestDetail},
    {"pageExactFrom", &TAnalysisWords::pageExactFrom},
    {"pageNoneExact", &TAnalysisWords::pageNoneExact},
    {"squareNumbers", &TAnalysisWords::squareNumbers},
    {"chartHeading", &TAnalysisWords::chartHeading},
    {"chartLabel", &TAnalysisWords::chartLabel},
    {"chartExactFrom", &TAnalysisWords::chartExactFrom},
    {"chartMark", &TAnalysisWords::chartMark},
    {"startCaption", &TAnalysisWords::startCaption},
    {"moveCaption", &TAnalysisWords::moveCaption},
    {"playedIsBest", &TAnalysisWords::playedIsBest},
    {"bestIs", &TAnalysisWords::bestIs},
    {"valuesCaption", &TAnalysisWords::valuesCaption},
    {"passCaption", &TAnalysisWords::passCaption},
    {"gameOver", &TAnalysisWords::gameOver},
    {"tableSide", &TAnalysisWords::tableSide},
    {"tablePlayed", &TAnalysisWords::tablePlayed},
    {"tableBest", &TAnalysisWords::tableBest},
    {"tableValue", &TAnalysisWords::tableValue},
    {"tableBestValue", &TAnalysisWords::tableBestValue},
    {"tableLoss", &TAnalysisWords::tableLoss},
    {"toStart", &TAnalysisWords::toStart},
    {"toPrevious", &TAnalysisWords::toPrevious},
    {"toNext", &TAnalysisWords::toNext},
    {"toEnd", &TAnalysisWords::toEnd},
    {"legendPlayed", &TAnalysisWords::legendPlayed},
    {"legendBest", &TAnalysisWords::legendBest},
    {"legendKeys", &TAnalysisWords::legendKeys},
    {"startBoard", &TAnalysisWords::startBoard},
    {"boardAfter", &TAnalysisWords::boardAfter}};

// The table in English: each Japanese word as the catalogue gives it in its context.
TAnalysisWords EnglishWords() {
    TAnalysisWords words = kJapanese;
    for (const auto& [name, word] : kWordsByName)
        words.*word = Tr(name, kJapanese.*word, TTextLanguage::English);
    return words;
}

const TAnalysisWords& WordsOf(TAnalysisLanguage language) {
    static const TAnalysisWords kEnglish = EnglishWords();
    return language == TAnalysisLanguage::Japanese ? kJapanese : kEnglish;
}
