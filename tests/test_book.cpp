// The opening book: the shipped lines, the first matching line deciding, the four
// orientations of the first move, and the end of the book.
#include <gtest/gtest.h>

#include "ReferenceBoard.h"
#include "engine/search/untBook.h"
#include "engine/untEngineError.h"
#include "engine/untSquareNames.h"
#include "engine/untTextFile.h"

namespace {

std::vector<std::string> ShippedBook() {
    const std::string text = ReadTextFile(std::string(TOLVANEY_RESOURCES) + "/TEISEKI");
    std::vector<std::string> lines;
    for (const std::string_view line : SplitLines(text))
        lines.emplace_back(line);
    return lines;
}

struct TRecord {
    uint8_t squares[61] = {};
};

TRecord RecordOf(const std::string& moves) {
    TRecord record;
    for (std::size_t i = 0; i < moves.size(); i += 2)
        record.squares[i / 2 + 1] = *SquareFromName(moves.substr(i, 2));
    return record;
}

std::string BookAnswer(const std::vector<std::string>& book, const std::string& moves) {
    return SquareName(FindBookMove(book, RecordOf(moves).squares));
}

TEST(Book, ShippedLinesAreLegalGamesFromTheStandardStart) {
    const std::vector<std::string> book = ShippedBook();
    ASSERT_EQ(book.size(), 33u);
    int comments = 0, moveLines = 0;
    for (const std::string& line : book) {
        if (line.rfind("//", 0) == 0) {
            ++comments;
            continue;
        }
        ++moveLines;
        EXPECT_EQ(line.substr(0, 2), "f5");
        EXPECT_EQ(line.size() % 2, 0u) << line;
        EXPECT_GE(line.size(), 10u);
        EXPECT_LE(line.size(), 36u);
        TReferenceBoard board = TReferenceBoard::Standard();
        int colour = 1;
        for (std::size_t i = 0; i < line.size(); i += 2) {
            const std::optional<uint8_t> square = SquareFromName(line.substr(i, 2));
            ASSERT_TRUE(square) << line;
            const int column = TReferenceBoard::ColumnOf(*square),
                      row = TReferenceBoard::RowOf(*square);
            ASSERT_TRUE(board.IsLegal(column, row, colour)) << line << " at " << i / 2 + 1;
            board.Play(column, row, colour);
            colour = 3 - colour;
        }
    }
    EXPECT_EQ(comments, 14);
    EXPECT_EQ(moveLines, 19);
}

TEST(Book, TheFirstMatchingLineInFileOrderDecides) {
    const std::vector<std::string> book = ShippedBook();
    EXPECT_EQ(BookAnswer(book, "f5"), "f6");
    EXPECT_EQ(BookAnswer(book, "f5f6e6"), "d6");
    EXPECT_EQ(BookAnswer(book, "f5f6e6d6c5"), "e3");
    EXPECT_EQ(BookAnswer(book, "f5f6e6d6e7"), "g5");
    EXPECT_EQ(BookAnswer(book, "f5f6e6d6c3"), "g4");
    EXPECT_EQ(BookAnswer(book, "f5f6e6d6c5e3d3g5f3b5c6b6"), "a5");
    EXPECT_EQ(BookAnswer(book, "f5f6e6d6c5e3d3g5f3b5c6b6d7"), "e7");
}

TEST(Book, OtherFirstMovesAreReadThroughTheirSymmetry) {
    const std::vector<std::string> book = ShippedBook();
    // The same replies as the fixed replies to the first move.
    EXPECT_EQ(BookAnswer(book, "e6"), "f6");
    EXPECT_EQ(BookAnswer(book, "d3"), "c3");
    EXPECT_EQ(BookAnswer(book, "c4"), "c3");
    // A whole line in each orientation gives the mapped continuation.
    const std::string line = "f5f6e6d6c5e3";  // continues with f3 or d3: the first line says f3
    for (const std::string first : {"f5", "e6", "c4", "d3"}) {
        const uint8_t firstMove = *SquareFromName(first);
        std::string mapped;
        for (std::size_t i = 0; i < line.size(); i += 2)
            mapped += SquareName(BookSymmetry(firstMove, *SquareFromName(line.substr(i, 2))));
        EXPECT_EQ(mapped.substr(0, 2), first);
        EXPECT_EQ(BookAnswer(book, mapped), SquareName(BookSymmetry(firstMove, SquareOf("f3"))))
            << first;
    }
    // Each mapping is its own inverse.
    for (const uint8_t first : {SquareOf("f5"), SquareOf("e6"), SquareOf("c4"), SquareOf("d3")})
        for (int square = 11; square <= 88; ++square) {
            if (!IsBoardSquare(square)) continue;
            const uint8_t s = static_cast<uint8_t>(square);
            ASSERT_EQ(BookSymmetry(first, BookSymmetry(first, s)), square);
        }
}

TEST(Book, LeavingTheBookGivesNoMove) {
    const std::vector<std::string> book = ShippedBook();
    EXPECT_EQ(FindBookMove(book, RecordOf("f5f4").squares), 0);          // not in the book
    EXPECT_EQ(FindBookMove(book, RecordOf("f5f6e6d6c7f4").squares), 0);  // the line's last move
    EXPECT_EQ(FindBookMove(book, RecordOf("f5f6e6d6c5e3f3f4g5g6g3c6d3c4c3h5b4g4").squares), 0);
}

TEST(Book, CommentLinesAreSkippedAndABadContinuationIsReported) {
    const std::vector<std::string> book = {"//f5f6", "// * f5e6 *", "f5d6", "f5f6x9"};
    EXPECT_EQ(FindBookMove(book, RecordOf("f5").squares), SquareOf("d6"));
    EXPECT_THROW(FindBookMove(book, RecordOf("f5f6").squares), EEngineError);
    // A line that ends one character after the game stops the search without a move.
    EXPECT_EQ(FindBookMove({"f5f6e", "f5f6e6"}, RecordOf("f5f6").squares), 0);
}

}  // namespace
