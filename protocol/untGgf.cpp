#include "protocol/untGgf.h"

#include <cctype>
#include <vector>

#include "engine/untSquareNames.h"
#include "protocol/untProtocolWords.h"

namespace {

constexpr int kBoardSize = 8;
constexpr std::size_t kSquares = 64;

struct TProperty {
    std::string name;
    std::string value;
};

// The properties NAME[value] between "(;" and ";)", in order; a ']' inside a value is
// written "\]".
std::optional<std::vector<TProperty>> Properties(std::string_view text, std::string& error) {
    const std::size_t open = text.find("(;");
    if (open == std::string_view::npos) {
        error = "no game: it must begin with (;";
        return std::nullopt;
    }
    std::vector<TProperty> properties;
    std::size_t at = open + 2;
    for (;;) {
        while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at])))
            ++at;
        if (text.substr(at, 2) == ";)") return properties;
        TProperty property;
        while (at < text.size() && std::isupper(static_cast<unsigned char>(text[at])))
            property.name += text[at++];
        if (property.name.empty() || at >= text.size() || text[at] != '[') {
            error = "the game is not closed with ;) or holds something that is no property";
            return std::nullopt;
        }
        for (++at; at < text.size() && text[at] != ']'; ++at) {
            if (text[at] == '\\' && at + 1 < text.size()) ++at;
            property.value += text[at];
        }
        if (at >= text.size()) {
            error = "the value of " + property.name + " is not closed with ]";
            return std::nullopt;
        }
        ++at;
        properties.push_back(std::move(property));
    }
}

// The board property: "8", the 64 squares and the side to move, blanks anywhere between.
std::optional<TGameState> Board(std::string_view value, std::string& error) {
    std::string squares;
    for (const char c : value)
        if (!std::isspace(static_cast<unsigned char>(c))) squares += c;
    const std::string size = std::to_string(kBoardSize);
    if (!squares.starts_with(size) || squares.size() != size.size() + kSquares + 1) {
        error = "the board BO[] is not 8, 64 squares and the side to move";
        return std::nullopt;
    }
    squares.erase(0, size.size());
    TDiscs discs;
    for (std::size_t i = 0; i < kSquares; ++i) {
        // Row 1 first, each row from column a to column h.
        const std::string name = {static_cast<char>('a' + i % kBoardSize),
                                  static_cast<char>('1' + i / kBoardSize)};
        const uint64_t mask = MaskOf(*SquareFromName(name));
        switch (squares[i]) {
            case '*':
            case 'X':
            case 'x':
                discs.black |= mask;
                break;
            case 'O':
            case 'o':
                discs.white |= mask;
                break;
            case '-':
            case '.':
                break;
            default:
                error = "the board BO[] holds '" + std::string(1, squares[i]) + "' on " + name;
                return std::nullopt;
        }
    }
    const char side = squares.back();
    if (side != '*' && side != 'O' && side != 'X' && side != 'o' && side != 'x') {
        error = "the board BO[] gives no side to move (* or O)";
        return std::nullopt;
    }
    return TGameState(discs, side == 'O' || side == 'o');
}

}  // namespace

std::optional<uint8_t> ParseGgfMove(std::string_view text) {
    const std::string move = Lower(text.substr(0, text.find('/')));
    if (move == "pa" || move == "pass") return PASS;
    return SquareFromName(move);
}

std::optional<TGameState> ParseGgfGame(std::string_view text, std::string& error) {
    const std::optional<std::vector<TProperty>> properties = Properties(text, error);
    if (!properties) return std::nullopt;
    std::optional<TGameState> game;
    int number = 0;
    for (const TProperty& property : *properties) {
        if (property.name == "BO") {
            if (game) {
                error = "the game has a second board BO[]";
                return std::nullopt;
            }
            game = Board(property.value, error);
            if (!game) return std::nullopt;
        } else if (property.name == "B" || property.name == "W") {
            ++number;
            const std::string where =
                "move " + std::to_string(number) + " " + property.name + "[" + property.value + "]";
            if (!game) {
                error = where + " comes before the board BO[]";
                return std::nullopt;
            }
            const std::optional<uint8_t> square = ParseGgfMove(property.value);
            const std::string refused =
                square ? game->Play(property.name == "W", *square) : "it is no square";
            if (!refused.empty()) {
                error = where + ": " + refused;
                return std::nullopt;
            }
        }
    }
    if (!game) error = "the game has no board BO[]";
    return game;
}
