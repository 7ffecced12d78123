#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Square numbers and square names.
//
// A playable square is 10 * x + y with x and y from 1 to 8: y is the row (1 = the top row)
// and x the column counted from the right (x = 1 is column "h", x = 8 is column "a").
// So a1 = 81, h1 = 11, a8 = 88, h8 = 18 and f5 = 35. A square name is the column letter
// followed by the row digit; a game record is such names run together ("f5f6e6").

// The square number of a name such as "g2"; usable in constant expressions, so board
// tables can be written in the notation players use. The name must be valid.
constexpr uint8_t SquareOf(std::string_view name) {
    return static_cast<uint8_t>(10 * (8 - (name[0] - 'a')) + (name[1] - '0'));
}

// True for the 64 playable squares 11..88 (last digit 1 to 8).
constexpr bool IsBoardSquare(int square) {
    return square >= 11 && square <= 88 && square % 10 >= 1 && square % 10 <= 8;
}

// The two-character name of a playable square ("f5" for 35); empty for anything else.
std::string SquareName(int square);

// The square named by a two-character name "a1".."h8" (lower-case letter, row digit);
// nothing for any other text.
std::optional<uint8_t> SquareFromName(std::string_view name);

// Text from the input as a message quotes it, a bad square name above all: control characters,
// the backslash and bytes beyond ASCII as \xHH, so that nothing typed or piped in reaches the
// terminal as a command of its own.
std::string EscapedText(std::string_view text);
