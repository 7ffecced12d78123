#pragma once

// The words of the analysis's report and page in each language, and how both write their
// figures. Every phrase with figures is a printf format that takes them in the same order in
// both languages, so the two tell the same numbers in the same order.

#include <cstdio>
#include <string>
#include <string_view>

#include "analysis/untAnalysis.h"

// A printf-style line.
template <typename... Arguments>
std::string Formatted(const char* format, Arguments... arguments) {
    char text[1024];
    std::snprintf(text, sizeof text, format, arguments...);
    return text;
}

// A value in discs with its sign and without: whole discs when exact, tenths when estimated.
// A value that rounds to nothing is written +0 (+0.0), never -0.
std::string Signed(double value, bool exact);
std::string Number(double value, bool exact);

// A move's value as the report and the page give it: from black's side (the value for the
// mover, negated for a move of white).
inline double ForBlack(const TMoveAnalysis& v, double value) {
    return v.white ? -value : value;
}

// Whether every move of a side was solved: only then is its total loss written in whole
// discs; a total adding estimates to exact losses is written in tenths.
bool AllExact(const TGameAnalysis& analysis, bool white);

// The columns a text takes in a terminal (the Japanese characters take two), and the text
// padded with blanks to a number of columns, on the right (left-aligned) or on the left.
int ColumnsOf(std::string_view text);
std::string PaddedRight(const std::string& text, int columns);
std::string PaddedLeft(const std::string& text, int columns);

struct TAnalysisWords {
    const char* black;
    const char* white;
    const char* exact;     // the kind of a move's values
    const char* estimate;  //
    const char* passes;    // %s the side that passes; ", white passes"

    // The report: the table's column heads, then the summary lines.
    const char* headNumber;
    const char* headSide;
    const char* headPlayed;
    const char* headBest;
    const char* headValue;
    const char* headBestValue;
    const char* headLoss;
    const char* valuesSide;      // above the table: whose side the values are from
    const char* totalLoss;       // %s side, %s discs
    const char* costliestMoves;  // the list that follows
    const char* costliestMove;   // %d number, %s played, %s best, %s loss, %s kind
    const char* costliestNext;   // between two of them
    const char* exactFrom;       // %d number, %d empty squares
    const char* noneExact;
    const char* finalResult;  // %d black discs, %d white discs, %+d difference
    const char* endsEarly;    // %d black discs, %d white discs

    // The page.
    const char* htmlLanguage;
    const char* pageTitle;
    const char* heading;
    const char* pageFinalResult;      // as finalResult
    const char* pageEndsEarly;        // as endsEarly
    const char* pageTotalLoss;        // %s side, %s discs
    const char* pageCostliest;        // before the list
    const char* listFirst;            // between the words and the first of a list
    const char* listNext;             // between two items of a list
    const char* pageCostliestMove;    // %d number, %d number, %s played (the link)
    const char* pageCostliestDetail;  // %s loss, %s kind, %s best
    const char* pageExactFrom;        // %d number, %d empty squares
    const char* pageNoneExact;
    const char* squareNumbers;  // %d the number of f5
    const char* chartHeading;   // above the chart and the table: whose side their values are from
    const char* chartLabel;
    const char* chartExactFrom;  // %d number
    const char* chartMark;       // %d number, %s side, %s played, %s loss
    const char* startCaption;
    const char* moveCaption;  // %d number, %s side, %s played
    const char* playedIsBest;
    const char* bestIs;         // %s best
    const char* valuesCaption;  // %s value, %s best value, %s loss, %s kind
    const char* passCaption;    // %s the side that passes
    const char* gameOver;
    const char* tableSide;
    const char* tablePlayed;
    const char* tableBest;
    const char* tableValue;
    const char* tableBestValue;
    const char* tableLoss;
    const char* toStart;
    const char* toPrevious;
    const char* toNext;
    const char* toEnd;
    const char* legendPlayed;
    const char* legendBest;
    const char* legendKeys;
    const char* startBoard;
    const char* boardAfter;  // %d number
};

const TAnalysisWords& WordsOf(TAnalysisLanguage language);

// A side's name in the language.
inline const char* SideName(const TAnalysisWords& words, bool white) {
    return white ? words.white : words.black;
}
