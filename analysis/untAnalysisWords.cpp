#include "analysis/untAnalysisWords.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

constexpr TAnalysisWords kEnglish = {
    .black = "black",
    .white = "white",
    .exact = "exact",
    .estimate = "estimate",
    .passes = ", %s passes",
    .headNumber = "No",
    .headSide = "side",
    .headPlayed = "played",
    .headBest = "best",
    .headValue = "value",
    .headBestValue = "best value",
    .headLoss = "loss",
    .valuesSide =
        "values in discs from black's side (+ black ahead, - white ahead); a loss is what "
        "the move cost the side that played it",
    .totalLoss = "%s: total loss %s discs",
    .costliestMoves = "; costliest moves:",
    .costliestMove = " %d %s (best %s, loss %s, %s)",
    .costliestNext = "",
    .exactFrom = "exact from move %d (%d empty squares) to the end",
    .noneExact = "no move was solved exactly",
    .finalResult = "final result: black %d, white %d (black %+d, empty squares to the winner)",
    .endsEarly = "the record ends before the game's end: black %d, white %d",
    .htmlLanguage = "en",
    .pageTitle = "Tolvaney game analysis",
    .heading = "Game analysis",
    .pageFinalResult = "Final result: black %d, white %d (black %+d, empty squares to the winner)",
    .pageEndsEarly = "The record ends before the game's end: black %d, white %d",
    .pageTotalLoss = "<b>%s</b>: total loss %s discs",
    .pageCostliest = "; costliest moves",
    .listFirst = ": ",
    .listNext = ", ",
    .pageCostliestMove = "%d %s",
    .pageCostliestDetail = " (loss %s, %s; best %s)",
    .pageExactFrom =
        "Exact (perfect play) from move %d, %d empty squares, to the end; before "
        "that estimates of a search, in discs.",
    .pageNoneExact = "All values are estimates of a search, in discs.",
    .squareNumbers =
        "Moves are named as in the record: the column a–h from the left, the row "
        "1–8 from the top. The game window's messages give a move as its square "
        "number, 10 × column + row with the columns counted from the right (h = 1 "
        "… a = 8): f5 is %d there.",
    .chartHeading =
        "All values of the chart and the table are from black's side, in discs: above the "
        "middle line (+) black is ahead, below it (&minus;) white. A loss is what a move cost "
        "the side that played it.",
    .chartLabel = "value of the position for black over the game",
    .chartExactFrom = "exact from move %d",
    .chartMark = "move %d, %s %s: loss %s",
    .startCaption = "Start position, black to move",
    .moveCaption = "Move %d: %s %s",
    .playedIsBest = " (best)",
    .bestIs = ", best %s",
    .valuesCaption = " &middot; value %s, best %s, loss %s &middot; %s",
    .passCaption = " &middot; %s passes",
    .gameOver = " &middot; game over",
    .tableSide = "Side",
    .tablePlayed = "Played",
    .tableBest = "Best",
    .tableValue = "Value",
    .tableBestValue = "Best value",
    .tableLoss = "Loss",
    .toStart = "start (Home)",
    .toPrevious = "previous move (&#x2190;)",
    .toNext = "next move (&#x2192;)",
    .toEnd = "end (End)",
    .legendPlayed = "move played",
    .legendBest = "best move",
    .legendKeys = "(&#x2190; &#x2192; step through the game)",
    .startBoard = "start position",
    .boardAfter = "board after move %d",
};

// As a Japanese Othello player reads a game: 石差 for a value in discs, 読み切り for the
// part solved to the end, 推定 for the engine's estimates.
constexpr TAnalysisWords kJapanese = {
    .black = "黒",
    .white = "白",
    .exact = "読み切り",
    .estimate = "推定",
    .passes = "、%sはパス",
    .headNumber = "手数",
    .headSide = "手番",
    .headPlayed = "着手",
    .headBest = "最善手",
    .headValue = "石差",
    .headBestValue = "最善手の石差",
    .headLoss = "損失",
    .valuesSide = "石差はすべて黒から見た値（＋は黒の優勢、−は白の優勢）。損失は打った側から見た値",
    .totalLoss = "%s：損失の合計 %s 石",
    .costliestMoves = "。損失の大きい手：",
    .costliestMove = "%d手目 %s（最善手 %s、損失 %s・%s）",
    .costliestNext = "、",
    .exactFrom = "%d手目（空き%dマス）から終局まで読み切り",
    .noneExact = "読み切った手はありません",
    .finalResult = "結果：黒 %d、白 %d（黒から見て %+d、空きマスは勝った側に数えます）",
    .endsEarly = "棋譜は終局前で終わっています：黒 %d、白 %d",
    .htmlLanguage = "ja",
    .pageTitle = "Tolvaney 棋譜の解析",
    .heading = "棋譜の解析",
    .pageFinalResult = "結果：黒 %d、白 %d（黒から見て %+d、空きマスは勝った側に数えます）",
    .pageEndsEarly = "棋譜は終局前で終わっています：黒 %d、白 %d",
    .pageTotalLoss = "<b>%s</b>：損失の合計 %s 石",
    .pageCostliest = "。損失の大きい手",
    .listFirst = "：",
    .listNext = "、",
    .pageCostliestMove = "%d手目 %s",
    .pageCostliestDetail = "（損失 %s・%s、最善手 %s）",
    .pageExactFrom =
        "%d手目（空き%dマス）から終局までは読み切り（双方最善の石差）、それより前は"
        "探索による推定値です。",
    .pageNoneExact = "すべて探索による推定値（石差）です。",
    .squareNumbers =
        "手は棋譜と同じく、列 a〜h（左から）と行 1〜8（上から）で表します。"
        "ゲーム画面のメッセージでは手をマス番号「10 × 列 + 行」で表し、列は右から"
        "数えます（h = 1 … a = 8）。f5 はそこでは %d です。",
    .chartHeading =
        "グラフと表の石差はすべて黒から見た値です。中央の線より上（＋）は黒が優勢、"
        "下（−）は白が優勢。損失は打った側から見た値です。",
    .chartLabel = "黒から見た形勢の推移",
    .chartExactFrom = "%d手目から読み切り",
    .chartMark = "%d手目 %s %s：損失 %s",
    .startCaption = "開始局面、黒番",
    .moveCaption = "%d手目：%s %s",
    .playedIsBest = "（最善手）",
    .bestIs = "、最善手 %s",
    .valuesCaption = " &middot; 石差 %s、最善 %s、損失 %s &middot; %s",
    .passCaption = " &middot; %sはパス",
    .gameOver = " &middot; 終局",
    .tableSide = "手番",
    .tablePlayed = "着手",
    .tableBest = "最善手",
    .tableValue = "石差",
    .tableBestValue = "最善手の石差",
    .tableLoss = "損失",
    .toStart = "最初へ (Home)",
    .toPrevious = "一手戻る (&#x2190;)",
    .toNext = "一手進む (&#x2192;)",
    .toEnd = "最後へ (End)",
    .legendPlayed = "打った手",
    .legendBest = "最善手",
    .legendKeys = "（&#x2190; &#x2192; で一手ずつ進む・戻る）",
    .startBoard = "開始局面",
    .boardAfter = "%d手目の後の盤面",
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

const TAnalysisWords& WordsOf(TAnalysisLanguage language) {
    return language == TAnalysisLanguage::Japanese ? kJapanese : kEnglish;
}
