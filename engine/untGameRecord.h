#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The game record: entry n (1..60) holds the square of the n-th move of the game, 0 where no
// move was played; entry 0 is never used and passes leave no entry.
inline constexpr int GAME_RECORD_SIZE = 61;

// The record as one line of square names ("f5f6e6"), up to its first empty entry; nothing
// when an entry before that is 1 to 10, which cannot be a square.
std::optional<std::string> GameRecordText(const uint8_t (&record)[GAME_RECORD_SIZE]);
