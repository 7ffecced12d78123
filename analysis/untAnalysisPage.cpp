#include "analysis/untAnalysisPage.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>

#include "analysis/untAnalysisWords.h"
#include "engine/untBitBoard.h"
#include "engine/untSquareNames.h"

namespace {

// The board drawing: 8 squares of kCell units and a margin for the coordinates.
constexpr int kCell = 40;
constexpr int kMargin = 20;
constexpr int kBoardSize = 2 * kMargin + 8 * kCell;

// The value chart.
constexpr int kChartWidth = 760;
constexpr int kChartHeight = 260;
constexpr int kChartLeft = 44;
constexpr int kChartRight = 12;
constexpr int kChartTop = 12;
constexpr int kChartBottom = 28;
constexpr int kCostliestPerSide = 3;

std::string Escaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

// The centre of a square's cell in the board drawing: column a on the left, row 1 on top.
std::pair<int, int> CellCentre(uint8_t square) {
    const int column = 8 - square / 10;
    const int row = square % 10 - 1;
    return {kMargin + column * kCell + kCell / 2, kMargin + row * kCell + kCell / 2};
}

std::string BoardSvg(const TDiscs& discs, uint8_t played, uint8_t best, const std::string& title) {
    std::string svg = Formatted(
        "<svg class=\"board\" viewBox=\"0 0 %d %d\" role=\"img\" aria-label=\"%s\">"
        "<rect x=\"%d\" y=\"%d\" width=\"%d\" height=\"%d\" class=\"felt\"/>",
        kBoardSize, kBoardSize, Escaped(title).c_str(), kMargin, kMargin, 8 * kCell, 8 * kCell);
    for (int i = 0; i <= 8; ++i) {
        const int at = kMargin + i * kCell;
        svg += Formatted("<line x1=\"%d\" y1=\"%d\" x2=\"%d\" y2=\"%d\" class=\"grid\"/>", at,
                         kMargin, at, kMargin + 8 * kCell);
        svg += Formatted("<line x1=\"%d\" y1=\"%d\" x2=\"%d\" y2=\"%d\" class=\"grid\"/>", kMargin,
                         at, kMargin + 8 * kCell, at);
    }
    for (int i = 0; i < 8; ++i) {
        const int centre = kMargin + i * kCell + kCell / 2;
        svg += Formatted("<text x=\"%d\" y=\"%d\" class=\"coord\">%c</text>", centre, kMargin - 6,
                         'a' + i);
        svg += Formatted("<text x=\"%d\" y=\"%d\" class=\"coord\">%d</text>", kMargin / 2,
                         centre + 5, i + 1);
    }
    for (int square = 11; square <= 88; ++square) {
        if (!IsBoardSquare(square)) continue;
        const uint64_t bit = MaskOf(square);
        if (((discs.black | discs.white) & bit) == 0) continue;
        const auto [x, y] = CellCentre(static_cast<uint8_t>(square));
        svg += Formatted("<circle cx=\"%d\" cy=\"%d\" r=\"%d\" class=\"%s\"/>", x, y, kCell / 2 - 4,
                         (discs.black & bit) ? "black" : "white");
    }
    if (best != 0 && best != played) {
        const auto [x, y] = CellCentre(best);
        svg += Formatted("<rect x=\"%d\" y=\"%d\" width=\"%d\" height=\"%d\" class=\"best\"/>",
                         x - kCell / 2 + 2, y - kCell / 2 + 2, kCell - 4, kCell - 4);
    }
    if (played != 0) {
        const auto [x, y] = CellCentre(played);
        svg += Formatted("<rect x=\"%d\" y=\"%d\" width=\"%d\" height=\"%d\" class=\"played\"/>",
                         x - kCell / 2 + 2, y - kCell / 2 + 2, kCell - 4, kCell - 4);
    }
    return svg + "</svg>";
}

// What the chart plots, from black's side: the start position's value (the best value of the
// first move), then after each move the value of the move played, the number its row lists.
std::vector<double> BlackValues(const TGameAnalysis& analysis) {
    std::vector<double> values;
    if (analysis.values.empty()) return values;
    const TMoveAnalysis& first = analysis.values.front();
    values.push_back(ForBlack(first, first.bestValue));
    for (const TMoveAnalysis& v : analysis.values)
        values.push_back(ForBlack(v, v.playedValue));
    return values;
}

// A move's loss for its mover, as the hint writes values: tenths when estimated, whole discs
// when exact.
std::string LossOf(const TMoveAnalysis& v) {
    return Number(v.loss, v.exact);
}

struct TChartScale {
    int count = 1;  // positions after the start: the x axis runs 0..count
    int range = 8;  // discs at the top and (negated) at the bottom
    double X(double index) const {
        return kChartLeft + index * (kChartWidth - kChartLeft - kChartRight) / count;
    }
    double Y(double value) const {
        const double half = (kChartHeight - kChartTop - kChartBottom) / 2.0;
        return kChartTop + half - std::clamp(value, -1.0 * range, 1.0 * range) * half / range;
    }
};

std::string ChartSvg(const TGameAnalysis& analysis, const std::vector<double>& values,
                     const TChartScale& scale, const TAnalysisWords& words) {
    std::string svg =
        Formatted("<svg id=\"chart\" viewBox=\"0 0 %d %d\" role=\"img\" aria-label=\"%s\">",
                  kChartWidth, kChartHeight, words.chartLabel);
    if (analysis.exactFrom != 0) {
        const double from = scale.X(analysis.exactFrom);  // the first exact point
        svg += Formatted(
            "<rect x=\"%.1f\" y=\"%d\" width=\"%.1f\" height=\"%d\" class=\"exact\"/>"
            "<text x=\"%.1f\" y=\"%d\" class=\"exact-label\">%s</text>",
            from, kChartTop, scale.X(scale.count) - from, kChartHeight - kChartTop - kChartBottom,
            from + 4, kChartTop + 14, Formatted(words.chartExactFrom, analysis.exactFrom).c_str());
    }
    for (int v = -scale.range; v <= scale.range; v += scale.range / 2) {
        svg += Formatted(
            "<line x1=\"%d\" y1=\"%.1f\" x2=\"%d\" y2=\"%.1f\" class=\"%s\"/>"
            "<text x=\"%d\" y=\"%.1f\" class=\"axis\">%+d</text>",
            kChartLeft, scale.Y(v), kChartWidth - kChartRight, scale.Y(v), v == 0 ? "zero" : "rule",
            kChartLeft - 6, scale.Y(v) + 4, v);
    }
    for (int move = 10; move <= scale.count; move += 10)
        svg += Formatted("<text x=\"%.1f\" y=\"%d\" class=\"axis-x\">%d</text>", scale.X(move),
                         kChartHeight - 8, move);
    std::string points;
    for (std::size_t i = 0; i < values.size(); ++i)
        points += Formatted("%.1f,%.1f ", scale.X(static_cast<double>(i)), scale.Y(values[i]));
    svg += "<polyline class=\"line\" points=\"" + points + "\"/>";
    for (const bool white : {false, true}) {
        for (const int number : analysis.Costliest(white, kCostliestPerSide)) {
            const TMoveAnalysis& v = analysis.values[number - 1];
            svg += Formatted(
                "<circle cx=\"%.1f\" cy=\"%.1f\" r=\"6\" class=\"mark %s\" data-move=\"%d\">"
                "<title>%s</title></circle>",
                scale.X(number), scale.Y(values[number]), white ? "white" : "black", number,
                Formatted(words.chartMark, number, SideName(words, white),
                          SquareName(v.played).c_str(), LossOf(v).c_str())
                    .c_str());
        }
    }
    svg += Formatted("<line id=\"cursor\" x1=\"%.1f\" y1=\"%d\" x2=\"%.1f\" y2=\"%d\"/>",
                     scale.X(0), kChartTop, scale.X(0), kChartHeight - kChartBottom);
    return svg + "</svg>";
}

std::string Caption(const TGameAnalysis& analysis, std::size_t index, const TAnalysisWords& words) {
    if (index == 0) return words.startCaption;
    const TMoveAnalysis& v = analysis.values[index - 1];
    const TRecordMove& move = analysis.moves[index - 1];
    std::string text = Formatted(words.moveCaption, v.number, SideName(words, v.white),
                                 SquareName(v.played).c_str());
    text += v.best == v.played ? words.playedIsBest
                               : Formatted(words.bestIs, SquareName(v.best).c_str());
    text += Formatted(words.valuesCaption, Signed(ForBlack(v, v.playedValue), v.exact).c_str(),
                      Signed(ForBlack(v, v.bestValue), v.exact).c_str(), LossOf(v).c_str(),
                      v.exact ? words.exact : words.estimate);
    if (move.passFollows) text += Formatted(words.passCaption, SideName(words, !v.white));
    if (move.gameOver) text += words.gameOver;
    return text;
}

std::string Summary(const TGameAnalysis& analysis, const std::string& record,
                    const TAnalysisWords& words) {
    const TDiscs end = analysis.FinalBoard();
    std::string html = "<p class=\"record\">" + Escaped(record) + "</p><ul class=\"summary\"><li>";
    if (analysis.Finished())
        html += Formatted(words.pageFinalResult, std::popcount(end.black), std::popcount(end.white),
                          FinalDifference(end));
    else
        html += Formatted(words.pageEndsEarly, std::popcount(end.black), std::popcount(end.white));
    html += "</li>";
    for (const bool white : {false, true}) {
        html += "<li>" +
                Formatted(words.pageTotalLoss, SideName(words, white),
                          Number(analysis.totalLoss[white], AllExact(analysis, white)).c_str());
        const std::vector<int> costliest = analysis.Costliest(white, kCostliestPerSide);
        if (!costliest.empty()) html += words.pageCostliest;
        for (std::size_t i = 0; i < costliest.size(); ++i) {
            const TMoveAnalysis& v = analysis.values[costliest[i] - 1];
            html += Formatted("%s<a href=\"#\" data-move=\"%d\">",
                              i == 0 ? words.listFirst : words.listNext, v.number) +
                    Formatted(words.pageCostliestMove, v.number, SquareName(v.played).c_str()) +
                    "</a>" +
                    Formatted(words.pageCostliestDetail, LossOf(v).c_str(),
                              v.exact ? words.exact : words.estimate, SquareName(v.best).c_str());
        }
        html += "</li>";
    }
    html += "<li>" +
            (analysis.exactFrom != 0
                 ? Formatted(words.pageExactFrom, analysis.exactFrom, 61 - analysis.exactFrom)
                 : std::string(words.pageNoneExact)) +
            "</li>";
    html += "<li>" + Formatted(words.squareNumbers, SquareOf("f5")) + "</li>";
    return html + "</ul>";
}

std::string MoveTable(const TGameAnalysis& analysis, const TAnalysisWords& words) {
    std::string html = Formatted(
        "<table id=\"moves\"><thead><tr><th>%s</th><th>%s</th><th>%s</th><th>%s</th>"
        "<th>%s</th><th>%s</th><th>%s</th><th></th></tr></thead><tbody>",
        words.headNumber, words.tableSide, words.tablePlayed, words.tableBest, words.tableValue,
        words.tableBestValue, words.tableLoss);
    for (const TMoveAnalysis& v : analysis.values) {
        html += Formatted(
            "<tr id=\"row-%d\" data-move=\"%d\" class=\"%s%s\"><td>%d</td><td>%s</td><td>%s</td>"
            "<td>%s</td><td>%s</td><td>%s</td><td>%s</td><td>%s</td></tr>",
            v.number, v.number, v.white ? "white" : "black", v.loss > 0 ? " lost" : "", v.number,
            SideName(words, v.white), SquareName(v.played).c_str(), SquareName(v.best).c_str(),
            Signed(ForBlack(v, v.playedValue), v.exact).c_str(),
            Signed(ForBlack(v, v.bestValue), v.exact).c_str(), LossOf(v).c_str(),
            v.exact ? words.exact : words.estimate);
    }
    return html + "</tbody></table>";
}

constexpr const char* kStyle = R"(
body { font-family: system-ui, sans-serif; margin: 1.5em auto; max-width: 1200px; color: #222;
       padding: 0 1em; }
h1 { font-size: 1.4em; margin: 0 0 .3em; }
.record { font-family: monospace; word-break: break-all; color: #555; margin: 0 0 .5em; }
.summary { margin: .3em 0 1em; padding-left: 1.2em; line-height: 1.5; }
.layout { display: flex; gap: 2em; align-items: flex-start; flex-wrap: wrap; }
.boards { flex: 0 0 380px; }
.side { flex: 1 1 500px; min-width: 0; }
figure { margin: 0; }
figure.position { display: none; }
figure.position.current { display: block; }
figcaption { font-size: .95em; margin: .4em 0; min-height: 2.6em; }
svg.board { width: 100%; max-width: 380px; display: block; }
.felt { fill: #2e7d4f; }
.grid { stroke: #174d2e; stroke-width: 1.5; }
.coord { font-size: 12px; text-anchor: middle; fill: #444; }
circle.black { fill: #111; }
circle.white { fill: #fafafa; stroke: #333; stroke-width: 1; }
rect.played { fill: none; stroke: #e53935; stroke-width: 3.5; }
rect.best { fill: none; stroke: #42a5f5; stroke-width: 3.5; stroke-dasharray: 6 3; }
.controls button { font-size: 1.1em; min-width: 2.6em; padding: .2em .5em; }
.legend { font-size: .85em; color: #555; }
.legend .p { color: #e53935; font-weight: bold; } .legend .b { color: #1e88e5; font-weight: bold; }
.chart-heading { font-size: .9em; color: #555; margin: 0 0 .3em; }
#chart { width: 100%; height: auto; background: #fff; border: 1px solid #ddd; }
#chart .rule { stroke: #eee; } #chart .zero { stroke: #999; }
#chart .axis { font-size: 11px; text-anchor: end; fill: #666; }
#chart .axis-x { font-size: 11px; text-anchor: middle; fill: #666; }
#chart .exact { fill: #fff4d6; } #chart .exact-label { font-size: 11px; fill: #a07000; }
#chart .line { fill: none; stroke: #1565c0; stroke-width: 2; }
#chart .mark { stroke: #c62828; stroke-width: 2.5; cursor: pointer; }
#chart .mark.black { fill: #111; } #chart .mark.white { fill: #fff; }
#cursor { stroke: #e53935; stroke-width: 1.5; stroke-dasharray: 4 3; }
table { border-collapse: collapse; margin-top: 1em; font-size: .9em; width: 100%; }
th, td { padding: .15em .6em; text-align: right; border-bottom: 1px solid #eee; }
th { background: #f4f4f4; }
tr.lost td:nth-child(7) { color: #c62828; font-weight: bold; }
tbody tr { cursor: pointer; } tbody tr:hover { background: #f0f7ff; }
tr.current { background: #ffe9b3 !important; }
.table-wrap { max-height: 420px; overflow-y: auto; }
@media print {
  body { max-width: none; margin: 0; }
  .controls, .legend, #cursor { display: none; }
  .layout { display: flex; flex-direction: column-reverse; gap: 1em; }
  .side { width: 100%; } #chart { break-inside: avoid; }
  .table-wrap { max-height: none; overflow: visible; }
  .boards { display: grid; grid-template-columns: repeat(4, 1fr); gap: .6em; }
  figure.position { display: block; break-inside: avoid; }
  figcaption { font-size: 8pt; min-height: 0; }
  tr.current { background: none !important; }
}
)";

constexpr const char* kScript = R"(
(function () {
  const boards = document.querySelectorAll('figure.position');
  const last = boards.length - 1;
  const cursor = document.getElementById('cursor');
  const xs = JSON.parse(document.getElementById('chart-x').textContent);
  let current = 0;
  function show(index) {
    index = Math.max(0, Math.min(last, index));
    boards[current].classList.remove('current');
    const oldRow = document.getElementById('row-' + current);
    if (oldRow) oldRow.classList.remove('current');
    current = index;
    boards[current].classList.add('current');
    const row = document.getElementById('row-' + current);
    if (row) { row.classList.add('current'); row.scrollIntoView({block: 'nearest'}); }
    cursor.setAttribute('x1', xs[current]);
    cursor.setAttribute('x2', xs[current]);
    history.replaceState(null, '', '#' + current);
  }
  document.getElementById('first').onclick = () => show(0);
  document.getElementById('prev').onclick = () => show(current - 1);
  document.getElementById('next').onclick = () => show(current + 1);
  document.getElementById('last').onclick = () => show(last);
  document.addEventListener('keydown', (e) => {
    if (e.key === 'ArrowLeft' || e.key === 'ArrowUp') { show(current - 1); e.preventDefault(); }
    else if (e.key === 'ArrowRight' || e.key === 'ArrowDown') { show(current + 1); e.preventDefault(); }
    else if (e.key === 'Home') { show(0); e.preventDefault(); }
    else if (e.key === 'End') { show(last); e.preventDefault(); }
  });
  document.querySelectorAll('[data-move]').forEach((element) => {
    element.addEventListener('click', (e) => { e.preventDefault(); show(+element.dataset.move); });
  });
  show(parseInt(location.hash.slice(1), 10) || 0);
})();
)";

}  // namespace

std::string AnalysisPage(const TGameAnalysis& analysis, TAnalysisLanguage language) {
    const TAnalysisWords& words = WordsOf(language);
    std::string record;
    for (const TRecordMove& move : analysis.moves)
        record += SquareName(move.square);
    const std::vector<double> values = BlackValues(analysis);
    TChartScale scale;
    scale.count = std::max<int>(1, static_cast<int>(analysis.values.size()));
    double largest = 0;
    for (const double v : values)
        largest = std::max(largest, std::abs(v));
    while (scale.range < largest && scale.range < 64)
        scale.range *= 2;

    std::string html = Formatted(
        "<!DOCTYPE html>\n<html lang=\"%s\"><head><meta charset=\"utf-8\">"
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
        "<title>%s</title><style>",
        words.htmlLanguage, words.pageTitle);
    html += kStyle;
    html += Formatted("</style></head><body><h1>%s</h1>", words.heading);
    html += Summary(analysis, record, words);
    html += "<div class=\"layout\"><div class=\"boards\">";
    html += Formatted(
        "<div class=\"controls\"><button id=\"first\" title=\"%s\">&laquo;</button> "
        "<button id=\"prev\" title=\"%s\">&#x25C0;</button> "
        "<button id=\"next\" title=\"%s\">&#x25B6;</button> "
        "<button id=\"last\" title=\"%s\">&raquo;</button></div>",
        words.toStart, words.toPrevious, words.toNext, words.toEnd);
    const TDiscs start = analysis.moves.empty() ? TDiscs{} : analysis.moves.front().before;
    html += "<figure class=\"position\" id=\"board-0\">" + BoardSvg(start, 0, 0, words.startBoard) +
            "<figcaption>" + Caption(analysis, 0, words) + "</figcaption></figure>";
    for (std::size_t i = 1; i <= analysis.values.size(); ++i) {
        const TMoveAnalysis& v = analysis.values[i - 1];
        html += Formatted("<figure class=\"position\" id=\"board-%zu\">", i) +
                BoardSvg(analysis.moves[i - 1].after, v.played, v.best,
                         Formatted(words.boardAfter, v.number)) +
                "<figcaption>" + Caption(analysis, i, words) + "</figcaption></figure>";
    }
    html += Formatted(
        "<p class=\"legend\"><span class=\"p\">&#x25A1;</span> %s &nbsp; "
        "<span class=\"b\">&#x2B1A;</span> %s &nbsp; %s</p></div><div class=\"side\">",
        words.legendPlayed, words.legendBest, words.legendKeys);
    html += Formatted("<p class=\"chart-heading\">%s</p>", words.chartHeading);
    html += ChartSvg(analysis, values, scale, words);
    html += "<div class=\"table-wrap\">" + MoveTable(analysis, words) + "</div></div></div>";
    std::string xs = "[";
    for (int i = 0; i <= static_cast<int>(analysis.values.size()); ++i)
        xs += Formatted("%s%.1f", i == 0 ? "" : ",", scale.X(i));
    html += "<script type=\"application/json\" id=\"chart-x\">" + xs + "]</script><script>";
    html += kScript;
    html += "</script></body></html>\n";
    // Text files are written with CR LF line ends.
    std::string crlf;
    for (const char c : html) {
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    return crlf;
}
