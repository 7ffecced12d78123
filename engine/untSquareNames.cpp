#include "engine/untSquareNames.h"

#include <cstdio>

namespace {

// Column letter of x = 1 .. 8.
constexpr char kColumnLetter[9] = {'?', 'h', 'g', 'f', 'e', 'd', 'c', 'b', 'a'};

}  // namespace

std::string SquareName(int square) {
    if (!IsBoardSquare(square)) return {};
    return {kColumnLetter[square / 10], static_cast<char>('0' + square % 10)};
}

std::optional<uint8_t> SquareFromName(std::string_view name) {
    if (name.size() != 2) return std::nullopt;
    const char letter = name[0], digit = name[1];
    if (letter < 'a' || letter > 'h' || digit < '1' || digit > '8') return std::nullopt;
    return SquareOf(name);
}

std::string EscapedText(std::string_view text) {
    std::string shown;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && c != '\\') {
            shown += c;
            continue;
        }
        char escaped[5];
        std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
        shown += escaped;
    }
    return shown;
}
