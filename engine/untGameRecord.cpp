#include "engine/untGameRecord.h"

#include "engine/untKyokumen.h"
#include "engine/untSquareNames.h"

std::optional<std::string> GameRecordText(const uint8_t (&record)[GAME_RECORD_SIZE]) {
    std::string text;
    for (int n = 1; n <= 60 && record[n] != 0; ++n) {
        if (record[n] <= 10) return std::nullopt;
        // The tens digit becomes the column letter, the units digit stays as the row.
        const int square = record[n];
        text += static_cast<char>('h' - (square / 10 - 1));
        text += static_cast<char>('0' + square % 10);
    }
    return text;
}

std::optional<std::vector<TRecordedMove>> ReplayGameRecord(std::string_view text,
                                                           std::string& error) {
    if (text.size() % 2 != 0) {
        error = "odd number of characters";
        return std::nullopt;
    }
    // A replay reads no position key and draws nothing: a generator of its own leaves
    // everybody else's as it was, on whichever thread it runs.
    TRandom keys;
    TKyokumen game(keys);
    std::vector<TRecordedMove> moves;
    bool white = false;
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const std::string name(text.substr(i, 2));
        const std::optional<uint8_t> square = SquareFromName(name);
        const auto move = [&] {
            return "move " + std::to_string(i / 2 + 1) + " (" + EscapedText(name) + ")";
        };
        if (!square) {
            error = move() + " is not a square";
            return std::nullopt;
        }
        game.WhiteToMove = white;
        if (!game.HasLegalMove()) white = !white;  // the side to move has to pass
        game.WhiteToMove = white;
        if (!game.IsLegal(*square)) {
            error = move() + " is not legal";
            return std::nullopt;
        }
        game.MakeMove(*square);
        game.Commit();
        moves.push_back({*square, white});
        white = !white;
    }
    return moves;
}
