#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The game record: entry n (1..60) holds the square of the n-th move of the game, 0 where no
// move was played; entry 0 is never used and passes leave no entry.
inline constexpr int GAME_RECORD_SIZE = 61;

// The record as one line of square names ("f5f6e6"), up to its first empty entry; nothing
// when an entry before that is 1 to 10, which cannot be a square.
std::optional<std::string> GameRecordText(const uint8_t (&record)[GAME_RECORD_SIZE]);

// One move of a replayed game record: its square and the side that played it.
struct TRecordedMove {
    uint8_t square;
    bool white;
};

// Replays a record of square names run together ("f5d6c3...", passes not written) from the
// standard start: black moves first, and a side passes only when it has no legal move. On a
// fault, nothing, and error names the first bad move and its number.
std::optional<std::vector<TRecordedMove>> ReplayGameRecord(std::string_view text,
                                                           std::string& error);
